// KeywordSchema.cpp: the dictionaries of a keyword reader and the checks it
// runs on every construct (argument counts, repeated and missing keywords,
// aliases), with their reports; freeing of keyword trees.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "KeywordReader.h"
#include "KeywordReaderInternal.h"

namespace {

// Names compare on at most this many bytes.
constexpr std::size_t kCompared = 32;

bool InList(const int* ids, int id) {
  if (ids == nullptr) return false;
  for (; *ids != 0; ++ids) {
    if (*ids == id) return true;
  }
  return false;
}

void FreeArguments(CKeywordNode* node) {
  switch (node->argType) {
    case eKeywordArgString:
      if (node->args.strings != nullptr) {
        for (int i = 0; i < node->argCount; ++i) std::free(node->args.strings[i]);
        std::free(static_cast<void*>(node->args.strings));
      }
      break;
    case eKeywordArgDouble:
      std::free(node->args.doubles);
      break;
    case eKeywordArgInteger:
    case eKeywordArgConstant:
      std::free(node->args.ints);
      break;
    default:
      break;
  }
  node->args.ints = nullptr;
}

// Cuts the node's arguments down to `count`, freeing the strings dropped.
void CutArguments(CKeywordNode* node, int count) {
  if (count < 0) count = 0;
  if (count >= node->argCount) return;
  if (node->argType == eKeywordArgString && node->args.strings != nullptr) {
    for (int i = count; i < node->argCount; ++i) {
      std::free(node->args.strings[i]);
      node->args.strings[i] = nullptr;
    }
  }
  node->argCount = count;
}

}  // namespace

namespace tarvil::detail {

CKeywordNode* AllocateKeywordNode() {
  return static_cast<CKeywordNode*>(std::calloc(1, sizeof(CKeywordNode)));
}

}  // namespace tarvil::detail

void FreeConstruct(CKeywordNode* node) {
  // The tree is a binary tree (child, next); rotating each child up into the
  // sibling chain frees it in one pass without a stack.
  while (node != nullptr) {
    if (node->child != nullptr) {
      CKeywordNode* child = node->child;
      node->child = child->next;
      child->next = node;
      node = child;
    } else {
      CKeywordNode* next = node->next;
      FreeArguments(node);
      std::free(node);
      node = next;
    }
  }
}

bool CKeywordReader::NameLess::operator()(std::string_view a, std::string_view b) const {
  const std::size_t la = a.size() < kCompared ? a.size() : kCompared;
  const std::size_t lb = b.size() < kCompared ? b.size() : kCompared;
  const int c = std::memcmp(a.data(), b.data(), la < lb ? la : lb);
  return c < 0 || (c == 0 && la < lb);
}

const CKeywordDef* CKeywordReader::FindKeyword(const char* token, int* level) const {
  if (token == nullptr || token[0] == '\0') return nullptr;
  std::size_t periods = 0;
  while (token[periods] == '.') ++periods;
  if (periods == 0) return nullptr;
  auto it = m_Keywords.find(std::string_view(token + periods));
  if (it == m_Keywords.end()) return nullptr;
  if (level != nullptr) *level = static_cast<int>(std::min<std::size_t>(periods, 0x7FFFFFFF));
  return &it->second.def;
}

bool CKeywordReader::FindConstant(const char* word, int* value) const {
  if (value != nullptr) *value = 0;
  if (word == nullptr) return false;
  auto it = m_Constants.find(std::string_view(word));
  if (it == m_Constants.end()) return false;
  if (value != nullptr) *value = it->second;
  return true;
}

const CKeywordDef* CKeywordReader::EntryById(int id) const {
  if (m_pKeywordTable == nullptr) return nullptr;
  for (const CKeywordDef* row = m_pKeywordTable; row->id != 0; ++row) {
    if (row->id == id && row->name != nullptr) return row;
  }
  return nullptr;
}

// The schema entry of a node: by its name, or, when the name was cut too
// short to find it (or to tell it from another keyword), by its id (an
// alias has the fields of its target).
const CKeywordDef* CKeywordReader::EntryOf(const CKeywordNode* node) const {
  if (node == nullptr) return nullptr;
  const CKeywordDef* entry = FindKeyword(node->name, nullptr);
  if (entry != nullptr && entry->id == node->id) return entry;
  const CKeywordDef* byId = EntryById(node->id);
  return byId != nullptr ? byId : entry;
}

const char* CKeywordReader::TableNameOf(int id) const {
  const CKeywordDef* row = EntryById(id);
  return row != nullptr ? row->name : "";
}

bool CKeywordReader::IsChildAllowed(const CKeywordNode* parent, const char* token) const {
  const CKeywordDef* parentEntry = EntryOf(parent);
  const CKeywordDef* entry = FindKeyword(token, nullptr);
  if (parentEntry == nullptr || entry == nullptr) return false;
  return InList(parentEntry->required, entry->id) || InList(parentEntry->optional, entry->id);
}

bool CKeywordReader::IsConstantAllowed(const CKeywordNode* node, const char* word) const {
  const CKeywordDef* entry = EntryOf(node);
  if (entry == nullptr || entry->constants == nullptr || word == nullptr) return false;
  for (const char* const* c = entry->constants; *c != nullptr; ++c) {
    if (std::strncmp(word, *c, kCompared) == 0) return true;
  }
  return false;
}

