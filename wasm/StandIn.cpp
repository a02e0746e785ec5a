// StandIn.cpp: TEMPORARY readers of a part's value field and of a bill of
// materials (see StandInInternal.h). Deleted when the library's are in.
#include <algorithm>

#include "StandInInternal.h"

namespace tarvil::wasm::standin {
namespace {

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }
bool IsAsciiLetter(char c) noexcept { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string_view Trimmed(std::string_view text) noexcept {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// The delimiter of the first line: the most frequent of ',', ';' and tab
// outside quotes (',' when none stands there).
char DelimiterOf(std::string_view head) noexcept {
  constexpr char kCandidates[] = {',', ';', '\t'};
  long counts[3] = {0, 0, 0};
  bool quoted = false;
  for (const char c : head) {
    if (c == '"') quoted = !quoted;
    if (!quoted && (c == '\n' || c == '\r')) break;
    for (int k = 0; k < 3; ++k) counts[k] += !quoted && c == kCandidates[k] ? 1 : 0;
  }
  const long* best = std::max_element(counts, counts + 3);
  return *best > 0 ? kCandidates[best - counts] : ',';
}

}  // namespace

Result<Part> read_part(std::string_view text, Quantity quantity, const Settings& settings,
                       const UnitTable& units) noexcept {
  const Result<double> value = read(text, quantity, Notation::any, settings, units);
  Result<Part> result;
  result.error = value.error;
  result.position = value.position;
  if (value) {
    result.value.value = value.value;
    result.value.has_value = true;
  }
  return result;
}

std::map<std::string, Quantity, std::less<>> BomOptions::default_prefixes() {
  return {{"R", Quantity::resistance}, {"C", Quantity::capacitance}, {"L", Quantity::inductance}};
}

std::string_view bom_status_name(BomStatus status) noexcept {
  constexpr std::string_view kNames[] = {"read", "not-fitted", "refused", "ambiguous", "skipped"};
  return kNames[static_cast<int>(status)];
}

struct BomReader::State {
  BomOptions options;
  RowHandler onRow;
  LayoutHandler onLayout;
  BomProblem problem;
  BomLayout layout;
  std::string head;  // the bytes before the first line end, while the delimiter is unknown
  bool started = false;
  bool finished = false;
  std::vector<std::string> fields{1};
  bool inQuotes = false;
  bool quotePending = false;  // a '"' inside quotes, which the next byte explains
  bool fieldStarted = false;
  std::size_t recordBytes = 0;
  long rows = 0;

  void Take(std::string_view bytes);
  void Byte(char c);
  void EndRecord();
  void Header();
  void Row();
  void Stop(BomStop stop, std::string message) {
    if (problem) return;
    problem.stop = stop;
    problem.message = std::move(message);
  }
};

void BomReader::State::Take(std::string_view bytes) {
  for (const char c : bytes) {
    if (problem) return;
    if (++recordBytes > bom_max_record_bytes) {
      Stop(BomStop::record_too_long,
           "record " + std::to_string(rows + 2) + " is longer than 1 MiB");
      return;
    }
    Byte(c);
  }
}

void BomReader::State::Byte(char c) {
  std::string& field = fields.back();
  if (quotePending) {
    quotePending = false;
    if (c == '"') {
      field += '"';
      return;
    }
    inQuotes = false;
  } else if (inQuotes) {
    if (c == '"') {
      quotePending = true;
    } else {
      field += c;
    }
    return;
  }
  if (c == layout.delimiter) {
    fields.emplace_back();
    fieldStarted = false;
  } else if (c == '\n' || c == '\r') {
    EndRecord();
  } else if (c == '"' && !fieldStarted) {
    inQuotes = true;
    fieldStarted = true;
  } else {
    field += c;
    fieldStarted = true;
  }
}

void BomReader::State::EndRecord() {
  const bool empty = fields.size() == 1 && fields[0].empty() && !fieldStarted;
  if (!empty) {
    if (!layout.has_header) {
      Header();
    } else {
      Row();
    }
  }
  fields.assign(1, std::string());
  fieldStarted = false;
  recordBytes = 0;
}

void BomReader::State::Header() {
  const auto find = [this](const std::optional<std::string>& named,
                           std::initializer_list<const char*> names) -> std::optional<std::size_t> {
    std::vector<std::string> wanted;
    if (named) wanted.push_back(Upper(Trimmed(*named)));
    if (!named) {
      for (const char* name : names) wanted.push_back(Upper(name));
    }
    for (const std::string& name : wanted) {
      for (std::size_t i = 0; i < fields.size(); ++i) {
        if (Upper(Trimmed(fields[i])) == name) return i;
      }
    }
    return std::nullopt;
  };
  const auto reference = find(options.reference_column, {"Reference", "Designator", "Ref", "RefDes"});
  const auto value = find(options.value_column, {"Value", "Val"});
  if (!reference) {
    Stop(BomStop::no_reference_column, "no reference column (Reference, Designator, Ref or RefDes) in the header");
    return;
  }
  if (!value) {
    Stop(BomStop::no_value_column, "no value column (Value or Val) in the header");
    return;
  }
  layout.has_header = true;
  layout.header = fields;
  layout.reference_column = *reference;
  layout.value_column = *value;
  if (onLayout) onLayout(layout);
}

void BomReader::State::Row() {
  std::vector<std::string_view> views(fields.begin(), fields.end());
  BomRow row;
  row.row = ++rows;
  row.fields = views;
  const auto at = [&views](std::size_t i) { return i < views.size() ? views[i] : std::string_view(); };
  row.reference = Trimmed(at(layout.reference_column));
  row.value_field = at(layout.value_column);
  std::size_t letters = 0;
  while (letters < row.reference.size() && IsAsciiLetter(row.reference[letters])) ++letters;
  const auto kind = options.prefixes.find(Upper(row.reference.substr(0, letters)));
  if (kind == options.prefixes.end()) {
    row.status = BomStatus::skipped;
    onRow(row);
    return;
  }
  row.quantity = kind->second;
  if (options.notation == Notation::any) {
    row.part = read_part(row.value_field, kind->second, options.settings);
  } else {
    const Result<double> r = read(row.value_field, kind->second, options.notation, options.settings);
    row.part.error = r.error;
    row.part.position = r.position;
    row.part.value.value = r.value;
    row.part.value.has_value = static_cast<bool>(r);
  }
  if (row.part) {
    row.status = BomStatus::read;
  } else {
    row.status = row.part.error == Error::ambiguous ? BomStatus::ambiguous : BomStatus::refused;
    row.message = describe(row.value_field, row.part);
  }
  onRow(row);
}

BomReader::BomReader(BomOptions options, RowHandler on_row, LayoutHandler on_layout)
    : state_(std::make_unique<State>()) {
  state_->options = std::move(options);
  state_->onRow = std::move(on_row);
  state_->onLayout = std::move(on_layout);
}

BomReader::~BomReader() = default;

bool BomReader::feed(std::string_view bytes) {
  State& s = *state_;
  if (s.problem || s.finished) return !s.problem;
  if (!s.started) {
    // The delimiter is known once the first line has ended.
    s.head.append(bytes);
    if (s.head.find_first_of("\r\n") == std::string::npos && s.head.size() < bom_max_record_bytes) {
      return true;
    }
    s.started = true;
    std::string_view all = s.head;
    if (all.substr(0, 3) == "\xEF\xBB\xBF") all.remove_prefix(3);
    s.layout.delimiter = s.options.delimiter.value_or(DelimiterOf(all));
    s.Take(all);
    s.head.clear();
    return !s.problem;
  }
  s.Take(bytes);
  return !s.problem;
}

const BomProblem& BomReader::finish() {
  State& s = *state_;
  if (s.finished) return s.problem;
  if (!s.started && !s.problem) {
    s.started = true;
    std::string_view all = s.head;
    if (all.substr(0, 3) == "\xEF\xBB\xBF") all.remove_prefix(3);
    s.layout.delimiter = s.options.delimiter.value_or(DelimiterOf(all));
    s.Take(all);
  }
  s.finished = true;
  if (s.problem) return s.problem;
  s.quotePending = false;
  s.inQuotes = false;
  s.EndRecord();
  if (!s.layout.has_header && !s.problem) s.Stop(BomStop::no_records, "no records");
  return s.problem;
}

const BomProblem& BomReader::problem() const noexcept { return state_->problem; }

}  // namespace tarvil::wasm::standin
