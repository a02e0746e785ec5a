// PartsAndBom.cpp: the module's entry points for a part's value field
// (read_part) and for bills of materials (the library's BOM reader,
// <tarvil/bom.h>), with each row handed to the package as JSON.
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "AbiInternal.h"
#include "bom.h"

namespace lib = tarvil;

namespace tarvil::wasm {
namespace {

// PartReply: read_part's answer. Offsets are fixed: the package reads them
// by number (tarvil.js, PART_*). The views are [begin, end) byte offsets
// into the text given; an empty view is an absent attribute.
struct PartReply {
  double value = 0;                    // 0
  double tolerance_minus = 0;          // 8
  double tolerance_plus = 0;           // 16
  double voltage = 0;                  // 24
  double current = 0;                  // 32
  double power = 0;                    // 40
  double temperature_coefficient = 0;  // 48
  std::int32_t error = 0;              // 56
  std::int32_t position = 0;           // 60
  std::uint32_t flags = 0;             // 64: PartFlag bits
  std::uint32_t views[6] = {};         // 68: dielectric, package, rest
};
static_assert(offsetof(PartReply, flags) == 64 && offsetof(PartReply, views) == 68);

enum PartFlag : std::uint32_t {
  kHasValue = 1,
  kFitted = 2,
  kTolerance = 4,
  kRelative = 8,
  kVoltage = 16,
  kCurrent = 32,
  kPower = 64,
  kTemperatureCoefficient = 128,
};

PartReply g_part;

std::uint32_t Flag(const std::optional<double>& rating, PartFlag flag, double& out) noexcept {
  out = rating.value_or(0);
  return rating ? flag : 0;
}

void SetView(std::uint32_t* at, std::string_view view, std::string_view text) noexcept {
  const std::size_t begin = view.empty() ? 0 : static_cast<std::size_t>(view.data() - text.data());
  at[0] = static_cast<std::uint32_t>(begin);
  at[1] = static_cast<std::uint32_t>(begin + view.size());
}

void FillPart(PartReply& out, const Result<lib::Part>& r, std::string_view text) noexcept {
  out = PartReply{};
  out.error = static_cast<std::int32_t>(r.error);
  out.position = r.position;
  const lib::Part& p = r.value;
  out.value = p.value;
  out.flags = (p.has_value ? kHasValue : 0) | (p.fitted ? kFitted : 0);
  if (p.tolerance) {
    out.flags |= kTolerance | (p.tolerance->relative ? kRelative : 0);
    out.tolerance_minus = p.tolerance->minus;
    out.tolerance_plus = p.tolerance->plus;
  }
  out.flags |= Flag(p.voltage, kVoltage, out.voltage) | Flag(p.current, kCurrent, out.current) |
               Flag(p.power, kPower, out.power) |
               Flag(p.temperature_coefficient, kTemperatureCoefficient, out.temperature_coefficient);
  SetView(out.views, p.dielectric, text);
  SetView(out.views + 2, p.package, text);
  SetView(out.views + 4, p.rest, text);
}

// ---- Rows as JSON ---------------------------------------------------------------------
// A row is a JSON array, its members in the order of RowMember (the
// package turns it into an object: tarvil.js, rowOf); the record's fields
// follow the last member. Arrays parse faster than objects with their keys
// repeated, and a 100,000-row file makes a lot of JSON.
enum RowMember {
  kRowNumber, kReference, kInput, kStatus, kQuantity, kValue, kText, kError, kPosition,
  kMessage, kFittedMember, kToleranceMinus, kTolerancePlus, kToleranceRelative, kVoltageMember,
  kCurrentMember, kPowerMember, kTemperatureCoefficientMember, kDielectric, kPackage, kRest,
  kFields
};

void AppendOptional(std::string& out, const std::optional<double>& v) {
  out += ',';
  if (v) {
    AppendJsonNumber(out, *v);
  } else {
    out += "null";
  }
}

// An absent view (an empty one) is null.
void AppendView(std::string& out, std::string_view view) {
  out += ',';
  if (view.empty()) {
    out += "null";
  } else {
    AppendJsonString(out, view);
  }
}

// The attributes of a row's part, kFittedMember to kRest.
void AppendAttributes(std::string& out, const lib::Part& p) {
  out += p.fitted ? ",true" : ",false";
  AppendOptional(out, p.tolerance ? std::optional<double>(p.tolerance->minus) : std::nullopt);
  AppendOptional(out, p.tolerance ? std::optional<double>(p.tolerance->plus) : std::nullopt);
  out += p.tolerance && p.tolerance->relative ? ",true" : ",false";
  AppendOptional(out, p.voltage);
  AppendOptional(out, p.current);
  AppendOptional(out, p.power);
  AppendOptional(out, p.temperature_coefficient);
  AppendView(out, p.dielectric);
  AppendView(out, p.package);
  AppendView(out, p.rest);
}

// TextForm: how a row's value is written back, as the command writes it:
// the reading settings with the built-in precision, in the notation read
// (SI for any).
struct TextForm {
  Settings settings;
  Notation notation = Notation::si;

