// The registry stand-in over hive files: reading the export format, writing
// without losing anything, and the failure paths.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iterator>
#include <string>

#include "Registry.h"
#include "RegistryFileInternal.h"
#include "RegistryFiles.h"
#include "RegularFile.h"

using namespace tarvil::platform;
using tarvil::test::ReadBytes;
using tarvil::test::ScopedEnv;
using tarvil::test::TempDir;
using tarvil::test::WriteBytes;

namespace {

constexpr const char* kNotation = "Software\\Orvanta\\Orvanta Notation";

// A fresh folder with the user's and the machine's hive files in it.
class Registry : public ::testing::Test {
 protected:
  Registry()
      : user_(dir_ / "user.reg"),
        machine_(dir_ / "machine.reg"),
        userEnv_("TARVIL_USER_REGISTRY", user_),
        machineEnv_("TARVIL_MACHINE_REGISTRY", machine_),
        lcAll_("LC_ALL", "C") {}

  // The text of value `name` of HKCU `key`, or "<error N>".
  static std::string Text(const char* key, const char* name, HKEY root = HKEY_CURRENT_USER) {
    HKEY h = nullptr;
    LONG rc = RegOpenKeyEx(root, key, 0, KEY_READ, &h);
    if (rc != ERROR_SUCCESS) return "<open " + std::to_string(rc) + ">";
    char buf[256];
    DWORD size = sizeof buf, type = 0;
    rc = RegQueryValueEx(h, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(h);
    if (rc != ERROR_SUCCESS) return "<error " + std::to_string(rc) + ">";
    if (type == REG_DWORD) {
      DWORD v;
      std::memcpy(&v, buf, 4);
      return "dword " + std::to_string(v);
    }
    return std::string(buf, size - 1);
  }

  static LONG SetText(HKEY key, const char* name, const char* text) {
    return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                         static_cast<DWORD>(std::strlen(text) + 1));
  }
  static LONG SetDword(HKEY key, const char* name, DWORD v) {
    return RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
  }

  TempDir dir_;
  std::string user_;
  std::string machine_;
  ScopedEnv userEnv_;
  ScopedEnv machineEnv_;
  ScopedEnv lcAll_;
};

struct ReadCase {
  const char* title;
  const char* file;
  const char* key;
  const char* name;
  const char* expected;
};

TEST_F(Registry, ReadsTheExportFormat) {
  const ReadCase cases[] = {
      {"string", "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"s\"=\",\"\n", "A", "s", ","},
      {"version 5 header, CRLF",
       "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"s\"=\"x y\"\r\n",
       "A", "s", "x y"},
      {"escapes", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"C:\\\\dir\\\\\\\"q\\\"\"\n", "A", "s",
       "C:\\dir\\\"q\""},
      {"dword", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"d\"=dword:0000000A\n", "A", "d", "dword 10"},
      {"dword max", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"d\"=dword:ffffffff\n", "A", "d",
       "dword 4294967295"},
      {"comments and blanks",
       "REGEDIT4\n; a comment\n\n[HKEY_CURRENT_USER\\A]\n  ; indented\n\"s\"=\"v\"\n\n", "A", "s",
       "v"},
      {"names ignore case", "REGEDIT4\n[hkey_current_user\\software\\A]\n\"sDecimal\"=\",\"\n",
       "SOFTWARE\\a", "SDECIMAL", ","},
      {"later line wins",
       "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"1\"\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"2\"\n", "A",
       "s", "2"},
      {"deleted value", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"1\"\n\"s\"=-\n", "A", "s",
       "<error 2>"},
      {"default value", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n@=\"def\"\n", "A", "", "def"},
      {"hex continues",
       "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"b\"=hex:01,02,\\\n  03\n\"s\"=\"after\"\n", "A", "s",
       "after"},
      {"utf-8 bom", "\xEF\xBB\xBFREGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"\xC3\xA9\"\n", "A", "s",
       "\xC3\xA9"},
      {"other hive ignored", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"s\"=\"m\"\n", "A", "s",
       "<open 2>"},
      {"parent exists", "REGEDIT4\n[HKEY_CURRENT_USER\\A\\B]\n\"s\"=\"m\"\n", "A", "s",
       "<error 2>"},
      {"no header", "[HKEY_CURRENT_USER\\A]\n\"s\"=\"v\"\n", "A", "s", "<open 2>"},
      {"read up to the fault",
       "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"v\"\ngarbage\n[HKEY_CURRENT_USER\\B]\n", "A", "s",
       "v"},
      {"nothing after the fault",
       "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"v\"\ngarbage\n[HKEY_CURRENT_USER\\B]\n\"t\"=\"w\"\n",
       "B", "t", "<open 2>"},
      {"unterminated string", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"v\n", "A", "s",
       "<error 2>"},
      {"dword too long", "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"d\"=dword:123456789\n", "A", "d",
       "<error 2>"},
      {"value before any key", "REGEDIT4\n\"s\"=\"v\"\n[HKEY_CURRENT_USER\\A]\n", "A", "s",
       "<open 2>"},
      {"empty file", "", "A", "s", "<open 2>"},
  };
  for (const auto& c : cases) {
    WriteBytes(user_, c.file);
    EXPECT_EQ(Text(c.key, c.name), c.expected) << c.title;
  }
}

TEST_F(Registry, ReadsUtf16Files) {
  const std::string utf8 =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\International]"
      "\r\n\"sDecimal\"=\",\"\r\n\"sList\"=\"\xE2\x80\xA2\"\r\n\"w\"=hex(2):41,00,42,00,00,00\r\n";
  std::string utf16 = "\xFF\xFE";
  for (unsigned char c : utf8) {
    if (c == 0xE2) {  // U+2022, the only non-ASCII character
      utf16 += std::string("\x22\x20", 2);
    } else if (c >= 0x80) {
      continue;
    } else {
      utf16 += static_cast<char>(c);
      utf16 += '\0';
    }
  }
  WriteBytes(user_, utf16);
  EXPECT_EQ(Text("Control Panel\\International", "sDecimal"), ",");
  EXPECT_EQ(Text("Control Panel\\International", "sList"), "\xE2\x80\xA2");
  EXPECT_EQ(Text("Control Panel\\International", "w"), "AB");

