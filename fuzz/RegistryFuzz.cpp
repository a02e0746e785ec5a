// RegistryFuzz.cpp: the settings store on arbitrary hive files, and the
// library brought up from them.
//
// Input: mode byte, then the bytes of the current user's hive file. The keys
// the library reads (and the first key and value the file names) are opened
// and every value is queried the ways the library and its hosts do: size
// first, then with a buffer of exactly that size, one byte less, and two
// bytes. Sizes and types must agree between the calls, texts must be
// terminated, and a short buffer must report ERROR_MORE_DATA with the size
// needed. In write mode a value is stored and must read back as written
// while the other values keep theirs; a refused write must leave the file
// as it was. In settings mode the library reads its settings from the file
// and writes and reads a few values with them.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "CTarvil.h"
#include "FuzzSupport.h"
#include "Registry.h"

using namespace tarvil::fuzz;
using namespace tarvil::platform;

namespace {

std::string g_userHive;

const char* const kKeys[] = {
    "Control Panel\\International",
    "Software\\Orvanta\\Orvanta Notation",
    "SOFTWARE\\Orvanta",
};

const char* const kValues[] = {
    "sDecimal", "iDigits",  "sThousand", "sGrouping", "iLZero",     "Engineering",
    "European", "Scientific", "SI",      "SPICE",     "Angle",      "Percentage",
    "Time",     "SuppressTrailingZeros", "ActiveNotation", "CommonDir", "",
};

struct Value {
  LONG status = ERROR_FILE_NOT_FOUND;
  DWORD type = REG_NONE;
  std::string data;
};

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The text between `open` and the next `close` after it, or empty.
std::string Between(const std::string& text, const char* open, char close) {
  const std::size_t at = text.find(open);
  if (at == std::string::npos) return "";
  const std::size_t from = at + std::strlen(open);
  const std::size_t to = text.find(close, from);
  if (to == std::string::npos || to - from > 200) return "";
  return text.substr(from, to - from);
}

Value Query(HKEY key, const std::string& keyName, const std::string& name) {
  const std::string where = "value " + Printable(name) + " of key " + Printable(keyName);
  Value v;
  DWORD type = 0xEEEEu;
  DWORD size = 0;
  v.status = RegQueryValueEx(key, name.c_str(), nullptr, &type, nullptr, &size);
  FUZZ_CHECK(v.status == ERROR_SUCCESS || v.status == ERROR_FILE_NOT_FOUND,
             where + ": size query gave " + std::to_string(v.status));
  if (v.status != ERROR_SUCCESS) {
    std::vector<BYTE> buf(8, 0xAB);
    DWORD cb = static_cast<DWORD>(buf.size());
    const LONG again = RegQueryValueEx(key, name.c_str(), nullptr, nullptr, buf.data(), &cb);
    FUZZ_CHECK(again == ERROR_FILE_NOT_FOUND, where + ": missing for the size query only");
    return v;
  }
  // Texts (REG_SZ, and REG_EXPAND_SZ = 2) come with their terminator.
  const bool text = type == REG_SZ || type == 2;
  FUZZ_CHECK(type != REG_DWORD || size == 4, where + ": a DWORD of " + std::to_string(size));
  FUZZ_CHECK(!text || size >= 1, where + ": a text without its terminator");
  FUZZ_CHECK(size < (1u << 24), where + ": size " + std::to_string(size));
  v.type = type;

  // Exactly the size needed, with guard bytes behind it.
  std::vector<BYTE> buf(size + 16, 0xAB);
  DWORD cb = size;
  DWORD type2 = 0xEEEEu;
  const LONG read = RegQueryValueEx(key, name.c_str(), nullptr, &type2, buf.data(), &cb);
  FUZZ_CHECK(read == ERROR_SUCCESS && cb == size && type2 == type,
             where + ": reading " + std::to_string(size) + " bytes gave " + std::to_string(read) +
                 " with " + std::to_string(cb));
  for (std::size_t i = size; i < buf.size(); ++i)
    FUZZ_CHECK(buf[i] == 0xAB, where + ": written past the buffer");
  if (text) {
    FUZZ_CHECK(buf[size - 1] == 0, where + ": text not terminated");
    v.data.assign(reinterpret_cast<const char*>(buf.data()), size - 1);
  } else {
    v.data.assign(reinterpret_cast<const char*>(buf.data()), size);
  }

  // One byte short.
  if (size > 0) {
    std::vector<BYTE> small(size - 1 + 16, 0xCD);
    DWORD cbSmall = size - 1;
    const LONG shortRead = RegQueryValueEx(key, name.c_str(), nullptr, nullptr,
                                           small.empty() ? nullptr : small.data(), &cbSmall);
    // With a zero-byte buffer the pointer is not null, so this is a read.
    FUZZ_CHECK(shortRead == ERROR_MORE_DATA && cbSmall == size,
               where + ": a buffer one byte short gave " + std::to_string(shortRead) + " with " +
                   std::to_string(cbSmall));
    for (std::size_t i = size - 1; i < small.size(); ++i)
      FUZZ_CHECK(small[i] == 0xCD, where + ": written past a short buffer");
  }

  // The two-byte buffer of the settings reader.
  BYTE two[2 + 16];
  std::memset(two, 0xEF, sizeof two);
  DWORD cbTwo = 2;
  const LONG twoRead = RegQueryValueEx(key, name.c_str(), nullptr, nullptr, two, &cbTwo);
  FUZZ_CHECK(size <= 2 ? twoRead == ERROR_SUCCESS : twoRead == ERROR_MORE_DATA,
             where + ": two-byte read of a " + std::to_string(size) + "-byte value gave " +
                 std::to_string(twoRead));
  for (std::size_t i = 2; i < sizeof two; ++i)
    FUZZ_CHECK(two[i] == 0xEF, where + ": written past a two-byte buffer");
  return v;
}

using Snapshot = std::map<std::string, Value>;

// Every listed value of every listed key, and of the key and value the file
// names first.
Snapshot ReadAll(const std::string& firstKey, const std::string& firstValue) {
  Snapshot all;
  std::vector<std::string> keys(std::begin(kKeys), std::end(kKeys));
  if (!firstKey.empty()) keys.push_back(firstKey);
  std::vector<std::string> values(std::begin(kValues), std::end(kValues));
  if (!firstValue.empty()) values.push_back(firstValue);
  for (const std::string& keyName : keys) {
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyEx(HKEY_CURRENT_USER, keyName.c_str(), 0, KEY_READ, &key);
    FUZZ_CHECK(opened == ERROR_SUCCESS || opened == ERROR_FILE_NOT_FOUND,
               "opening " + Printable(keyName) + " gave " + std::to_string(opened));
    if (opened != ERROR_SUCCESS) continue;
    FUZZ_CHECK(key != nullptr, "opening " + Printable(keyName) + " gave no handle");
    for (const std::string& name : values) all[keyName + "\n" + name] = Query(key, keyName, name);
    FUZZ_CHECK(RegCloseKey(key) == ERROR_SUCCESS, "closing " + Printable(keyName));
  }
  return all;
}

void WriteOne(const std::string& hive, ByteReader& choice, const Snapshot& before) {
  const std::string keyName = kKeys[choice.Pick(0, 2)];
  const std::string name = kValues[choice.Pick(0, 15)];
  const bool asText = choice.Flag();
  const std::string text = "v" + std::to_string(choice.Byte()) + "\\\"[]=";
  const std::uint32_t number = 0x01020304u * choice.Byte();

  HKEY key = nullptr;
  DWORD disposition = 0;
  const LONG created = RegCreateKeyEx(HKEY_CURRENT_USER, keyName.c_str(), 0, const_cast<char*>(""),
                                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                      &disposition);
  const std::string after = ReadWholeFile(g_userHive);
  if (created != ERROR_SUCCESS) {
    FUZZ_CHECK(created == ERROR_CANTWRITE, "creating " + Printable(keyName) + " gave " +
                                               std::to_string(created));
    FUZZ_CHECK(after == hive, "a refused key creation changed the hive file");
    return;
  }
  FUZZ_CHECK(disposition == REG_CREATED_NEW_KEY || disposition == REG_OPENED_EXISTING_KEY,
             "disposition " + std::to_string(disposition));
  const LONG set =
      asText ? RegSetValueEx(key, name.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1))
             : RegSetValueEx(key, name.c_str(), 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&number), 4);
  RegCloseKey(key);
  if (set != ERROR_SUCCESS) {
    // The regional key presented from the locale (when the file has none)
    // cannot be written.
    FUZZ_CHECK(set == ERROR_CANTWRITE || set == ERROR_ACCESS_DENIED,
               "storing a value gave " + std::to_string(set));
    FUZZ_CHECK(disposition == REG_CREATED_NEW_KEY || ReadWholeFile(g_userHive) == hive,
               "a refused write changed the hive file");
    return;
  }

  const Snapshot now = ReadAll("", "");
  const std::string written = keyName + "\n" + name;
  auto it = now.find(written);
  FUZZ_CHECK(it != now.end() && it->second.status == ERROR_SUCCESS,
             "the value just stored cannot be read: " + Printable(written));
  const std::string expected =
      asText ? text : std::string(reinterpret_cast<const char*>(&number), 4);
  FUZZ_CHECK(it->second.type == (asText ? REG_SZ : REG_DWORD) && it->second.data == expected,
             "stored " + Printable(expected) + " in " + Printable(written) + ", read " +
                 Printable(it->second.data));
  for (const auto& [where, was] : before) {
    if (where == written) continue;
    auto kept = now.find(where);
    // The first key named by the file is not in `now`; the fixed ones are.
    if (kept == now.end()) continue;
    FUZZ_CHECK(kept->second.status == was.status && kept->second.type == was.type &&
                   kept->second.data == was.data,
               "storing " + Printable(written) + " changed " + Printable(where) + " from " +
                   Printable(was.data) + " to " + Printable(kept->second.data));
  }
}

