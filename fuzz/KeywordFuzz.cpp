// KeywordFuzz.cpp: the keyword reader under the ELECTRICAL_UNITS schema on
// arbitrary file bytes: the lexer alone, then two passes of constructs (the
// loader's way: aliases registered in the first), each construct written
// back as keyword text.
//
// Input: the file's bytes. The lexer returns known token types, texts within
// their limit, and reaches the end of the file in at most one token per
// byte. Every construct is a well-formed tree: top-level nodes of level 1
// without siblings; children deeper than their parent; names terminated
// within their field; argument counts and arrays that agree with the type;
// ids of the schema. Error counts never go down within a pass and start
// again at 0 after Rewind.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "KeywordReader.h"
#include "UnitsDefinitionsInternal.h"

using namespace tarvil::fuzz;
using tarvil::detail::kUnitsAlias;
using tarvil::detail::kUnitsConstantTable;
using tarvil::detail::kUnitsKeywordTable;

namespace {

std::string g_file;
FILE* g_sink = nullptr;  // reports and written constructs

void CheckTree(const CKeywordNode* top) {
  // Depth-first over the tree without recursion: (node, parent level).
  std::vector<std::pair<const CKeywordNode*, int>> pending{{top, 0}};
  std::size_t nodes = 0;
  while (!pending.empty()) {
    const auto [node, parentLevel] = pending.back();
    pending.pop_back();
    for (const CKeywordNode* n = node; n != nullptr; n = n->next) {
      FUZZ_CHECK(++nodes < 10000000, "a construct without end (a cycle?)");
      FUZZ_CHECK(std::memchr(n->name, '\0', sizeof n->name) != nullptr, "node name unterminated");
      FUZZ_CHECK(n->level >= 1 && n->level > parentLevel,
                 "node " + Printable(n->name) + " of level " + std::to_string(n->level) +
                     " under level " + std::to_string(parentLevel));
      FUZZ_CHECK(n->name[0] == '.', "node name without its periods: " + Printable(n->name));
      FUZZ_CHECK(n->id >= 1 && n->id <= 20, "node id " + std::to_string(n->id));
      FUZZ_CHECK(n->argCount >= 0, "negative argument count");
      const bool hasArray = n->argType >= eKeywordArgInteger && n->argType <= eKeywordArgConstant;
      FUZZ_CHECK(hasArray || n->argCount == 0,
                 "arguments on a node of type " + std::to_string(n->argType));
      if (n->argCount > 0) FUZZ_CHECK(n->args.ints != nullptr, "arguments counted but missing");
      if (n->argType == eKeywordArgString) {
        for (int i = 0; i < n->argCount; ++i)
          FUZZ_CHECK(n->args.strings[i] != nullptr, "a null string argument");
      }
      if (n->child != nullptr) pending.emplace_back(n->child, n->level);
    }
  }
}

// Reads every construct of one pass; returns how many there were.
int ReadPass(CKeywordReader& reader, bool registerAliases) {
  int constructs = 0;
  int errors = reader.GetErrorCount();
  while (CKeywordNode* node = reader.ReadConstruct(nullptr)) {
    ++constructs;
    FUZZ_CHECK(node->level == 1 && node->next == nullptr,
               "a top-level construct of level " + std::to_string(node->level) +
                   (node->next ? " with siblings" : ""));
    CheckTree(node);
    if (registerAliases && node->id == kUnitsAlias) reader.RegisterAlias(node);
    reader.WriteConstruct(node, g_sink);
    FreeConstruct(node);
    FUZZ_CHECK(reader.GetErrorCount() >= errors, "the error count went down");
    errors = reader.GetErrorCount();
  }
  return constructs;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  QuietEnvironment();
  g_file = PrivateDir() + "/input.hkp";
  g_sink = std::fopen("/dev/null", "w");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!WriteFile(g_file, std::string_view(reinterpret_cast<const char*>(data), size))) return 0;

  // The lexer alone.
  {
    CKeywordReader reader;
    FUZZ_CHECK(reader.Open(g_file.c_str(), g_sink, kUnitsKeywordTable, kUnitsConstantTable) ==
                   kKeywordOpenOk,
               "cannot open the input file");
    std::vector<char> buffer(kKeywordTokenBufferSize + 64, '\x5A');
    std::size_t tokens = 0;
    for (;;) {
      const eKeywordTokens t = reader.GetToken(buffer.data());
      FUZZ_CHECK(t >= eKeywordTokenWord && t <= eKeywordTokenComma,
                 "token type " + std::to_string(static_cast<int>(t)));
      FUZZ_CHECK(std::memchr(buffer.data(), '\0', kKeywordTokenBufferSize) != nullptr,
                 "token text longer than its buffer");
      for (std::size_t i = kKeywordTokenBufferSize; i < buffer.size(); ++i)
        FUZZ_CHECK(buffer[i] == '\x5A', "token written past its buffer");
      if (t == eKeywordTokenEOF) {
        FUZZ_CHECK(buffer[0] == '\0', "end-of-file token with a text");
        break;
      }
      FUZZ_CHECK(++tokens <= size, "more tokens than bytes");
    }
    FUZZ_CHECK(reader.GetLine() >= 1, "line number below 1");
    reader.Close();
  }

  // Two passes of constructs, as the loader reads a file.
  CKeywordReader reader;
  if (reader.Open(g_file.c_str(), g_sink, kUnitsKeywordTable, kUnitsConstantTable) !=
      kKeywordOpenOk)
    return 0;
  ReadPass(reader, true);
  reader.Rewind();
  FUZZ_CHECK(reader.GetErrorCount() == 0 && reader.GetLine() == 1, "Rewind kept the old state");
  ReadPass(reader, false);
  reader.Close();
  return 0;
}
