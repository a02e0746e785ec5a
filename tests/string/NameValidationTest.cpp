// Design-object names by kind, file names, path names and 7-bit text: the
// result, error code and cursor position of each, and texts far beyond
// their limits.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "CTarvil.h"
#include "NameCheckInternal.h"

namespace {

using namespace tarvil::detail;

struct Verdict {
  int valid;
  eCTarvilErr error;
  int position;
};

bool operator==(const Verdict& a, const Verdict& b) {
  return a.valid == b.valid && a.error == b.error && a.position == b.position;
}

std::ostream& operator<<(std::ostream& os, const Verdict& v) {
  return os << "{valid " << v.valid << ", error " << v.error << ", position " << v.position << "}";
}

constexpr Verdict Ok(int length) { return {1, eErrNone, length}; }
constexpr Verdict Bad(eCTarvilErr error, int position) { return {0, error, position}; }
constexpr Verdict kEmpty = {0, eErrEmpty, 0};

// The engine's verdict, which the free functions and members pass on.
Verdict Of(NameCheck v) { return {v.ok ? 1 : 0, v.error, v.cursor}; }

// Runs the member on the text; the free function must agree.
Verdict MemberDefault(const std::string& name) {
  CTarvil t(name.c_str());
  t.m_nCursorPosition = 77;  // every test starts by clearing the fields
  t.m_eCurrentError = eErrNoUnit;
  int valid = t.IsEDAName();
  return {valid, t.GetCurrentError(), t.GetCursorPosition()};
}

TEST(EDAName, DefaultRule) {
  struct Row {
    std::string name;
    Verdict verdict;
  } rows[] = {
      {"NET_1", Ok(5)},
      {"A(B)", Bad(eErrInvalidCharacter, 2)},
      {"AB)", Bad(eErrInvalidCharacter, 3)},
      {"A!", Bad(eErrInvalidCharacter, 2)},
      {"A\\B", Bad(eErrInvalidCharacter, 2)},
      {"  ", Ok(2)},            // blanks only
      {"", kEmpty},
      {"  net 1  ", Ok(9)},      // inner and outer blanks
      {" \tx\t ", Ok(5)},        // outer white space is ignored ...
      {"a\tb", Bad(eErrInvalidCharacter, 2)},  // ... inner white space must be printable
      {"  a(", Bad(eErrInvalidCharacter, 4)},
      {"caf\xC3\xA9", Ok(5)},    // a multi-byte character is printable
      {"a\x7F", Bad(eErrInvalidCharacter, 2)},
      {std::string(5000, 'x'), Ok(5000)},  // no limit
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name.substr(0, 20));
    int pos = -9;
    eCTarvilErr err = eErrNoUnit;
    int valid = CTarvilIsEDAName(row.name.c_str(), &pos, &err);
    EXPECT_EQ((Verdict{valid, err, pos}), row.verdict);
    EXPECT_EQ(CTarvilIsEDAName(row.name.c_str()), row.verdict.valid);
    EXPECT_EQ(CTarvilIsEDAName(row.name.c_str(), nullptr, nullptr), row.verdict.valid);
    EXPECT_EQ(MemberDefault(row.name), row.verdict);
    EXPECT_EQ(Of(CheckEDAName(row.name)), row.verdict);
  }
}

TEST(EDAName, LimitVersion) {
  struct Row {
    std::string name;
    int limit;
    Verdict verdict;
  } rows[] = {
      {"  abc  ", 3, Ok(7)},
      {"abcd", 3, Bad(eErrCharacterLimit, 4)},
      {" abcd  ", 3, Bad(eErrCharacterLimit, 5)},  // at the last non-blank
      {"ab!", 3, Bad(eErrInvalidCharacter, 3)},
      {"ab!d", 3, Bad(eErrCharacterLimit, 4)},      // the length is checked first
      {"a", 0, Bad(eErrCharacterLimit, 1)},
      {"   ", 0, Ok(3)},
      {"a", -1, Bad(eErrCharacterLimit, 1)},
      {"   ", -1, Bad(eErrCharacterLimit, 0)},      // no non-blank byte to point at
      {"", 3, kEmpty},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name + " limit " + std::to_string(row.limit));
    int pos = -9;
    eCTarvilErr err = eErrNoUnit;
    int valid = CTarvilIsEDAName(row.name.c_str(), row.limit, &pos, &err);
    EXPECT_EQ((Verdict{valid, err, pos}), row.verdict);
    EXPECT_EQ(CTarvilIsEDAName(row.name.c_str(), row.limit, nullptr, nullptr), row.verdict.valid);
    CTarvil t(row.name.c_str());
    int limit = row.limit;
    valid = t.IsEDAName(limit);
    EXPECT_EQ((Verdict{valid, t.GetCurrentError(), t.GetCursorPosition()}), row.verdict);
    EXPECT_EQ(limit, row.limit);
    EXPECT_EQ(Of(CheckEDAName(row.name, row.limit)), row.verdict);
  }
}