  // Writing keeps the file in its encoding and every other line as it was.
  HKEY h = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\International", 0, KEY_ALL_ACCESS, &h),
            ERROR_SUCCESS);
  ASSERT_EQ(SetText(h, "sThousand", "."), ERROR_SUCCESS);
  RegCloseKey(h);
  std::string expected = utf16;
  const std::string added = "\"sThousand\"=\".\"\r\n";
  std::string added16;
  for (char c : added) added16 += std::string{c, '\0'};
  expected += added16;
  EXPECT_EQ(ReadBytes(user_), expected);
  EXPECT_EQ(Text("Control Panel\\International", "sThousand"), ".");
}

TEST_F(Registry, BrokenUtf16IsReadUpToTheFault) {
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"v\"\n\"t\"=\"w\"\n"))
    utf16 += std::string{c, '\0'};
  utf16.insert(utf16.size() - 6, std::string("\x00\xDC", 2));  // a lone low surrogate
  WriteBytes(user_, utf16);
  EXPECT_EQ(Text("A", "s"), "v");
  EXPECT_EQ(Text("A", "t"), "<error 2>");
  HKEY h = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "A", 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
  EXPECT_EQ(SetText(h, "s", "x"), ERROR_CANTWRITE);
  RegCloseKey(h);
  EXPECT_EQ(ReadBytes(user_), utf16);
}

TEST_F(Registry, MissingFileIsAnEmptyHiveAndIsCreatedWithItsFolders) {
  const std::string deep = dir_ / "a/b/c/user.reg";
  ScopedEnv env("TARVIL_USER_REGISTRY", deep);
  HKEY h = nullptr;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kNotation, 0, KEY_READ, &h), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(h, nullptr);
  EXPECT_FALSE(ReadBytes(deep));

  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kNotation, 0, "", REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, &h, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  EXPECT_EQ(SetDword(h, "Engineering", 4), ERROR_SUCCESS);
  EXPECT_EQ(SetText(h, "Name", "a\\b\"c"), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
  EXPECT_EQ(ReadBytes(deep),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Orvanta\\Orvanta Notation]\n"
            "\"Engineering\"=dword:00000004\n\"Name\"=\"a\\\\b\\\"c\"\n");
  EXPECT_EQ(Text(kNotation, "Engineering"), "dword 4");
  EXPECT_EQ(Text(kNotation, "name"), "a\\b\"c");
  int files = 0;  // no temporary file is left behind
  for (const auto& entry : std::filesystem::directory_iterator(dir_ / "a/b/c")) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);

  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kNotation, 0, "", REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, &h, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  RegCloseKey(h);
}

