// FuzzSupport.cpp: shared checks and environment of the fuzz targets.
#include "FuzzSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "AssertReport.h"
#include "MessageBox.h"
#include "Resources.h"

namespace tarvil::fuzz {

void Fail(const char* file, int line, const char* condition, const std::string& detail) {
  std::fprintf(stderr, "\n*** invariant broken at %s:%d: %s\n    %s\n", file, line, condition,
               detail.c_str());
  std::fflush(stderr);
  std::abort();
}

std::uint8_t ByteReader::Byte() {
  if (m_pos >= m_size) return 0;
  return m_data[m_pos++];
}

int ByteReader::Pick(int lo, int hi) {
  const int span = hi - lo + 1;
  return lo + static_cast<int>(Byte() % static_cast<unsigned>(span));
}

std::string ByteReader::Field() {
  std::string out;
  while (m_pos < m_size && m_data[m_pos] != 0) out.push_back(static_cast<char>(m_data[m_pos++]));
  if (m_pos < m_size) ++m_pos;  // the NUL
  return out;
}

std::string ByteReader::Rest() {
  std::string out(reinterpret_cast<const char*>(m_data + m_pos), m_size - m_pos);
  m_pos = m_size;
  return out;
}

const std::string& PrivateDir() {
  static const std::string dir = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                          "/tarvil-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    static std::string removeAtExit;
    removeAtExit = pattern;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(removeAtExit, ec);
    });
    return pattern;
  }();
  return dir;
}

bool WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

void QuietEnvironment() {
  const std::string& dir = PrivateDir();
  setenv("TARVIL_USER_REGISTRY", (dir + "/no-such-dir/user.reg").c_str(), 1);
  setenv("TARVIL_MACHINE_REGISTRY", (dir + "/no-such-dir/machine.reg").c_str(), 1);
  platform::SetAssertReportHandler([](const char*, const char*, int) {});
  platform::SetMessageBoxHandler([](const char*, unsigned int, unsigned int) { return 1; });
  CTarvil::SetLocale();
}

std::string Printable(std::string_view text) {
  std::string out = "'";
  for (unsigned char c : text) {
    if (c >= 32 && c < 127 && c != '\\') {
      out.push_back(static_cast<char>(c));
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  out += "'";
  return out;
}

namespace {

std::string Describe(const CTarvil& s, const char* what) {
  return std::string(what) + " on " + Printable(s.View()) +
         ": error " + std::to_string(static_cast<int>(s.GetCurrentError())) + ", cursor " +
         std::to_string(s.GetCursorPosition());
}

std::string Message(int id) {
  const char* text = platform::FindStringResource(static_cast<unsigned int>(id));
  return text != nullptr ? text : "";
}

// Insert as the string object does it: blanks pad up to `index`; nothing for
// a negative index.
void InsertPadded(std::string& text, int index, char ch) {
  if (index < 0) return;
  const auto at = static_cast<std::size_t>(index);
  if (at > text.size()) text.append(at - text.size(), ' ');
  text.insert(at, 1, ch);
}

// Bytes of the UTF-8 character at `at`: the sequence is decoded and kept
// only when it is the shortest form of a scalar value; otherwise one byte.
int CharacterWidth(std::string_view text, std::size_t at) {
  if (at >= text.size()) return 1;
  const auto lead = static_cast<unsigned char>(text[at]);
  const int n = lead >= 0xF8 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (n == 1 || at + n > text.size()) return 1;
  std::uint32_t value = lead & (0x7Fu >> n);
  for (int k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(text[at + k]);
    if ((b & 0xC0) != 0x80) return 1;
    value = value << 6 | (b & 0x3Fu);
  }
  const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool scalar = value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
  return value >= least[n] && scalar ? n : 1;
}

std::string ExpectedMessage(const CTarvil& s) {
  const int code = static_cast<int>(s.GetCurrentError());
  const int cursor = s.GetCursorPosition();
  if (code == 0) return "";
  if (code == 1) return Message(20002);
  if (cursor == 0 || code == 2) return Message(20001);
  if (code >= 9 && code <= 12) return Message(20000 + code);
  std::string copy(s.View());
  if (code == 3 || code == 4) {
    // The marks enclose the whole character at the cursor.
    const int width = cursor > 0 ? CharacterWidth(s.View(), cursor - 1) : 1;
    InsertPadded(copy, cursor - 1, '<');
    InsertPadded(copy, cursor + width, '>');
  }
  copy.push_back('\n');
  if (code >= 3 && code <= 8) copy += Message(20000 + code);
  return copy;
}

}  // namespace

void CheckErrorMessage(const CTarvil& s) {
  const CTarvil message = s.GetErrorMessage();
  const std::string expected = ExpectedMessage(s);
  FUZZ_CHECK(message.View() == expected,
             Describe(s, "GetErrorMessage") + " gave " + Printable(message.View()) +
                 ", expected " + Printable(expected));
  FUZZ_CHECK(message.GetCursorPosition() == 0 && message.GetCurrentError() == eErrNone,
             Describe(s, "GetErrorMessage") + ": the message object carries an error");
}

void CheckTest(const CTarvil& s, int result, int length, const char* what) {
  const int code = static_cast<int>(s.GetCurrentError());
  const int cursor = s.GetCursorPosition();
  FUZZ_CHECK(result == 0 || result == 1, Describe(s, what) + ", result " + std::to_string(result));
  FUZZ_CHECK(code >= 0 && code <= 12, Describe(s, what) + ": unknown error code");
  FUZZ_CHECK((result == 1) == (code == 0),
             Describe(s, what) + ", result " + std::to_string(result) +
                 ": the error code must be non-zero exactly when the text is refused");
  FUZZ_CHECK(cursor >= 0 && cursor <= length + 1,
             Describe(s, what) + ": cursor outside 0 .. " + std::to_string(length + 1));
  CheckErrorMessage(s);
}

void CheckStatus(const CTarvil& s, long status, int length, const char* what) {
  FUZZ_CHECK(status == S_OK || status == E_INVALIDARG || status == E_FAIL,
             Describe(s, what) + ", status " + std::to_string(status));
  CheckTest(s, status == S_OK ? 1 : 0, length, what);
}

}  // namespace tarvil::fuzz
