// BomReader.cpp: the streaming reader of bills of materials: bytes in, CSV
// records found by following quotes (BomCsv.cpp splits them), the first
// records held until the header and columns are known (BomColumns.cpp),
// then one row at a time out (BomRows.cpp reads each).
#include "BomInternal.h"

namespace tarvil {
namespace {

// The first lines looked at for the delimiter, and the most bytes held for
// that.
constexpr long kSniffLines = 20;
constexpr std::size_t kSniffBytes = 64 * 1024;
// The records held before the header and columns are chosen: those the
// header is looked for in, and as many more to judge value columns by.
constexpr std::size_t kHeldRecords = 2 * bom_probe_records;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Where the record scanner stands.
enum class Scan { field_start, unquoted, quoted, quote_in_quoted, after_close, fault };

}  // namespace

struct BomReader::State {
  State(BomOptions o, RowHandler row, LayoutHandler lay)
      : options(std::move(o)), onRow(std::move(row)), onLayout(std::move(lay)) {}

  BomOptions options;
  RowHandler onRow;
  LayoutHandler onLayout;
  bom::FieldReader reader{options};
  bom::RowMaker rows{options, reader};
  BomProblem problem;
  bool finished = false;
  bool broken = false;  // a handler threw

  enum class Phase { sniff, probe, stream } phase = Phase::sniff;
  std::string prelude;
  long preludeLines = 0;

  Scan scan = Scan::field_start;
  std::string raw;  // the current record's bytes
  long line = 1;    // the line of the next byte
  long recordLine = 0;
  bool prevCR = false;
  bool skipLF = false;  // a '\r' ended a record: a '\n' right after it is its pair
  int lineEndSeen = 0;  // 0 none yet, 1 a '\r' first, 2 decided
  bool crossed = false;  // the record holds a line break inside quotes
  std::size_t firstBreak = 0;
  std::string replay;  // bytes to scan again after an unterminated quote

  bom::Fields fields;
  bom::Fields inner;
  std::vector<bom::Held> held;
  BomLayout layout;
  char innerDelimiter = ',';

  bool Stopped() const noexcept { return problem.stop != BomStop::none || broken; }

  void Push(std::string_view input);
  std::size_t ScanBytes(std::string_view bytes);
  void CountLine(char c) noexcept;
  bool Step(char c);
  bool RefuseLongRecord();
  bool Advance(char c, bool lineEnd);
  void EndRecord(BomFault fault);
  void Recover();
  void Record(std::string_view bytes, long at, BomFault fault);
  void Sniff();
  void Decide();
  void DetectQuotedWhole();
  void Deliver(std::span<const std::string_view> values, long at, BomFault fault);
  void Finish();
};

void BomReader::State::CountLine(char c) noexcept {
  if (c == '\r' || (c == '\n' && !prevCR)) ++line;
  if (lineEndSeen == 1) layout.crlf = c == '\n';
  if (lineEndSeen < 2 && (c == '\n' || c == '\r')) lineEndSeen = c == '\r' && lineEndSeen == 0 ? 1 : 2;
  prevCR = c == '\r';
}

void BomReader::State::Push(std::string_view input) {
  std::string owned;
  std::string_view rest = input;
  while (!rest.empty() && !Stopped()) {
    const std::size_t used = ScanBytes(rest);
    rest.remove_prefix(used);
    if (!replay.empty()) {
      // The bytes after an unterminated quote's line come before the rest.
      std::string next = std::move(replay);
      replay.clear();
      next.append(rest);
      owned = std::move(next);
      rest = owned;
    }
  }
}

// Scans `bytes` until their end or until a record must be read again;
// returns how many were used.
std::size_t BomReader::State::ScanBytes(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    // Inside a field, the bytes up to the next one that matters go at once.
    const bool plain = scan == Scan::unquoted || scan == Scan::quoted;
    if (plain && !raw.empty() && bytes[i] != '\n' && bytes[i] != '\r') {
      // A plain loop: find_first_of tests each byte against the set with a
      // call of its own.
      const char stop = scan == Scan::quoted ? '"' : layout.delimiter;
      std::size_t end = i;
      while (end < bytes.size() && bytes[end] != stop && bytes[end] != '\n' && bytes[end] != '\r') {
        ++end;
      }
      end = std::min(end, i + (bom_max_record_bytes - std::min(raw.size(), bom_max_record_bytes)));
      if (end > i) {
        raw.append(bytes.substr(i, end - i));
        i = end - 1;
        continue;
      }
    }
    if (!Step(bytes[i])) return i;
    if (Stopped()) return bytes.size();
  }
  return bytes.size();
}

