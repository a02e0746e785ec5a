// BomColumns.cpp: finding the header and the reference and value columns of
// a bill of materials from its first records.
#include <array>
#include <charconv>

#include "BomInternal.h"

namespace tarvil {
namespace {

constexpr std::array<std::string_view, 15> kReferenceNames = {
    "reference",  "references", "ref",        "refs",       "refdes",
    "refname",    "designator", "designators", "part",      "parts",
    "component",  "components", "referencedesignator", "referencedesignators",
    "refdesignator"};
constexpr std::array<std::string_view, 6> kValueNames = {"value", "values",  "val",
                                                          "comment", "name", "designation"};

}  // namespace

std::span<const std::string_view> bom_reference_names() noexcept { return kReferenceNames; }
std::span<const std::string_view> bom_value_names() noexcept { return kValueNames; }

namespace bom {
namespace {

char Lower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A reference: letters, then digits not starting with 0 (so that package
// codes such as C0603 are none), then at most two letters (a unit 'U1A').
std::size_t ReferenceEnd(std::string_view text, std::size_t at, std::string_view* prefix) noexcept {
  const std::size_t start = at;
  while (at < text.size() && IsLetter(text[at])) ++at;
  const std::size_t letters = at - start;
  if (letters == 0 || letters > 4 || at == text.size() || !IsDigitByte(text[at]) || text[at] == '0') {
    return 0;
  }
  if (prefix != nullptr) *prefix = text.substr(start, letters);
  while (at < text.size() && IsDigitByte(text[at])) ++at;
  for (int k = 0; k < 2 && at < text.size() && IsLetter(text[at]); ++k) ++at;
  return at;
}

// Between two references: blanks, ',' and ';', or a range '..' or '-'.
std::size_t SeparatorEnd(std::string_view text, std::size_t at) noexcept {
  const std::size_t start = at;
  while (at < text.size() && (IsBlank(text[at]) || text[at] == ',' || text[at] == ';')) ++at;
  if (at + 1 < text.size() && text[at] == '.' && text[at + 1] == '.') {
    at += 2;
  } else if (at < text.size() && text[at] == '-') {
    ++at;
  }
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at > start ? at : 0;
}

std::string Joined(std::span<const std::string_view> names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " or " : ", ";
    text += names[i];
  }
  return text;
}

std::string RecordText(const std::vector<std::string>& fields, char delimiter) {
  std::string text;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += delimiter;
    text += fields[i];
  }
  return text;
}

// The column of `fields` named `wanted` (a header name), or one of `names`
// in their order of preference; every match, best first, into `found`.
void NamedColumns(const std::vector<std::string>& fields, const std::optional<std::string>& wanted,
                  std::span<const std::string_view> names, std::vector<std::size_t>& found) {
  found.clear();
  std::vector<std::string> cells;
  for (const std::string& field : fields) cells.push_back(HeaderName(field));
  if (wanted) {
    const std::string name = HeaderName(*wanted);
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (cells[i] == name) found.push_back(i);
    }
    if (found.size() > 1) found.resize(1);
    return;
  }
  for (std::string_view name : names) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (cells[i] == name) found.push_back(i);
    }
  }
}

std::string_view FieldAt(const Held& record, std::size_t column) {
  return column < record.fields.size() ? std::string_view(record.fields[column]) : std::string_view();
}

// How well `column` reads as the values of the rows [first, end) of `held`:
// 2 for a reading with a letter in the field, 1 for a bare number.
long ValueScore(const std::vector<Held>& held, std::size_t first, std::size_t referenceColumn,
                std::size_t column, const BomOptions& options, FieldReader& reader) {
  long score = 0;
  for (std::size_t r = first; r < held.size(); ++r) {
    if (held[r].fault != BomFault::none) continue;
    const auto quantity =
        QuantityOfPrefix(options, PrefixOf(Trimmed(FieldAt(held[r], referenceColumn))));
    const std::string_view field = FieldAt(held[r], column);
    if (!quantity || Trimmed(field).empty()) continue;
    const Result<Part> part = reader.Read(field, *quantity);
    if (!part || !part.value.has_value) continue;
    bool letter = false;
    for (char c : field) letter = letter || IsLetter(c);
    score += letter ? 2 : 1;
  }
  return score;
}

// A column number given for a file without a header (1-based).
std::optional<std::size_t> ColumnNumber(const std::optional<std::string>& wanted) {
  if (!wanted) return std::nullopt;
  std::size_t number = 0;
  const std::string_view text = Trimmed(*wanted);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec != std::errc() || end != text.data() + text.size() || number == 0) return std::nullopt;
  return number - 1;
}

LayoutChoice Refuse(BomStop stop, std::string message) {
  LayoutChoice choice;
  choice.problem = {stop, std::move(message)};
  return choice;
}

