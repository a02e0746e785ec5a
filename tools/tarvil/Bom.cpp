// Bom.cpp: 'tarvil bom': the values of a bill of materials (CSV) checked
// row by row by the library's reader (<tarvil/bom.h>), each record written
// back with the outcome appended.
//
// The input is read in chunks and each output record is written as soon as
// the reader gives its row, so memory stays bounded by the longest record
// (tarvil::bom_max_record_bytes) and the few records the reader holds while
// it looks for the header, whatever the file's size.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <unordered_map>

#include <tarvil/bom.h>
#include <tarvil/tarvil.h>

#include "Commands.h"
#include "Input.h"
#include "Json.h"
#include "LibrarySetup.h"
#include "Options.h"
#include "Session.h"
#include "Values.h"

namespace tarvil::tool {

namespace {

const CommandSpec kBom = {
    "bom",
    {Valued("map"), Valued("ref-column"), Valued("value-column"), Valued("delimiter"),
     Valued("notation"), Flag("no-header"), kBareUnitOption}};

constexpr const char* kAppendedColumns[] = {
    "tarvil_status",    "tarvil_value",   "tarvil_unit",     "tarvil_text",
    "tarvil_error",     "tarvil_message", "tarvil_fitted",   "tarvil_tolerance",
    "tarvil_voltage",   "tarvil_current", "tarvil_power",    "tarvil_dielectric",
    "tarvil_package"};
constexpr std::size_t kChunkBytes = 64 * 1024;
// A file larger than this shows its progress on a terminal.
constexpr long long kProgressBytes = 4LL * 1024 * 1024;
// The most prefix names the summary counts one by one; the rest are "others".
constexpr std::size_t kNamedPrefixes = 50;
// The most outcomes of distinct value fields the command keeps at once.
constexpr std::size_t kKeptOutcomes = 4096;

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The tool's kind of a quantity a prefix maps to.
Kind KindOf(Quantity quantity) {
  switch (quantity) {
    case Quantity::resistance: return Kind::kOhms;
    case Quantity::capacitance: return Kind::kFarads;
    case Quantity::inductance: return Kind::kHenrys;
    case Quantity::voltage: return Kind::kVolts;
    case Quantity::current: return Kind::kAmps;
    case Quantity::power: return Kind::kWatts;
    case Quantity::number: break;
  }
  return Kind::kNumber;
}

// The kinds a reference prefix may map to.
std::optional<Kind> ParseBomKind(const std::string& word) {
  const std::optional<Kind> kind = ParseKind(word);
  if (kind && (IsElectrical(*kind) || *kind == Kind::kNumber)) return kind;
  return std::nullopt;
}

// A message on one line: its line breaks become "; ".
std::string OneLine(std::string_view text) {
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      line += "; ";
    } else {
      line += c;
    }
  }
  return line;
}

// A tolerance for scripts: relative ones as fractions, absolute ones in the
// base unit with the unit after them; '+PLUS/-MINUS' when they differ.
std::string ToleranceText(const Tolerance& tolerance, const std::string& unit) {
  std::string text = tolerance.plus == tolerance.minus
                         ? ShortestNumber(tolerance.plus)
                         : "+" + ShortestNumber(tolerance.plus) + "/-" + ShortestNumber(tolerance.minus);
  if (!tolerance.relative) text += " " + unit;
  return text;
}

struct BomOptionsOfLine {
  tarvil::BomOptions reader;
  std::map<std::string, Kind> kinds;  // what --map gave, for the hint of a prefix
  bool json = false;
};

// The counts of the summary.
struct Counts {
  long rows = 0, read = 0, refused = 0, ambiguous = 0, skipped = 0, notFitted = 0, before = 0;
  std::map<std::string, long> prefixes;  // skipped for having no kind
  long otherPrefixes = 0;
};