// One byte; false when it must be scanned again after a recovery.
bool BomReader::State::Step(char c) {
  const bool lineEnd = c == '\n' || c == '\r';
  if (skipLF && c == '\n') {
    skipLF = false;
    CountLine(c);
    return true;
  }
  skipLF = false;
  if (lineEnd && scan != Scan::quoted) {
    if (!raw.empty()) EndRecord(scan == Scan::fault ? BomFault::character_after_quote : BomFault::none);
    skipLF = c == '\r';
    CountLine(c);
    return true;
  }
  if (raw.size() >= bom_max_record_bytes) return RefuseLongRecord();
  if (!Advance(c, lineEnd)) {
    // The quote that spans lines was never meant to: its line is the record.
    Recover();
    return false;
  }
  if (raw.empty()) recordLine = line;
  raw += c;
  if (lineEnd) CountLine(c);
  return true;
}

// A record at its size limit: one whose quote spans lines gives that quote
// up (false: the bytes after its first line are scanned again); any other
// stops the reader.
bool BomReader::State::RefuseLongRecord() {
  if ((scan == Scan::quoted || scan == Scan::quote_in_quoted) && crossed) {
    Recover();
    return false;
  }
  problem = {BomStop::record_too_long, "the record at line " + std::to_string(recordLine) +
                                           " is longer than 1 MiB"};
  return true;
}

// Moves the record scanner over `c` (a line end only inside quotes). False
// when a character other than a delimiter or blank follows the closing
// quote of a quote that spans lines. Inline: it runs for every byte that
// is not within a field.
inline bool BomReader::State::Advance(char c, bool lineEnd) {
  const char delimiter = layout.delimiter;
  switch (scan) {
    case Scan::field_start:
      scan = c == '"' ? Scan::quoted : bom::IsBlank(c) || c == delimiter ? Scan::field_start : Scan::unquoted;
      break;
    case Scan::unquoted:
      if (c == delimiter) scan = Scan::field_start;
      break;
    case Scan::quoted:
      if (c == '"') scan = Scan::quote_in_quoted;
      if (lineEnd && !crossed) {
        crossed = true;
        firstBreak = raw.size();
      }
      break;
    case Scan::quote_in_quoted:
    case Scan::after_close:
      if (c == '"' && scan == Scan::quote_in_quoted) {
        scan = Scan::quoted;
      } else if (c == delimiter) {
        scan = Scan::field_start;
      } else if (bom::IsBlank(c)) {
        scan = Scan::after_close;
      } else if (crossed) {
        return false;
      } else {
        scan = Scan::fault;
      }
      break;
    case Scan::fault:
      break;
  }
  return true;
}

void BomReader::State::EndRecord(BomFault fault) {
  Record(raw, recordLine, fault);
  raw.clear();
  scan = Scan::field_start;
  crossed = false;
}

// A quote left open across lines: the record is its first line, refused,
// and what follows that line is scanned again.
void BomReader::State::Recover() {
  Record(std::string_view(raw).substr(0, firstBreak), recordLine, BomFault::unterminated_quote);
  std::size_t after = firstBreak + 1;
  const bool pairCut = raw[firstBreak] == '\r' && after == raw.size();
  if (raw[firstBreak] == '\r' && after < raw.size() && raw[after] == '\n') ++after;
  replay.assign(raw, after, std::string::npos);
  line = recordLine + 1;
  prevCR = pairCut;
  skipLF = pairCut;
  raw.clear();
  scan = Scan::field_start;
  crossed = false;
}

void BomReader::State::Record(std::string_view bytes, long at, BomFault fault) {
  BomFault split = bom::SplitRecord(bytes, layout.delimiter, fields);
  if (fault != BomFault::none) split = fault;
  if (phase == Phase::stream) {
    Deliver(fields.Views(), at, split);
    return;
  }
  bom::Held record;
  for (std::string_view field : fields.Views()) record.fields.emplace_back(field);
  record.line = at;
  record.fault = split;
  held.push_back(std::move(record));
  if (held.size() == kHeldRecords) Decide();
}

void BomReader::State::Sniff() {
  if (prelude.starts_with(kByteOrderMark)) {
    layout.byte_order_mark = true;
    prelude.erase(0, kByteOrderMark.size());
  }
  // The first kSniffLines lines (at most kSniffBytes), however the input
  // was cut into chunks: the same file always gets the same delimiter.
  std::string_view window(prelude);
  window = window.substr(0, kSniffBytes);
  std::size_t end = 0;
  for (long lines = 0; lines < kSniffLines && end < window.size(); ++end) {
    if (window[end] == '\n') ++lines;
  }
  window = window.substr(0, end);
  layout.delimiter = options.delimiter.value_or(bom::SniffDelimiter(window));
  phase = Phase::probe;
  std::string bytes = std::move(prelude);
  prelude.clear();
  prelude.shrink_to_fit();
  Push(bytes);
}

void BomReader::State::DetectQuotedWhole() {
  std::size_t single = 0;
  std::size_t holding = 0;
  std::string joined;
  for (const bom::Held& record : held) {
    if (record.fault != BomFault::none) continue;
    if (record.fields.size() != 1) return;
    ++single;
    const std::string& field = record.fields.front();
    if (field.find_first_of(",;\t") != std::string::npos) ++holding;
    joined += field;
    joined += '\n';
  }
  if (single == 0 || 2 * holding < single) return;
  layout.quoted_whole = true;
  innerDelimiter = options.delimiter.value_or(bom::SniffDelimiter(joined));
  for (bom::Held& record : held) {
    if (record.fault != BomFault::none) continue;
    record.fault = bom::SplitRecord(record.fields.front(), innerDelimiter, inner);
    const auto views = inner.Views();
    record.fields.assign(views.begin(), views.end());
  }
  layout.delimiter = innerDelimiter;
}

