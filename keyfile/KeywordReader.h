// KeywordReader.h: the reader of hierarchical keyword files.
//
// A keyword file is a text of keywords, each written as one or more periods
// (its level) and a name from the schema, followed by its arguments and then
// by the keywords of deeper level that stand under it:
//
//   ! units for this site
//   .RESISTANCE_MEASURE
//   ..EUROPEAN
//   ...UNIT "kilo"
//   ....DISPLAY "k"
//
// "!" starts a comment to the end of the line; "(", ")" and "," only help the
// eye in argument lists; words are upper-cased as read, quoted strings keep
// their case. The reader turns the file into trees of CKeywordNode
// (KeywordSchema.h), one top-level construct at a time. Every fault is
// written at once to the error stream as a two-line report and counted; the
// reader recovers and goes on, so one pass reports every fault of a file.
//
// Reading never recurses: a file of any length or nesting depth is read with
// a constant amount of machine stack.
#ifndef TARVIL_KEYWORDREADER_H
#define TARVIL_KEYWORDREADER_H

#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "KeywordSchema.h"
#include "TarvilExport.h"

// What the lexer returns.
enum eKeywordTokens : int {
  eKeywordTokenWord = 0,    // keyword, number or constant name, upper-cased
  eKeywordTokenEOF = 1,     // end of file; the text is empty
  eKeywordTokenString = 2,  // quoted string: the text without its quotes, escapes kept
  eKeywordTokenOpen = 3,    // "("
  eKeywordTokenClose = 4,   // ")"
  eKeywordTokenComma = 5    // ","
};

// Longest token text kept; a longer word or string is read whole and cut.
inline constexpr int kKeywordTokenMax = 4095;
// Size of a buffer that holds any token text with its terminator.
inline constexpr int kKeywordTokenBufferSize = kKeywordTokenMax + 1;
// Longest alias name kept (periods excluded).
inline constexpr int kKeywordAliasNameMax = 63;

// Results of CKeywordReader::Open.
inline constexpr int kKeywordOpenOk = 0;
inline constexpr int kKeywordOpenNoFile = 3;      // the file cannot be opened for reading
inline constexpr int kKeywordOpenNoMemory = 5;    // out of memory
inline constexpr int kKeywordOpenEmptyTable = 7;  // a dictionary is empty after an insertion

// UnescapeString: a new copy of a string token's text with its escapes
// processed: \" \' \\ give the character; \b \f \n \r \t \v the control
// byte; a backslash and octal digits one byte (the low 8 bits of the
// number); a backslash and a newline with the blanks after it nothing; a
// backslash and any other character nothing. Null gives an empty copy.
// The result is allocated with malloc (free it with std::free); null only
// when memory runs out.
TARVIL_API char* UnescapeString(const char* text);

class TARVIL_API CKeywordReader {
 public:
  // One dictionary entry: a copy of a schema row and whether the dictionary
  // owns the name (aliases do).
  struct KeywordEntry {
    CKeywordDef def;
    bool ownsName;
  };
  // Orders names byte-wise on at most their first 32 bytes.
  struct NameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  using KeywordDictionary = std::map<std::string, KeywordEntry, NameLess>;
  using ConstantDictionary = std::map<std::string, int, NameLess>;

  CKeywordReader();
  ~CKeywordReader();  // closes the reader
  CKeywordReader(const CKeywordReader&) = delete;
  CKeywordReader& operator=(const CKeywordReader&) = delete;

  // Open: builds the dictionaries from `keywords` (up to the row of id 0)
  // and `constants` (up to the row with a null name) and opens `path` for
  // reading. Reports go to `errors`, or to standard error when null. The
  // tables must outlive the reader. Returns kKeywordOpenOk, or
  // kKeywordOpenNoFile, kKeywordOpenNoMemory, kKeywordOpenEmptyTable; after
  // a failure Close still may (and should) be called.
  int Open(const char* path, FILE* errors, const CKeywordDef* keywords,
           const CKeywordConst* constants);
  // Open: the same for a stream the caller opened (a file, or text in
  // memory through fmemopen), which must allow rewinding. The reader takes
  // the stream over: Close closes it, also after a failed Open. A null
  // stream gives kKeywordOpenNoFile.
  int Open(FILE* file, FILE* errors, const CKeywordDef* keywords, const CKeywordConst* constants);
  // Close: closes the file and frees the buffers and both dictionaries
  // (aliases included). Safe on a reader that is closed or partly opened.
  void Close();
  // Rewind: back to the start of the file with line 1, no error counted and
  // no token held; the aliases registered so far are kept.
  void Rewind();

  // GetToken: the next token into `buffer` (at least kKeywordTokenBufferSize
  // bytes), a token handed back first. Returns its eKeywordTokens value.
  eKeywordTokens GetToken(char* buffer);
  // UngetToken: hands `text` back so that the next GetToken delivers it
  // again with the type of the last token read. Only the token just read may
  // be handed back; an empty text hands back nothing.
  void UngetToken(const char* text);
  // SkipLine: reads up to and including the next newline (or to the end of
  // the file) and counts one line.
  void SkipLine();

