// RegistryFile.cpp: parsing, lookup and editing of a hive file in the
// registry editor's export format.
#include <cstdio>
#include <cstring>
#include <limits>
#include <string_view>

#include "Registry.h"
#include "RegistryFileInternal.h"
#include "Utf8Internal.h"

namespace tarvil::platform::registry {

namespace {

constexpr const char* kHeader4 = "REGEDIT4";
constexpr const char* kHeader5 = "Windows Registry Editor Version 5.00";
constexpr const char* kUserRoot = "HKEY_CURRENT_USER";
constexpr const char* kMachineRoot = "HKEY_LOCAL_MACHINE";
constexpr DWORD kExpandSz = 2;  // REG_EXPAND_SZ: text, decoded as REG_SZ is
constexpr DWORD kBinary = 3;    // REG_BINARY: the type of plain "hex:" data
constexpr std::string_view kDwordTag = "dword:";
constexpr std::string_view kHexTag = "hex";
// Eight hex digits fill the 32 bits of a DWORD.
constexpr std::size_t kMaxDwordDigits = 2 * sizeof(DWORD);

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool StartsWithNoCase(const std::string& s, std::size_t at, const char* prefix) {
  const std::size_t n = std::strlen(prefix);
  if (s.size() - at < n) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (Lower(s[at + i]) != Lower(prefix[i])) return false;
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = Lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}


// UTF-16LE (after its byte-order mark) to UTF-8; false when it stops early
// at an odd byte or an unpaired surrogate (`out` then holds what came before).
bool Utf16ToUtf8(const std::string& in, std::size_t from, std::string& out) {
  auto unit = [&](std::size_t i) {
    return static_cast<unsigned int>(static_cast<unsigned char>(in[i])) |
           (static_cast<unsigned int>(static_cast<unsigned char>(in[i + 1])) << 8);
  };
  std::size_t i = from;
  while (i + 1 < in.size()) {
    unsigned int u = unit(i);
    i += 2;
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 >= in.size()) return false;
      const unsigned int low = unit(i);
      if (low < 0xDC00 || low > 0xDFFF) return false;
      i += 2;
      u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      return false;
    }
    AppendUtf8(out, u);
  }
  return i == in.size();
}

