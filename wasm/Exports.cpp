// Exports.cpp: the C entry points of the WebAssembly module over the modern
// interface (<tarvil/tarvil.h>): reading, writing, descriptions of refusals,
// natural order, name checks, and the memory the package passes texts in.
// Texts come as (address, length) of UTF-8 bytes in the module's memory;
// positions go back as the library gives them, 1-based in bytes (the
// package turns them into UTF-16 code units).
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "AbiInternal.h"

namespace tarvil::wasm {
namespace {

Reply g_reply;
std::string g_text;  // the last text answer, which g_reply points at

constexpr int kLastNameKind = static_cast<int>(NameKind::posix_path);

template <class E>
E EnumOf(std::int32_t n, E last) noexcept {
  return n >= 0 && n <= static_cast<std::int32_t>(last) ? static_cast<E>(n) : E{};
}

}  // namespace

Reply& TheReply() noexcept { return g_reply; }

void SetText(std::string text) {
  g_text = std::move(text);
  g_reply.text = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(g_text.data()));
  g_reply.length = static_cast<std::uint32_t>(g_text.size());
}

Quantity QuantityOf(std::int32_t q) noexcept { return EnumOf(q, Quantity::power); }
Notation NotationOf(std::int32_t n) noexcept { return EnumOf(n, Notation::any); }

Settings SettingsOf(const std::int32_t* block) noexcept {
  Settings s;
  if (block == nullptr) return s;
  const auto symbol = [](std::int32_t code, char fallback) {
    return code > 0 && code < 128 ? static_cast<char>(code) : fallback;
  };
  s.decimal = symbol(block[kDecimal], s.decimal);
  s.thousands = symbol(block[kThousands], s.thousands);
  s.grouping = block[kGrouping];
  s.digits = block[kDigits];
  s.leading_zero = block[kLeadingZero] != 0;
  for (int i = 0; i < 5; ++i) s.precision[static_cast<std::size_t>(i)] = block[kPrecision0 + i];
  s.angle_precision = block[kAnglePrecision];
  s.percentage_precision = block[kPercentagePrecision];
  s.time_precision = block[kTimePrecision];
  s.suppress_trailing_zeros = block[kSuppressTrailingZeros] != 0;
  s.notation = NotationOf(block[kNotation]);
  s.bare_capacitance = EnumOf(block[kBareCapacitance], BareUnit::H);
  s.bare_inductance = EnumOf(block[kBareInductance], BareUnit::H);
  return s;
}

void AppendJsonString(std::string& out, std::string_view text) {
  constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (byte < 0x20) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  out += '"';
}

void AppendJsonNumber(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char digits[32];
  const auto written = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, written.ptr);
}

}  // namespace tarvil::wasm

using tarvil::wasm::TheReply;

// ---- Memory ------------------------------------------------------------------------

TARVIL_WASM_EXPORT("tarvil_alloc") void* tarvil_alloc(std::size_t size) {
  return std::malloc(size > 0 ? size : 1);
}

TARVIL_WASM_EXPORT("tarvil_free") void tarvil_free(void* block) { std::free(block); }

TARVIL_WASM_EXPORT("tarvil_reply") tarvil::wasm::Reply* tarvil_reply() { return &TheReply(); }

// ---- Values ------------------------------------------------------------------------

// tarvil_read: read(); returns the value, with the error and position in the
// reply (the value 0 when refused).
TARVIL_WASM_EXPORT("tarvil_read")
double tarvil_read(const char* text, std::size_t length, std::int32_t quantity,
                   std::int32_t notation, const std::int32_t* settings) {
  const auto r = tarvil::read(std::string_view(text, length), tarvil::wasm::QuantityOf(quantity),
                              tarvil::wasm::NotationOf(notation),
                              tarvil::wasm::SettingsOf(settings));
  tarvil::wasm::Reply& reply = TheReply();
  reply.error = static_cast<std::int32_t>(r.error);
  reply.position = r.position;
  return r.value;
}

