// Json.h: the JSON text the tool writes with --json, one object per line.
//
// Strings are written so that any input survives as valid JSON: quotes,
// backslashes and control characters are escaped, well-formed UTF-8 passes
// through, and every byte that is not part of a well-formed UTF-8 sequence
// becomes \u00XX. Numbers are written in their shortest round-trip form;
// NaN and infinities, which JSON cannot hold, become null.
#ifndef TARVIL_TOOL_JSON_H
#define TARVIL_TOOL_JSON_H

#include <string>
#include <string_view>

namespace tarvil::tool {

// AppendJsonString: `text` as a quoted, escaped JSON string.
void AppendJsonString(std::string& out, std::string_view text);

// AppendJsonNumber: `value` in shortest round-trip form, or null when it is
// not finite.
void AppendJsonNumber(std::string& out, double value);

// ShortestNumber: `value` as scripts read it: C locale, no grouping, the
// shortest text that reads back to the same double, as std::to_chars writes
// it ('4700', '0.0047', '1e-08', '1e+08'); "nan", "inf" or "-inf" when not
// finite.
std::string ShortestNumber(double value);

// One JSON object, built member by member in the order added. Keys are
// written as given (callers use plain ASCII keys).
class JsonObject {
 public:
  JsonObject& AddString(std::string_view key, std::string_view value);
  JsonObject& AddNumber(std::string_view key, double value);
  JsonObject& AddInt(std::string_view key, long long value);
  JsonObject& AddBool(std::string_view key, bool value);
  JsonObject& AddNull(std::string_view key);
  // `json` must already be valid JSON (an array or object built by the
  // caller).
  JsonObject& AddRaw(std::string_view key, std::string_view json);
  // Appends the members of `other` after the members of this object.
  JsonObject& Merge(const JsonObject& other);

  // The object text, '{' ... '}', without a line end.
  std::string Text() const;
  bool Empty() const { return m_body.empty(); }

 private:
  void Key(std::string_view key);
  std::string m_body;
};

}  // namespace tarvil::tool

#endif