  explicit TextForm(const lib::BomOptions& options) : settings(options.settings) {
    const Settings builtIn;
    settings.precision = builtIn.precision;
    settings.suppress_trailing_zeros = builtIn.suppress_trailing_zeros;
    if (options.notation != Notation::any) notation = options.notation;
  }
};

// One row: the members of the command's --json (the status and quantity as
// their numbers), the attributes, then the record's fields (for the CSV the
// page writes back).
void AppendRow(std::string& out, const lib::BomRow& row, const TextForm& form) {
  if (!out.empty()) out += ',';
  out += '[';
  out += std::to_string(row.row);
  out += ',';
  AppendJsonString(out, row.reference);
  out += ',';
  AppendJsonString(out, row.value_field);
  out += ',';
  out += std::to_string(static_cast<int>(row.status));
  const int q = row.quantity ? static_cast<int>(*row.quantity) : -1;
  const bool valued = row.quantity && row.part && row.part.value.has_value;
  out += ',' + std::to_string(q) + ',';
  if (valued) {
    AppendJsonNumber(out, row.part.value.value);
  } else {
    out += "null";
  }
  out += ',';
  char text[128];
  const auto written = valued ? write(text, text + sizeof text, row.part.value.value, *row.quantity,
                                      form.notation, form.settings, UnitTable::built_in(), false)
                              : std::to_chars_result{text, std::errc()};
  AppendJsonString(out, std::string_view(text, written.ec == std::errc() ? written.ptr - text : 0));
  // The error of a value read: none for a skipped row or a faulty record.
  const bool reading = row.status != lib::BomStatus::skipped && row.fault == lib::BomFault::none;
  out += ',' + (reading ? std::to_string(static_cast<int>(row.part.error)) : std::string("null")) +
         ',' + std::to_string(row.part.position) + ',';
  AppendJsonString(out, row.message);
  AppendAttributes(out, row.part.value);
  for (const std::string_view field : row.fields) {
    out += ',';
    AppendJsonString(out, field);
  }
  out += ']';
}

void AppendLayout(std::string& out, const lib::BomLayout& layout) {
  out += "{\"delimiter\":";
  AppendJsonString(out, std::string_view(&layout.delimiter, 1));
  out += ",\"header\":[";
  for (std::size_t i = 0; i < layout.header.size(); ++i) {
    if (i > 0) out += ',';
    AppendJsonString(out, layout.header[i]);
  }
  out += "],\"crlf\":";
  out += layout.crlf ? "true" : "false";
  out += ",\"byteOrderMark\":";
  out += layout.byte_order_mark ? "true" : "false";
  out += ",\"referenceColumn\":" + std::to_string(layout.reference_column) +
         ",\"valueColumn\":" + std::to_string(layout.value_column);
  // BomSession::Reply closes the object with the count of the records
  // before the header, which come right after the layout.
}

}  // namespace

// A BOM being read: the reader, and the rows and layout it gave since the
// package last took them.
struct BomSession {
  TextForm form;
  std::string rows;
  std::string layout;
  lib::BomReader reader;

  long beforeHeader = 0;  // records before the header: counted, not handed over (as the command)

  explicit BomSession(lib::BomOptions options)
      : form(options),
        reader(std::move(options),
               [this](const lib::BomRow& row) {
                 if (row.skip == lib::BomSkip::before_header) {
                   ++beforeHeader;
                 } else {
                   AppendRow(rows, row, form);
                 }
               },
               [this](const lib::BomLayout& l) { AppendLayout(layout, l); }) {}

