// MiniJson.h: a small, strict JSON reader for checking the tool's --json
// output: one value per text, nothing but blanks around it.
#ifndef TARVIL_TESTS_MINIJSON_H
#define TARVIL_TESTS_MINIJSON_H

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tarvil::tooltest {

struct JsonValue {
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };
  Type type = Type::kNull;
  bool boolean = false;
  double number = 0.0;
  std::string text;  // strings, decoded to UTF-8
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;  // in written order

  // The member `key` of an object, or null when absent.
  const JsonValue* Find(const std::string& key) const;
  bool IsNull() const { return type == Type::kNull; }
};

// ParseJson: true with `value` when `text` is exactly one valid JSON value;
// otherwise false with a description in `error`.
bool ParseJson(const std::string& text, JsonValue& value, std::string& error);

}  // namespace tarvil::tooltest

#endif
