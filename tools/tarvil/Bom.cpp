// Bom.cpp: 'tarvil bom': the values of a bill of materials (CSV) checked
// row by row, each record written back with the outcome appended.
//
// The file is read in chunks and parsed by libcsv; each output record is
// written as soon as its input record is complete, so memory stays bounded
// by the longest record (at most kMaxLineBytes), whatever the file's size.
#include <csv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

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

const std::vector<OptionSpec> kBomOptions = {
    {"json", false},        {"help", false},         {"map", true},
    {"ref-column", true},   {"value-column", true},  {"delimiter", true},
    {"notation", true},     kSettingsOption,        kBareUnitOption,
};

constexpr const char* kAppendedColumns[] = {"tarvil_status", "tarvil_value",   "tarvil_unit",
                                            "tarvil_text",   "tarvil_error",   "tarvil_message"};
constexpr std::size_t kChunkBytes = 64 * 1024;
// A file larger than this shows its progress on a terminal.
constexpr long long kProgressBytes = 4LL * 1024 * 1024;

// libcsv grows a field's buffer through this function; refusing to go past
// the tool's line limit bounds the memory a single field may take.
void* BoundedRealloc(void* block, std::size_t size) {
  if (size > kMaxLineBytes + 1024) return nullptr;
  return std::realloc(block, size);
}

// Fields are kept as written: no blanks are trimmed.
int NoSpace(unsigned char) { return 0; }

std::string Trimmed(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && (text[first] == ' ' || text[first] == '\t')) ++first;
  while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t')) --last;
  return std::string(text.substr(first, last - first));
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The kinds a reference prefix may map to.
std::optional<Kind> ParseBomKind(const std::string& word) {
  const std::optional<Kind> kind = ParseKind(word);
  if (kind && (IsElectrical(*kind) || *kind == Kind::kNumber)) return kind;
  return std::nullopt;
}

// What the header says: the delimiter, the line end, and where the header
// ends. Quotes are followed so that a delimiter or line break inside a
// quoted field counts for nothing.
struct HeaderScan {
  bool complete = false;  // the header's line end was seen
  char delimiter = ',';
  bool crlf = false;
};

HeaderScan ScanHeader(std::string_view bytes, bool atEnd) {
  HeaderScan scan;
  long counts[3] = {0, 0, 0};
  constexpr char kCandidates[3] = {',', ';', '\t'};
  bool quoted = false;
  std::size_t i = 0;
  for (; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == '\n' || c == '\r')) {
      scan.complete = true;
      if (c == '\r') {
        if (i + 1 == bytes.size() && !atEnd) scan.complete = false;  // "\r\n" may be cut
        scan.crlf = i + 1 < bytes.size() && bytes[i + 1] == '\n';
      }
      break;
    } else if (!quoted) {
      for (int k = 0; k < 3; ++k) counts[k] += c == kCandidates[k] ? 1 : 0;
    }
  }
  if (atEnd) scan.complete = true;
  int best = 0;
  for (int k = 1; k < 3; ++k) {
    if (counts[k] > counts[best]) best = k;
  }
  scan.delimiter = counts[best] > 0 ? kCandidates[best] : ',';
  return scan;
}

struct BomOptions {
  std::optional<char> delimiter;
  std::optional<std::string> refColumn;
  std::optional<std::string> valueColumn;
  std::map<std::string, Kind> prefixes;
  Notation notation = Notation::any;
  bool json = false;
};

// One run over one input: the parser's callbacks land here.
class BomRun {
 public:
  BomRun(const BomOptions& options, const Setup& setup)
      : m_options(options), m_setup(setup) {
    // The written-back text has the built-in precision.
    const tarvil::Settings builtIn;
    m_textSettings = setup.settings;
    m_textSettings.precision = builtIn.precision;
    m_textSettings.suppress_trailing_zeros = builtIn.suppress_trailing_zeros;
    m_textNotation = options.notation == Notation::any ? Notation::si : options.notation;
  }

  // Stop: why the run ended early (a usage error or trouble); empty while
  // it goes on.
  const std::string& Stop() const { return m_stop; }
  bool StopIsUsage() const { return m_stopIsUsage; }

  void SetFormat(char delimiter, bool crlf, bool byteOrderMark) {
    m_delimiter = delimiter;
    m_lineEnd = crlf ? "\r\n" : "\n";
    m_byteOrderMark = byteOrderMark;
  }

