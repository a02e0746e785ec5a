// NameFuzz.cpp: the design-object, file-name, path-name and ASCII checks on
// arbitrary text.
//
// Input: kind byte, allow-special byte, limit byte, then the name. Beyond the
// common test invariants: the free functions and the members agree; the
// overloads that discard position and error give the same answer; a kind
// with the default rule and no reserved names is the limit check with that
// kind's limit; the ASCII check refuses exactly the first byte above 127.
#include <cstdint>
#include <cstring>
#include <string>

#include "CTarvil.h"
#include "FuzzSupport.h"

using namespace tarvil::fuzz;

namespace {

// Kinds checked by the default rule alone, with their length limits.
struct PlainKind {
  int type;
  int limit;
};
constexpr PlainKind kPlainKinds[] = {{1, 80}, {2, 80},  {3, 80},  {4, 40},  {7, 80},
                                     {9, 64}, {12, 40}, {16, 40}, {17, 40}, {19, 40}};

int PlainLimit(int type) {
  for (const PlainKind& k : kPlainKinds)
    if (k.type == type) return k.limit;
  return type > 18 || type < 0 ? 40 : -1;
}

std::string Outcome(int result, int pos, eCTarvilErr err) {
  return "result " + std::to_string(result) + ", position " + std::to_string(pos) + ", error " +
         std::to_string(static_cast<int>(err));
}

void CheckFreeOutcome(const std::string& name, int result, int pos, eCTarvilErr err,
                      const char* what) {
  const int length = static_cast<int>(name.size());
  const std::string detail = std::string(what) + " on " + Printable(name) + ": " +
                             Outcome(result, pos, err);
  FUZZ_CHECK(result == 0 || result == 1, detail);
  FUZZ_CHECK((result == 1) == (err == eErrNone), detail);
  FUZZ_CHECK(err == eErrNone || err == eErrEmpty || err == eErrInvalidCharacter ||
                 err == eErrCharacterLimit,
             detail);
  FUZZ_CHECK(pos >= 0 && pos <= length + 1, detail);
  FUZZ_CHECK(result == 0 || pos == length, detail + ": an accepted name leaves its length");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  QuietEnvironment();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const int type = in.Pick(-3, 21);
  const int allowSpecial = in.Pick(0, 2);
  const int limit = in.Pick(-1, 90);
  std::string name = in.Rest();
  name.resize(std::strlen(name.c_str()));
  const char* n = name.c_str();
  const auto kind = static_cast<eEDAStringTypes>(type);

  // Default rule, with and without a limit.
  int pos = -7;
  auto err = static_cast<eCTarvilErr>(-7);
  const int plain = CTarvilIsEDAName(n, &pos, &err);
  CheckFreeOutcome(name, plain, pos, err, "CTarvilIsEDAName");
  FUZZ_CHECK(CTarvilIsEDAName(n) == plain, "the discarding overload disagrees");
  int posNoLimit = -7;
  auto errNoLimit = static_cast<eCTarvilErr>(-7);
  const int unlimited = CTarvilIsEDAName(n, 1 << 30, &posNoLimit, &errNoLimit);
  FUZZ_CHECK(unlimited == plain && posNoLimit == pos && errNoLimit == err,
             "a limit no name reaches changes the outcome for " + Printable(name));

  int posLimit = -7;
  auto errLimit = static_cast<eCTarvilErr>(-7);
  const int limited = CTarvilIsEDAName(n, limit, &posLimit, &errLimit);
  CheckFreeOutcome(name, limited, posLimit, errLimit, "CTarvilIsEDAName(limit)");
  FUZZ_CHECK(!limited || plain, "the limit check accepts what the default rule refuses");

  // Typed rule.
  int posTyped = -7;
  auto errTyped = static_cast<eCTarvilErr>(-7);
  const int typed = CTarvilIsEDAName(n, kind, allowSpecial, &posTyped, &errTyped);
  CheckFreeOutcome(name, typed, posTyped, errTyped, "CTarvilIsEDAName(type)");
  FUZZ_CHECK(CTarvilIsEDAName(n, kind, allowSpecial) == typed,
             "the discarding typed overload disagrees");
  const int plainLimit = PlainLimit(type);
  if (plainLimit > 0) {
    int posL = -7;
    auto errL = static_cast<eCTarvilErr>(-7);
    const int byLimit = CTarvilIsEDAName(n, plainLimit, &posL, &errL);
    FUZZ_CHECK(byLimit == typed && posL == posTyped && errL == errTyped,
               "kind " + std::to_string(type) + " on " + Printable(name) + ": " +
                   Outcome(typed, posTyped, errTyped) + ", limit " +
                   std::to_string(plainLimit) + ": " + Outcome(byLimit, posL, errL));
  }

  // The members run the same checks on the object's text.
  CTarvil s(n);
  const int length = s.GetLength();
  const int member = s.IsEDAName();
  CheckTest(s, member, length, "IsEDAName");
  FUZZ_CHECK(member == plain && s.GetCursorPosition() == pos && s.GetCurrentError() == err,
             "IsEDAName and CTarvilIsEDAName disagree on " + Printable(name));
  int memberLimit = limit;
  const int limitedMember = s.IsEDAName(memberLimit);
  CheckTest(s, limitedMember, length, "IsEDAName(limit)");
  FUZZ_CHECK(limitedMember == limited && s.GetCursorPosition() == posLimit,
             "IsEDAName(limit) and CTarvilIsEDAName(limit) disagree on " + Printable(name));
  const int typedMember = s.IsEDAName(kind, allowSpecial);
  CheckTest(s, typedMember, length, "IsEDAName(type)");
  FUZZ_CHECK(typedMember == typed && s.GetCursorPosition() == posTyped,
             "IsEDAName(type) and CTarvilIsEDAName(type) disagree on " + Printable(name));

  CheckTest(s, s.IsFileName(), length, "IsFileName");
  CheckTest(s, s.IsPathName(), length, "IsPathName");

  const int ascii = s.IsASCII();
  CheckTest(s, ascii, length, "IsASCII");
  int firstHigh = 0;
  for (int i = 0; i < length && firstHigh == 0; ++i)
    if (static_cast<unsigned char>(name[i]) >= 128) firstHigh = i + 1;
  if (length > 0) {
    FUZZ_CHECK(ascii == (firstHigh == 0 ? 1 : 0) &&
                   (firstHigh == 0 || s.GetCursorPosition() == firstHigh),
               "IsASCII on " + Printable(name) + ": result " + std::to_string(ascii) +
                   ", cursor " + std::to_string(s.GetCursorPosition()));
  }
  return 0;
}