TEST_F(Registry, WritingKeepsEverythingElse) {
  const std::string original =
      "Windows Registry Editor Version 5.00\r\n"
      "; settings kept by hand\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanta]\r\n"
      "\"CommonDir\"=\"/opt/orvanta\"\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Orvanta\\Orvanta Notation]\r\n"
      "\"Engineering\"=dword:00000002\r\n"
      "\"Blob\"=hex:01,02,\\\r\n"
      "  03\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Other]\r\n"
      "\"x\"=\"y\"";  // no final line end
  WriteBytes(user_, original);
  HKEY h = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kNotation, 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
  EXPECT_EQ(SetDword(h, "Engineering", 7), ERROR_SUCCESS);  // replaced in place
  EXPECT_EQ(SetDword(h, "SI", 5), ERROR_SUCCESS);           // added to its key
  RegCloseKey(h);
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "New", 0, "", 0, KEY_ALL_ACCESS, nullptr, &h,
                           nullptr),
            ERROR_SUCCESS);
  RegCloseKey(h);
  EXPECT_EQ(ReadBytes(user_),
            "Windows Registry Editor Version 5.00\r\n"
            "; settings kept by hand\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanta]\r\n"
            "\"CommonDir\"=\"/opt/orvanta\"\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Orvanta\\Orvanta Notation]\r\n"
            "\"Engineering\"=dword:00000007\r\n"
            "\"Blob\"=hex:01,02,\\\r\n"
            "  03\r\n"
            "\"SI\"=dword:00000005\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Other]\r\n"
            "\"x\"=\"y\"\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\New]\r\n");
  // The machine's key in the user's file is not the machine's.
  EXPECT_EQ(Text("SOFTWARE\\Orvanta", "CommonDir", HKEY_LOCAL_MACHINE), "<open 2>");
  EXPECT_EQ(Text("SOFTWARE\\Orvanta", "CommonDir"), "<error 2>");
}

TEST_F(Registry, MachineHiveIsItsOwnFile) {
  WriteBytes(machine_,
             "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvanta]\n\"CommonDir\"=\"/opt/o\"\n"
             "[HKEY_CURRENT_USER\\SOFTWARE\\Orvanta]\n\"CommonDir\"=\"user\"\n");
  EXPECT_EQ(Text("SOFTWARE\\Orvanta", "CommonDir", HKEY_LOCAL_MACHINE), "/opt/o");
  EXPECT_EQ(Text("SOFTWARE\\Orvanta", "CommonDir"), "<open 2>");
  EXPECT_EQ(MachineRegistryPath(), machine_);
  EXPECT_EQ(UserRegistryPath(), user_);
}

TEST_F(Registry, UnparsableFileIsNeverRewritten) {
  const std::string original =
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"v\"\nthis line is not registry text\n"
      "[HKEY_CURRENT_USER\\B]\n";
  WriteBytes(user_, original);
  EXPECT_EQ(Text("A", "s"), "v");
  HKEY h = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "A", 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
  EXPECT_EQ(SetText(h, "s", "w"), ERROR_CANTWRITE);
  RegCloseKey(h);
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "C", 0, "", 0, KEY_ALL_ACCESS, nullptr, &h,
                           nullptr),
            ERROR_CANTWRITE);
  EXPECT_EQ(h, nullptr);
  // An existing key still opens, since nothing has to be written.
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "A", 0, "", 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(h);
  EXPECT_EQ(ReadBytes(user_), original);
}