// UTF-8 to UTF-16LE with a byte-order mark. The text came from valid UTF-16
// or from values that were checked on the way in, so every sequence is
// decoded; a stray byte is carried as the code unit of its value.
std::string Utf8ToUtf16(const std::string& in) {
  std::string out = "\xFF\xFE";
  auto put = [&](unsigned int u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
  };
  for (std::size_t i = 0; i < in.size();) {
    const auto b = static_cast<unsigned char>(in[i]);
    unsigned int cp = b;
    int len = 1;
    if (b >= 0xF0 && b < 0xF5) len = 4, cp = b & 0x07;
    else if (b >= 0xE0) len = 3, cp = b & 0x0F;
    else if (b >= 0xC2 && b < 0xE0) len = 2, cp = b & 0x1F;
    if (len > 1) {
      if (i + static_cast<std::size_t>(len) > in.size()) {
        len = 1, cp = b;
      } else {
        for (int k = 1; k < len; ++k) {
          const auto c = static_cast<unsigned char>(in[i + k]);
          if ((c & 0xC0) != 0x80) {
            len = 1, cp = b;
            break;
          }
          cp = (cp << 6) | (c & 0x3F);
        }
      }
    }
    i += static_cast<std::size_t>(len);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      put(0xD800 + (cp >> 10));
      put(0xDC00 + (cp & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t nl = text.find('\n', start);
    if (nl == std::string::npos) {
      lines.push_back({text.substr(start), ""});
      break;
    }
    std::size_t end = nl;
    const bool crlf = end > start && text[end - 1] == '\r';
    if (crlf) --end;
    lines.push_back({text.substr(start, end - start), std::string(crlf ? "\r\n" : "\n")});
    start = nl + 1;
  }
  return lines;
}

// A quoted text starting at `s[at]` == '"'; a backslash takes the next
// character literally. Returns the index after the closing quote, or npos.
std::size_t ReadQuoted(const std::string& s, std::size_t at, std::string& out) {
  out.clear();
  for (std::size_t i = at + 1; i < s.size(); ++i) {
    if (s[i] == '\\') {
      if (++i >= s.size()) return std::string::npos;
      out += s[i];
    } else if (s[i] == '"') {
      return i + 1;
    } else {
      out += s[i];
    }
  }
  return std::string::npos;
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

bool ParseSectionHeader(const std::string& line, Section& section) {
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
  std::string inner = line.substr(1, line.size() - 2);
  section.hive = Hive::kOther;
  section.path.clear();
  if (!inner.empty() && inner[0] == '-') return true;  // a deletion: no hive of ours
  const std::size_t slash = inner.find('\\');
  const std::string root = Trim(inner.substr(0, slash));
  if (EqualNoCase(root, kUserRoot)) section.hive = Hive::kUser;
  else if (EqualNoCase(root, kMachineRoot)) section.hive = Hive::kMachine;
  if (slash != std::string::npos) section.path = NormalisePath(inner.c_str() + slash + 1);
  return true;
}

// The hex digits of a 32-bit number ("dword:" data, the n of "hex(n):"):
// one to eight of them; false for none, more, or any other character.
bool ParseHexNumber(const std::string& digits, DWORD& value) {
  if (digits.empty() || digits.size() > kMaxDwordDigits) return false;
  value = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    value = (value << 4) | static_cast<DWORD>(d);
  }
  return true;
}

// The four bytes of a 32-bit number, least significant first.
std::string DwordBytes(DWORD v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
          static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
}

// The type of "hex:" (binary) or "hex(n):" data in `rest`, whose first
// three characters are "hex"; `at` is left after the ':'.
bool ParseHexType(const std::string& rest, std::size_t& at, DWORD& type) {
  at = kHexTag.size();
  type = kBinary;
  if (at < rest.size() && rest[at] == '(') {
    const std::size_t close = rest.find(')', at);
    if (close == std::string::npos || !ParseHexNumber(rest.substr(at + 1, close - at - 1), type)) {
      return false;
    }
    at = close + 1;
  }
  if (at >= rest.size() || rest[at] != ':') return false;
  ++at;
  return true;
}

// One line of a hex list ("01,2, ff"), its continuation backslash already
// taken off: appends its bytes to `data`; false at anything but hex bytes
// (one or two digits) apart by commas.
bool AppendHexLine(const std::string& list, std::string& data) {
  std::size_t i = 0;
  while (i < list.size()) {
    while (i < list.size() && IsSpace(list[i])) ++i;
    if (i >= list.size()) break;
    const int hi = HexDigit(list[i]);
    if (hi < 0) return false;
    int byte = hi;
    ++i;
    if (i < list.size() && HexDigit(list[i]) >= 0) byte = byte * 16 + HexDigit(list[i++]);
    data += static_cast<char>(byte);
    while (i < list.size() && IsSpace(list[i])) ++i;
    if (i < list.size()) {
      if (list[i] != ',') return false;
      ++i;
    }
  }
  return true;
}

// The bytes of a hex list starting with `list`; a line ending in a
// backslash continues on the next line of `lines` (`index` moves to it).
bool ReadHexList(const std::vector<Line>& lines, std::size_t& index, std::string list,
                 std::string& data) {
  for (;;) {
    list = Trim(list);
    const bool more = !list.empty() && list.back() == '\\';
    if (more) list.pop_back();
    if (!AppendHexLine(list, data)) return false;
    if (!more) return true;
    if (index + 1 >= lines.size()) return false;
    list = lines[++index].text;
  }
}

// Checks and decodes the bytes of hex data by their type.
bool FinishHexData(DWORD type, bool unicode, std::string& data) {
  // A 32-bit number is four bytes: readers take REG_DWORD data as a whole
  // DWORD, so a shorter or longer one does not parse.
  if (type == REG_DWORD && data.size() != sizeof(DWORD)) return false;
  if (type == REG_SZ || type == kExpandSz) {
    // Text written as bytes: UTF-16LE in a version 5 file, the code page's
    // bytes in a version 4 file; the terminator is not part of the text.
    if (unicode) {
      std::string text;
      if (data.size() % 2 != 0 || !Utf16ToUtf8(data, 0, text)) return false;
      data = text;
    }
    while (!data.empty() && data.back() == '\0') data.pop_back();
  }
  return true;
}

// The data of a value line after its "=": a quoted text, dword:, hex: or
// hex(n): (whose lines may continue with a final backslash, consuming
// further lines of `lines`), or "-". False when it does not parse.
bool ParseData(const std::vector<Line>& lines, std::size_t& index, std::string rest,
               bool unicode, ValueLine& out) {
  rest = Trim(rest);
  if (rest == "-") {
    out.deleted = true;
    return true;
  }
  if (!rest.empty() && rest[0] == '"') {
    const std::size_t end = ReadQuoted(rest, 0, out.value.data);
    if (end == std::string::npos || end != rest.size()) return false;
    out.value.type = REG_SZ;
    return true;
  }
  if (StartsWithNoCase(rest, 0, kDwordTag.data())) {
    DWORD v = 0;
    if (!ParseHexNumber(rest.substr(kDwordTag.size()), v)) return false;
    out.value.type = REG_DWORD;
    out.value.data = DwordBytes(v);
    return true;
  }
  if (!StartsWithNoCase(rest, 0, kHexTag.data())) return false;
  std::size_t at = 0;
  DWORD type = kBinary;
  if (!ParseHexType(rest, at, type)) return false;
  if (!ReadHexList(lines, index, rest.substr(at), out.value.data)) return false;
  out.value.type = type;
  return FinishHexData(type, unicode, out.value.data);
}

bool ParseValueLine(const std::vector<Line>& lines, std::size_t& index, const std::string& text,
                    bool unicode, ValueLine& out) {
  std::size_t at;
  if (text[0] == '@') {
    out.value.name.clear();
    at = 1;
  } else {
    at = ReadQuoted(text, 0, out.value.name);
    if (at == std::string::npos) return false;
  }
  while (at < text.size() && IsSpace(text[at])) ++at;
  if (at >= text.size() || text[at] != '=') return false;
  out.first = index;
  if (!ParseData(lines, index, text.substr(at + 1), unicode, out)) return false;
  out.last = index;
  return true;
}

const char* RootName(Hive hive) { return hive == Hive::kMachine ? kMachineRoot : kUserRoot; }

std::string DefaultEol(const Document& doc) {
  for (const Line& l : doc.lines)
    if (!l.eol.empty()) return l.eol;
  return doc.encoding == Encoding::kUtf16Le ? "\r\n" : "\n";
}

bool SamePath(const Section& s, Hive hive, const std::string& path) {
  return s.hive == hive && EqualNoCase(s.path, path);
}

std::string FormatValueLine(const Value& value) {
  std::string line = value.name.empty() ? "@" : Quote(value.name);
  line += '=';
  if (value.type == REG_DWORD && value.data.size() == 4) {
    const auto b = [&](int i) { return static_cast<DWORD>(static_cast<unsigned char>(value.data[i])); };
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08x", b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24));
    line += "dword:";
    line += digits;
  } else {
    line += Quote(value.data);
  }
  return line;
}

// Appends a section header for the key at the end of the document (the
// file header first when the document has none), one blank line apart.
void AppendSection(Document& doc, Hive hive, const std::string& path) {
  const std::string eol = DefaultEol(doc);
  if (!doc.hasHeader) {
    doc.lines.insert(doc.lines.begin(), {{kHeader4, eol}, {"", eol}});
    doc.hasHeader = true;
  }
  if (!doc.lines.empty() && doc.lines.back().eol.empty()) doc.lines.back().eol = eol;
  if (!doc.lines.empty() && !Trim(doc.lines.back().text).empty()) doc.lines.push_back({"", eol});
  std::string header = "[";
  header += RootName(hive);
  if (!path.empty()) header += "\\" + path;
  header += "]";
  doc.lines.push_back({header, eol});
  doc = Parse(Serialise(doc));
}

}  // namespace

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::string NormalisePath(const char* path) {
  std::string out;
  if (path == nullptr) return out;
  std::string part;
  for (const char* p = path;; ++p) {
    if (*p == '\\' || *p == '\0') {
      part = Trim(part);
      if (!part.empty()) {
        if (!out.empty()) out += '\\';
        out += part;
      }
      part.clear();
      if (*p == '\0') break;
    } else {
      part += *p;
    }
  }
  return out;
}

Document Parse(const std::string& bytes) {
  Document doc;
  std::string text;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    doc.encoding = Encoding::kUtf16Le;
    if (!Utf16ToUtf8(bytes, 2, text)) {
      // Only complete lines of what decoded are read.
      doc.whole = false;
      text.erase(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    }
  } else if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    doc.encoding = Encoding::kUtf8Bom;
    text = bytes.substr(3);
  } else {
    text = bytes;
  }
  doc.lines = SplitLines(text);

  Section* current = nullptr;
  bool unicode = false;
  for (std::size_t i = 0; i < doc.lines.size(); ++i) {
    const std::string t = Trim(doc.lines[i].text);
    if (t.empty()) continue;
    if (!doc.hasHeader) {
      if (t != kHeader4 && t != kHeader5) {
        doc.whole = false;
        break;
      }
      doc.hasHeader = true;
      unicode = t == kHeader5;
      continue;
    }
    if (t[0] == ';') continue;
    if (t[0] == '[') {
      Section s;
      if (!ParseSectionHeader(t, s)) {
        doc.whole = false;
        break;
      }
      s.header = i;
      doc.sections.push_back(s);
      current = &doc.sections.back();
      continue;
    }
    if ((t[0] == '"' || t[0] == '@') && current != nullptr) {
      ValueLine v;
      if (!ParseValueLine(doc.lines, i, t, unicode, v)) {
        doc.whole = false;
        break;
      }
      current->values.push_back(v);
      continue;
    }
    doc.whole = false;
    break;
  }
  return doc;
}