  static void OnField(void* data, std::size_t size, void* self) {
    static_cast<BomRun*>(self)->Field(static_cast<const char*>(data), size);
  }
  static void OnRecord(int, void* self) { static_cast<BomRun*>(self)->Record(); }

  bool SawHeader() const { return m_sawHeader; }
  long Rows() const { return m_rows; }
  std::string Summary() const {
    return std::to_string(m_rows) + " rows, " + std::to_string(m_read) + " read, " +
           std::to_string(m_refused) + " refused, " + std::to_string(m_ambiguous) +
           " ambiguous, " + std::to_string(m_skipped) + " skipped";
  }
  bool AnyRefused() const { return m_refused + m_ambiguous > 0; }

 private:
  void Field(const char* data, std::size_t size) {
    if (!m_stop.empty()) return;
    m_recordBytes += size + 1;
    if (m_recordBytes > kMaxLineBytes) {
      m_stop = "record " + std::to_string(m_rows + 2) + " is longer than " +
               SizeText(kMaxLineBytes);
      return;
    }
    if (m_count == m_fields.size()) m_fields.emplace_back();
    m_fields[m_count++].assign(data != nullptr ? data : "", data != nullptr ? size : 0);
  }

  void Record() {
    if (m_stop.empty()) {
      if (!m_sawHeader) {
        Header();
      } else {
        Row();
      }
    }
    m_count = 0;
    m_recordBytes = 0;
  }

  std::string_view FieldAt(std::size_t index) const {
    return index < m_count ? std::string_view(m_fields[index]) : std::string_view();
  }

  // Finds a column: `named` when given, else the first of `names`.
  std::optional<std::size_t> Column(const std::optional<std::string>& named,
                                    std::initializer_list<const char*> names) const {
    std::vector<std::string> wanted;
    if (named) {
      wanted.push_back(Upper(Trimmed(*named)));
    } else {
      for (const char* name : names) wanted.push_back(Upper(name));
    }
    for (const std::string& name : wanted) {
      for (std::size_t i = 0; i < m_count; ++i) {
        if (Upper(Trimmed(m_fields[i])) == name) return i;
      }
    }
    return std::nullopt;
  }

  void Header() {
    m_sawHeader = true;
    const auto reference = Column(m_options.refColumn, {"Reference", "Designator", "Ref", "RefDes"});
    const auto value = Column(m_options.valueColumn, {"Value", "Val"});
    if (!reference || !value) {
      m_stopIsUsage = true;
      m_stop = !reference ? (m_options.refColumn ? "no column '" + *m_options.refColumn + "'"
                                                 : std::string("no reference column (Reference, "
                                                               "Designator, Ref or RefDes)"))
                          : (m_options.valueColumn
                                 ? "no column '" + *m_options.valueColumn + "'"
                                 : std::string("no value column (Value or Val)"));
      m_stop += " in the header";
      return;
    }
    m_refIndex = *reference;
    m_valueIndex = *value;
    m_width = m_count;
    if (m_options.json) return;
    m_out.clear();
    if (m_byteOrderMark) m_out += "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < m_count; ++i) AppendField(m_fields[i], i == 0);
    for (const char* name : kAppendedColumns) AppendField(name, false);
    m_out += m_lineEnd;
    Flush();
  }

