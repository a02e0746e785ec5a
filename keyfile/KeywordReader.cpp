// KeywordReader.cpp: opening and rewinding a keyword file, and reading it
// into trees of keyword nodes with the reports and recovery of each fault.
//
// ReadConstruct keeps its work on an explicit stack of frames, one per
// keyword being read, instead of calling itself: the depth of a file's
// nesting and the number of faults in it cost heap memory, never machine
// stack. A frame that gives up its keyword (unknown token, construct in the
// wrong place, construct missing a required keyword at the top level) starts
// over in place on the next keyword of the file.
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "CRuntime.h"
#include "KeywordReader.h"
#include "KeywordReaderInternal.h"

namespace {

enum Pending : int { kPendingNone, kAppendChild, kDiscardChild, kLinkSibling, kDiscardSibling };

// Room for the first arguments of a list, doubled when full: most lists
// are short, and doubling keeps long ones linear.
constexpr int kFirstArgumentCapacity = 16;
// Frames reserved up front: files nest a few levels deep, deeper ones grow.
constexpr std::size_t kFramesReserved = 16;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The last node of the chain that starts at `node`.
CKeywordNode* LastOf(CKeywordNode* node) {
  while (node->next != nullptr) node = node->next;
  return node;
}

}  // namespace

namespace tarvil::detail {

bool ConvertKeywordInteger(const char* word, int* value, const char** stop) {
  const char* end = word;
  long v = tarvil::platform::StrtolC(word, &end, 0);
  *value = static_cast<int>(v);
  *stop = end;
  return end != word && *end == '\0';
}

bool ConvertKeywordDouble(const char* word, double* value, const char** stop) {
  *value = 0.0;
  const char* p = word;
  if (*p == '+' || *p == '-') ++p;
  int digits = 0;
  while (IsDigit(*p)) ++p, ++digits;
  if (*p == '.') {
    ++p;
    while (IsDigit(*p)) ++p, ++digits;
  }
  if (digits == 0) {
    *stop = word;
    return false;
  }
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    if (*q == '+' || *q == '-') ++q;
    if (IsDigit(*q)) {
      while (IsDigit(*q)) ++q;
      p = q;
    }
  }
  *stop = p;
  if (*p != '\0') return false;
  *value = tarvil::platform::StrtodC(word, nullptr);
  return true;
}

}  // namespace tarvil::detail

struct CKeywordReader::Frame {
  CKeywordNode* parent;       // the keyword the run stands under; null at the top
  CKeywordNode* node;         // the keyword this frame read (owned until returned)
  CKeywordNode* siblingParent;
  CKeywordNode* lastChild;    // last node of node's children
  CKeywordNode* lastSibling;  // last node of node's sibling chain
  int savedLevel;             // the current level when the frame began
  int pending;                // what to do with the result of the frame above
};

CKeywordReader::CKeywordReader()
    : m_pPushback(nullptr),
      m_eLastToken(eKeywordTokenWord),
      m_nLine(1),
      m_nErrors(0),
      m_nCurrentLevel(1),
      m_pFile(nullptr),
      m_pErrors(nullptr),
      m_pKeywordTable(nullptr),
      m_pConstantTable(nullptr),
      m_pInput(nullptr),
      m_nInputPos(0),
      m_nInputLen(0),
      m_nUnread(-1),
      m_pToken(nullptr) {}

CKeywordReader::~CKeywordReader() { Close(); }

int CKeywordReader::Open(const char* path, FILE* errors, const CKeywordDef* keywords,
                         const CKeywordConst* constants) {
  return Open(path != nullptr ? std::fopen(path, "r") : nullptr, errors, keywords, constants);
}

