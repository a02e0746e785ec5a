// RegistryFileInternal.h: the hive file of the registry stand-in as a
// document: parsing the registry editor's export format, looking keys and
// values up, editing, and writing it back. Not installed.
//
// Editing keeps every line it does not change byte for byte (comments,
// spacing, line ends, keys of other hives, values of other types), so that
// rewriting a file never loses what a user or another program wrote.
#ifndef TARVIL_REGISTRYFILEINTERNAL_H
#define TARVIL_REGISTRYFILEINTERNAL_H

#include <cstddef>
#include <string>
#include <vector>

#include "WinTypes.h"

namespace tarvil::platform::registry {

enum class Hive { kUser, kMachine, kOther };

// A value as stored: REG_SZ data is the text without its terminator,
// REG_DWORD data its four bytes (little-endian), other types raw bytes.
struct Value {
  std::string name;  // "" is the key's default value ("@")
  DWORD type = 0;
  std::string data;
};

struct Line {
  std::string text;  // without its line end
  std::string eol;   // "\n", "\r\n" or "" for a last line without one
};

struct ValueLine {
  Value value;
  bool deleted = false;  // "name"=- removes the value
  std::size_t first = 0;  // its lines (a hex value may continue over several)
  std::size_t last = 0;
};

struct Section {
  Hive hive = Hive::kOther;
  std::string path;  // normalised, without the root
  std::size_t header = 0;
  std::vector<ValueLine> values;
};

enum class Encoding { kUtf8, kUtf8Bom, kUtf16Le };

struct Document {
  Encoding encoding = Encoding::kUtf8;
  std::vector<Line> lines;
  std::vector<Section> sections;
  bool hasHeader = false;  // a "REGEDIT4" / "Windows Registry Editor ..." line
  bool whole = true;       // every line parsed; only then may it be rewritten
};

// Parse: reads `bytes` (UTF-8, UTF-8 with a byte-order mark, or UTF-16LE with
// a byte-order mark) as far as it parses. An empty or blank file is a whole,
// empty document.
Document Parse(const std::string& bytes);

// Serialise: the document's bytes, in the encoding it was read in.
std::string Serialise(const Document& doc);

// NormalisePath: `path` without empty components ("a\\b\" gives "a\b");
// null gives "".
std::string NormalisePath(const char* path);

// KeyExists: whether the hive has the key: a section of it, or of a key
// below it. The root ("") always exists.
bool KeyExists(const Document& doc, Hive hive, const std::string& path);

// KeyValues: the values of the key, later lines winning over earlier ones.
std::vector<Value> KeyValues(const Document& doc, Hive hive, const std::string& path);

// AddKey: appends a section for the key unless it exists; true when added.
bool AddKey(Document& doc, Hive hive, const std::string& path);

// SetValue: stores `value` in the key (REG_SZ or REG_DWORD), replacing the
// line of the value in force or adding one to the key's last section (which
// is created when missing). The document is parsed again afterwards.
void SetValue(Document& doc, Hive hive, const std::string& path, const Value& value);

// FindValue: the value named `name` (case ignored) in `values`, or null.
const Value* FindValue(const std::vector<Value>& values, const std::string& name);

// EqualNoCase: ASCII comparison ignoring letter case.
bool EqualNoCase(const std::string& a, const std::string& b);

// SynthesiseInternational: the values of "Control Panel\International" made
// from the numeric locale of the environment ("sDecimal", and "sThousand" and
// "sGrouping" when the locale defines them). The process's own locale is not
// changed.
std::vector<Value> SynthesiseInternational();

// GroupingPattern: a C locale grouping string ("\3\3", "\3\2", "\3\177") as
// the "3;0" pattern of the regional settings ("3;0", "3;2;0", "3"); "" when
// the locale does not group.
std::string GroupingPattern(const char* grouping);

}  // namespace tarvil::platform::registry

#endif
