// ApiInternal.h: what the files of the modern interface share: the engine's
// settings made from a Settings and a UnitTable, and the Result of an engine
// refusal. Not installed.
#ifndef TARVIL_APIINTERNAL_H
#define TARVIL_APIINTERNAL_H

#include <optional>
#include <string_view>

#include "COVUnitStorage.h"
#include "EngineSettingsInternal.h"
#include "TarvilErrors.h"
#include "UnitTypes.h"
#include "tarvil.h"

namespace tarvil {

struct UnitTable::Storage {
  COVUnitStorage units;
};

namespace api {

// StorageOf: the unit table of `units` (the built-in tables for a default
// UnitTable).
const COVUnitStorage& StorageOf(const UnitTable& units) noexcept;

// NotationOf: the string class's notation of `notation`; `any` is the
// settings' notation, and SI where that is `any` too.
eOrvantaNotations NotationOf(Notation notation, const Settings& settings) noexcept;

// UnitOf: the engine's unit of `quantity` (eNoUnit for number).
eUnitTypes UnitOf(Quantity quantity) noexcept;

// DomainOf: the values `quantity` takes: any sign for numbers, voltages and
// currents, none below 0 for the others.
eCTarvilDomain DomainOf(Quantity quantity) noexcept;

// BareExponentOf: the power of ten of the unit of a bare capacitance or
// inductance in `settings` (detail::kBareAsk when none is chosen, or for
// another quantity or a unit of the other quantity).
int BareExponentOf(Quantity quantity, const Settings& settings) noexcept;

// InDomain: `value`, read from `text`, checked against the domain of
// `quantity`: a refusal's position is the first non-blank character of
// `text`.
Result<double> InDomain(std::string_view text, double value, Quantity quantity) noexcept;

// Refused: a failed Result with `error` (an eCTarvilErr value, or 13) at
// `position`.
template <class T>
Result<T> Refused(int error, int position) noexcept {
  Result<T> r;
  r.error = static_cast<Error>(error);
  r.position = position;
  return r;
}

template <class T>
Result<T> Accepted(T value) noexcept {
  Result<T> r;
  r.value = value;
  return r;
}

// RefusedAtNul: the refusal of a text that holds a NUL byte, or nothing
// when it holds none. No reader accepts a NUL: the text is refused with
// invalid_character at the first one, unless `read` refuses the text
// before it at one of that text's own characters ('4x\0': 2), which comes
// first. Other refusals of the text before it (blank, a domain) give way to
// the NUL.
template <class T, class Read>
std::optional<Result<T>> RefusedAtNul(std::string_view text, Read read) noexcept {
  const std::size_t nul = text.find('\0');
  if (nul == std::string_view::npos) return std::nullopt;
  const Result<T> head = read(text.substr(0, nul));
  const bool ownCharacter =
      (head.error == Error::invalid_character || head.error == Error::too_many_decimal_places) &&
      head.position >= 1 && static_cast<std::size_t>(head.position) <= nul;
  if (ownCharacter) return head;
  return Refused<T>(static_cast<int>(Error::invalid_character), static_cast<int>(nul + 1));
}

}  // namespace api
}  // namespace tarvil

#endif