// One run over one input: the reader's rows land here and are written out.
class BomRun {
 public:
  BomRun(const BomOptionsOfLine& options, const Setup& setup) : m_options(options), m_setup(setup) {
    // The written-back text has the built-in precision.
    const tarvil::Settings builtIn;
    m_textSettings = setup.settings;
    m_textSettings.precision = builtIn.precision;
    m_textSettings.suppress_trailing_zeros = builtIn.suppress_trailing_zeros;
    const Notation notation = options.reader.notation;
    m_textNotation = notation == Notation::any ? Notation::si : notation;
  }

  void Layout(const tarvil::BomLayout& layout) {
    m_layout = layout;
    if (m_options.json) return;
    m_out.clear();
    if (layout.byte_order_mark) m_out += "\xEF\xBB\xBF";
    // Without a header the input's columns get empty names.
    for (std::size_t i = 0; i < layout.width; ++i) {
      AppendField(layout.has_header ? std::string_view(layout.header[i]) : std::string_view(), i == 0);
    }
    for (const char* name : kAppendedColumns) AppendField(name, /*first=*/false);
    m_out += LineEnd();
    Flush();
  }

  void Row(const tarvil::BomRow& row) {
    Count(row);
    if (row.skip == tarvil::BomSkip::before_header) return;
    const Outcome& outcome = CachedOutcomeOf(row);
    m_out.clear();
    if (m_options.json) {
      WriteJson(row, outcome);
    } else {
      WriteCsv(row, outcome);
    }
    Flush();
  }

  const Counts& Totals() const { return m_counts; }

 private:
  // What the appended columns say about a row.
  struct Outcome {
    std::optional<Kind> kind;
    std::string value, unit, text, error, message;
    bool valued = false;
  };

  const char* LineEnd() const { return m_layout.crlf ? "\r\n" : "\n"; }

  void Count(const tarvil::BomRow& row) {
    if (row.skip == tarvil::BomSkip::before_header) {
      ++m_counts.before;
      return;
    }
    ++m_counts.rows;
    switch (row.status) {
      case tarvil::BomStatus::read: ++m_counts.read; break;
      case tarvil::BomStatus::not_fitted: ++m_counts.notFitted; break;
      case tarvil::BomStatus::refused: ++m_counts.refused; break;
      case tarvil::BomStatus::ambiguous: ++m_counts.ambiguous; break;
      case tarvil::BomStatus::skipped: ++m_counts.skipped; break;
    }
    if (row.skip != tarvil::BomSkip::no_kind || row.prefix.empty()) return;
    const std::string prefix = Upper(row.prefix);
    auto found = m_counts.prefixes.find(prefix);
    if (found != m_counts.prefixes.end()) {
      ++found->second;
    } else if (m_counts.prefixes.size() < kNamedPrefixes) {
      m_counts.prefixes.emplace(prefix, 1);
    } else {
      ++m_counts.otherPrefixes;
    }
  }

  // The hint of a prefix without a kind: the kind of its first letter when
  // that has one ('--map RC=ohms').
  std::string PrefixHint(std::string_view prefix) const {
    const std::string upper = Upper(prefix);
    const auto found = m_options.reader.prefixes.find(upper.substr(0, 1));
    const bool known = found != m_options.reader.prefixes.end();
    return " (--map " + upper + "=" + (known ? KindName(KindOf(found->second)) : "KIND") + ")";
  }

  // The outcome of a row whose value field was read (or refused) is the
  // same for every row of the same kind and field, and bills of materials
  // repeat their values: those outcomes are kept, up to kKeptOutcomes of
  // them (then forgotten all at once), so the memory stays bounded.
  const Outcome& CachedOutcomeOf(const tarvil::BomRow& row) {
    const bool reading = row.quantity && row.status != tarvil::BomStatus::skipped &&
                         row.fault == tarvil::BomFault::none;
    if (!reading) return m_single = OutcomeOf(row);
    m_key.assign(1, static_cast<char>('0' + static_cast<int>(*row.quantity)));
    m_key.append(row.value_field);
    if (const auto found = m_outcomes.find(m_key); found != m_outcomes.end()) return found->second;
    if (m_outcomes.size() >= kKeptOutcomes) m_outcomes.clear();
    return m_outcomes.emplace(m_key, OutcomeOf(row)).first->second;
  }