int CKeywordReader::Open(FILE* file, FILE* errors, const CKeywordDef* keywords,
                         const CKeywordConst* constants) {
  Close();
  // The stream is the reader's from here on, whatever the outcome; it
  // becomes the reader's input only once everything else is ready.
  const auto fail = [file](int result) {
    if (file != nullptr) std::fclose(file);
    return result;
  };
  try {
    for (const CKeywordDef* row = keywords; row != nullptr && row->id != 0; ++row) {
      if (row->name == nullptr) continue;
      m_Keywords.emplace(row->name, KeywordEntry{*row, false});
      if (m_Keywords.empty()) return fail(kKeywordOpenEmptyTable);
    }
    for (const CKeywordConst* row = constants; row != nullptr && row->name != nullptr; ++row) {
      m_Constants.emplace(row->name, row->value);
      if (m_Constants.empty()) return fail(kKeywordOpenEmptyTable);
    }
  } catch (const std::bad_alloc&) {
    return fail(kKeywordOpenNoMemory);
  }
  m_pPushback = static_cast<char*>(std::malloc(kKeywordTokenBufferSize));
  m_pToken = static_cast<char*>(std::malloc(kKeywordTokenBufferSize));
  m_pInput = static_cast<unsigned char*>(std::malloc(tarvil::detail::kKeywordInputBufferSize));
  if (m_pPushback == nullptr || m_pToken == nullptr || m_pInput == nullptr) {
    return fail(kKeywordOpenNoMemory);
  }
  m_pPushback[0] = '\0';
  m_eLastToken = eKeywordTokenWord;
  m_nInputPos = m_nInputLen = 0;
  m_nUnread = -1;
  if (file == nullptr) return kKeywordOpenNoFile;
  m_pFile = file;
  m_pErrors = errors != nullptr ? errors : stderr;
  m_nLine = 1;
  m_nErrors = 0;
  m_nCurrentLevel = 1;
  m_pKeywordTable = keywords;
  m_pConstantTable = constants;
  return kKeywordOpenOk;
}

void CKeywordReader::Close() {
  if (m_pFile != nullptr) std::fclose(m_pFile);
  m_pFile = nullptr;
  std::free(m_pPushback);
  std::free(m_pToken);
  std::free(m_pInput);
  m_pPushback = m_pToken = nullptr;
  m_pInput = nullptr;
  m_nInputPos = m_nInputLen = 0;
  m_nUnread = -1;
  m_Keywords.clear();
  m_Constants.clear();
  m_pKeywordTable = nullptr;
  m_pConstantTable = nullptr;
  m_pErrors = nullptr;
  m_eLastToken = eKeywordTokenWord;
  m_nLine = 1;
  m_nErrors = 0;
  m_nCurrentLevel = 1;
}

void CKeywordReader::Rewind() {
  if (m_pFile != nullptr) std::rewind(m_pFile);
  m_nInputPos = m_nInputLen = 0;
  m_nUnread = -1;
  if (m_pPushback != nullptr) m_pPushback[0] = '\0';
  m_eLastToken = eKeywordTokenWord;
  m_nLine = 1;
  m_nErrors = 0;
  m_nCurrentLevel = 1;
}

void CKeywordReader::ReportInKeyword(const CKeywordNode* node, const char* lead) {
  std::fprintf(GetErrorStream(), "   %s keyword <%s> at line # %d\n", lead, node->name, m_nLine);
  ++m_nErrors;
}

bool CKeywordReader::AppendArgument(CKeywordNode* node, int& capacity, const char* text,
                                    int intValue, double doubleValue) {
  if (node->argCount == capacity) {
    const int grown = capacity < kFirstArgumentCapacity ? kFirstArgumentCapacity : capacity * 2;
    std::size_t size = node->argType == eKeywordArgString   ? sizeof(char*)
                       : node->argType == eKeywordArgDouble ? sizeof(double)
                                                            : sizeof(int);
    void* array = std::realloc(node->args.ints, size * static_cast<std::size_t>(grown));
    if (array == nullptr) return false;
    node->args.ints = static_cast<int*>(array);
    capacity = grown;
  }
  switch (node->argType) {
    case eKeywordArgString: {
      char* copy = UnescapeString(text);
      if (copy == nullptr) return false;
      node->args.strings[node->argCount++] = copy;
      break;
    }
    case eKeywordArgDouble:
      node->args.doubles[node->argCount++] = doubleValue;
      break;
    default:
      node->args.ints[node->argCount++] = intValue;
      break;
  }
  return true;
}

