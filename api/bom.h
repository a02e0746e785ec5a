// bom.h: checking the values of a bill of materials (CSV as design tools
// and spreadsheets export it), one row at a time, in constant memory. The
// values themselves are read by read_part of <tarvil/tarvil.h>.
//
// A BomReader takes the file's bytes in chunks of any size and calls back
// once per record, in order, as soon as the record is complete; it keeps no
// more than a few dozen records (the first ones, while it looks for the
// header) and never more than bom_max_record_bytes of one record.
// read_bom_file feeds it a file named by a user.
//
// What it finds by itself, so that exports read without options:
// - the delimiter (',', ';' or tab: the one on most of the first lines),
//   a UTF-8 byte order mark, CRLF line ends;
// - the header: the first of the first 20 records that names both a
//   reference column and a value column (bom_reference_names,
//   bom_value_names; case, blanks, '_' and a trailing "(s)" ignored); the
//   records before it are reported as skipped (BomSkip::before_header).
//   Of several value columns, the one whose cells read as values of their
//   row's kind most often among the first records wins (ties: the order of
//   bom_value_names);
// - no header at all (no record among the first 20 names a reference
//   column, or BomOptions::no_header): the reference column is the one
//   whose fields look like references ('C1', 'R10,R11', 'R12 .. R23') in
//   most of the first records, the value column the other one whose fields
//   read most often as values of their row's kind (a field with a prefix or
//   unit counts twice a bare number);
// - records quoted whole: when every one of the first records is a single
//   field holding a delimiter, each record's field is read as the record;
// - section lines ("Resistors": one non-empty field, no reference) are
//   skipped with BomSkip::section.
// CSV: fields separated by the delimiter, records by "\n", "\r\n" or "\r";
// a field whose first character other than blanks is '"' is quoted (the
// blanks are dropped), holds delimiters and line breaks, and writes '"' as
// '""'; blanks after its closing quote are dropped. A '"' inside an
// unquoted field is an ordinary character. Empty lines are no records.
//
// Faulty records are refused (BomStatus::refused, BomFault) with their
// fields as far as they could be read, and reading goes on: a character
// other than a blank, the delimiter or a line end after a closing quote
// (the rest of the line is the field's; reading resumes at the next line);
// a quote that is never closed (the record is its first line; reading
// resumes at the line after it, so rows are never merged); a record with
// more fields than the header.
#ifndef TARVIL_BOM_H
#define TARVIL_BOM_H

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <tarvil/tarvil.h>

namespace [[gnu::visibility("default")]] tarvil {

// bom_max_record_bytes: the longest record read (line ends and quotes
// counted), and the bound of the memory one record may take.
inline constexpr std::size_t bom_max_record_bytes = 1024 * 1024;

// bom_probe_records: how many records the reader looks at before it decides
// on the header and the columns.
inline constexpr std::size_t bom_probe_records = 20;

// The names of the reference and value columns that a header is found by,
// in the order of preference, written as compared: lower case, without
// blanks and '_'. A trailing "(s)" of a header cell is dropped before the
// comparison.
[[nodiscard]] std::span<const std::string_view> bom_reference_names() noexcept;
[[nodiscard]] std::span<const std::string_view> bom_value_names() noexcept;

// BomStatus: what became of a row. `read` and `not_fitted` have a value (or
// for not_fitted, maybe none); `refused` and `ambiguous` carry the refusal
// in BomRow::part, or a BomFault; `skipped` rows are not read (BomSkip
// says why).
enum class BomStatus { read, not_fitted, refused, ambiguous, skipped };

// BomSkip: why a row was skipped.
enum class BomSkip {
  none,
  before_header,  // a record before the header (a title, a date)
  section,        // one non-empty field and no reference ("Resistors")
  no_reference,   // the reference field is empty
  no_kind,        // the reference's prefix maps to no quantity
};

// BomFault: why a record was refused as CSV.
enum class BomFault {
  none,
  too_many_fields,          // more fields than the header
  unterminated_quote,       // a quoted field never closed
  character_after_quote,    // something other than a delimiter after a closing quote
};

// BomRow: one record and what became of it. The views and the span point
// into the reader's buffers and stay valid until the callback returns.
struct BomRow {
  long row = 0;   // 1-based among the records after the header (all, without one); 0 before it
  long line = 0;  // 1-based line of the input where the record begins
  std::span<const std::string_view> fields;  // the record's fields, unquoted
  std::string_view reference;                // the reference field, blanks trimmed
  std::string_view prefix;                   // its leading ASCII letters ('RN' of 'RN3')
  std::string_view value_field;              // the value field as written
  std::optional<Quantity> quantity;          // the prefix's quantity, when it has one
  Result<Part> part;                         // the reading; error none unless refused or ambiguous
  BomStatus status = BomStatus::skipped;
  BomSkip skip = BomSkip::none;
  BomFault fault = BomFault::none;
  // For a person: describe() of a refused or ambiguous value (lines
  // separated by '\n'), the fault's text ("unterminated quote",
  // "character after a closing quote", "record has 4 fields, the header
  // 3"), or why the row was skipped ("prefix RC has no kind", "section
  // line", "no reference"); empty for read and not_fitted rows.
  std::string message;
};

// BomLayout: what the reader found, given once before the first row.
struct BomLayout {
  char delimiter = ',';
  bool crlf = false;             // the first line ends in "\r\n"
  bool byte_order_mark = false;  // the input began with a UTF-8 byte order mark
  bool quoted_whole = false;     // every record was one quoted field holding the record
  bool has_header = false;
  long header_line = 0;                // 1-based, when has_header
  std::vector<std::string> header;     // the header's fields, when has_header
  std::size_t width = 0;               // fields of the header (without one: of the widest first record)
  std::size_t reference_column = 0;    // 0-based
  std::size_t value_column = 0;        // 0-based
};

// BomOptions: what the caller decides; the defaults read every export the
// header comment describes.
struct BomOptions {
  // A column's header name (compared as the names above), overriding the
  // search; without a header (no_header, or none found), a 1-based column
  // number.
  std::optional<std::string> reference_column;
  std::optional<std::string> value_column;
  // The delimiter; absent: found from the first lines.
  std::optional<char> delimiter;
  // Reference prefixes (upper case letters) and their quantities. A row's
  // prefix is all the leading letters of its reference, looked up whole
  // (RC1 is not an R).
  std::map<std::string, Quantity, std::less<>> prefixes = default_prefixes();
  bool no_header = false;  // the file has no header: find the columns from the fields
  // Notation::any reads the field with read_part; a declared notation reads
  // the whole field with read in that notation (no attributes).
  Notation notation = Notation::any;
  // The unit of a bare number on a capacitance or inductance ("pF", "nF",
  // "uF", "uH", "H"), as Settings::bare_capacitance or bare_inductance
  // gives it ('10' on a capacitor: 10 uF with "uF"); empty, or a quantity
  // whose bare unit the settings set already: the settings decide.
  std::string bare_unit;
  Settings settings;
  UnitTable units;

