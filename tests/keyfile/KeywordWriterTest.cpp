// Keyword trees written back as text: indentation, groups of arguments per
// line, strings, constants, and types without arguments.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "KeyfileTestSupport.h"
#include "KeywordReader.h"

namespace {

using keyfile_test::ReaderFixture;

CKeywordNode* Node(const char* name, int id, eKeywordArgTypes type, int level) {
  auto* node = static_cast<CKeywordNode*>(std::calloc(1, sizeof(CKeywordNode)));
  std::strncpy(node->name, name, kKeywordNodeNameMax);
  node->id = id;
  node->argType = type;
  node->level = level;
  return node;
}

CKeywordNode* Ints(CKeywordNode* node, const std::vector<int>& values) {
  node->args.ints = static_cast<int*>(std::malloc(sizeof(int) * (values.size() + 1)));
  for (std::size_t i = 0; i < values.size(); ++i) node->args.ints[i] = values[i];
  node->argCount = static_cast<int>(values.size());
  return node;
}

CKeywordNode* Doubles(CKeywordNode* node, const std::vector<double>& values) {
  node->args.doubles = static_cast<double*>(std::malloc(sizeof(double) * (values.size() + 1)));
  for (std::size_t i = 0; i < values.size(); ++i) node->args.doubles[i] = values[i];
  node->argCount = static_cast<int>(values.size());
  return node;
}

CKeywordNode* Strings(CKeywordNode* node, const std::vector<const char*>& values) {
  node->args.strings = static_cast<char**>(std::malloc(sizeof(char*) * (values.size() + 1)));
  for (std::size_t i = 0; i < values.size(); ++i) node->args.strings[i] = strdup(values[i]);
  node->argCount = static_cast<int>(values.size());
  return node;
}

std::string Written(CKeywordReader& reader, CKeywordNode* node) {
  FILE* out = std::tmpfile();
  reader.WriteConstruct(node, out);
  std::string text = keyfile_test::Contents(out);
  std::fclose(out);
  FreeConstruct(node);
  return text;
}

TEST(KeywordWriter, Layouts) {
  using namespace keyfile_test;
  ReaderFixture f("");
  CKeywordReader& r = f.reader();
  struct Row {
    const char* name;
    CKeywordNode* node;
    std::string text;
  } rows[] = {
      {"no arguments, no children", Node(".TOP", kTop, eKeywordArgNone, 1), ".TOP\n"},
      {"integer list of schema count 1 holding 10 values",
       Ints(Node(".INT", kInt, eKeywordArgInteger, 1), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}),
       ".INT  ( 1 , 2 , 3 , 4 , 5 , 6 , 7 , 8 )\n\t ( 9 , 10 )\n"},
      {"schema count 2: four groups on a line",
       Ints(Node("..PAIR", kPair, eKeywordArgInteger, 2), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}),
       "  ..PAIR  ( 1 , 2 ) ( 3 , 4 ) ( 5 , 6 ) ( 7 , 8 )\n\t ( 9 , 10 ) ( 11 )\n"},
      {"one value", Ints(Node("....INT", kInt, eKeywordArgInteger, 4), {-3}),
       "      ....INT -3 \n"},
      {"no values", Ints(Node(".INT", kInt, eKeywordArgInteger, 1), {}), ".INT\n"},
      {"doubles", Doubles(Node(".DBL", kDbl, eKeywordArgDouble, 1), {2.5, 1e-7, 1e300}),
       ".DBL  ( 2.5 , 1e-07 , 1e+300 )\n"},
      {"strings, quote kept bare",
       Strings(Node(".STR", kStr, eKeywordArgString, 1), {"a\"b", "", "c"}),
       ".STR  ( \"a\"b\" , \"\" )\n\t ( \"c\" )\n"},
      {"constants, known and unknown",
       Ints(Node(".CON", kCon, eKeywordArgConstant, 1), {2, 3, 1, 7, 1}),
       ".CON  ( GREEN , {UNKNOWN}(3) , RED , {UNKNOWN}(7) )\n\t ( RED )\n"},
      {"rest-of-line type", Node(".SKIP", kSkip, eKeywordArgRestOfLine, 1), ".SKIP\n"},
      {"type outside 1 to 6", Node(".ODD", kOdd, static_cast<eKeywordArgTypes>(9), 1),
       ".ODD {UNKNOWN}\n"},
      {"name not in the schema",
       Ints(Node(".ZZZ", 999, eKeywordArgConstant, 1), {1}), ".ZZZ {UNKNOWN}(1) \n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Written(r, row.node), row.text);
  }
}

TEST(KeywordWriter, ChildrenThenSiblings) {
  using namespace keyfile_test;
  ReaderFixture f("");
  CKeywordReader& r = f.reader();
  CKeywordNode* top = Node(".TOP", kTop, eKeywordArgNone, 1);
  CKeywordNode* item = Node("..ITEM", kItem, eKeywordArgNone, 2);
  CKeywordNode* deep = Ints(Node("...INT", kInt, eKeywordArgInteger, 3), {1});
  CKeywordNode* after = Ints(Node("..INT", kInt, eKeywordArgInteger, 2), {2});
  CKeywordNode* next = Node(".TOP", kTop, eKeywordArgNone, 1);
  top->child = item;
  item->child = deep;
  item->next = after;
  top->next = next;
  EXPECT_EQ(Written(r, top), ".TOP\n  ..ITEM\n    ...INT 1 \n  ..INT 2 \n.TOP\n");
  r.WriteConstruct(nullptr, stdout);  // nothing
}

}  // namespace
