// Json.cpp: JSON strings, numbers and objects for the --json output.
#include "Json.h"

#include <charconv>
#include <cmath>

namespace tarvil::tool {

namespace {

// Length of the well-formed UTF-8 sequence at `s[i]`, or 0 when the byte
// there does not start one.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no UTF-16 surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  if (i + length > s.size()) return 0;
  // The first continuation byte carries the range limits; the others are
  // plain continuation bytes.
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return length;
}

void AppendEscapedByte(std::string& out, unsigned char c) {
  static const char kHex[] = "0123456789abcdef";
  out += "\\u00";
  out += kHex[c >> 4];
  out += kHex[c & 0x0F];
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
          if (c < 0x20) {
            AppendEscapedByte(out, c);
          } else {
            out += static_cast<char>(c);
          }
      }
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      AppendEscapedByte(out, c);
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  out += '"';
}

std::string ShortestNumber(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // The shortest text that reads back as the same double, plain digits
  // where they are no longer than the exponent form.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

void AppendJsonNumber(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  out += ShortestNumber(value);
}

void JsonObject::Key(std::string_view key) {
  if (!m_body.empty()) m_body += ',';
  AppendJsonString(m_body, key);
  m_body += ':';
}

JsonObject& JsonObject::AddString(std::string_view key, std::string_view value) {
  Key(key);
  AppendJsonString(m_body, value);
  return *this;
}

JsonObject& JsonObject::AddNumber(std::string_view key, double value) {
  Key(key);
  AppendJsonNumber(m_body, value);
  return *this;
}

JsonObject& JsonObject::AddInt(std::string_view key, long long value) {
  Key(key);
  m_body += std::to_string(value);
  return *this;
}

JsonObject& JsonObject::AddBool(std::string_view key, bool value) {
  Key(key);
  m_body += value ? "true" : "false";
  return *this;
}

JsonObject& JsonObject::AddNull(std::string_view key) {
  Key(key);
  m_body += "null";
  return *this;
}

JsonObject& JsonObject::AddRaw(std::string_view key, std::string_view json) {
  Key(key);
  m_body.append(json);
  return *this;
}

JsonObject& JsonObject::Merge(const JsonObject& other) {
  if (other.m_body.empty()) return *this;
  if (!m_body.empty()) m_body += ',';
  m_body += other.m_body;
  return *this;
}

std::string JsonObject::Text() const { return "{" + m_body + "}"; }

}  // namespace tarvil::tool