  Outcome OutcomeOf(const tarvil::BomRow& row) const {
    Outcome outcome;
    if (row.quantity) outcome.kind = KindOf(*row.quantity);
    outcome.message = row.message;
    if (row.skip == tarvil::BomSkip::no_kind && !row.prefix.empty()) outcome.message += PrefixHint(row.prefix);
    const bool reading = row.status != tarvil::BomStatus::skipped && row.fault == tarvil::BomFault::none;
    if (!reading) return outcome;
    outcome.error = std::to_string(static_cast<int>(row.part.error));
    if (!row.part) {
      const Reading refused{.error = row.part.error, .position = row.part.position};
      const std::string hint = Hint(*outcome.kind, row.value_field, m_options.reader.notation, refused, m_setup);
      outcome.message = Describe(row.value_field, refused, hint, m_setup, row.quantity);
      return outcome;
    }
    if (!row.part.value.has_value) return outcome;
    const double value = row.part.value.value;
    outcome.valued = true;
    outcome.value = ShortestNumber(value);
    outcome.unit = BaseUnitText(*outcome.kind);
    char buffer[128];
    const auto written = tarvil::write(buffer, buffer + sizeof buffer, value, *row.quantity, m_textNotation,
                                       m_textSettings, m_setup.units, /*with_unit=*/false);
    if (written.ec == std::errc()) outcome.text.assign(buffer, written.ptr);
    return outcome;
  }

  // The attributes of a part, as text for scripts (empty where absent).
  struct Attributes {
    std::string fitted, tolerance, voltage, current, power;
    std::string_view dielectric, package;
  };
  static Attributes AttributesOf(const tarvil::BomRow& row, const Outcome& outcome) {
    Attributes a;
    const bool reading = row.part && (row.status == tarvil::BomStatus::read ||
                                      row.status == tarvil::BomStatus::not_fitted);
    if (!reading) return a;
    const Part& part = row.part.value;
    a.fitted = part.fitted ? "yes" : "no";
    if (part.tolerance) a.tolerance = ToleranceText(*part.tolerance, outcome.unit);
    if (part.voltage) a.voltage = ShortestNumber(*part.voltage);
    if (part.current) a.current = ShortestNumber(*part.current);
    if (part.power) a.power = ShortestNumber(*part.power);
    a.dielectric = part.dielectric;
    a.package = part.package;
    return a;
  }

  void WriteCsv(const tarvil::BomRow& row, const Outcome& outcome) {
    const std::size_t width = m_layout.width;
    const std::size_t count = row.fields.size();
    const std::size_t kept = count > width && width > 0 ? width - 1 : std::max(count, width);
    for (std::size_t i = 0; i < kept; ++i) {
      AppendField(i < count ? row.fields[i] : std::string_view(), i == 0);
    }
    if (kept < count) {
      // Fields beyond the header's stay together in its last column, so the
      // appended columns stand under their names.
      std::string rest(row.fields[kept]);
      for (std::size_t i = kept + 1; i < count; ++i) (rest += m_layout.delimiter) += row.fields[i];
      AppendField(rest, kept == 0);
    }
    const Attributes a = AttributesOf(row, outcome);
    const std::string message = OneLine(outcome.message);
    const std::string_view columns[] = {
        tarvil::bom_status_name(row.status), outcome.value, outcome.unit, outcome.text, outcome.error,
        message, a.fitted, a.tolerance, a.voltage, a.current, a.power, a.dielectric,
        a.package};
    bool first = width == 0 && count == 0;
    for (std::string_view column : columns) {
      AppendField(column, first);
      first = false;
    }
    m_out += LineEnd();
  }

