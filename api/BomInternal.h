// BomInternal.h: what the files of the BOM reader share: the CSV record
// scanner and field splitter (BomCsv.cpp), the column finder
// (BomColumns.cpp) and the reading of one row (BomRows.cpp). Not installed.
#ifndef TARVIL_BOMINTERNAL_H
#define TARVIL_BOMINTERNAL_H

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "TextScanInternal.h"
#include "bom.h"

namespace tarvil::bom {

// The blanks around CSV fields: a space or a tab (a line end ends the
// record), narrower than the engine's IsBlankByte.
inline bool IsBlank(char c) noexcept { return c == ' ' || c == '\t'; }
inline bool IsLetter(char c) noexcept { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
using detail::IsDigitByte;
std::string_view Trimmed(std::string_view text) noexcept;

// Fields: one record split into fields, held in buffers reused from record
// to record.
class Fields {
 public:
  void Clear() noexcept;
  void Begin();                        // starts a field
  void Append(std::string_view bytes);  // to the current field
  void Append(char c);
  // The fields, valid until the next Clear.
  std::span<const std::string_view> Views();
  std::size_t Count() const noexcept { return m_ends.size(); }

 private:
  std::string m_text;
  std::vector<std::size_t> m_ends;  // end of each field in m_text
  std::vector<std::string_view> m_views;
};

// SplitRecord: `record` (no line end) split at `delimiter` as the header of
// bom.h says: quoted fields unquoted, the fault of a record that ends inside
// quotes or has a character after a closing quote. The fields go to `out`.
BomFault SplitRecord(std::string_view record, char delimiter, Fields& out);

// SniffDelimiter: ',', ';' or '\t', the one on most of the lines of
// `bytes` (quotes followed); ties go to the one seen most often, then in
// that order; ',' when none is seen.
char SniffDelimiter(std::string_view bytes) noexcept;

// HeaderName: a header cell as compared with the names: ASCII lower case,
// blanks and '_' dropped, a trailing "(s)" dropped.
std::string HeaderName(std::string_view cell);

// LooksLikeReferences: a field such as 'C1', 'R10,R11', 'R2, R45',
// 'R12 .. R23', 'R1-R4' (letters, then digits not starting with 0).
// `prefix` receives the first reference's letters.
bool LooksLikeReferences(std::string_view field, std::string_view& prefix) noexcept;

// PrefixOf: the leading ASCII letters of a trimmed reference.
std::string_view PrefixOf(std::string_view reference) noexcept;

// QuantityOfPrefix: the quantity `options` gives the prefix (any case), or
// none.
std::optional<Quantity> QuantityOfPrefix(const BomOptions& options, std::string_view prefix);

// FieldReader: reads value fields with the options (notation, bare unit,
// settings); one per reader.
class FieldReader {
 public:
  explicit FieldReader(const BomOptions& options) : m_options(options) {}
  Result<Part> Read(std::string_view field, Quantity quantity);
  // The text the last Read read: the field itself.
  std::string_view LastText() const noexcept { return m_last; }
  // Why the last Read refused its text, told with the options' settings
  // (an ambiguous text's readings those of `quantity`).
  std::string Describe(const Result<Part>& refused, Quantity quantity) const;

 private:
  // A part read before, its views kept as offsets into its field.
  struct KeptPart {
    Result<Part> part;
    std::size_t dielectric[2], package[2], rest[2];  // offset, length
  };
  static KeptPart Keep(const Result<Part>& part, std::string_view field);
  static Result<Part> Rebase(const KeptPart& kept, std::string_view field);

  const BomOptions& m_options;
  std::string_view m_last;
  // Parts by quantity and field: bills of materials repeat their values.
  std::unordered_map<std::string, KeptPart> m_kept;
  std::string m_key;
};

// Where a record stands: before the header (skipped, row number 0) or
// among the rows the header heads.
enum class RecordPlace { kBeforeHeader, kBody };

// RowMaker: one record made into a BomRow: reference, prefix, quantity,
// the reading and the status, as bom.h describes.
class RowMaker {
 public:
  RowMaker(const BomOptions& options, FieldReader& reader) : m_options(options), m_reader(reader) {}
  // Start: the columns and width of `layout`, before the first row.
  void Start(const BomLayout& layout);
  // Make: the row of a record that begins at `line`; a record before the
  // header is skipped and gets row number 0. Valid until the next call.
  const BomRow& Make(std::span<const std::string_view> fields, long line, BomFault fault,
                     RecordPlace place);

 private:
  void Skip(BomSkip skip, std::string message);
  void Classify(std::span<const std::string_view> fields);
  void ReadValue();

  const BomOptions& m_options;
  FieldReader& m_reader;
  bool m_hasHeader = false;
  std::size_t m_width = 0;
  std::size_t m_reference = 0;
  std::size_t m_value = 0;
  long m_rows = 0;
  BomRow m_row;
};

// Layout decisions over the records held at the start: each held record's
// fields and whether it was faulty.
struct Held {
  std::vector<std::string> fields;
  long line = 0;
  BomFault fault = BomFault::none;
};

// FindLayout: the header (or none) and the columns of `held`, as bom.h
// describes; fills `layout` (not the delimiter and line-end members) and
// returns the index of the header in `held` (held.size() without one), or
// a problem.
struct LayoutChoice {
  std::size_t header = 0;
  BomProblem problem;
};
LayoutChoice FindLayout(const std::vector<Held>& held, const BomOptions& options,
                        FieldReader& reader, BomLayout& layout);

}  // namespace tarvil::bom

#endif
