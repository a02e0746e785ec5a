// Reading a file named by a user or a setting, whatever stands at its path.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "RegistryFiles.h"
#include "RegularFile.h"

using namespace tarvil::platform;
using tarvil::test::TempDir;
using tarvil::test::WriteBytes;

namespace {

// A file of `size` bytes that holds no data (it takes no room on the disk).
void MakeSparse(const std::string& path, off_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, size), 0);
  ::close(fd);
}

TEST(RegularFile, ReadsOnlyRegularFilesWithinTheLimit) {
  TempDir dir;
  WriteBytes(dir / "four", "abcd");
  WriteBytes(dir / "five", "abcde");
  WriteBytes(dir / "empty", "");
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  ASSERT_EQ(::symlink("/dev/zero", (dir / "zero").c_str()), 0);
  ASSERT_EQ(::symlink((dir / "four").c_str(), (dir / "link").c_str()), 0);
  MakeSparse(dir / "sparse", off_t{4} << 30);
  struct Row {
    std::string path;
    FileRead result;
    std::string contents;
    int error;
  } rows[] = {
      {dir / "four", FileRead::kRead, "abcd", 0},
      {dir / "link", FileRead::kRead, "abcd", 0},
      {dir / "empty", FileRead::kRead, "", 0},
      {dir / "five", FileRead::kTooLarge, "", 0},
      {dir / "sparse", FileRead::kTooLarge, "", 0},
      // A pipe without a writer would hold a blocking open up for ever.
      {dir / "pipe", FileRead::kNotRegular, "", 0},
      {dir / "zero", FileRead::kNotRegular, "", 0},
      {dir.path(), FileRead::kNotRegular, "", 0},
      {dir / "none", FileRead::kMissing, "", ENOENT},
      {dir / "four/x", FileRead::kMissing, "", ENOTDIR},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    std::string contents = "left over";
    int error = -1;
    EXPECT_EQ(ReadRegularFile(row.path, 4, contents, &error), row.result);
    EXPECT_EQ(contents, row.contents);
    EXPECT_EQ(error, row.error);
  }
}

}  // namespace
