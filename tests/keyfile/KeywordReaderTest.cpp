// Reading keyword files into trees: argument lists by type, schema checks,
// hierarchy, recovery after faults, and the exact reports with their lines.
#include <gtest/gtest.h>

#include <string>

#include "KeyfileTestSupport.h"
#include "KeywordReader.h"

namespace {

using keyfile_test::ReaderFixture;

struct Case {
  const char* name;
  std::string text;
  std::string tree;    // every construct, written back
  std::string errors;  // everything on the error stream
  int errorCount;
};

void RunCases(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c) {
    SCOPED_TRACE(c->name);
    ReaderFixture f(c->text);
    ASSERT_EQ(f.opened(), kKeywordOpenOk);
    EXPECT_EQ(f.ReadAll(), c->tree);
    EXPECT_EQ(f.Errors(), c->errors);
    EXPECT_EQ(f.reader().GetErrorCount(), c->errorCount);
  }
}

TEST(KeywordReader, ArgumentLists) {
  const Case cases[] = {
      {"empty file", "", "", "", 0},
      {"only comments", "! nothing\n\n  ! here\n", "", "", 0},
      {"hex and octal", ".top\n..pair 0x10 010\n", ".TOP\n  ..PAIR  ( 16 , 8 )\n", "", 0},
      {"brackets and commas are skipped", ".pair (1, 2)", ".PAIR  ( 1 , 2 )\n", "", 0},
      {"lower case keyword, string keeps its case", ".str \"MiXed\"", ".STR \"MiXed\" \n", "",
       0},
      {"integer list faults", ".int 1.5 12AB abc\n", ".INT\n",
       "Error: Unexpected double <1.5>\n"
       "   in keyword <.INT> at line # 1\n"
       "Error: Bad int value <12AB>\n"
       "   in keyword <.INT> at line # 1\n"
       "Error: Expected <1> arguments\n"
       "   in keyword <.INT> above line # 0\n"
       "Error: Unknown keyword <ABC> at line # 1\n",
       4},
      {"integer list: constant and string", ".int red \"7\" -5\n", ".INT -5 \n",
       "Error: Unexpected constant <RED>\n"
       "   in keyword <.INT> at line # 1\n"
       "Error: Unexpected string <\"7\">\n"
       "   in keyword <.INT> at line # 1\n",
       2},
      {"integer beyond 32 bits is clamped", ".int 99999999999", ".INT 2147483647 \n", "", 0},
      {"double list", ".dbl 0x10 1e3\n", ".DBL 1000 \n",
       "Error: Unexpected int <0X10>\n"
       "   in keyword <.DBL> at line # 1\n",
       1},
      {"double list: no infinity", ".dbl inf\n", ".DBL\n",
       "Error: Expected <1> arguments\n"
       "   in keyword <.DBL> above line # 0\n"
       "Error: Unknown keyword <INF> at line # 1\n",
       2},
      {"double list: trailing characters", ".dbl 1.5x\n", ".DBL\n",
       "Error: Bad double value <1.5X>\n"
       "   in keyword <.DBL> at line # 1\n"
       "Error: Expected <1> arguments\n"
       "   in keyword <.DBL> above line # 1\n",
       2},
      {"string list", ".str 12 1.5 red \"x\\\"y\" .int 3\n", ".STR \"x\"y\" \n.INT 3 \n",
       "Error: Unexpected int <12>\n"
       "   in keyword <.STR> at line # 1\n"
       "Error: Unexpected double <1.5>\n"
       "   in keyword <.STR> at line # 1\n"
       "Error: Unexpected constant <RED>\n"
       "   in keyword <.STR> at line # 1\n",
       3},
      {"string list ends silently at another word", ".str \"a\" word\n", ".STR \"a\" \n",
       "Error: Unknown keyword <WORD> at line # 1\n", 1},
      {"constant list", ".con green blue \"red\" 7 2.5 purple red\n", ".CON GREEN \n",
       "Error: Constant <BLUE> not allowed\n"
       "   in keyword <.CON> at line # 1\n"
       "Error: Unexpected string <\"red\">\n"
       "   in keyword <.CON> at line # 1\n"
       "Error: Unexpected int <7>\n"
       "   in keyword <.CON> at line # 1\n"
       "Error: Unexpected double <2.5>\n"
       "   n keyword <.CON> at line # 1\n"
       "Error: Bad constant value <PURPLE>\n"
       "   in keyword <.CON> at line # 1\n"
       "Error: Too many arguments <2>\n"
       "   in keyword <.CON> above line # 1\n",
       6},
      {"rest of line and unknown type", ".skip any (thing) \"open\n.odd x y\n.int 2\n",
       ".SKIP\n.ODD {UNKNOWN}\n.INT 2 \n", "", 0},
  };
  RunCases(std::begin(cases), std::end(cases));
}

