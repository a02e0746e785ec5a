// Faults the fuzz targets found in the registry stand-in. Each case is an
// input a target stopped on; the same inputs are in the fuzz seed corpus.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Registry.h"
#include "RegistryFiles.h"

using namespace tarvil::platform;
using tarvil::test::ScopedEnv;
using tarvil::test::TempDir;
using tarvil::test::WriteBytes;

namespace {

// A DWORD given in hex(4) form must hold exactly four bytes: a reader that
// asks for the value's size learns 4 and gets 4 bytes, never fewer with the
// rest of its buffer left as it was. Other lengths are a line that does not
// parse (the value is missing and the file is read up to it).
TEST(RegistryRegression, HexDwordsHoldFourBytes) {
  struct Case {
    const char* data;
    LONG status;
    DWORD value;
  };
  const Case cases[] = {
      {"hex(4):2a,00,00,00", ERROR_SUCCESS, 42},
      {"hex(4):00", ERROR_FILE_NOT_FOUND, 0},
      {"hex(4):01,02,03", ERROR_FILE_NOT_FOUND, 0},
      {"hex(4):01,02,03,04,05", ERROR_FILE_NOT_FOUND, 0},
      {"hex(4):", ERROR_FILE_NOT_FOUND, 0},
  };
  TempDir dir;
  const std::string hive = dir / "user.reg";
  ScopedEnv env("TARVIL_USER_REGISTRY", hive);
  for (const Case& c : cases) {
    WriteBytes(hive, std::string("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Orvanta\\Orvanta "
                                 "Notation]\r\n\"SI\"=") +
                         c.data + "\r\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Orvanta\\Orvanta Notation", 0, KEY_READ,
                           &key),
              ERROR_SUCCESS)
        << c.data;
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "SI", nullptr, &type, nullptr, &size), c.status) << c.data;
    if (c.status == ERROR_SUCCESS) {
      EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << c.data;
      EXPECT_EQ(size, 4u) << c.data;
      unsigned char buffer[4] = {0xEE, 0xEE, 0xEE, 0xEE};
      DWORD cb = sizeof buffer;
      ASSERT_EQ(RegQueryValueEx(key, "SI", nullptr, nullptr, buffer, &cb), ERROR_SUCCESS);
      DWORD value = 0;
      std::memcpy(&value, buffer, 4);
      EXPECT_EQ(value, c.value) << c.data;
    }
    RegCloseKey(key);
  }
}

}  // namespace