TEST_F(Registry, UnwritableLocationsFailAndKeepTheFile) {
  // Each location: the hive file path, and what must remain there.
  WriteBytes(dir_ / "plain", "not a folder");
  ASSERT_EQ(::mkdir((dir_ / "folder.reg").c_str(), 0700), 0);
  ASSERT_EQ(::symlink((dir_ / "nowhere/x.reg").c_str(), (dir_ / "dangling.reg").c_str()), 0);
  // The last: no file of its own, so the configuration folder is used,
  // which lies below a plain file.
  ScopedEnv config("XDG_CONFIG_HOME", dir_ / "plain");
  for (const std::string& path :
       {dir_ / "plain/user.reg", dir_ / "folder.reg", dir_ / "dangling.reg", std::string()}) {
    ScopedEnv env("TARVIL_USER_REGISTRY", path);
    if (path.empty()) {
      EXPECT_EQ(UserRegistryPath(), dir_ / "plain/orvanta/registry.reg");
    }
    HKEY h = nullptr;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kNotation, 0, "", 0, KEY_ALL_ACCESS, nullptr, &h,
                             nullptr),
              ERROR_CANTWRITE)
        << path;
    EXPECT_EQ(h, nullptr);
  }
  EXPECT_EQ(ReadBytes(dir_ / "plain"), "not a folder");
  EXPECT_FALSE(ReadBytes(dir_ / "nowhere/x.reg"));
}

TEST_F(Registry, ReadOnlyFolderKeepsTheFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  const std::string folder = dir_ / "ro";
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  const std::string file = folder + "/user.reg";
  const std::string original = "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"v\"\n";
  WriteBytes(file, original);
  ::chmod(folder.c_str(), 0500);
  ScopedEnv env("TARVIL_USER_REGISTRY", file);
  HKEY h = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "A", 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
  EXPECT_EQ(SetText(h, "s", "w"), ERROR_CANTWRITE);
  RegCloseKey(h);
  ::chmod(folder.c_str(), 0700);
  EXPECT_EQ(ReadBytes(file), original);
}

// The reader of the hive files refuses a file one byte over its limit, and
// tells a path through a plain file from one it cannot open.
TEST(RegularFile, LimitIsExactAndMissingIsTold) {
  TempDir dir;
  WriteBytes(dir / "four", "abcd");
  WriteBytes(dir / "five", "abcde");
  const struct {
    std::string path;
    FileRead result;
    std::string contents;
    int error;
  } rows[] = {
      {dir / "four", FileRead::kRead, "abcd", 0},
      {dir / "five", FileRead::kTooLarge, "", 0},
      {dir / "four/x", FileRead::kMissing, "", ENOTDIR},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    std::string contents = "left over";
    int error = -1;
    EXPECT_EQ(ReadRegularFile(row.path, 4, contents, &error), row.result);
    EXPECT_EQ(contents, row.contents);
    EXPECT_EQ(error, row.error);
  }
}

// Whatever stands at the hive's path that is no regular file of at most the
// limit is a hive that cannot be read: opening a key gives nothing at once
// (a pipe with no writer would block a plain open), and nothing replaces it.
TEST_F(Registry, HiveThatIsNoRegularFileIsNeitherReadNorReplaced) {
  const std::string pipe = dir_ / "pipe.reg";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string zero = dir_ / "zero.reg";
  ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
  // A readable key at the start of a file that is too large as a whole.
  const std::string huge = dir_ / "huge.reg";
  WriteBytes(huge,
             std::string("REGEDIT4\n[HKEY_CURRENT_USER\\") + kNotation + "]\n\"SI\"=dword:7\n");
  ASSERT_EQ(::truncate(huge.c_str(), kMaxSettingsFileBytes + 1), 0);
  for (const std::string& path : {pipe, zero, huge}) {
    SCOPED_TRACE(path);
    ScopedEnv env("TARVIL_USER_REGISTRY", path);
    struct stat before;
    ASSERT_EQ(::lstat(path.c_str(), &before), 0);
    EXPECT_EQ(Text(kNotation, "SI"), "<open 2>");
    HKEY h = nullptr;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kNotation, 0, "", 0, KEY_ALL_ACCESS, nullptr, &h,
                             nullptr),
              ERROR_CANTWRITE);
    struct stat after;
    ASSERT_EQ(::lstat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_size, before.st_size);
  }
}