std::string Serialise(const Document& doc) {
  std::string text;
  for (const Line& l : doc.lines) {
    text += l.text;
    text += l.eol;
  }
  switch (doc.encoding) {
    case Encoding::kUtf16Le: return Utf8ToUtf16(text);
    case Encoding::kUtf8Bom: return "\xEF\xBB\xBF" + text;
    default: return text;
  }
}

bool KeyExists(const Document& doc, Hive hive, const std::string& path) {
  if (path.empty()) return true;
  for (const Section& s : doc.sections) {
    if (s.hive != hive) continue;
    if (EqualNoCase(s.path, path)) return true;
    if (s.path.size() > path.size() && s.path[path.size()] == '\\' &&
        EqualNoCase(s.path.substr(0, path.size()), path))
      return true;
  }
  return false;
}

const Value* FindValue(const std::vector<Value>& values, const std::string& name) {
  for (const Value& v : values)
    if (EqualNoCase(v.name, name)) return &v;
  return nullptr;
}

std::vector<Value> KeyValues(const Document& doc, Hive hive, const std::string& path) {
  std::vector<Value> values;
  for (const Section& s : doc.sections) {
    if (!SamePath(s, hive, path)) continue;
    for (const ValueLine& v : s.values) {
      std::size_t at = 0;
      while (at < values.size() && !EqualNoCase(values[at].name, v.value.name)) ++at;
      if (v.deleted) {
        if (at < values.size()) values.erase(values.begin() + static_cast<long>(at));
      } else if (at < values.size()) {
        values[at] = v.value;
      } else {
        values.push_back(v.value);
      }
    }
  }
  return values;
}