void BomReader::State::Decide() {
  phase = Phase::stream;
  DetectQuotedWhole();
  const bom::LayoutChoice choice = bom::FindLayout(held, options, reader, layout);
  if (choice.problem) {
    problem = choice.problem;
    return;
  }
  rows.Start(layout);
  if (onLayout) onLayout(layout);
  std::vector<std::string_view> views;
  for (std::size_t r = 0; r < held.size() && !Stopped(); ++r) {
    if (r == choice.header && layout.has_header) continue;
    views.assign(held[r].fields.begin(), held[r].fields.end());
    const bool before = layout.has_header && r < choice.header;
    onRow(rows.Make(views, held[r].line, held[r].fault,
                    before ? bom::RecordPlace::kBeforeHeader : bom::RecordPlace::kBody));
  }
  held.clear();
  held.shrink_to_fit();
}

void BomReader::State::Deliver(std::span<const std::string_view> values, long at, BomFault fault) {
  if (layout.quoted_whole && fault == BomFault::none && values.size() == 1) {
    fault = bom::SplitRecord(values.front(), innerDelimiter, inner);
    values = inner.Views();
  }
  onRow(rows.Make(values, at, fault, bom::RecordPlace::kBody));
}

void BomReader::State::Finish() {
  if (phase == Phase::sniff) Sniff();
  while (!Stopped() && !raw.empty()) {
    if (scan == Scan::quoted && crossed) {
      Recover();
      std::string again = std::move(replay);
      replay.clear();
      Push(again);
      continue;
    }
    EndRecord(scan == Scan::quoted ? BomFault::unterminated_quote
              : scan == Scan::fault ? BomFault::character_after_quote
                                    : BomFault::none);
  }
  if (!Stopped() && phase == Phase::probe) Decide();
}

BomReader::BomReader(BomOptions options, RowHandler on_row, LayoutHandler on_layout)
    : state_(std::make_unique<State>(std::move(options), std::move(on_row), std::move(on_layout))) {}

BomReader::~BomReader() = default;

namespace {

// BrokenUnlessDone: marks the reader broken when a handler's exception
// leaves feed or finish (the guard is destroyed before Done() is reached).
// A guard rather than try/catch, so that the reader also builds without
// exceptions (the WebAssembly module), where a handler cannot throw.
class BrokenUnlessDone {
 public:
  explicit BrokenUnlessDone(bool& broken) noexcept : m_broken(broken) {}
  ~BrokenUnlessDone() {
    if (!m_done) m_broken = true;
  }
  BrokenUnlessDone(const BrokenUnlessDone&) = delete;
  BrokenUnlessDone& operator=(const BrokenUnlessDone&) = delete;
  void Done() noexcept { m_done = true; }

 private:
  bool& m_broken;
  bool m_done = false;
};

}  // namespace

bool BomReader::feed(std::string_view bytes) {
  State& s = *state_;
  if (s.finished || s.Stopped()) return false;
  BrokenUnlessDone guard(s.broken);
  if (s.phase != State::Phase::sniff) {
    s.Push(bytes);
  } else {
    s.prelude.append(bytes);
    for (char c : bytes) s.preludeLines += c == '\n' ? 1 : 0;
    if (s.preludeLines >= kSniffLines || s.prelude.size() >= kSniffBytes) s.Sniff();
  }
  guard.Done();
  return !s.Stopped();
}

const BomProblem& BomReader::finish() {
  State& s = *state_;
  if (s.finished || s.Stopped()) return s.problem;
  s.finished = true;
  BrokenUnlessDone guard(s.broken);
  s.Finish();
  guard.Done();
  return s.problem;
}

const BomProblem& BomReader::problem() const noexcept { return state_->problem; }

std::map<std::string, Quantity, std::less<>> BomOptions::default_prefixes() {
  return {{"R", Quantity::resistance},   {"RN", Quantity::resistance}, {"RA", Quantity::resistance},
          {"RM", Quantity::resistance},  {"RV", Quantity::resistance}, {"RT", Quantity::resistance},
          {"RP", Quantity::resistance},  {"C", Quantity::capacitance}, {"CV", Quantity::capacitance},
          {"CP", Quantity::capacitance}, {"L", Quantity::inductance}};
}

std::string_view bom_status_name(BomStatus status) noexcept {
  switch (status) {
    case BomStatus::read: return "read";
    case BomStatus::not_fitted: return "not-fitted";
    case BomStatus::refused: return "refused";
    case BomStatus::ambiguous: return "ambiguous";
    case BomStatus::skipped: return "skipped";
  }
  return "";
}

}  // namespace tarvil