  // ReadConstruct: reads the next keyword with its arguments and the
  // keywords under it. With no parent the result is the next top-level
  // construct (a level-1 node without siblings), or null at the end of the
  // file; with a parent it is the first node of a run of children (with
  // its following siblings). Faults are reported and counted, and the
  // construct they spoil is dropped. Free the result with FreeConstruct.
  CKeywordNode* ReadConstruct(CKeywordNode* parent = nullptr);

  // WriteConstruct: writes `node`, everything under it and its following
  // siblings to `out` as keyword text, two spaces of indentation per level
  // below the first, arguments laid out by their type. Null does nothing.
  void WriteConstruct(const CKeywordNode* node, FILE* out) const;

  // FindKeyword: the entry of a keyword token (periods, then a schema or
  // alias name) with its level (the number of periods) in `*level` (may be
  // null); null for a token without periods or with an unknown name.
  const CKeywordDef* FindKeyword(const char* token, int* level) const;
  // FindConstant: whether `word` names a constant; its value (0 when not)
  // in `*value` (may be null).
  bool FindConstant(const char* word, int* value) const;
  // IsChildAllowed: whether the keyword `token` may stand under `parent`
  // (it is in the parent's required or optional list).
  bool IsChildAllowed(const CKeywordNode* parent, const char* token) const;
  // IsConstantAllowed: whether `word` is one of the node keyword's allowed
  // constants.
  bool IsConstantAllowed(const CKeywordNode* node, const char* word) const;
  // CheckArguments: compares the node's argument count with the schema's;
  // too few or too many are reported and counted (too many are cut off); a
  // count that is not a multiple of a modulo row is cut down and reported
  // without being counted.
  void CheckArguments(CKeywordNode* node, const CKeywordDef* entry);
  // CheckDuplicates: reports, counts, echoes and removes every child of the
  // node that repeats an earlier child's keyword that may not repeat.
  void CheckDuplicates(CKeywordNode* node);
  // CheckRequired: reports each keyword of the node's required list that is
  // missing among its children; returns how many are missing (the caller
  // counts them).
  int CheckRequired(CKeywordNode* node);
  // ReportSkipped: echoes the node and its children (not its siblings) as
  // a construct skipped due to errors.
  void ReportSkipped(CKeywordNode* node);
  // RegisterAlias: on an ALIAS node holding two strings (new name, target
  // keyword), makes the new name stand for the target for the rest of the
  // reader's life. 0 when added; 1 otherwise (a wrong argument count, a
  // target that is no keyword or a new name that is one, both reported and
  // counted, or a name already present).
  int RegisterAlias(CKeywordNode* node);

  // The number of faults counted since Open or Rewind.
  int GetErrorCount() const { return m_nErrors; }
  // The current line of the input, from 1.
  int GetLine() const { return m_nLine; }
  // The stream that receives the reports (standard error when none given).
  FILE* GetErrorStream() const { return m_pErrors ? m_pErrors : stderr; }
  bool IsOpen() const { return m_pFile != nullptr; }

 private:
  struct Frame;
  int ReadByte();
  int PeekRawByte();
  void UnreadByte(int c);
  eKeywordTokens LexString(char* buffer);
  eKeywordTokens LexWord(int first, char* buffer);
  bool BeginFrame(Frame& frame);
  int ScanFrame(Frame& frame);
  bool FinishFrame(Frame& frame, CKeywordNode** result);
  bool AdoptReturned(Frame& frame, CKeywordNode* returned);
  void ReadArguments(CKeywordNode* node);
  bool ReadArgumentWord(CKeywordNode* node, int& capacity, char* word);
  bool AppendArgument(CKeywordNode* node, int& capacity, const char* text, int intValue,
                      double doubleValue);
  void ReportInKeyword(const CKeywordNode* node, const char* lead = "in");
  void ReportArgument(const CKeywordNode* node, const char* format, const char* word,
                      const char* lead = "in");
  const CKeywordDef* EntryOf(const CKeywordNode* node) const;
  const CKeywordDef* EntryById(int id) const;
  const char* TableNameOf(int id) const;

  // Token handed back (empty: none), and the type of the last token read.
  char* m_pPushback;
  eKeywordTokens m_eLastToken;
  int m_nLine;
  int m_nErrors;
  int m_nCurrentLevel;
  FILE* m_pFile;
  FILE* m_pErrors;
  KeywordDictionary m_Keywords;
  ConstantDictionary m_Constants;
  const CKeywordDef* m_pKeywordTable;
  const CKeywordConst* m_pConstantTable;

  // Input buffering, with one byte that can be read again.
  unsigned char* m_pInput;
  std::size_t m_nInputPos;
  std::size_t m_nInputLen;
  int m_nUnread;
  // Token text shared by the reading steps.
  char* m_pToken;
};

#endif