void CKeywordReader::ReportArgument(const CKeywordNode* node, const char* format, const char* word,
                                    const char* lead) {
  std::fprintf(GetErrorStream(), format, word);
  ReportInKeyword(node, lead);
}

// Reads the argument list of a node of type 1 to 4, up to the end of the
// file or a token that ends the list (handed back).
void CKeywordReader::ReadArguments(CKeywordNode* node) {
  char* tok = m_pToken;
  int capacity = 0;
  node->argCount = 0;
  node->args.ints = nullptr;
  for (;;) {
    const eKeywordTokens t = GetToken(tok);
    if (t == eKeywordTokenEOF) return;
    if (t == eKeywordTokenOpen || t == eKeywordTokenClose || t == eKeywordTokenComma) continue;
    if (t != eKeywordTokenString) {
      if (!ReadArgumentWord(node, capacity, tok)) return;
    } else if (node->argType == eKeywordArgString) {
      AppendArgument(node, capacity, tok, 0, 0.0);
    } else {
      ReportArgument(node, "Error: Unexpected string <\"%s\">\n", tok);
    }
  }
}

// One word of an argument list: appended when it is an argument of the
// list's type, reported when it is a wrong one. False when it ends the list
// (a keyword, or a word that does not begin like an argument), handed back.
bool CKeywordReader::ReadArgumentWord(CKeywordNode* node, int& capacity, char* tok) {
  const eKeywordArgTypes type = node->argType;
  const bool number = type == eKeywordArgInteger || type == eKeywordArgDouble;
  int intValue = 0;
  double doubleValue = 0.0;
  const char* intStop = tok;
  const char* doubleStop = tok;
  const bool isInt = tarvil::detail::ConvertKeywordInteger(tok, &intValue, &intStop);
  const bool isDouble = tarvil::detail::ConvertKeywordDouble(tok, &doubleValue, &doubleStop);
  if ((type == eKeywordArgInteger && isInt) || (type == eKeywordArgDouble && isDouble)) {
    AppendArgument(node, capacity, tok, intValue, doubleValue);
    return true;
  }
  int constant = 0;
  const bool isConstant = FindConstant(tok, &constant);
  if (type == eKeywordArgConstant && isConstant) {
    if (IsConstantAllowed(node, tok)) {
      AppendArgument(node, capacity, tok, constant, 0.0);
    } else {
      ReportArgument(node, "Error: Constant <%s> not allowed\n", tok);
    }
    return true;
  }
  if (FindKeyword(tok, nullptr) != nullptr) {
    UngetToken(tok);
    return false;
  }
  if (isConstant) {
    ReportArgument(node, "Error: Unexpected constant <%s>\n", tok);
  } else if (isInt) {
    ReportArgument(node, "Error: Unexpected int <%s>\n", tok);
  } else if (isDouble) {
    // The constant list's second line has always read "n keyword".
    ReportArgument(node, "Error: Unexpected double <%s>\n", tok,
                   type == eKeywordArgConstant ? "n" : "in");
  } else if (type == eKeywordArgString ||
             (number && tok[0] == (type == eKeywordArgInteger ? *intStop : *doubleStop))) {
    // A word that does not begin with a number ends a list of numbers; any
    // word that is no keyword ends a list of strings.
    UngetToken(tok);
    return false;
  } else if (number) {
    ReportArgument(node, type == eKeywordArgInteger ? "Error: Bad int value <%s>\n"
                                                    : "Error: Bad double value <%s>\n",
                   tok);
  } else {
    ReportArgument(node, "Error: Bad constant value <%s>\n", tok);
  }
  return true;
}

