// Keyword files built to exhaust a reader: a million faults in a row, a
// token of a megabyte, nesting thousands of levels deep, many children.
// The reader must finish them with its reports and counts, without running
// out of stack.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "KeyfileTestSupport.h"
#include "KeywordReader.h"

namespace {

using keyfile_test::ReaderFixture;

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  out.reserve(piece.size() * static_cast<std::size_t>(times));
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// Reads every construct, written back into `tree`; returns how many there
// were.
int ReadConstructs(ReaderFixture& f, std::string* tree) {
  CKeywordReader& r = f.reader();
  int constructs = 0;
  while (CKeywordNode* node = r.ReadConstruct()) {
    ++constructs;
    FILE* out = std::tmpfile();
    r.WriteConstruct(node, out);
    *tree += keyfile_test::Contents(out);
    std::fclose(out);
    FreeConstruct(node);
  }
  return constructs;
}

class KeywordStress : public testing::Test {
 protected:
  // A reader whose reports go to /dev/null.
  struct Quiet {
    explicit Quiet(const std::string& text) : dir(keyfile_test::MakeTempDir()) {
      path = keyfile_test::WriteFile(dir, "big.kw", text);
      sink = std::fopen("/dev/null", "w");
      opened = reader.Open(path.c_str(), sink, keyfile_test::kSchema, keyfile_test::kConstants);
    }
    ~Quiet() {
      reader.Close();
      std::fclose(sink);
      std::remove(path.c_str());
      rmdir(dir.c_str());
    }
    std::string dir, path;
    FILE* sink;
    CKeywordReader reader;
    int opened;
  };
};

TEST_F(KeywordStress, FaultsInARow) {
  struct Row {
    const char* name;
    std::string piece;
    int errorsPerPiece;
    int count;
  } rows[] = {
      // Each quoted keyword is reported, and the search for the next keyword
      // stops at the next one.
      {"quoted keywords", "\"..INT\"\n", 1, 1000000},
      // Each top-level BOX lacks both required keywords.
      {"constructs missing required keywords", ".box\n", 2, 200000},
      // Each misplaced construct is echoed and dropped.
      {"constructs at the wrong level", "..item\n.bogus\n", 2, 200000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Quiet q(Repeat(row.piece, row.count) + ".int 5\n");
    ASSERT_EQ(q.opened, kKeywordOpenOk);
    CKeywordNode* node = q.reader.ReadConstruct();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->id, keyfile_test::kInt);
    FreeConstruct(node);
    EXPECT_EQ(q.reader.ReadConstruct(), nullptr);
    EXPECT_EQ(q.reader.GetErrorCount(), row.count * row.errorsPerPiece);
  }
}

TEST_F(KeywordStress, MillionUnknownKeywords) {
  Quiet q(Repeat(".bogus\n", 1000000) + ".int 5\n");
  ASSERT_EQ(q.opened, kKeywordOpenOk);
  CKeywordNode* node = q.reader.ReadConstruct();
  ASSERT_NE(node, nullptr);
  FreeConstruct(node);
  EXPECT_EQ(q.reader.GetErrorCount(), 1);  // one report up to the next keyword
  EXPECT_EQ(q.reader.GetLine(), 1000002);
}

TEST_F(KeywordStress, MegabyteTokens) {
  const std::string word(1 << 20, 'w');
  const std::string string = "\"" + std::string(1 << 20, 's') + "\"";
  ReaderFixture f(word + "\n.str " + string + "\n.int 1\n");
  ASSERT_EQ(f.opened(), kKeywordOpenOk);
  std::string tree;
  EXPECT_EQ(ReadConstructs(f, &tree), 2);
  EXPECT_EQ(tree, ".STR \"" + std::string(kKeywordTokenMax, 's') + "\" \n.INT 1 \n");
  EXPECT_EQ(f.Errors(),
            "Error: Unknown keyword <" + std::string(kKeywordTokenMax, 'W') + "> at line # 1\n");
}

TEST_F(KeywordStress, NestingThousandsOfLevelsDeep) {
  // ITEM may stand under ITEM: only the levels bound the nesting.
  const int kDepth = 4000;
  std::string text = ".top\n";
  for (int level = 2; level <= kDepth; ++level) text += std::string(level, '.') + "item\n";
  Quiet q(text);
  ASSERT_EQ(q.opened, kKeywordOpenOk);
  CKeywordNode* top = q.reader.ReadConstruct();
  ASSERT_NE(top, nullptr);
  int depth = 1;
  for (const CKeywordNode* n = top->child; n != nullptr; n = n->child) {
    ++depth;
    ASSERT_EQ(n->next, nullptr);
  }
  EXPECT_EQ(depth, kDepth);
  EXPECT_EQ(q.reader.GetErrorCount(), 0);
  q.reader.WriteConstruct(top, q.sink);
  FreeConstruct(top);
  EXPECT_EQ(q.reader.ReadConstruct(), nullptr);
}

TEST_F(KeywordStress, ManyChildren) {
  Quiet q(".top\n" + Repeat("..item\n", 200000) + Repeat("..int 1\n", 1000));
  ASSERT_EQ(q.opened, kKeywordOpenOk);
  CKeywordNode* top = q.reader.ReadConstruct();
  ASSERT_NE(top, nullptr);
  int children = 0;
  for (const CKeywordNode* n = top->child; n != nullptr; n = n->next) ++children;
  EXPECT_EQ(children, 200001);  // the repeated INTs are dropped
  EXPECT_EQ(q.reader.GetErrorCount(), 999);
  FreeConstruct(top);
}

}  // namespace