// tarvil_read_many: read() of `count` texts laid end to end at `texts`, the
// i-th ending at ends[i]; values[i] gets its value (NaN when refused) and
// errors[2i], errors[2i + 1] its error and position.
TARVIL_WASM_EXPORT("tarvil_read_many")
void tarvil_read_many(const char* texts, const std::uint32_t* ends, std::size_t count,
                      std::int32_t quantity, std::int32_t notation, const std::int32_t* settings,
                      double* values, std::int32_t* errors) {
  const tarvil::Quantity q = tarvil::wasm::QuantityOf(quantity);
  const tarvil::Notation n = tarvil::wasm::NotationOf(notation);
  const tarvil::Settings s = tarvil::wasm::SettingsOf(settings);
  std::uint32_t begin = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const auto r = tarvil::read(std::string_view(texts + begin, ends[i] - begin), q, n, s);
    values[i] = r ? r.value : std::nan("");
    errors[2 * i] = static_cast<std::int32_t>(r.error);
    errors[2 * i + 1] = r.position;
    begin = ends[i];
  }
}

// tarvil_write: write() as the reply's text.
TARVIL_WASM_EXPORT("tarvil_write")
void tarvil_write(double value, std::int32_t quantity, std::int32_t notation,
                  const std::int32_t* settings, std::int32_t with_unit) {
  tarvil::wasm::SetText(tarvil::write(value, tarvil::wasm::QuantityOf(quantity),
                                      tarvil::wasm::NotationOf(notation),
                                      tarvil::wasm::SettingsOf(settings),
                                      tarvil::UnitTable::built_in(), with_unit != 0));
}

// tarvil_describe: describe() as the reply's text.
TARVIL_WASM_EXPORT("tarvil_describe")
void tarvil_describe(const char* text, std::size_t length, std::int32_t error,
                     std::int32_t position) {
  tarvil::wasm::SetText(
      tarvil::describe(std::string_view(text, length), static_cast<tarvil::Error>(error), position));
}

// tarvil_shortest: the shortest text that reads back to `value`
// (std::to_chars) as the reply's text, as the command writes numbers.
TARVIL_WASM_EXPORT("tarvil_shortest") void tarvil_shortest(double value) {
  std::string text;
  tarvil::wasm::AppendJsonNumber(text, value);
  tarvil::wasm::SetText(std::move(text));
}

// ---- Names -------------------------------------------------------------------------

TARVIL_WASM_EXPORT("tarvil_natural_compare")
std::int32_t tarvil_natural_compare(const char* a, std::size_t a_length, const char* b,
                                    std::size_t b_length, std::int32_t ignore_case) {
  return tarvil::natural_compare(std::string_view(a, a_length), std::string_view(b, b_length),
                                 ignore_case != 0);
}

// tarvil_natural_key: natural_key() as the reply's text (bytes, not UTF-8).
TARVIL_WASM_EXPORT("tarvil_natural_key")
void tarvil_natural_key(const char* text, std::size_t length, std::int32_t ignore_case) {
  tarvil::wasm::SetText(tarvil::natural_key(std::string_view(text, length), ignore_case != 0));
}

// tarvil_check_name: check_name(); returns the error, with the position in
// the reply. A kind out of range is refused as invalid_character at 0.
TARVIL_WASM_EXPORT("tarvil_check_name")
std::int32_t tarvil_check_name(const char* text, std::size_t length, std::int32_t kind,
                               std::int32_t allow_reserved) {
  tarvil::wasm::Reply& reply = TheReply();
  if (kind < 0 || kind > tarvil::wasm::kLastNameKind) {
    reply.error = static_cast<std::int32_t>(tarvil::Error::invalid_character);
    reply.position = 0;
    return reply.error;
  }
  const auto r = tarvil::check_name(std::string_view(text, length),
                                    static_cast<tarvil::NameKind>(kind), allow_reserved != 0);
  reply.error = static_cast<std::int32_t>(r.error);
  reply.position = r.position;
  return reply.error;
}