// Reads the frame's keyword and its arguments. An unknown token is
// reported with everything up to the next keyword, and reading goes on as at
// the top level. False at the end of the file (or when memory runs out).
bool CKeywordReader::BeginFrame(Frame& f) {
  char* tok = m_pToken;
  for (;;) {
    eKeywordTokens t = GetToken(tok);
    if (t == eKeywordTokenEOF) return false;
    int level = 0;
    const CKeywordDef* entry = t == eKeywordTokenWord ? FindKeyword(tok, &level) : nullptr;
    if (entry == nullptr) {
      std::fprintf(GetErrorStream(), "Error: Unknown keyword <%s> at line # %d\n", tok, m_nLine);
      ++m_nErrors;
      do {
        t = GetToken(tok);
      } while (t != eKeywordTokenEOF && FindKeyword(tok, nullptr) == nullptr);
      UngetToken(tok);
      f.parent = nullptr;
      continue;
    }
    CKeywordNode* node = tarvil::detail::AllocateKeywordNode();
    if (node == nullptr) return false;
    std::size_t length = std::strlen(tok);
    if (length > static_cast<std::size_t>(kKeywordNodeNameMax)) length = kKeywordNodeNameMax;
    std::memcpy(node->name, tok, length);
    node->name[length] = '\0';
    node->id = entry->id;
    node->argType = entry->argType;
    node->level = level;
    node->argCount = (entry->flags & kKeywordCountModulo) != 0 ? 0 : entry->argCount;
    f.node = node;
    f.siblingParent = f.parent != nullptr ? f.parent : node;
    f.lastChild = nullptr;
    f.lastSibling = node;
    f.pending = kPendingNone;
    switch (node->argType) {
      case eKeywordArgInteger:
      case eKeywordArgDouble:
      case eKeywordArgString:
      case eKeywordArgConstant:
        ReadArguments(node);
        CheckArguments(node, entry);
        break;
      case eKeywordArgNone:
        break;
      default:
        SkipLine();
        break;
    }
    return true;
  }
}

// Looks at the next token for a child or a sibling of the frame's keyword.
// True when a frame must read it (`*next` is filled and the frame's pending
// action set); false when the frame's keyword is complete. The token stays
// handed back in either case.
int CKeywordReader::ScanFrame(Frame& f) {
  char* tok = m_pToken;
  eKeywordTokens t = GetToken(tok);
  if (t == eKeywordTokenEOF) return 0;
  UngetToken(tok);
  // A quoted string is never a keyword, wherever it stands.
  int level = 0;
  if (t != eKeywordTokenWord || FindKeyword(tok, &level) == nullptr) return 0;
  if (level < 2) return 0;
  CKeywordNode* node = f.node;
  FILE* err = GetErrorStream();
  if (level > node->level) {
    if (IsChildAllowed(node, tok)) {
      f.pending = kAppendChild;
    } else {
      std::fprintf(err, "Error: Keyword <%s> not allowed\n", tok);
      ReportInKeyword(node);
      f.pending = kDiscardChild;
    }
    return 1;
  }
  if (level == node->level && node->level > m_nCurrentLevel) {
    m_nCurrentLevel = node->level;
    if (IsChildAllowed(f.siblingParent, tok)) {
      f.pending = kLinkSibling;
    } else {
      std::fprintf(err, "Error: Keyword <%s> not allowed\n", tok);
      ReportInKeyword(f.siblingParent);
      f.pending = kDiscardSibling;
    }
    return 2;
  }
  return 0;
}