TEST(KeywordReader, ArgumentCounts) {
  const Case cases[] = {
      {"modulo 2 with 4", ".mod 1 2 3 4\n", ".MOD  ( 1 , 2 ) ( 3 , 4 )\n", "", 0},
      {"modulo 2 with 5: cut, reported, not counted", ".mod 1 2 3 4 5\n",
       ".MOD  ( 1 , 2 ) ( 3 , 4 )\n",
       "Error: Arguments <5> must be modulo <2>\n"
       "   in keyword <.MOD> above line # 1\n",
       0},
      {"modulo 5 with 12", ".many 1 2 3 4 5 6 7 8 9 10 11 12\n",
       ".MANY  ( 1 , 2 , 3 , 4 , 5 ) ( 6 , 7 , 8 , 9 , 10 )\n",
       "Error: Arguments <12> must be modulo <5>\n"
       "   in keyword <.MANY> above line # 1\n",
       0},
      {"modulo with none", ".mod\n", ".MOD\n",
       "Error: Expected <2> arguments\n"
       "   in keyword <.MOD> above line # 1\n",
       1},
      {"too many keeps the first", ".int 1 2 3\n", ".INT 1 \n",
       "Error: Too many arguments <3>\n"
       "   in keyword <.INT> above line # 1\n",
       1},
      {"too many strings are freed", ".str \"a\" \"b\" \"c\"\n", ".STR \"a\" \n",
       "Error: Too many arguments <3>\n"
       "   in keyword <.STR> above line # 1\n",
       1},
      {"none given", ".int\n.str \"s\"\n", ".INT\n.STR \"s\" \n",
       "Error: Expected <1> arguments\n"
       "   in keyword <.INT> above line # 1\n",
       1},
  };
  RunCases(std::begin(cases), std::end(cases));
}