  void AppendField(std::string_view text, bool first) {
    if (!first) m_out += m_delimiter;
    bool quote = false;
    for (char c : text) {
      if (c == m_delimiter || c == '"' || c == '\n' || c == '\r') {
        quote = true;
        break;
      }
    }
    if (!quote) {
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

  void Row() {
    ++m_rows;
    const std::string_view reference = FieldAt(m_refIndex);
    const std::string_view input = FieldAt(m_valueIndex);
    std::size_t first = 0;
    while (first < reference.size() && (reference[first] == ' ' || reference[first] == '\t')) {
      ++first;
    }
    std::size_t last = first;
    while (last < reference.size() && IsAsciiLetter(reference[last])) ++last;
    const auto found = m_options.prefixes.find(Upper(reference.substr(first, last - first)));
    if (found == m_options.prefixes.end()) {
      ++m_skipped;
      Write(reference, input, "skipped", std::nullopt, Reading{}, std::string());
      return;
    }
    const Kind kind = found->second;
    const auto result =
        tarvil::read(input, QuantityOf(kind), m_options.notation, m_setup.settings, m_setup.units);
    const Reading reading{static_cast<bool>(result), result.value, result.error, result.position};
    if (reading.accepted) {
      ++m_read;
      Write(reference, input, "read", kind, reading, std::string());
      return;
    }
    const bool ambiguous = reading.error == tarvil::Error::ambiguous;
    ++(ambiguous ? m_ambiguous : m_refused);
    const std::string hint = Hint(kind, input, m_options.notation, reading, m_setup);
    Write(reference, input, ambiguous ? "ambiguous" : "refused", kind, reading,
          Describe(input, reading, hint, m_setup.settings));
  }

  void Write(std::string_view reference, std::string_view input, const char* status,
             std::optional<Kind> kind, const Reading& reading, const std::string& message) {
    std::string value;
    std::string unit;
    std::string text;
    if (reading.accepted) {
      value = ShortestNumber(reading.value);
      unit = BaseUnitText(*kind);
      char buffer[128];
      const auto written = tarvil::write(buffer, buffer + sizeof buffer, reading.value,
                                         QuantityOf(*kind), m_textNotation, m_textSettings,
                                         m_setup.units, false);
      if (written.ec == std::errc()) text.assign(buffer, written.ptr);
    }
    const int error = static_cast<int>(reading.error);
    m_out.clear();
    if (m_options.json) {
      JsonObject object;
      object.AddInt("row", m_rows).AddString("ref", reference).AddString("input", input);
      object.AddString("status", status);
      if (kind) {
        object.AddString("kind", KindName(*kind));
      } else {
        object.AddNull("kind");
      }
      if (reading.accepted) {
        object.AddNumber("value", reading.value);
      } else {
        object.AddNull("value");
      }
      object.AddString("unit", unit).AddString("text", text);
      if (kind) {
        object.AddInt("error", error);
      } else {
        object.AddNull("error");
      }
      object.AddInt("cursor", reading.position).AddString("message", message);
      m_out = object.Text();
      m_out += '\n';
      Flush();
      return;
    }
    const std::size_t width = std::max(m_count, m_width);
    for (std::size_t i = 0; i < width; ++i) AppendField(FieldAt(i), i == 0);
    AppendField(status, width == 0);
    AppendField(value, false);
    AppendField(unit, false);
    AppendField(text, false);
    AppendField(kind ? std::to_string(error) : std::string(), false);
    AppendField(message, false);
    m_out += m_lineEnd;
    Flush();
  }

  const BomOptions& m_options;
  const Setup& m_setup;
  tarvil::Settings m_textSettings;
  Notation m_textNotation = Notation::si;
  char m_delimiter = ',';
  const char* m_lineEnd = "\n";
  bool m_byteOrderMark = false;

  std::vector<std::string> m_fields;  // reused from record to record
  std::size_t m_count = 0;            // fields of the current record
  std::size_t m_recordBytes = 0;
  bool m_sawHeader = false;
  std::size_t m_refIndex = 0;
  std::size_t m_valueIndex = 0;
  std::size_t m_width = 0;  // fields of the header
  std::string m_out;

  long m_rows = 0;
  long m_read = 0;
  long m_refused = 0;
  long m_ambiguous = 0;
  long m_skipped = 0;
  std::string m_stop;
  bool m_stopIsUsage = false;
};

// The progress line, on a terminal only.
class Progress {
 public:
  Progress(std::FILE* file) {
    struct stat info {};
    if (::isatty(STDERR_FILENO) == 1 && ::fstat(::fileno(file), &info) == 0 &&
        S_ISREG(info.st_mode) && info.st_size > kProgressBytes) {
      m_total = info.st_size;
    }
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
bool ReadBomOptions(const CommandLine& line, BomOptions& options, std::string& error) {
  options.prefixes = {{"R", Kind::kOhms}, {"C", Kind::kFarads}, {"L", Kind::kHenrys}};
  if (auto word = line.Value("delimiter")) {
    std::string d = *word;
    if (d == "tab" || d == "\\t") d = "\t";
    if (d.size() != 1 || d[0] == '"' || d[0] == '\n' || d[0] == '\r') {
      error = "--delimiter needs one character (or 'tab'), not '" + *word + "'";
      return false;
    }
    options.delimiter = d[0];
  }
  options.refColumn = line.Value("ref-column");
  options.valueColumn = line.Value("value-column");
  if (auto word = line.Value("notation")) {
    const std::optional<Notation> notation = ParseNotation(*word);
    if (!notation) {
      error = "unknown notation '" + *word + "'";
      return false;
    }
    options.notation = *notation;
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
    options.prefixes[Upper(prefix)] = *kind;
  }
  options.json = line.Has("json");
  return true;
}

}  // namespace

int RunBom(const Arguments& args) {
  const std::string command = "bom";
  CommandLine line;
  std::string error;
  if (!line.Parse(args, kBomOptions, error)) return UsageTrouble(command, error);
  if (line.Has("help")) return PrintHelp(command) ? 0 : 2;
  BomOptions options;
  if (!ReadBomOptions(line, options, error)) return UsageTrouble(command, error);
  Setup setup;
  if (!ChooseSettings(line, setup, error)) return UsageTrouble(command, error);
  if (!ChooseBareUnits(line, setup.settings, error)) return UsageTrouble(command, error);
  if (line.Operands().size() != 1) {
    return UsageTrouble(command, "one FILE is needed ('-' for standard input)");
  }
  const std::string source = line.Operands().front();
  const bool standardInput = source == "-";
  const std::string shown = standardInput ? std::string("standard input") : "'" + source + "'";

  Session session(command, options.json);
  std::FILE* file = standardInput ? stdin : std::fopen(source.c_str(), "rb");
  if (file == nullptr) {
    session.Trouble("cannot open " + shown + ": " + std::strerror(errno));
    return session.Finish();
  }
  struct stat info {};
  if (::fstat(::fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
    if (!standardInput) std::fclose(file);
    session.Trouble("cannot read " + shown + ": " + std::strerror(EISDIR));
    return session.Finish();
  }

  BomRun run(options, setup);
  Progress progress(file);
  csv_parser parser{};
  bool parserReady = false;
  std::string pending;  // bytes before the header's end is known
  std::vector<char> chunk(kChunkBytes);
  long long done = 0;
  std::string problem;

  const auto feed = [&](const char* data, std::size_t size) {
    if (csv_parse(&parser, data, size, BomRun::OnField, BomRun::OnRecord, &run) != size) {
      problem = csv_error(&parser) == CSV_ENOMEM
                    ? "a field is longer than " + SizeText(kMaxLineBytes)
                    : std::string(csv_strerror(csv_error(&parser)));
    }
  };
  const auto start = [&](bool atEnd) {
    bool byteOrderMark = pending.rfind("\xEF\xBB\xBF", 0) == 0;
    if (byteOrderMark) pending.erase(0, 3);
    const HeaderScan scan = ScanHeader(pending, atEnd);
    if (!scan.complete) {
      if (pending.size() > kMaxLineBytes) problem = "the header is longer than " + SizeText(kMaxLineBytes);
      return;
    }
    csv_init(&parser, 0);
    csv_set_delim(&parser, static_cast<unsigned char>(options.delimiter.value_or(scan.delimiter)));
    csv_set_space_func(&parser, NoSpace);
    csv_set_realloc_func(&parser, BoundedRealloc);
    parserReady = true;
    run.SetFormat(options.delimiter.value_or(scan.delimiter), scan.crlf, byteOrderMark);
    feed(pending.data(), pending.size());
    pending.clear();
    pending.shrink_to_fit();
  };

  while (problem.empty() && run.Stop().empty()) {
    const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file);
    if (got == 0) break;
    done += static_cast<long long>(got);
    if (!parserReady) {
      pending.append(chunk.data(), got);
      start(false);
    } else {
      feed(chunk.data(), got);
    }
    progress.Update(done, run.Rows());
  }
  const bool readFailed = std::ferror(file) != 0;
  const int readError = errno;
  if (!readFailed && problem.empty() && run.Stop().empty()) {
    if (!parserReady && !pending.empty()) start(true);
    if (parserReady && problem.empty()) {
      csv_fini(&parser, BomRun::OnField, BomRun::OnRecord, &run);
    }
  }
  if (parserReady) csv_free(&parser);
  if (!standardInput) std::fclose(file);
  progress.Clear();

  if (run.StopIsUsage()) return UsageTrouble(command, run.Stop() + " of " + shown);
  if (readFailed) {
    session.Trouble("cannot read " + shown + ": " + std::strerror(readError != 0 ? readError : EIO));
  } else if (!problem.empty()) {
    session.Trouble("cannot read " + shown + ": " + problem);
  } else if (!run.Stop().empty()) {
    session.Trouble("cannot read " + shown + ": " + run.Stop());
  } else if (!run.SawHeader()) {
    return UsageTrouble(command, shown + " has no header");
  }
  if (run.AnyRefused()) session.Refused();
  session.Note(run.Summary());
  return session.Finish();
}

}  // namespace tarvil::tool