// Ends a frame: a construct in the wrong place at the top level is echoed
// and dropped; the children are checked for repeats and missing keywords.
// True when the frame must start over on the next keyword (its keyword was
// dropped at the top level); otherwise `*result` is what it returns.
bool CKeywordReader::FinishFrame(Frame& f, CKeywordNode** result) {
  CKeywordNode* node = f.node;
  FILE* err = GetErrorStream();
  m_nCurrentLevel = f.savedLevel;
  if (f.parent == nullptr && node->level >= 2) {
    std::fprintf(err, "Error: Bad keyword hierarchy above line # %d\n", m_nLine);
    std::fputs("   The following keyword construct was ignored:\n", err);
    WriteConstruct(node, err);
    std::fputs("\n", err);
    FreeConstruct(node);
    ++m_nErrors;
    f.node = nullptr;
    return true;
  }
  CheckDuplicates(node);
  int missing = CheckRequired(node);
  if (missing > 0) {
    ReportSkipped(node);
    m_nErrors += missing;
    if (node->level > 1) {
      *result = node->next;
      node->next = nullptr;
      FreeConstruct(node);
      f.node = nullptr;
      return false;
    }
    FreeConstruct(node);
    f.node = nullptr;
    return true;
  }
  *result = node;
  f.node = nullptr;
  return false;
}

// Takes what the frame above returned as the frame's pending action says:
// children appended, siblings linked (the level set back), or discarded.
// False when a sibling run came back empty: the frame's keyword is complete
// (its level is set back when the frame ends).
bool CKeywordReader::AdoptReturned(Frame& f, CKeywordNode* returned) {
  const int pending = f.pending;
  f.pending = kPendingNone;
  switch (pending) {
    case kAppendChild:
      if (returned == nullptr) break;
      if (f.lastChild == nullptr) {
        f.node->child = returned;
      } else {
        f.lastChild->next = returned;
      }
      f.lastChild = LastOf(returned);
      break;
    case kDiscardChild:
      FreeConstruct(returned);
      break;
    case kLinkSibling:
      if (returned == nullptr) return false;
      f.lastSibling->next = returned;
      f.lastSibling = LastOf(returned);
      m_nCurrentLevel = f.savedLevel;
      break;
    case kDiscardSibling:
      FreeConstruct(returned);
      m_nCurrentLevel = f.savedLevel;
      break;
    default:
      break;
  }
  return true;
}

CKeywordNode* CKeywordReader::ReadConstruct(CKeywordNode* parent) {
  if (m_pFile == nullptr || m_pToken == nullptr || m_pPushback == nullptr) return nullptr;
  enum Step { kBegin, kScan, kResume, kFinish };
  std::vector<Frame> frames;
  try {
    frames.reserve(kFramesReserved);
    frames.push_back(Frame{parent, nullptr, nullptr, nullptr, nullptr, m_nCurrentLevel,
                           kPendingNone});
    Step step = kBegin;
    CKeywordNode* returned = nullptr;  // what the frame just ended returned
    for (;;) {
      Frame& f = frames.back();
      CKeywordNode* out = nullptr;
      bool ended = false;
      if (step == kBegin) {
        if (BeginFrame(f)) {
          step = kScan;
        } else {
          ended = true;
        }
      } else if (step == kResume) {
        step = AdoptReturned(f, returned) ? kScan : kFinish;
        returned = nullptr;
      }
      if (!ended && step == kScan) {
        int scan = ScanFrame(f);
        if (scan != 0) {
          CKeywordNode* under = scan == 1 ? f.node : f.siblingParent;
          Frame next{under, nullptr, nullptr, nullptr, nullptr, m_nCurrentLevel, kPendingNone};
          frames.push_back(next);  // may move the frames; `f` is not used after this
          step = kBegin;
          continue;
        }
        step = kFinish;
      }
      if (!ended && step == kFinish) {
        if (FinishFrame(f, &out)) {
          f.parent = nullptr;
          step = kBegin;
          continue;
        }
      }
      frames.pop_back();
      if (frames.empty()) return out;
      returned = out;
      step = kResume;
    }
  } catch (const std::bad_alloc&) {
    for (Frame& f : frames) FreeConstruct(f.node);
    return nullptr;
  }
}