TEST(KeywordReader, StructureAndRecovery) {
  const Case cases[] = {
      {"three non-repeatable children: two duplicates",
       ".top\n..int 1\n..int 2\n..int 3\n..item\n..item\n",
       ".TOP\n  ..INT 1 \n  ..ITEM\n  ..ITEM\n",
       "Error: Duplicate keyword <..INT> not allowed\n"
       "   in keyword <.TOP> above line # 7\n"
       "   The following keyword construct skipped due to errors\n"
       "  ..INT 2 \n"
       "\n"
       "Error: Duplicate keyword <..INT> not allowed\n"
       "   in keyword <.TOP> above line # 7\n"
       "   The following keyword construct skipped due to errors\n"
       "  ..INT 3 \n"
       "\n",
       2},
      {"two required keywords missing", ".box\n.int 5\n", ".INT 5 \n",
       "Error: Required keyword <INT> does not exist\n"
       "   in keyword <.BOX> above line # 2\n"
       "Error: Required keyword <STR> does not exist\n"
       "   in keyword <.BOX> above line # 2\n"
       "   The following keyword construct skipped due to errors\n"
       ".BOX\n"
       "\n",
       2},
      {"a keyword not allowed is dropped with the run it starts",
       ".box\n..pair 1 2\n..str \"s\"\n", "",
       "Error: Keyword <..PAIR> not allowed\n"
       "   in keyword <.BOX> at line # 2\n"
       "Error: Required keyword <INT> does not exist\n"
       "   in keyword <.BOX> above line # 4\n"
       "Error: Required keyword <STR> does not exist\n"
       "   in keyword <.BOX> above line # 4\n"
       "   The following keyword construct skipped due to errors\n"
       ".BOX\n"
       "\n",
       3},
      {"required keywords present", ".box\n..str \"s\"\n..int 1\n",
       ".BOX\n  ..STR \"s\" \n  ..INT 1 \n", "", 0},
      {"missing required keyword below the top drops that keyword only",
       ".top\n..box\n...int 1\n..int 2\n",
       ".TOP\n  ..INT 2 \n",
       "Error: Required keyword <STR> does not exist\n"
       "   in keyword <..BOX> above line # 5\n"
       "   The following keyword construct skipped due to errors\n"
       "  ..BOX\n"
       "    ...INT 1 \n"
       "\n",
       1},
      {"bad hierarchy at the top, with a sibling not allowed", "..int 1\n..int 2\n.int 3\n",
       ".INT 3 \n",
       "Error: Keyword <..INT> not allowed\n"
       "   in keyword <..INT> at line # 2\n"
       "Error: Bad keyword hierarchy above line # 3\n"
       "   The following keyword construct was ignored:\n"
       "  ..INT 1 \n"
       "\n",
       2},
      {"unknown keyword inside a construct ends it",
       ".top\n..int 1\n..bogus 7\n..int 2\n.int 3\n", ".TOP\n  ..INT 1 \n.INT 3 \n",
       "Error: Unknown keyword <..BOGUS> at line # 3\n"
       "Error: Bad keyword hierarchy above line # 5\n"
       "   The following keyword construct was ignored:\n"
       "  ..INT 2 \n"
       "\n",
       2},
      {"a level-1 keyword after a level-3 one ends both", ".top\n..item\n...item\n.int 4\n",
       ".TOP\n  ..ITEM\n    ...ITEM\n.INT 4 \n", "", 0},
      {"a child three levels deeper than its parent", ".top\n....int 7\n",
       ".TOP\n      ....INT 7 \n", "", 0},
      {"runs at two depths keep file order", ".top\n...int 1\n..item\n...int 2\n",
       ".TOP\n    ...INT 1 \n  ..ITEM\n    ...INT 2 \n", "", 0},
      {"same-level siblings deeper than the parent",
       ".top\n...item\n...item\n..item\n", ".TOP\n    ...ITEM\n    ...ITEM\n  ..ITEM\n", "",
       0},
      {"a quoted keyword is never a keyword", ".top \"..INT\"\n.int 3\n", ".TOP\n.INT 3 \n",
       "Error: Unknown keyword <..INT> at line # 1\n", 1},
      {"a string at the top level", "\"text\" .int 1", ".INT 1 \n",
       "Error: Unknown keyword <text> at line # 1\n", 1},
      {"names over 31 characters are cut, the keyword still known",
       ".top\n" + std::string(29, '.') + "box\n" + std::string(30, '.') + "int 1\n", ".TOP\n",
       "Error: Required keyword <STR> does not exist\n"
       "   in keyword <" + std::string(29, '.') + "BO> above line # 4\n"
       "   The following keyword construct skipped due to errors\n" +
           std::string(56, ' ') + std::string(29, '.') + "BO\n" + std::string(58, ' ') +
           std::string(30, '.') + "I 1 \n\n",
       1},
  };
  RunCases(std::begin(cases), std::end(cases));
}

