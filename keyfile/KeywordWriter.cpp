// KeywordWriter.cpp: keyword trees written back as keyword text.
//
// Each node is written on its own line (or lines, for long argument lists):
// two spaces per level below the first, the name as stored, then its
// arguments in groups. Values of schema rows that take several arguments
// are grouped in brackets, " ( 1 , 2 )", up to four groups on a line for
// counts 2 to 4 and two for larger counts; further lines of arguments begin
// with a tab. The tree is walked with an explicit stack.
#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "CString.h"
#include "KeywordReader.h"

namespace {

void AppendValue(const CKeywordReader& reader, const CKeywordDef* entry, const CKeywordNode* node,
                 int i, std::string& out) {
  CString text;
  switch (node->argType) {
    case eKeywordArgInteger:
      text.Format("%d ", node->args.ints[i]);
      break;
    case eKeywordArgDouble:
      text.Format("%g ", node->args.doubles[i]);
      break;
    case eKeywordArgString:
      out += '"';
      out += node->args.strings[i] != nullptr ? node->args.strings[i] : "";
      out += "\" ";
      return;
    default: {
      const int value = node->args.ints[i];
      if (entry != nullptr && entry->constants != nullptr) {
        for (const char* const* c = entry->constants; *c != nullptr; ++c) {
          int v = 0;
          if (reader.FindConstant(*c, &v) && v == value) {
            out += *c;
            out += ' ';
            return;
          }
        }
      }
      text.Format("{UNKNOWN}(%d) ", value);
      break;
    }
  }
  out.append(text.View());
}

void AppendArguments(const CKeywordReader& reader, const CKeywordDef* entry,
                     const CKeywordNode* node, std::string& out) {
  const int n = node->argCount;
  if (n <= 0 || node->args.ints == nullptr) {
    out += '\n';
    return;
  }
  const int schemaCount = entry != nullptr ? entry->argCount : 0;
  int cap = 8;
  if (node->argType == eKeywordArgString) cap = 2;
  if (node->argType == eKeywordArgConstant) cap = 4;
  const int group = schemaCount > 1 ? schemaCount : std::min(n, cap);
  int groupsPerLine = 1;
  if (node->argType == eKeywordArgInteger || node->argType == eKeywordArgDouble) {
    if (schemaCount >= 2 && schemaCount <= 4) groupsPerLine = 4;
    if (schemaCount >= 5) groupsPerLine = 2;
  }
  int i = 0;
  bool firstLine = true;
  while (i < n) {
    out += firstLine ? " " : "\t";
    firstLine = false;
    for (int g = 0; g < groupsPerLine && i < n; ++g) {
      if (group > 1) {
        out += " ( ";
        for (int v = 0; v < group && i < n; ++v, ++i) {
          if (v > 0) out += ", ";
          AppendValue(reader, entry, node, i, out);
        }
        out += ")";
      } else {
        if (g > 0) out += ", ";
        AppendValue(reader, entry, node, i, out);
        ++i;
      }
    }
    out += '\n';
  }
}

}  // namespace

void CKeywordReader::WriteConstruct(const CKeywordNode* node, FILE* out) const {
  if (node == nullptr || out == nullptr) return;
  try {
    std::vector<const CKeywordNode*> pending;  // siblings still to write, deepest last
    std::string text;
    while (node != nullptr) {
      const CKeywordDef* entry = EntryOf(node);
      text.clear();
      if (node->level > 1) text.append(2 * static_cast<std::size_t>(node->level) - 2, ' ');
      text += node->name;
      switch (node->argType) {
        case eKeywordArgInteger:
        case eKeywordArgDouble:
        case eKeywordArgString:
        case eKeywordArgConstant:
          AppendArguments(*this, entry, node, text);
          break;
        case eKeywordArgNone:
        case eKeywordArgRestOfLine:
          text += '\n';
          break;
        default:
          text += " {UNKNOWN}\n";
          break;
      }
      std::fwrite(text.data(), 1, text.size(), out);
      if (node->child != nullptr) {
        if (node->next != nullptr) pending.push_back(node->next);
        node = node->child;
      } else if (node->next != nullptr) {
        node = node->next;
      } else if (!pending.empty()) {
        node = pending.back();
        pending.pop_back();
      } else {
        node = nullptr;
      }
    }
  } catch (const std::exception&) {
    // Out of memory: the echo stops where it is.
  }
}