  static void AddOptional(JsonObject& object, const char* key, const std::optional<double>& value) {
    if (value) {
      object.AddNumber(key, *value);
    } else {
      object.AddNull(key);
    }
  }

  void WriteJson(const tarvil::BomRow& row, const Outcome& outcome) {
    JsonObject object;
    object.AddInt("row", row.row).AddInt("line", row.line).AddString("ref", row.reference);
    object.AddString("input", row.value_field).AddString("status", tarvil::bom_status_name(row.status));
    if (outcome.kind) {
      object.AddString("kind", KindName(*outcome.kind));
    } else {
      object.AddNull("kind");
    }
    AddOptional(object, "value", outcome.valued ? std::optional<double>(row.part.value.value) : std::nullopt);
    object.AddString("unit", outcome.unit).AddString("text", outcome.text);
    if (outcome.error.empty()) {
      object.AddNull("error");
    } else {
      object.AddInt("error", static_cast<int>(row.part.error));
    }
    object.AddInt("cursor", row.part.position).AddString("message", outcome.message);
    const bool reading = !outcome.error.empty() && row.part;
    const Part& part = row.part.value;
    if (reading) {
      object.AddBool("fitted", part.fitted);
    } else {
      object.AddNull("fitted");
    }
    if (reading && part.tolerance) {
      JsonObject tolerance;
      tolerance.AddNumber("minus", part.tolerance->minus).AddNumber("plus", part.tolerance->plus);
      tolerance.AddBool("relative", part.tolerance->relative);
      object.AddRaw("tolerance", tolerance.Text());
    } else {
      object.AddNull("tolerance");
    }
    AddOptional(object, "voltage", reading ? part.voltage : std::nullopt);
    AddOptional(object, "current", reading ? part.current : std::nullopt);
    AddOptional(object, "power", reading ? part.power : std::nullopt);
    object.AddString("dielectric", reading ? part.dielectric : "");
    object.AddString("package", reading ? part.package : "");
    m_out = object.Text();
    m_out += '\n';
  }

  void AppendField(std::string_view text, bool first) {
    const char delimiter = m_layout.delimiter;
    if (!first) m_out += delimiter;
    // A plain test of each byte (find_first_of makes a call per byte).
    const bool quoted = std::any_of(text.begin(), text.end(), [delimiter](char c) {
      return c == delimiter || c == '"' || c == '\n' || c == '\r';
    });
    if (!quoted) {
      m_out.append(text);
      return;
    }
    m_out += '"';
    for (char c : text) {
      if (c == '"') m_out += '"';
      m_out += c;
    }
    m_out += '"';
  }

  void Flush() { std::fwrite(m_out.data(), 1, m_out.size(), stdout); }

  const BomOptionsOfLine& m_options;
  const Setup& m_setup;
  tarvil::Settings m_textSettings;
  Notation m_textNotation = Notation::si;
  tarvil::BomLayout m_layout;
  std::string m_out;
  Counts m_counts;
  // Outcomes by quantity and value field (CachedOutcomeOf).
  std::unordered_map<std::string, Outcome> m_outcomes;
  std::string m_key;
  Outcome m_single;
};

// The progress line, on a terminal only.
class Progress {
 public:
  explicit Progress(long long size) {
    if (::isatty(STDERR_FILENO) == 1 && size > kProgressBytes) m_total = size;
  }
  void Update(long long done, long rows) {
    if (m_total == 0) return;
    const int percent = static_cast<int>(done * 100 / m_total);
    if (percent == m_shown) return;
    m_shown = percent;
    std::fprintf(stderr, "\rtarvil: bom: %d%% (%ld rows)", percent, rows);
    m_drawn = true;
  }
  void Clear() {
    if (m_drawn) std::fprintf(stderr, "\r%60s\r", "");
    m_drawn = false;
  }