// A writer removes the temporary files of its own hive that writers stopped
// on the way left (older than an hour), leaves every other file, and leaves
// none of its own.
TEST_F(Registry, WriterRemovesStaleTemporaryFiles) {
  const struct {
    const char* name;
    long age;
    bool removed;
  } files[] = {
      {".user.reg.Ab12Cd", 3601, true},
      {".user.reg.Xy34Zw", 600, false},  // maybe still being written
      {".user.reg.Ab12C", 7200, false},
      {".machine.reg.Ab12Cd", 7200, false},
  };
  WriteBytes(user_, "REGEDIT4\n");
  for (const auto& file : files) {
    WriteBytes(dir_ / file.name, "left");
    const timeval times[2] = {{::time(nullptr) - file.age, 0}, {::time(nullptr) - file.age, 0}};
    ASSERT_EQ(::utimes((dir_ / file.name).c_str(), times), 0);
  }
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "A", 0, "", 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(h);
  std::size_t left = 0;
  for (const auto& file : files) {
    EXPECT_EQ(std::filesystem::exists(dir_ / file.name), !file.removed) << file.name;
    left += file.removed ? 0 : 1;
  }
  const auto entries = std::filesystem::directory_iterator(dir_.path());
  EXPECT_EQ(std::distance(begin(entries), end(entries)), static_cast<long>(left) + 1);
}

TEST_F(Registry, SymbolicLinkStaysALink) {
  const std::string real = dir_ / "real.reg";
  WriteBytes(real, "REGEDIT4\n");
  ASSERT_EQ(::symlink(real.c_str(), (dir_ / "link.reg").c_str()), 0);
  ScopedEnv env("TARVIL_USER_REGISTRY", dir_ / "link.reg");
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "A", 0, "", 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(h);
  struct stat st;
  ASSERT_EQ(::lstat((dir_ / "link.reg").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(ReadBytes(real), "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n");
}

TEST_F(Registry, QueryBufferRules) {
  WriteBytes(user_,
             "REGEDIT4\n[HKEY_CURRENT_USER\\Control Panel\\International]\n"
             "\"sGrouping\"=\"3;2;0\"\n\"sDecimal\"=\",\"\n\"d\"=dword:00000003\n");
  HKEY h = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\International", 0, KEY_READ, &h),
            ERROR_SUCCESS);
  struct Case {
    const char* name;
    DWORD size;
    LONG status;
    DWORD sizeAfter;
    DWORD type;
  } cases[] = {
      {"sGrouping", 4, ERROR_MORE_DATA, 6, REG_SZ},  {"sGrouping", 6, ERROR_SUCCESS, 6, REG_SZ},
      {"sDecimal", 2, ERROR_SUCCESS, 2, REG_SZ},     {"sDecimal", 1, ERROR_MORE_DATA, 2, REG_SZ},
      {"d", 4, ERROR_SUCCESS, 4, REG_DWORD},         {"d", 2, ERROR_MORE_DATA, 4, REG_DWORD},
      {"missing", 4, ERROR_FILE_NOT_FOUND, 4, 99},
  };
  for (const auto& c : cases) {
    unsigned char buf[8];
    std::memset(buf, 0xAA, sizeof buf);
    DWORD size = c.size, type = 99;
    EXPECT_EQ(RegQueryValueEx(h, c.name, nullptr, &type, buf, &size), c.status) << c.name;
    EXPECT_EQ(size, c.sizeAfter) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    if (c.status != ERROR_SUCCESS) {
      for (unsigned char b : buf) EXPECT_EQ(b, 0xAA) << c.name;  // nothing written
    }
  }
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueEx(h, "sGrouping", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 6u);
  BYTE b[4];
  EXPECT_EQ(RegQueryValueEx(h, "sGrouping", nullptr, nullptr, b, nullptr), ERROR_INVALID_PARAMETER);
  RegCloseKey(h);
}

TEST_F(Registry, HandlesAndArguments) {
  WriteBytes(user_, "REGEDIT4\n[HKEY_CURRENT_USER\\A\\B]\n\"s\"=\"v\"\n");
  HKEY a = nullptr, b = nullptr;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "A", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegOpenKeyEx(nullptr, "A", 0, KEY_READ, &a), ERROR_INVALID_PARAMETER);
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "\\A\\", 0, KEY_READ, &a), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyEx(a, "b", 0, KEY_READ, &b), ERROR_SUCCESS);
  EXPECT_EQ(SetText(b, "s", "w"), ERROR_ACCESS_DENIED);  // opened for reading
  EXPECT_EQ(RegCloseKey(b), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(b), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueEx(b, "s", nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
  RegCloseKey(a);

  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "A\\B", 0, "", 0, KEY_ALL_ACCESS, nullptr, &b,
                           nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(SetText(b, "two\nlines", "x"), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(SetText(b, "s", "two\r\nlines"), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueEx(b, "d", 0, REG_DWORD, reinterpret_cast<const BYTE*>("ab"), 2),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueEx(b, "d", 0, 3, reinterpret_cast<const BYTE*>("ab"), 2),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueEx(b, "d", 0, REG_DWORD, nullptr, 4), ERROR_INVALID_PARAMETER);
  // A text without its terminator is taken up to the given size.
  EXPECT_EQ(RegSetValueEx(b, "t", 0, REG_SZ, reinterpret_cast<const BYTE*>("abcdef"), 3),
            ERROR_SUCCESS);
  RegCloseKey(b);
  EXPECT_EQ(Text("A\\B", "t"), "abc");
  EXPECT_EQ(Text("A\\B", "s"), "v");
  EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "x\ny", 0, "", 0, KEY_ALL_ACCESS, nullptr, &b,
                           nullptr),
            ERROR_INVALID_PARAMETER);
}