LayoutChoice WithoutHeader(const std::vector<Held>& held, const BomOptions& options,
                           FieldReader& reader, BomLayout& layout) {
  std::size_t width = 0;
  for (const Held& record : held) {
    if (record.fault == BomFault::none && record.fields.size() > width) width = record.fields.size();
  }
  layout.width = width;
  std::optional<std::size_t> reference = ColumnNumber(options.reference_column);
  if (!reference) {
    // A prefix with a quantity counts twice one without (a footprint 'SM0805').
    long best = 0;
    for (std::size_t column = 0; column < width; ++column) {
      long score = 0;
      for (const Held& record : held) {
        std::string_view prefix;
        if (!LooksLikeReferences(FieldAt(record, column), prefix)) continue;
        score += QuantityOfPrefix(options, prefix) ? 2 : 1;
      }
      if (score > best) {
        best = score;
        reference = column;
      }
    }
  }
  if (!reference) {
    return Refuse(BomStop::no_reference_column,
                  "no reference column: no record of the first " +
                      std::to_string(bom_probe_records) + " names one (" +
                      Joined(kReferenceNames) + ") and no column holds references");
  }
  std::optional<std::size_t> value = ColumnNumber(options.value_column);
  if (!value) {
    long best = -1;
    for (std::size_t column = 0; column < width; ++column) {
      if (column == *reference) continue;
      const long score = ValueScore(held, 0, *reference, column, options, reader);
      if (score > best) {
        best = score;
        value = column;
      }
    }
  }
  if (!value) return Refuse(BomStop::no_value_column, "no value column: the records have one field");
  layout.reference_column = *reference;
  layout.value_column = *value;
  LayoutChoice choice;
  choice.header = held.size();
  return choice;
}

}  // namespace

std::string HeaderName(std::string_view cell) {
  std::string name;
  for (char c : cell) {
    if (!IsBlank(c) && c != '_') name += Lower(c);
  }
  if (name.size() > 3 && name.ends_with("(s)")) name.resize(name.size() - 3);
  return name;
}

bool LooksLikeReferences(std::string_view field, std::string_view& prefix) noexcept {
  const std::string_view text = Trimmed(field);
  std::size_t at = ReferenceEnd(text, 0, &prefix);
  if (at == 0) return false;
  while (at < text.size()) {
    const std::size_t separator = SeparatorEnd(text, at);
    if (separator == 0) return false;
    if (separator == text.size()) return true;  // a trailing ','
    at = ReferenceEnd(text, separator, nullptr);
    if (at == 0) return false;
  }
  return true;
}

std::string_view PrefixOf(std::string_view reference) noexcept {
  std::size_t end = 0;
  while (end < reference.size() && IsLetter(reference[end])) ++end;
  return reference.substr(0, end);
}

std::optional<Quantity> QuantityOfPrefix(const BomOptions& options, std::string_view prefix) {
  if (prefix.empty()) return std::nullopt;
  std::string upper(prefix);
  for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  const auto found = options.prefixes.find(upper);
  if (found == options.prefixes.end()) return std::nullopt;
  return found->second;
}

LayoutChoice FindLayout(const std::vector<Held>& held, const BomOptions& options,
                        FieldReader& reader, BomLayout& layout) {
  if (held.empty()) return Refuse(BomStop::no_records, "no records");
  const bool named = options.reference_column.has_value();
  if (options.no_header) return WithoutHeader(held, options, reader, layout);
  std::vector<std::size_t> references;
  std::vector<std::size_t> values;
  std::optional<std::size_t> firstNamingReference;
  const std::size_t probe = std::min(held.size(), bom_probe_records);
  for (std::size_t r = 0; r < probe; ++r) {
    if (held[r].fault != BomFault::none) continue;
    NamedColumns(held[r].fields, options.reference_column, kReferenceNames, references);
    if (references.empty()) continue;
    if (!firstNamingReference) firstNamingReference = r;
    NamedColumns(held[r].fields, options.value_column, kValueNames, values);
    if (values.empty()) continue;
    layout.has_header = true;
    layout.header_line = held[r].line;
    layout.header = held[r].fields;
    layout.width = held[r].fields.size();
    layout.reference_column = references.front();
    // Of several value columns, the one that reads best (ties: the first).
    long best = -1;
    for (std::size_t column : values) {
      const long score = values.size() == 1
                             ? 0
                             : ValueScore(held, r + 1, references.front(), column, options, reader);
      if (score > best) {
        best = score;
        layout.value_column = column;
      }
    }
    LayoutChoice choice;
    choice.header = r;
    return choice;
  }
  if (firstNamingReference) {
    const std::string header =
        " in the header \"" + RecordText(held[*firstNamingReference].fields, layout.delimiter) + "\"";
    return Refuse(BomStop::no_value_column,
                  options.value_column ? "no column '" + *options.value_column + "'" + header
                                       : "no value column (" + Joined(kValueNames) + ")" + header);
  }
  if (named && !ColumnNumber(options.reference_column)) {
    return Refuse(BomStop::no_reference_column,
                  "no column '" + *options.reference_column + "' in the first " +
                      std::to_string(probe) + " records");
  }
  return WithoutHeader(held, options, reader, layout);
}

}  // namespace bom
}  // namespace tarvil
