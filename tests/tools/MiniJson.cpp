// MiniJson.cpp: a strict reader of JSON text (RFC 8259 grammar).
#include "MiniJson.h"

#include <charconv>
#include <cstring>

namespace tarvil::tooltest {

const JsonValue* JsonValue::Find(const std::string& key) const {
  for (const auto& [name, value] : members) {
    if (name == key) return &value;
  }
  return nullptr;
}

namespace {

class Reader {
 public:
  explicit Reader(const std::string& text) : m_text(text) {}

  bool Document(JsonValue& value, std::string& error) {
    Blanks();
    if (!Value(value, 0)) {
      error = m_error + " at byte " + std::to_string(m_pos);
      return false;
    }
    Blanks();
    if (m_pos != m_text.size()) {
      error = "text after the value at byte " + std::to_string(m_pos);
      return false;
    }
    return true;
  }

 private:
  bool Fail(const char* what) {
    m_error = what;
    return false;
  }
  void Blanks() {
    while (m_pos < m_text.size() && std::strchr(" \t\r\n", m_text[m_pos]) != nullptr &&
           m_text[m_pos] != '\0') {
      ++m_pos;
    }
  }
  bool Literal(const char* word) {
    const std::size_t length = std::strlen(word);
    if (m_text.compare(m_pos, length, word) != 0) return Fail("bad literal");
    m_pos += length;
    return true;
  }

  bool Value(JsonValue& value, int depth) {
    if (depth > 64) return Fail("nested too deep");
    if (m_pos >= m_text.size()) return Fail("value missing");
    const char c = m_text[m_pos];
    if (c == '{') return Object(value, depth);
    if (c == '[') return Array(value, depth);
    if (c == '"') {
      value.type = JsonValue::Type::kString;
      return String(value.text);
    }
    if (c == 't' || c == 'f') {
      value.type = JsonValue::Type::kBool;
      value.boolean = c == 't';
      return Literal(c == 't' ? "true" : "false");
    }
    if (c == 'n') {
      value.type = JsonValue::Type::kNull;
      return Literal("null");
    }
    return Number(value);
  }

  bool Number(JsonValue& value) {
    const std::size_t start = m_pos;
    const auto digit = [&](std::size_t at) {
      return at < m_text.size() && m_text[at] >= '0' && m_text[at] <= '9';
    };
    if (m_pos < m_text.size() && m_text[m_pos] == '-') ++m_pos;
    if (!digit(m_pos)) return Fail("bad number");
    if (m_text[m_pos] == '0') {
      ++m_pos;
    } else {
      while (digit(m_pos)) ++m_pos;
    }
    if (m_pos < m_text.size() && m_text[m_pos] == '.') {
      ++m_pos;
      if (!digit(m_pos)) return Fail("bad fraction");
      while (digit(m_pos)) ++m_pos;
    }
    if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
      ++m_pos;
      if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-')) ++m_pos;
      if (!digit(m_pos)) return Fail("bad exponent");
      while (digit(m_pos)) ++m_pos;
    }
    value.type = JsonValue::Type::kNumber;
    std::from_chars(m_text.data() + start, m_text.data() + m_pos, value.number);
    return true;
  }

  static void AppendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  bool Hex4(unsigned long& code) {
    if (m_pos + 4 > m_text.size()) return Fail("short escape");
    code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = m_text[m_pos++];
      code <<= 4;
      if (c >= '0' && c <= '9') {
        code |= static_cast<unsigned long>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        code |= static_cast<unsigned long>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        code |= static_cast<unsigned long>(c - 'A' + 10);
      } else {
        return Fail("bad hex digit");
      }
    }
    return true;
  }

  bool String(std::string& out) {
    ++m_pos;  // the opening quote
    out.clear();
    while (true) {
      if (m_pos >= m_text.size()) return Fail("unterminated string");
      const unsigned char c = static_cast<unsigned char>(m_text[m_pos++]);
      if (c == '"') return true;
      if (c < 0x20) return Fail("control character in string");
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      if (m_pos >= m_text.size()) return Fail("unterminated escape");
      const char e = m_text[m_pos++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          unsigned long code = 0;
          if (!Hex4(code)) return false;
          if (code >= 0xD800 && code <= 0xDBFF) {
            unsigned long low = 0;
            if (m_text.compare(m_pos, 2, "\\u") != 0) return Fail("lone surrogate");
            m_pos += 2;
            if (!Hex4(low) || low < 0xDC00 || low > 0xDFFF) return Fail("bad surrogate pair");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          } else if (code >= 0xDC00 && code <= 0xDFFF) {
            return Fail("lone surrogate");
          }
          AppendUtf8(out, code);
          break;
        }
        default:
          return Fail("bad escape");
      }
    }
  }

  bool Array(JsonValue& value, int depth) {
    value.type = JsonValue::Type::kArray;
    ++m_pos;
    Blanks();
    if (m_pos < m_text.size() && m_text[m_pos] == ']') {
      ++m_pos;
      return true;
    }
    while (true) {
      Blanks();
      JsonValue item;
      if (!Value(item, depth + 1)) return false;
      value.items.push_back(std::move(item));
      Blanks();
      if (m_pos >= m_text.size()) return Fail("unterminated array");
      if (m_text[m_pos] == ']') {
        ++m_pos;
        return true;
      }
      if (m_text[m_pos] != ',') return Fail("',' or ']' expected");
      ++m_pos;
    }
  }

  bool Object(JsonValue& value, int depth) {
    value.type = JsonValue::Type::kObject;
    ++m_pos;
    Blanks();
    if (m_pos < m_text.size() && m_text[m_pos] == '}') {
      ++m_pos;
      return true;
    }
    while (true) {
      Blanks();
      if (m_pos >= m_text.size() || m_text[m_pos] != '"') return Fail("key expected");
      std::string key;
      if (!String(key)) return false;
      Blanks();
      if (m_pos >= m_text.size() || m_text[m_pos] != ':') return Fail("':' expected");
      ++m_pos;
      Blanks();
      JsonValue member;
      if (!Value(member, depth + 1)) return false;
      value.members.emplace_back(std::move(key), std::move(member));
      Blanks();
      if (m_pos >= m_text.size()) return Fail("unterminated object");
      if (m_text[m_pos] == '}') {
        ++m_pos;
        return true;
      }
      if (m_text[m_pos] != ',') return Fail("',' or '}' expected");
      ++m_pos;
    }
  }

  const std::string& m_text;
  std::size_t m_pos = 0;
  std::string m_error;
};

}  // namespace

bool ParseJson(const std::string& text, JsonValue& value, std::string& error) {
  value = JsonValue();
  return Reader(text).Document(value, error);
}

}  // namespace tarvil::tooltest