 private:
  long long m_total = 0;
  int m_shown = -1;
  bool m_drawn = false;
};

// Reads the options; false with a usage error in `error`.
bool ReadBomOptions(const CommandLine& line, BomOptionsOfLine& options, std::string& error) {
  tarvil::BomOptions& reader = options.reader;
  if (auto word = line.Value("delimiter")) {
    std::string d = *word;
    if (d == "tab" || d == "\\t") d = "\t";
    if (d.size() != 1 || d[0] == '"' || d[0] == '\n' || d[0] == '\r') {
      error = "--delimiter needs one character (or 'tab'), not '" + *word + "'";
      return false;
    }
    reader.delimiter = d[0];
  }
  reader.reference_column = line.Value("ref-column");
  reader.value_column = line.Value("value-column");
  reader.no_header = line.Has("no-header");
  if (auto word = line.Value("notation")) {
    const std::optional<Notation> notation = ParseNotation(*word);
    if (!notation) {
      error = "unknown notation '" + *word + "'";
      return false;
    }
    reader.notation = *notation;
  }
  for (const std::string& map : line.Values("map")) {
    const std::size_t equals = map.find('=');
    const std::string prefix = equals == std::string::npos ? std::string() : map.substr(0, equals);
    const std::optional<Kind> kind =
        equals == std::string::npos ? std::nullopt : ParseBomKind(map.substr(equals + 1));
    bool letters = !prefix.empty();
    for (char c : prefix) letters = letters && IsAsciiLetter(c);
    if (!letters || !kind) {
      error = "--map needs PREFIX=KIND (letters, then ohms, farads, henrys, volts, amps, watts "
              "or number), not '" + map + "'";
      return false;
    }
    reader.prefixes[Upper(prefix)] = QuantityOf(*kind);
  }
  options.json = line.Has("json");
  return true;
}

// Where the bytes come from: a regular file through the library's reader of
// files, or standard input or a named pipe, streamed here.
class Source {
 public:
  explicit Source(const std::string& operand) {
    if (operand == "-") {
      m_fd = STDIN_FILENO;
      return;
    }
    m_file.emplace(operand);
    if (m_file->ok()) {
      struct stat info {};
      if (::stat(operand.c_str(), &info) == 0) m_size = info.st_size;
      return;
    }
    m_problem = "cannot open '" + operand + "': " + m_file->problem();
    struct stat info {};
    if (::stat(operand.c_str(), &info) == 0 && S_ISFIFO(info.st_mode)) {
      m_owned = ::open(operand.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
      m_fd = m_owned;
      m_problem = m_fd < 0 ? "cannot open '" + operand + "': " + std::strerror(errno) : std::string();
    }
  }
  ~Source() {
    if (m_owned >= 0) ::close(m_owned);
  }
  Source(const Source&) = delete;
  Source& operator=(const Source&) = delete;

  const std::string& Problem() const { return m_problem; }
  long long Size() const { return m_size; }
  // Read: bytes into `buffer`: the count, 0 at the end, -1 on an error
  // (Problem() then says why).
  long Read(char* buffer, std::size_t size) {
    if (m_fd < 0) {
      const long got = m_file->read(buffer, size);
      if (got < 0) m_problem = m_file->problem();
      return got;
    }
    for (;;) {
      const ssize_t got = ::read(m_fd, buffer, size);
      if (got >= 0) return static_cast<long>(got);
      if (errno == EINTR) continue;
      m_problem = std::strerror(errno);
      return -1;
    }
  }

 private:
  std::optional<tarvil::BomFile> m_file;
  int m_fd = -1;
  int m_owned = -1;
  long long m_size = 0;
  std::string m_problem;
};

void Summarise(Session& session, const Counts& c) {
  std::string summary = std::to_string(c.rows) + " rows, " + std::to_string(c.read) + " read, " +
                        std::to_string(c.refused) + " refused, " + std::to_string(c.ambiguous) +
                        " ambiguous, " + std::to_string(c.skipped) + " skipped";
  if (c.notFitted > 0) summary += ", " + std::to_string(c.notFitted) + " not fitted";
  if (c.before > 0) summary += ", " + std::to_string(c.before) + " records before the header";
  session.Note(summary);
  if (c.prefixes.empty()) return;
  std::string prefixes = "skipped prefixes:";
  for (const auto& [name, count] : c.prefixes) prefixes += " " + name + " " + std::to_string(count) + ",";
  prefixes.pop_back();
  if (c.otherPrefixes > 0) prefixes += ", others " + std::to_string(c.otherPrefixes);
  session.Note(prefixes);
}

// ReadAll: the bytes of `source` fed to `reader` chunk by chunk, with the
// progress shown meanwhile; the reader's problem once it is done.
// `readFailed` tells whether reading the source failed.
const tarvil::BomProblem& ReadAll(Source& source, tarvil::BomReader& reader, const BomRun& run,
                                  bool& readFailed) {
  Progress progress(source.Size());
  std::vector<char> chunk(kChunkBytes);
  long long done = 0;
  readFailed = false;
  for (;;) {
    const long got = source.Read(chunk.data(), chunk.size());
    readFailed = got < 0;
    if (got <= 0) break;
    done += got;
    if (!reader.feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)))) break;
    progress.Update(done, run.Totals().rows);
  }
  const tarvil::BomProblem& problem = readFailed ? reader.problem() : reader.finish();
  progress.Clear();
  return problem;
}

}  // namespace

