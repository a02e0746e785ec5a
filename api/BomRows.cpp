// BomRows.cpp: one record of a bill of materials made into a row: its
// reference, the quantity its prefix gives, the value field read with
// read_part (or a declared notation) and the status.
#include "BomInternal.h"

namespace tarvil::bom {
namespace {

std::string FaultText(BomFault fault, std::size_t fields, std::size_t width, bool header) {
  switch (fault) {
    case BomFault::unterminated_quote: return "unterminated quote";
    case BomFault::character_after_quote: return "character after a closing quote";
    case BomFault::too_many_fields:
      return "record has " + std::to_string(fields) + " fields, " +
             (header ? "the header " : "the first records ") + std::to_string(width);
    case BomFault::none: break;
  }
  return std::string();
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  return upper;
}

}  // namespace

// The most parts of distinct fields a reader keeps at once; then they are
// forgotten all at once, so the memory stays bounded.
constexpr std::size_t kKeptParts = 4096;

FieldReader::KeptPart FieldReader::Keep(const Result<Part>& part, std::string_view field) {
  KeptPart kept{part, {0, 0}, {0, 0}, {0, 0}};
  const auto offsets = [&](std::string_view view, std::size_t (&out)[2]) {
    out[0] = view.empty() ? 0 : static_cast<std::size_t>(view.data() - field.data());
    out[1] = view.size();
  };
  offsets(part.value.dielectric, kept.dielectric);
  offsets(part.value.package, kept.package);
  offsets(part.value.rest, kept.rest);
  return kept;
}

Result<Part> FieldReader::Rebase(const KeptPart& kept, std::string_view field) {
  Result<Part> part = kept.part;
  part.value.dielectric = field.substr(kept.dielectric[0], kept.dielectric[1]);
  part.value.package = field.substr(kept.package[0], kept.package[1]);
  part.value.rest = field.substr(kept.rest[0], kept.rest[1]);
  return part;
}

Result<Part> FieldReader::Read(std::string_view field, Quantity quantity) {
  m_last = field;
  if (m_options.notation != Notation::any) {
    const Result<double> value =
        read(field, quantity, m_options.notation, m_options.settings, m_options.units);
    Result<Part> part;
    part.error = value.error;
    part.position = value.position;
    part.value.value = value.value;
    part.value.has_value = static_cast<bool>(value);
    return part;
  }
  // The same field of the same quantity reads the same: its part is kept,
  // its views pointing into this field.
  m_key.assign(1, static_cast<char>('0' + static_cast<int>(quantity)));
  m_key.append(field);
  if (const auto found = m_kept.find(m_key); found != m_kept.end()) {
    return Rebase(found->second, field);
  }
  const Result<Part> part = read_part(field, quantity, m_options.settings, m_options.units);
  if (m_kept.size() >= kKeptParts) m_kept.clear();
  m_kept.emplace(m_key, Keep(part, field));
  return part;
}

std::string FieldReader::Describe(const Result<Part>& refused, Quantity quantity) const {
  return describe(m_last, refused.error, refused.position, quantity, m_options.settings,
                  m_options.units);
}

void RowMaker::Start(const BomLayout& layout) {
  m_hasHeader = layout.has_header;
  m_width = layout.width;
  m_reference = layout.reference_column;
  m_value = layout.value_column;
}

void RowMaker::Skip(BomSkip skip, std::string message) {
  m_row.status = BomStatus::skipped;
  m_row.skip = skip;
  m_row.message = std::move(message);
}

const BomRow& RowMaker::Make(std::span<const std::string_view> fields, long line, BomFault fault,
                             RecordPlace place) {
  const bool beforeHeader = place == RecordPlace::kBeforeHeader;
  m_row = BomRow();
  m_row.row = beforeHeader ? 0 : ++m_rows;
  m_row.line = line;
  m_row.fields = fields;
  const auto at = [&](std::size_t column) {
    return column < fields.size() ? fields[column] : std::string_view();
  };
  m_row.reference = Trimmed(at(m_reference));
  m_row.prefix = PrefixOf(m_row.reference);
  m_row.value_field = at(m_value);
  m_row.quantity = QuantityOfPrefix(m_options, m_row.prefix);
  if (beforeHeader) {
    Skip(BomSkip::before_header, "before the header");
    return m_row;
  }
  if (fault == BomFault::none && m_width > 0 && fields.size() > m_width) {
    fault = BomFault::too_many_fields;
  }
  if (fault != BomFault::none) {
    m_row.status = BomStatus::refused;
    m_row.fault = fault;
    m_row.message = FaultText(fault, fields.size(), m_width, m_hasHeader);
    return m_row;
  }
  Classify(fields);
  return m_row;
}

// Skipped rows, else the reading.
void RowMaker::Classify(std::span<const std::string_view> fields) {
  std::size_t filled = 0;
  for (std::string_view field : fields) filled += Trimmed(field).empty() ? 0 : 1;
  std::string_view prefix;
  if (filled == 1 && (m_row.reference.empty() || !LooksLikeReferences(m_row.reference, prefix))) {
    Skip(BomSkip::section, "section line");
    return;
  }
  if (m_row.reference.empty()) {
    Skip(BomSkip::no_reference, "no reference");
    return;
  }
  if (!m_row.quantity) {
    Skip(BomSkip::no_kind, m_row.prefix.empty()
                               ? "reference " + std::string(m_row.reference) + " has no prefix"
                               : "prefix " + Upper(m_row.prefix) + " has no kind");
    return;
  }
  ReadValue();
}

void RowMaker::ReadValue() {
  m_row.part = m_reader.Read(m_row.value_field, *m_row.quantity);
  if (m_row.part) {
    m_row.status = m_row.part.value.fitted ? BomStatus::read : BomStatus::not_fitted;
    return;
  }
  m_row.status = m_row.part.error == Error::ambiguous ? BomStatus::ambiguous : BomStatus::refused;
  m_row.message = m_reader.Describe(m_row.part, *m_row.quantity);
}

}  // namespace tarvil::bom