TEST_F(Registry, FileIsReadAgainAtEveryOpen) {
  WriteBytes(user_, "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"1\"\n");
  HKEY h = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "A", 0, KEY_READ, &h), ERROR_SUCCESS);
  WriteBytes(user_, "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"2\"\n");
  char buf[4];
  DWORD size = sizeof buf;
  ASSERT_EQ(RegQueryValueEx(h, "s", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(buf, "1");  // an open handle keeps what it read
  RegCloseKey(h);
  EXPECT_EQ(Text("A", "s"), "2");
}

TEST_F(Registry, RegionalKeyFromTheLocaleWhenMissing) {
  // No file: in the C locale only the decimal point is defined.
  EXPECT_EQ(Text("Control Panel\\International", "sDecimal"), ".");
  EXPECT_EQ(Text("Control Panel\\International", "sThousand"), "<error 2>");
  EXPECT_EQ(Text("Control Panel\\International", "sGrouping"), "<error 2>");
  HKEY h = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Control Panel\\International", 0, "", 0,
                           KEY_ALL_ACCESS, nullptr, &h, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  EXPECT_EQ(SetText(h, "sDecimal", ","), ERROR_ACCESS_DENIED);
  RegCloseKey(h);
  EXPECT_FALSE(ReadBytes(user_));
  // Not for the machine, and not when the user's file has the key.
  EXPECT_EQ(Text("Control Panel\\International", "sDecimal", HKEY_LOCAL_MACHINE), "<open 2>");
  WriteBytes(user_, "REGEDIT4\n[HKEY_CURRENT_USER\\Control Panel\\International]\n");
  EXPECT_EQ(Text("Control Panel\\International", "sDecimal"), "<error 2>");
}

TEST(RegistryPaths, UserHiveLocation) {
  const struct {
    const char* file;
    const char* config;
    const char* home;
    const char* path;
  } cases[] = {
      {"/x/u.reg", "/cfg", "/home/a", "/x/u.reg"},
      {"", "/cfg", "/home/a", "/cfg/orvanta/registry.reg"},
      {"", "relative", "/home/a", "/home/a/.config/orvanta/registry.reg"},
      {"", "", "/home/a", "/home/a/.config/orvanta/registry.reg"},
  };
  for (const auto& c : cases) {
    ScopedEnv file("TARVIL_USER_REGISTRY", c.file);
    ScopedEnv config("XDG_CONFIG_HOME", c.config);
    ScopedEnv home("HOME", c.home);
    EXPECT_EQ(UserRegistryPath(), c.path);
  }
  ScopedEnv machine("TARVIL_MACHINE_REGISTRY", "");
  EXPECT_EQ(MachineRegistryPath(), "/etc/orvanta/registry.reg");
}

TEST(RegistryGrouping, LocalePatterns) {
  using tarvil::platform::registry::GroupingPattern;
  const struct {
    const char* grouping;
    const char* pattern;
  } cases[] = {
      {"", ""},           {"\3", "3;0"},       {"\3\3", "3;0"},    {"\3\2", "3;2;0"},
      {"\3\177", "3"},    {"\177", ""},        {"\4\4\4", "4;0"},  {"\3\2\2", "3;2;0"},
      {"\x80", ""},       {nullptr, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GroupingPattern(c.grouping), c.pattern) << (c.grouping ? c.grouping : "null");
}

}  // namespace