bool AddKey(Document& doc, Hive hive, const std::string& path) {
  if (KeyExists(doc, hive, path)) return false;
  AppendSection(doc, hive, path);
  return true;
}

void SetValue(Document& doc, Hive hive, const std::string& path, const Value& value) {
  bool found = false;
  for (const Section& s : doc.sections) found = found || SamePath(s, hive, path);
  // The key may exist only through keys below it; give it a section.
  if (!found) AppendSection(doc, hive, path);

  // The line of the value in force is the last one naming it.
  const ValueLine* inForce = nullptr;
  const Section* lastSection = nullptr;
  for (const Section& s : doc.sections) {
    if (!SamePath(s, hive, path)) continue;
    lastSection = &s;
    for (const ValueLine& v : s.values)
      if (EqualNoCase(v.value.name, value.name)) inForce = &v;
  }
  const std::string eol = DefaultEol(doc);
  const std::string text = FormatValueLine(value);
  if (inForce != nullptr) {
    const std::size_t first = inForce->first, last = inForce->last;
    Line replacement{text, doc.lines[last].eol};
    doc.lines.erase(doc.lines.begin() + static_cast<long>(first),
                    doc.lines.begin() + static_cast<long>(last) + 1);
    doc.lines.insert(doc.lines.begin() + static_cast<long>(first), replacement);
  } else {
    std::size_t after = lastSection->header;
    if (!lastSection->values.empty()) after = lastSection->values.back().last;
    if (doc.lines[after].eol.empty()) doc.lines[after].eol = eol;
    doc.lines.insert(doc.lines.begin() + static_cast<long>(after) + 1, Line{text, eol});
  }
  doc = Parse(Serialise(doc));
}

std::string GroupingPattern(const char* grouping) {
  // A group size of CHAR_MAX (as a signed char) ends the grouping: the
  // digits before it are not grouped at all.
  constexpr int kNoFurtherGrouping = std::numeric_limits<signed char>::max();
  if (grouping == nullptr) return "";
  std::vector<int> sizes;
  bool repeat = false;
  for (const char* p = grouping;; ++p) {
    const int g = static_cast<signed char>(*p);
    if (g == 0) {
      repeat = !sizes.empty();
      break;
    }
    if (g < 0 || g == kNoFurtherGrouping) break;
    sizes.push_back(g);
  }
  if (sizes.empty()) return "";
  // "\3\3" repeats 3 just as "\3" does.
  while (repeat && sizes.size() >= 2 && sizes[sizes.size() - 1] == sizes[sizes.size() - 2])
    sizes.pop_back();
  std::string out;
  for (int s : sizes) {
    if (!out.empty()) out += ';';
    out += std::to_string(s);
  }
  if (repeat) out += ";0";
  return out;
}

}  // namespace tarvil::platform::registry