void CKeywordReader::CheckArguments(CKeywordNode* node, const CKeywordDef* entry) {
  if (node == nullptr || entry == nullptr) return;
  FILE* err = GetErrorStream();
  const int n = node->argCount;
  const int m = entry->argCount;
  if (n == m) return;
  if (n < m) {
    std::fprintf(err, "Error: Expected <%d> arguments\n", m);
  } else if ((entry->flags & kKeywordCountModulo) == 0) {
    std::fprintf(err, "Error: Too many arguments <%d>\n", n);
    CutArguments(node, m);
  } else if (m != 0 && n % m != 0) {
    std::fprintf(err, "Error: Arguments <%d> must be modulo <%d>\n", n, m);
    std::fprintf(err, "   in keyword <%s> above line # %d\n", node->name, m_nLine - 1);
    CutArguments(node, n - n % m);
    return;  // reported, not counted
  } else {
    return;
  }
  std::fprintf(err, "   in keyword <%s> above line # %d\n", node->name, m_nLine - 1);
  ++m_nErrors;
}

void CKeywordReader::CheckDuplicates(CKeywordNode* node) {
  if (node == nullptr) return;
  FILE* err = GetErrorStream();
  for (CKeywordNode* anchor = node->child; anchor != nullptr && anchor->next != nullptr;
       anchor = anchor->next) {
    const CKeywordDef* entry = EntryOf(anchor);
    if (entry != nullptr && (entry->flags & kKeywordMayRepeat) != 0) continue;
    CKeywordNode* previous = anchor;
    CKeywordNode* current = anchor->next;
    while (current != nullptr) {
      if (current->id != anchor->id) {
        previous = current;
        current = current->next;
        continue;
      }
      std::fprintf(err, "Error: Duplicate keyword <%s> not allowed\n", current->name);
      std::fprintf(err, "   in keyword <%s> above line # %d\n", node->name, m_nLine);
      ReportSkipped(current);
      ++m_nErrors;
      previous->next = current->next;
      current->next = nullptr;
      FreeConstruct(current);
      current = previous->next;
    }
  }
}

int CKeywordReader::CheckRequired(CKeywordNode* node) {
  const CKeywordDef* entry = EntryOf(node);
  if (entry == nullptr || entry->required == nullptr) return 0;
  FILE* err = GetErrorStream();
  int missing = 0;
  for (const int* id = entry->required; *id != 0; ++id) {
    const CKeywordNode* child = node->child;
    while (child != nullptr && child->id != *id) child = child->next;
    if (child != nullptr) continue;
    std::fprintf(err, "Error: Required keyword <%s> does not exist\n", TableNameOf(*id));
    std::fprintf(err, "   in keyword <%s> above line # %d\n", node->name, m_nLine);
    ++missing;
  }
  return missing;
}

void CKeywordReader::ReportSkipped(CKeywordNode* node) {
  if (node == nullptr) return;
  FILE* err = GetErrorStream();
  std::fputs("   The following keyword construct skipped due to errors\n", err);
  CKeywordNode* next = node->next;
  node->next = nullptr;
  WriteConstruct(node, err);
  node->next = next;
  std::fputs("\n", err);
}

int CKeywordReader::RegisterAlias(CKeywordNode* node) {
  if (node == nullptr || node->argType != eKeywordArgString || node->argCount != 2 ||
      node->args.strings == nullptr || node->args.strings[0] == nullptr ||
      node->args.strings[1] == nullptr) {
    return 1;
  }
  char* alias = node->args.strings[0];
  char* target = node->args.strings[1];
  for (char* s : {alias, target}) {
    for (; *s != '\0'; ++s) {
      if (*s >= 'a' && *s <= 'z') *s = static_cast<char>(*s - 'a' + 'A');
    }
  }
  FILE* err = GetErrorStream();
  const CKeywordDef* targetEntry = FindKeyword(target, nullptr);
  if (targetEntry == nullptr) {
    ++m_nErrors;
    std::fprintf(err, "Error: Attempted alias to non-existent keyword <%s>\n", target);
    std::fprintf(err, "   in keyword <%s> above line # %d\n", node->name, m_nLine);
    ReportSkipped(node);
    return 1;
  }
  if (FindKeyword(alias, nullptr) != nullptr) {
    ++m_nErrors;
    std::fprintf(err, "Error: Attempted to alias an existing keyword <%s>\n", alias);
    std::fprintf(err, "   in keyword <%s> above line # %d\n", node->name, m_nLine);
    ReportSkipped(node);
    return 1;
  }
  const char* name = alias;
  while (*name == '.') ++name;
  std::string key(name, std::min<std::size_t>(std::strlen(name), kKeywordAliasNameMax));
  try {
    auto [it, added] = m_Keywords.emplace(std::move(key), KeywordEntry{*targetEntry, true});
    if (!added) return 1;
    it->second.def.name = it->first.c_str();
  } catch (const std::bad_alloc&) {
    return 1;
  }
  return 0;
}