  // Hands the rows and layout gathered to the package as the reply's text:
  // {"layout":...|null,"rows":[...]}, and the stop as the reply's error. The
  // layout and the records before the header come in the same reply (the
  // reader gives them in one go when it finds the header).
  void Reply() {
    std::string out = "{\"layout\":";
    if (layout.empty()) {
      out += "null";
    } else {
      out += layout + ",\"recordsBeforeHeader\":" + std::to_string(beforeHeader) + "}";
    }
    out += ",\"rows\":[";
    out += rows;
    out += "]}";
    layout.clear();
    rows.clear();
    SetText(std::move(out));
    TheReply().error = static_cast<std::int32_t>(reader.problem().stop);
  }
};

namespace {

// The options the package passes: NUL-separated names and values.
//   reference_column NAME, value_column NAME, delimiter C, notation N (a
//   Notation's number), no_header 1, bare_unit UNIT (pF, nF, uF, uH, H),
//   map PREFIX=QUANTITY (a Quantity's number; it replaces the default
//   prefixes' entry of that prefix).
// The unit a bare number on a capacitance or an inductance is read in, as
// the command's --bare-unit names it; a unit the settings give already
// stands.
void SetBareUnit(lib::Settings& settings, std::string_view word) {
  const lib::BareUnit unit = lib::bare_unit_named(word);
  if (unit == lib::BareUnit::none) return;
  lib::BareUnit& target =
      lib::is_capacitance_unit(unit) ? settings.bare_capacitance : settings.bare_inductance;
  if (target == lib::BareUnit::none) target = unit;
}

lib::BomOptions OptionsOf(const std::int32_t* settings, std::string_view text) {
  lib::BomOptions options;
  options.settings = SettingsOf(settings);
  while (!text.empty()) {
    const std::size_t nameEnd = text.find('\0');
    if (nameEnd == std::string_view::npos) break;
    const std::string_view name = text.substr(0, nameEnd);
    text.remove_prefix(nameEnd + 1);
    const std::size_t valueEnd = std::min(text.find('\0'), text.size());
    const std::string_view value = text.substr(0, valueEnd);
    text.remove_prefix(std::min(valueEnd + 1, text.size()));
    if (name == "reference_column") options.reference_column = std::string(value);
    if (name == "value_column") options.value_column = std::string(value);
    if (name == "delimiter" && value.size() == 1) options.delimiter = value[0];
    if (name == "notation") options.notation = NotationOf(std::atoi(std::string(value).c_str()));
    if (name == "no_header") options.no_header = value == "1";
    if (name == "bare_unit") SetBareUnit(options.settings, value);
    const std::size_t eq = value.find('=');
    if (name == "map" && eq != std::string_view::npos) {
      options.prefixes[std::string(value.substr(0, eq))] =
          QuantityOf(std::atoi(std::string(value.substr(eq + 1)).c_str()));
    }
  }
  return options;
}

}  // namespace
}  // namespace tarvil::wasm

// ---- A part's value field -------------------------------------------------------------

// tarvil_read_part: read_part(); returns the part reply.
TARVIL_WASM_EXPORT("tarvil_read_part")
const void* tarvil_read_part(const char* text, std::size_t length, std::int32_t quantity,
                             const std::int32_t* settings) {
  const std::string_view view(text, length);
  const auto r = lib::read_part(view, tarvil::wasm::QuantityOf(quantity),
                                tarvil::wasm::SettingsOf(settings));
  tarvil::wasm::FillPart(tarvil::wasm::g_part, r, view);
  return &tarvil::wasm::g_part;
}

// ---- Bills of materials -------------------------------------------------------------

using tarvil::wasm::BomSession;

TARVIL_WASM_EXPORT("tarvil_bom_open")
BomSession* tarvil_bom_open(const std::int32_t* settings, const char* options, std::size_t length) {
  return new BomSession(tarvil::wasm::OptionsOf(settings, std::string_view(options, length)));
}

// tarvil_bom_feed: the next bytes; the rows completed in the reply (see
// BomSession::Reply). Returns the stop (0 while reading goes on).
TARVIL_WASM_EXPORT("tarvil_bom_feed")
std::int32_t tarvil_bom_feed(BomSession* session, const char* bytes, std::size_t length) {
  session->reader.feed(std::string_view(bytes, length));
  session->Reply();
  return tarvil::wasm::TheReply().error;
}

// tarvil_bom_finish: the end of the input; the last rows in the reply.
TARVIL_WASM_EXPORT("tarvil_bom_finish")
std::int32_t tarvil_bom_finish(BomSession* session) {
  session->reader.finish();
  session->Reply();
  return tarvil::wasm::TheReply().error;
}

// tarvil_bom_problem: the stop's text for a person, as the reply's text.
TARVIL_WASM_EXPORT("tarvil_bom_problem")
void tarvil_bom_problem(BomSession* session) {
  tarvil::wasm::SetText(session->reader.problem().message);
}

TARVIL_WASM_EXPORT("tarvil_bom_close") void tarvil_bom_close(BomSession* session) { delete session; }