int RunBom(const Arguments& args) {
  BomOptionsOfLine options;
  OpenedCommand opened;
  const OpeningSteps steps{
      .beforeSettings =
          [&](const CommandLine& line, std::string& error) {
            return ReadBomOptions(line, options, error);
          },
      .afterSettings =
          [&](const CommandLine& line, Setup& setup, std::string& error) {
            if (!ChooseBareUnits(line, setup.settings, error)) return false;
            if (line.Operands().size() != 1) error = "one FILE is needed ('-' for standard input)";
            return error.empty();
          }};
  if (const auto done = OpenCommand(kBom, args, steps, opened)) return *done;
  const std::string command = kBom.name;
  const Setup& setup = opened.setup;
  Session& session = *opened.session;
  const std::string operand = opened.line.Operands().front();
  const std::string shown = operand == "-" ? std::string("standard input") : "'" + operand + "'";
  options.reader.settings = setup.settings;
  options.reader.units = setup.units;

  Source source(operand);
  if (!source.Problem().empty()) {
    session.Trouble(source.Problem());
    return session.Finish();
  }
  BomRun run(options, setup);
  tarvil::BomReader reader(
      options.reader, [&](const tarvil::BomRow& row) { run.Row(row); },
      [&](const tarvil::BomLayout& layout) { run.Layout(layout); });
  bool readFailed = false;
  const tarvil::BomProblem& problem = ReadAll(source, reader, run, readFailed);
  switch (problem.stop) {
    case tarvil::BomStop::no_records: return UsageTrouble(command, shown + " has no records");
    case tarvil::BomStop::no_reference_column:
    case tarvil::BomStop::no_value_column: return UsageTrouble(command, problem.message + " of " + shown);
    case tarvil::BomStop::record_too_long:
    case tarvil::BomStop::unreadable: session.Trouble("cannot read " + shown + ": " + problem.message); break;
    case tarvil::BomStop::none: break;
  }
  if (readFailed) session.Trouble("cannot read " + shown + ": " + source.Problem());
  const Counts& counts = run.Totals();
  if (counts.refused + counts.ambiguous > 0) session.Refused();
  Summarise(session, counts);
  return session.Finish();
}

}  // namespace tarvil::tool