TEST(KeywordReader, AliasesAndRewind) {
  ReaderFixture f(
      ".alias \".pn\" \".pair\"\n"
      ".alias \"..int\" \".nothing\"\n"
      ".alias \".int\" \".dbl\"\n"
      ".alias \"one\"\n"
      ".top\n...pn 1 2\n..pair 3 4\n");
  ASSERT_EQ(f.opened(), kKeywordOpenOk);
  CKeywordReader& r = f.reader();
  int results[4];
  for (int& result : results) {
    CKeywordNode* alias = r.ReadConstruct();
    ASSERT_NE(alias, nullptr);
    result = r.RegisterAlias(alias);
    FreeConstruct(alias);
  }
  EXPECT_EQ(results[0], 0);
  EXPECT_EQ(results[1], 1);
  EXPECT_EQ(results[2], 1);
  EXPECT_EQ(results[3], 1);  // one argument: refused without a report
  // The alias counts as the same keyword as its target: the two PAIRs are
  // duplicates, and the node keeps the alias name.
  FILE* out = std::tmpfile();
  CKeywordNode* top = r.ReadConstruct();
  ASSERT_NE(top, nullptr);
  r.WriteConstruct(top, out);
  FreeConstruct(top);
  EXPECT_EQ(keyfile_test::Contents(out), ".TOP\n    ...PN  ( 1 , 2 )\n");
  std::fclose(out);
  EXPECT_EQ(f.Errors(),
            "Error: Attempted alias to non-existent keyword <.NOTHING>\n"
            "   in keyword <.ALIAS> above line # 3\n"
            "   The following keyword construct skipped due to errors\n"
            ".ALIAS  ( \"..INT\" , \".NOTHING\" )\n"
            "\n"
            "Error: Attempted to alias an existing keyword <.INT>\n"
            "   in keyword <.ALIAS> above line # 4\n"
            "   The following keyword construct skipped due to errors\n"
            ".ALIAS  ( \".INT\" , \".DBL\" )\n"
            "\n"
            "Error: Expected <2> arguments\n"
            "   in keyword <.ALIAS> above line # 4\n"
            "Error: Duplicate keyword <..PAIR> not allowed\n"
            "   in keyword <.TOP> above line # 8\n"
            "   The following keyword construct skipped due to errors\n"
            "  ..PAIR  ( 3 , 4 )\n"
            "\n");
  EXPECT_EQ(r.GetErrorCount(), 4);

  // After a rewind the counters start over and the alias is still known.
  r.Rewind();
  EXPECT_EQ(r.GetErrorCount(), 0);
  EXPECT_EQ(r.GetLine(), 1);
  int level = 0;
  const CKeywordDef* entry = r.FindKeyword("...PN", &level);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->id, keyfile_test::kPair);
  EXPECT_EQ(level, 3);
  // Registering the same alias again: its name is a keyword now.
  CKeywordNode* first = r.ReadConstruct();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(r.RegisterAlias(first), 1);
  FreeConstruct(first);
  EXPECT_EQ(r.GetErrorCount(), 1);
}

TEST(KeywordReader, AliasWithoutPeriodsPresentAlready) {
  ReaderFixture f(".alias \"pn\" \".pair\"\n.alias \"PN\" \".int\"\n.pn 1 2\n");
  CKeywordReader& r = f.reader();
  int results[2];
  for (int& result : results) {
    CKeywordNode* alias = r.ReadConstruct();
    ASSERT_NE(alias, nullptr);
    result = r.RegisterAlias(alias);
    FreeConstruct(alias);
  }
  EXPECT_EQ(results[0], 0);
  EXPECT_EQ(results[1], 1);
  EXPECT_EQ(f.ReadAll(), ".PN  ( 1 , 2 )\n");  // still the alias of PAIR
  EXPECT_EQ(f.Errors(), "");
  EXPECT_EQ(r.GetErrorCount(), 0);
}

TEST(KeywordReader, LookupsAndOpen) {
  ReaderFixture f("");
  CKeywordReader& r = f.reader();
  int level = -1;
  EXPECT_EQ(r.FindKeyword("INT", &level), nullptr);  // no period: no keyword
  EXPECT_EQ(r.FindKeyword("", &level), nullptr);
  EXPECT_EQ(r.FindKeyword("...", &level), nullptr);
  EXPECT_EQ(r.FindKeyword(".INTX", &level), nullptr);
  ASSERT_NE(r.FindKeyword("..INT", &level), nullptr);
  EXPECT_EQ(level, 2);
  int value = -1;
  EXPECT_TRUE(r.FindConstant("BLUE", &value));
  EXPECT_EQ(value, 3);
  EXPECT_FALSE(r.FindConstant("PURPLE", &value));
  EXPECT_EQ(value, 0);

  CKeywordReader closed;
  EXPECT_EQ(closed.Open("/nonexistent/dir/file.kw", nullptr, keyfile_test::kSchema,
                        keyfile_test::kConstants),
            kKeywordOpenNoFile);
  EXPECT_EQ(closed.ReadConstruct(), nullptr);
  closed.Close();
  closed.Close();
}

}  // namespace