TEST(EDAName, Kinds) {
  const std::string s4050(4050, 'k');
  struct Row {
    std::string name;
    int type;
    int allowSpecial;
    Verdict verdict;
  } rows[] = {
      {"Default", 5, 0, Ok(7)},
      {"(Default)", 5, 1, Ok(9)},
      {"(Default)", 5, 0, Bad(eErrInvalidCharacter, 1)},
      {"  (Default) ", 5, 0, Bad(eErrInvalidCharacter, 3)},
      {"(Default)", 5, 2, Bad(eErrInvalidCharacter, 1)},  // only 1 allows it
      {"(Def", 5, 1, Ok(4)},        // a leading part counts as the reserved name
      {"(Def", 5, 0, Bad(eErrInvalidCharacter, 1)},
      {"(Defaults)", 5, 1, Ok(10)},  // longer: not reserved, and type 5 allows "("
      {"  ", 5, 1, Ok(2)},           // a blank name counts as reserved too
      {"  ", 5, 0, Bad(eErrInvalidCharacter, 3)},
      {"A!B", 5, 0, Bad(eErrInvalidCharacter, 2)},
      {"(Shield Area)", 6, 1, Ok(13)},
      {"(Shield", 6, 0, Bad(eErrInvalidCharacter, 1)},
      {"(Default Via)", 8, 1, Ok(13)},
      {"(Default V", 8, 0, Bad(eErrInvalidCharacter, 1)},
      {"Via(1)", 8, 1, Bad(eErrInvalidCharacter, 4)},  // default rule
      {"(Default)", 14, 1, Ok(9)},
      {"(Default Rule)", 15, 1, Ok(14)},
      {"(Master)", 18, 1, Ok(8)},
      {"(Minimum)", 18, 1, Ok(9)},
      {"(Mi", 18, 0, Bad(eErrInvalidCharacter, 1)},
      {"(Max)", 18, 0, Ok(5)},
      {"(Max)", 18, 1, Ok(5)},
      {"(Default)", 1, 1, Bad(eErrInvalidCharacter, 1)},  // no reserved names
      {"ABCD", 13, 0, Ok(4)},
      {"ABCDE", 13, 0, Bad(eErrCharacterLimit, 5)},
      {"AB1", 13, 0, Bad(eErrInvalidCharacter, 3)},
      {"A B", 13, 0, Bad(eErrInvalidCharacter, 2)},
      {s4050, 0, 0, Ok(4050)},
      {s4050 + "k", 0, 0, Bad(eErrCharacterLimit, 4051)},
      {"a(b)!", 0, 0, Ok(5)},
      {"a\\b", 0, 0, Bad(eErrInvalidCharacter, 2)},
      {"a\x01" "b", 0, 0, Bad(eErrInvalidCharacter, 2)},
      {"a\x7F", 10, 0, Bad(eErrInvalidCharacter, 2)},
      {std::string(255, 'x'), 10, 0, Ok(255)},
      {std::string(256, 'x'), 10, 0, Bad(eErrCharacterLimit, 256)},
      {std::string(127, 'x'), 6, 0, Ok(127)},
      {std::string(128, 'x'), 6, 0, Bad(eErrCharacterLimit, 128)},
      {std::string(64, 'x'), 9, 0, Ok(64)},
      {std::string(65, 'x'), 9, 0, Bad(eErrCharacterLimit, 65)},
      {std::string(80, 'x'), 7, 0, Ok(80)},
      {std::string(81, 'x'), 1, 0, Bad(eErrCharacterLimit, 81)},
      {" " + std::string(40, 'x') + " ", 4, 0, Ok(42)},
      {" " + std::string(41, 'x') + " ", 4, 0, Bad(eErrCharacterLimit, 42)},
      {"a(b", 11, 0, Ok(3)},
      {"a!b", 11, 0, Bad(eErrInvalidCharacter, 2)},
      // Kinds outside the table: limit 40, default rule.
      {std::string(40, 'x'), 19, 0, Ok(40)},
      {std::string(41, 'x'), 19, 0, Bad(eErrCharacterLimit, 41)},
      {"a(b", -1, 0, Bad(eErrInvalidCharacter, 2)},
      {"", 5, 1, kEmpty},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name.substr(0, 20) + " type " + std::to_string(row.type) + " special " +
                 std::to_string(row.allowSpecial));
    const auto type = static_cast<eEDAStringTypes>(row.type);
    int pos = -9;
    eCTarvilErr err = eErrNoUnit;
    int valid = CTarvilIsEDAName(row.name.c_str(), type, row.allowSpecial, &pos, &err);
    EXPECT_EQ((Verdict{valid, err, pos}), row.verdict);
    EXPECT_EQ(CTarvilIsEDAName(row.name.c_str(), type, row.allowSpecial), row.verdict.valid);
    CTarvil t(row.name.c_str());
    valid = t.IsEDAName(type, row.allowSpecial);
    EXPECT_EQ((Verdict{valid, t.GetCurrentError(), t.GetCursorPosition()}), row.verdict);
    EXPECT_EQ(Of(CheckEDAName(row.name, type, row.allowSpecial == 1)), row.verdict);
  }
}