  // default_prefixes: R, RN, RA, RM, RV, RT, RP resistance; C, CV, CP
  // capacitance; L inductance.
  [[nodiscard]] static std::map<std::string, Quantity, std::less<>> default_prefixes();
};

// BomStop: why reading stopped before the end of the input. The first three
// are the caller's to fix (a usage error); the others are trouble with the
// input.
enum class BomStop {
  none,
  no_records,             // the input holds no record
  no_reference_column,    // none named (or none named reference_column), none found
  no_value_column,        // the header names a reference column but no value column
  record_too_long,        // a record longer than bom_max_record_bytes
  unreadable,             // read_bom_file: the file could not be opened or read
};

// BomProblem: a BomStop and its text for a person: for the column stops the
// names accepted and the header record looked at ('no value column (Value,
// Values, Val, Comment, Name or Designation) in the header
// "Reference,Qty"'), for record_too_long the record's line, for unreadable
// the path and the system's reason.
struct BomProblem {
  BomStop stop = BomStop::none;
  std::string message;
  explicit operator bool() const noexcept { return stop != BomStop::none; }
};

// BomReader: the reader itself. Not copyable; one thread at a time (readers
// of different files run in parallel).
class BomReader {
 public:
  using RowHandler = std::function<void(const BomRow&)>;
  using LayoutHandler = std::function<void(const BomLayout&)>;

  // Calls `on_layout` (when given) once, before the first row, and
  // `on_row` once per record. A handler may throw; the reader is then left
  // stopped (further feeds do nothing).
  BomReader(BomOptions options, RowHandler on_row, LayoutHandler on_layout = {});
  ~BomReader();
  BomReader(const BomReader&) = delete;
  BomReader& operator=(const BomReader&) = delete;

  // feed: the next bytes of the input, cut anywhere. False once reading has
  // stopped (problem() says why); the bytes are then ignored.
  bool feed(std::string_view bytes);
  // finish: the end of the input: the last record, a quote left open, and
  // the rows held back while the header was looked for. Returns problem();
  // no_records when nothing was read. Call once; feed does nothing after it.
  const BomProblem& finish();
  [[nodiscard]] const BomProblem& problem() const noexcept;

  struct State;  // private to the library

 private:
  std::unique_ptr<State> state_;
};

// BomFile: a file named by a user, opened as the library opens such files:
// once, without waiting (O_NONBLOCK) or becoming a controlling terminal,
// closed on exec; only a regular file is read (a folder, pipe or device is
// refused before a byte is read). It reads in chunks, so no size is too
// large.
class BomFile {
 public:
  explicit BomFile(const std::filesystem::path& path);
  ~BomFile();
  BomFile(const BomFile&) = delete;
  BomFile& operator=(const BomFile&) = delete;

  // ok: the file is open; else problem() is the reason ("No such file or
  // directory", "not a regular file").
  [[nodiscard]] bool ok() const noexcept { return fd_ >= 0; }
  [[nodiscard]] const std::string& problem() const noexcept { return problem_; }
  // read: up to `size` bytes into `buffer`: the count, 0 at the end, -1 on
  // a read error (problem() then says why).
  long read(char* buffer, std::size_t size);

 private:
  int fd_ = -1;
  std::string problem_;
};

// read_bom_file: reads the file at `path` (as BomFile) through a BomReader
// with `options`. Returns what stopped it (unreadable with the path and
// reason for a file that could not be read).
BomProblem read_bom_file(const std::filesystem::path& path, BomOptions options,
                         BomReader::RowHandler on_row,
                         BomReader::LayoutHandler on_layout = {});

// bom_status_name: "read", "not-fitted", "refused", "ambiguous", "skipped".
[[nodiscard]] std::string_view bom_status_name(BomStatus status) noexcept;

}  // namespace tarvil

#endif