// The library reads its settings from the hive, then writes and reads with
// whatever they are.
void UseSettings() {
  CTarvil::SetLocale();
  const CTarvilLocale& l = CTarvil::s_Locale;
  FUZZ_CHECK(l.m_nLoaded == 1, "settings not marked as read");
  FUZZ_CHECK(l.m_cDecimal != l.m_cThousand, "decimal and thousands symbols coincide");
  for (int notation = 0; notation <= 6; ++notation) {
    CTarvil s;
    s.SetDoubleForNotation(static_cast<eOrvantaNotations>(notation), -1234.5678e3, 1, eOhms);
    double v = 0.0;
    const int length = s.GetLength();
    CheckTest(s, s.IsDoubleForNotation(static_cast<eOrvantaNotations>(notation), &v, eOhms),
              length, "IsDoubleForNotation");
  }
  CTarvil active;
  active.SetDoubleForNotation(0.000047, 1, eFarads);
  CTarvil len;
  len.SetLinearMeasure(25400000, kDesMillimeter, kBaseNanometer, 1, 1);
  int count = 0;
  const int length = len.GetLength();
  CheckStatus(len, len.GetBaseUnits(&count, kBaseNanometer), length, "GetBaseUnits");
  CTarvil t;
  t.SetTimeMeasure(1.5e-9, kSINano, 1, 1);
  CTarvil a;
  a.SetAngleMeasure(-10.5, kAngleDegree, 1, 1);
  CTarvil vp;
  vp.SetVpMeasure(1.5e8, kVpPercentC, 1, 1);
  CTarvil n;
  n.SetInteger(-2147483647 - 1);
  n.SetDouble(-123456.789, 1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  QuietEnvironment();
  g_userHive = PrivateDir() + "/user.reg";
  setenv("TARVIL_USER_REGISTRY", g_userHive.c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const int mode = in.Pick(0, 3);
  ByteReader choice(data + (size > 8 ? size - 8 : 0), size > 8 ? 8 : 0);
  const std::string hive = in.Rest();
  if (!WriteFile(g_userHive, hive)) return 0;

  const std::string firstKey = Between(hive, "[HKEY_CURRENT_USER\\", ']');
  const std::string firstValue = Between(hive, "\n\"", '"');
  const Snapshot before = ReadAll(firstKey, firstValue);
  if (mode == 1) WriteOne(hive, choice, before);
  if (mode == 2) UseSettings();
  return 0;
}