TEST(EDAName, NullNameAndNullPointers) {
  int pos = 5;
  eCTarvilErr err = eErrNoUnit;
  EXPECT_EQ(CTarvilIsEDAName(nullptr, &pos, &err), 0);
  EXPECT_EQ(err, eErrEmpty);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(CTarvilIsEDAName(nullptr), 0);
  EXPECT_EQ(CTarvilIsEDAName(nullptr, 3, nullptr, nullptr), 0);
  EXPECT_EQ(CTarvilIsEDAName(nullptr, eEDAType5, 1), 0);
  // Only one of the two pointers given: the other is simply not written.
  pos = 5;
  EXPECT_EQ(CTarvilIsEDAName("A(", &pos, nullptr), 0);
  EXPECT_EQ(pos, 2);
  err = eErrNone;
  EXPECT_EQ(CTarvilIsEDAName("abcd", 3, nullptr, &err), 0);
  EXPECT_EQ(err, eErrCharacterLimit);
  // A zero byte inside the object's text is judged, not taken as its end.
  CTarvil t("ab");
  char* buffer = t.GetBufferSetLength(4);
  buffer[2] = '\0';
  buffer[3] = ')';
  t.ReleaseBuffer(4);
  EXPECT_EQ(t.IsEDAName(), 0);
  EXPECT_EQ(t.GetCurrentError(), eErrInvalidCharacter);
  EXPECT_EQ(t.GetCursorPosition(), 3);
  // The engine reads a view to its length: neither a zero byte inside it
  // nor the bytes after it decide.
  using namespace std::string_view_literals;
  EXPECT_EQ(Of(CheckEDAName("ab\0)"sv)), Bad(eErrInvalidCharacter, 3));
  EXPECT_EQ(Of(CheckEDAName("AB)"sv.substr(0, 2))), Ok(2));
  EXPECT_EQ(Of(CheckFileName("a\0b"sv)), Bad(eErrInvalidCharacter, 2));
  EXPECT_EQ(Of(CheckPathName("C:\\x*"sv.substr(0, 4))), Ok(4));
  EXPECT_EQ(Of(CheckEDAName(std::string_view())), kEmpty);
}

TEST(FileName, Checks) {
  struct Row {
    std::string name;
    Verdict verdict;
  } rows[] = {
      {"board.txt", {1, eErrNone, 0}},
      {"a:b", Bad(eErrInvalidCharacter, 2)},
      {"a\\b", Bad(eErrInvalidCharacter, 2)},
      {"a/b", Bad(eErrInvalidCharacter, 2)},
      {"a*b", Bad(eErrInvalidCharacter, 2)},
      {"a?b", Bad(eErrInvalidCharacter, 2)},
      {"a\"b", Bad(eErrInvalidCharacter, 2)},
      {"a>b", Bad(eErrInvalidCharacter, 2)},
      {"a<b", Bad(eErrInvalidCharacter, 2)},
      {"a|b", Bad(eErrInvalidCharacter, 2)},
      {"ab\t", Bad(eErrInvalidCharacter, 3)},
      {" my board (2).pcb ", {1, eErrNone, 0}},
      {"pl\xC3\xA4ne", {1, eErrNone, 0}},
      {std::string(255, 'f'), {1, eErrNone, 0}},
      {std::string(256, 'f'), Bad(eErrCharacterLimit, 256)},
      {"", kEmpty},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name.substr(0, 20));
    CTarvil t(row.name.c_str());
    t.m_nCursorPosition = 9;
    t.m_eCurrentError = eErrTooLarge;
    int valid = t.IsFileName();
    EXPECT_EQ((Verdict{valid, t.GetCurrentError(), t.GetCursorPosition()}), row.verdict);
    EXPECT_EQ(Of(CheckFileName(row.name)), row.verdict);
  }
}

