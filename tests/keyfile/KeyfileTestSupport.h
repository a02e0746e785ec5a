// KeyfileTestSupport.h: temporary files and a small schema for the keyword
// reader tests.
#ifndef TARVIL_TESTS_KEYFILETESTSUPPORT_H
#define TARVIL_TESTS_KEYFILETESTSUPPORT_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "KeywordReader.h"

namespace keyfile_test {

// A directory of its own under the test temporary directory.
inline std::string MakeTempDir() {
  std::string pattern = testing::TempDir() + "keyfileXXXXXX";
  char* made = mkdtemp(pattern.data());
  EXPECT_NE(made, nullptr);
  return pattern;
}

inline std::string WriteFile(const std::string& dir, const std::string& name,
                             const std::string& content) {
  std::string path = dir + "/" + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  EXPECT_NE(f, nullptr);
  if (f != nullptr) {
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
  }
  return path;
}

// Everything written to `f` so far.
inline std::string Contents(FILE* f) {
  std::fflush(f);
  std::rewind(f);
  std::string out;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  return out;
}

inline std::string ReadWholeFile(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return std::string();
  std::string out = Contents(f);
  std::fclose(f);
  return out;
}

// The schema of the tests. TOP takes any of the argument keywords;
// BOX requires INT and STR; ITEM may repeat and nests ITEM and INT under
// itself (so nesting is bounded by nothing but the levels).
enum Ids {
  kTop = 1, kInt, kDbl, kStr, kCon, kPair, kMod, kItem, kSkip, kBox, kAlias, kMany, kOdd
};
inline const int kTopChildren[] = {kInt, kDbl, kStr, kCon, kPair, kMod, kItem, kSkip, kBox,
                                   kMany, kOdd, 0};
inline const int kBoxRequired[] = {kInt, kStr, 0};
inline const int kItemChildren[] = {kItem, kInt, 0};
inline const char* const kColours[] = {"RED", "GREEN", nullptr};
inline const CKeywordDef kSchema[] = {
    {"TOP", kTop, eKeywordArgNone, 0, 0, nullptr, nullptr, kTopChildren},
    {"INT", kInt, eKeywordArgInteger, 0, 1, nullptr, nullptr, nullptr},
    {"DBL", kDbl, eKeywordArgDouble, 0, 1, nullptr, nullptr, nullptr},
    {"STR", kStr, eKeywordArgString, 0, 1, nullptr, nullptr, nullptr},
    {"CON", kCon, eKeywordArgConstant, 0, 1, kColours, nullptr, nullptr},
    {"PAIR", kPair, eKeywordArgInteger, 0, 2, nullptr, nullptr, nullptr},
    {"MOD", kMod, eKeywordArgInteger, kKeywordCountModulo, 2, nullptr, nullptr, nullptr},
    {"ITEM", kItem, eKeywordArgNone, kKeywordMayRepeat, 0, nullptr, nullptr, kItemChildren},
    {"SKIP", kSkip, eKeywordArgRestOfLine, 0, 0, nullptr, nullptr, nullptr},
    {"BOX", kBox, eKeywordArgNone, 0, 0, nullptr, kBoxRequired, nullptr},
    {"ALIAS", kAlias, eKeywordArgString, 0, 2, nullptr, nullptr, nullptr},
    {"MANY", kMany, eKeywordArgInteger, kKeywordCountModulo, 5, nullptr, nullptr, nullptr},
    {"ODD", kOdd, static_cast<eKeywordArgTypes>(9), 0, 0, nullptr, nullptr, nullptr},
    {nullptr, 0, eKeywordArgNone, 0, 0, nullptr, nullptr, nullptr},
};
inline const CKeywordConst kConstants[] = {
    {"RED", 1}, {"GREEN", 2}, {"BLUE", 3}, {nullptr, 0}};

// A reader over `text` with its reports captured.
class ReaderFixture {
 public:
  explicit ReaderFixture(const std::string& text, const CKeywordDef* schema = kSchema)
      : dir_(MakeTempDir()), errors_(std::tmpfile()) {
    path_ = WriteFile(dir_, "input.kw", text);
    opened_ = reader_.Open(path_.c_str(), errors_, schema, kConstants);
  }
  ~ReaderFixture() {
    reader_.Close();
    if (errors_ != nullptr) std::fclose(errors_);
    std::remove(path_.c_str());
    rmdir(dir_.c_str());
  }
  CKeywordReader& reader() { return reader_; }
  int opened() const { return opened_; }
  FILE* errors() { return errors_; }
  std::string Errors() {
    std::string all = Contents(errors_);
    std::fseek(errors_, 0, SEEK_END);
    return all;
  }
  // Reads every construct, written back as keyword text.
  std::string ReadAll(int* constructs = nullptr) {
    FILE* out = std::tmpfile();
    int count = 0;
    while (CKeywordNode* node = reader_.ReadConstruct(nullptr)) {
      ++count;
      reader_.WriteConstruct(node, out);
      FreeConstruct(node);
    }
    if (constructs != nullptr) *constructs = count;
    std::string text = Contents(out);
    std::fclose(out);
    return text;
  }

 private:
  std::string dir_;
  std::string path_;
  FILE* errors_;
  CKeywordReader reader_;
  int opened_;
};

}  // namespace keyfile_test

#endif
