// AbiInternal.h: what the WebAssembly module's C entry points share: the
// settings as the JavaScript package lays them out in the module's memory,
// the reply block its answers are read from, and a JSON writer for rows.
// Built only into the module (scripts/wasm); the library knows nothing of it.
//
// The module is one instance per JavaScript realm, called from one thread:
// the reply block is the instance's, as a register is, and every entry point
// overwrites it.
#ifndef TARVIL_WASM_ABIINTERNAL_H
#define TARVIL_WASM_ABIINTERNAL_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tarvil.h"

#define TARVIL_WASM_EXPORT(name) extern "C" __attribute__((export_name(name), used))

namespace tarvil::wasm {

// The settings block: kSettingsWords int32 words written by the package
// (tarvil.js, encodeSettings), in this order. A null block stands for the
// defaults (Settings{}).
enum SettingsWord : int {
  kDecimal,        // the character's code, below 128
  kThousands,
  kGrouping,
  kDigits,
  kLeadingZero,    // 0 or 1
  kPrecision0,     // five words: engineering, european, scientific, si, spice
  kAnglePrecision = kPrecision0 + 5,
  kPercentagePrecision,
  kTimePrecision,
  kSuppressTrailingZeros,
  kNotation,       // a Notation
  kBareCapacitance,  // a BareUnit
  kBareInductance,
  kSettingsWords
};

// SettingsOf: the Settings a block holds; words out of their range keep the
// default (the package checks them before they get here).
Settings SettingsOf(const std::int32_t* block) noexcept;

// QuantityOf, NotationOf: the enum of a number the package passed, or the
// first member for one out of range.
Quantity QuantityOf(std::int32_t q) noexcept;
Notation NotationOf(std::int32_t n) noexcept;

// Reply: where an answer goes that does not fit a return value. Offsets are
// fixed: the package reads them by number (tarvil.js, REPLY_*).
struct Reply {
  double value = 0;             // 0: the value read
  std::int32_t error = 0;       // 8: an Error
  std::int32_t position = 0;    // 12: 1-based byte position
  std::uint32_t text = 0;       // 16: a text answer: its address
  std::uint32_t length = 0;     // 20: and its length in bytes
};
static_assert(offsetof(Reply, text) == 16 && sizeof(Reply) == 24);

Reply& TheReply() noexcept;

// SetText: `text` as the reply's text answer; it stays valid until the next
// text answer.
void SetText(std::string text);

// JSON pieces for rows: a string with the escapes JSON needs (the bytes are
// UTF-8 already), a number in its shortest form that reads back exactly
// (null when not finite).
void AppendJsonString(std::string& out, std::string_view text);
void AppendJsonNumber(std::string& out, double value);

}  // namespace tarvil::wasm

#endif