TEST(PathName, Checks) {
  struct Row {
    std::string path;
    Verdict verdict;
  } rows[] = {
      {"C:", Ok(2)},
      {"C:\\dir\\file.txt", Ok(15)},
      {"c:\\", Ok(3)},
      {"\\\\server\\share\\dir", Ok(18)},
      {"\\\\server\\\\share", Ok(15)},
      {"dir\\file", Ok(8)},
      {"\\dir\\file", Ok(9)},
      {"dir\\\\file\\", Ok(10)},
      {"C:dir", Bad(eErrInvalidCharacter, 3)},
      {"\\\\\\server", Bad(eErrInvalidCharacter, 3)},
      {"\\\\server", Bad(eErrInvalidCharacter, 9)},     // no share name
      {"\\\\server\\\\", Bad(eErrInvalidCharacter, 11)},
      {"\\\\", Bad(eErrInvalidCharacter, 3)},            // no server name
      {"\\\\ser;ver\\share", Bad(eErrInvalidCharacter, 6)},
      {"\\\\srv[1]\\share", Bad(eErrInvalidCharacter, 6)},
      {"\\\\srv\\sh;are", Ok(12)},                        // share names may hold ";"
      {"\\\\srv\\sh*re", Bad(eErrInvalidCharacter, 9)},
      {"C:\\dir\\a*b", Bad(eErrInvalidCharacter, 9)},
      {"*abc", Bad(eErrInvalidCharacter, 1)},
      {"a:b", Bad(eErrInvalidCharacter, 3)},             // a drive "a:" not followed by "\"
      {"1:b", Bad(eErrInvalidCharacter, 2)},             // not a drive: ":" in a component
      {"\xC3\xA9:\\x", Bad(eErrInvalidCharacter, 3)},    // only ASCII letters name a drive
      {"dir/file", Bad(eErrInvalidCharacter, 4)},
      {"dir\\fi\tle", Bad(eErrInvalidCharacter, 7)},
      {"C:\\" + std::string(257, 'p'), Ok(260)},
      {"C:\\" + std::string(258, 'p'), Bad(eErrCharacterLimit, 261)},
      {"", kEmpty},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path.substr(0, 30));
    CTarvil t(row.path.c_str());
    t.m_nCursorPosition = 9;
    t.m_eCurrentError = eErrTooLarge;
    int valid = t.IsPathName();
    EXPECT_EQ((Verdict{valid, t.GetCurrentError(), t.GetCursorPosition()}), row.verdict);
    EXPECT_EQ(Of(CheckPathName(row.path)), row.verdict);
  }
}

TEST(Ascii, Checks) {
  struct Row {
    std::string text;
    Verdict verdict;
  } rows[] = {
      {"abc", {1, eErrNone, 0}},
      {"ab\xE9", Bad(eErrInvalidCharacter, 3)},
      {"\x7F\x01~", {1, eErrNone, 0}},
      {"\x80", Bad(eErrInvalidCharacter, 1)},
      {"", kEmpty},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    CTarvil t(row.text.c_str());
    t.m_nCursorPosition = 9;
    int valid = t.IsASCII();
    EXPECT_EQ((Verdict{valid, t.GetCurrentError(), t.GetCursorPosition()}), row.verdict);
    EXPECT_EQ(Of(CheckASCII(row.text)), row.verdict);
  }
}

TEST(NameChecks, MegabyteTextsAnswerQuickly) {
  // Texts far beyond every limit; each check is one pass, so the whole set
  // takes milliseconds (a check that rescans would take minutes).
  const std::string huge(4 << 20, 'n');
  const std::string blanks = "  " + std::string(4 << 20, 'n') + "  ";
  const auto begin = std::chrono::steady_clock::now();
  int pos = 0;
  eCTarvilErr err = eErrNone;
  EXPECT_EQ(CTarvilIsEDAName(huge.c_str(), &pos, &err), 1);
  EXPECT_EQ(pos, 4 << 20);
  EXPECT_EQ(CTarvilIsEDAName(blanks.c_str(), 40, &pos, &err), 0);
  EXPECT_EQ(err, eErrCharacterLimit);
  EXPECT_EQ(pos, (4 << 20) + 2);
  EXPECT_EQ(CTarvilIsEDAName(huge.c_str(), eEDAType13, 0, &pos, &err), 0);
  EXPECT_EQ(pos, 4 << 20);
  CTarvil t(huge.c_str());
  EXPECT_EQ(t.IsFileName(), 0);
  EXPECT_EQ(t.GetCursorPosition(), 4 << 20);
  EXPECT_EQ(t.IsPathName(), 0);
  EXPECT_EQ(t.IsASCII(), 1);
  EXPECT_EQ(t.IsEDAName(eEDAType0, 0), 0);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  EXPECT_LT(seconds, 5.0);
}

}  // namespace
