// NameValidation.cpp: the name checks of the interface (CTarvilIsEDAName and
// the members IsEDAName, IsFileName, IsPathName, IsASCII) over the engine's
// checks (engine/NameCheckInternal.h).
//
// The free functions take a terminated text (null: empty) and write the
// verdict through the pointers that are not null; the members check the
// object's whole text, so a zero byte inside it is judged as a character
// (and refused) instead of ending the name early, and store the verdict in
// the object's fields.
#include <string_view>

#include "CTarvil.h"
#include "EDAStringTypes.h"
#include "NameCheckInternal.h"

using tarvil::detail::CheckASCII;
using tarvil::detail::CheckEDAName;
using tarvil::detail::CheckFileName;
using tarvil::detail::CheckPathName;
using tarvil::detail::NameCheck;

namespace {

std::string_view ViewOf(const char* text) { return text ? std::string_view(text) : std::string_view(); }

int Report(NameCheck verdict, int* pPos, eCTarvilErr* pErr) {
  if (pPos) *pPos = verdict.cursor;
  if (pErr) *pErr = verdict.error;
  return verdict.ok ? 1 : 0;
}

int Store(CTarvil& self, NameCheck verdict) {
  self.m_nCursorPosition = verdict.cursor;
  self.m_eCurrentError = verdict.error;
  return verdict.ok ? 1 : 0;
}

}  // namespace

// ---- Free functions ---------------------------------------------------------

int CTarvilIsEDAName(const char* name) { return CheckEDAName(ViewOf(name)).ok ? 1 : 0; }

int CTarvilIsEDAName(const char* name, int* pPos, eCTarvilErr* pErr) {
  return Report(CheckEDAName(ViewOf(name)), pPos, pErr);
}

int CTarvilIsEDAName(const char* name, int limit, int* pPos, eCTarvilErr* pErr) {
  return Report(CheckEDAName(ViewOf(name), limit), pPos, pErr);
}

int CTarvilIsEDAName(const char* name, eEDAStringTypes type, int allowSpecial) {
  return CTarvilIsEDAName(name, type, allowSpecial, nullptr, nullptr);
}

int CTarvilIsEDAName(const char* name, eEDAStringTypes type, int allowSpecial, int* pPos,
                     eCTarvilErr* pErr) {
  return Report(CheckEDAName(ViewOf(name), type, allowSpecial == 1), pPos, pErr);
}

// ---- Members ----------------------------------------------------------------

int CTarvil::IsEDAName() { return Store(*this, CheckEDAName(View())); }

int CTarvil::IsEDAName(int& limit) { return Store(*this, CheckEDAName(View(), limit)); }

int CTarvil::IsEDAName(eEDAStringTypes type, int allowSpecial) {
  return Store(*this, CheckEDAName(View(), type, allowSpecial == 1));
}

int CTarvil::IsFileName() { return Store(*this, CheckFileName(View())); }

int CTarvil::IsPathName() { return Store(*this, CheckPathName(View())); }

int CTarvil::IsASCII() { return Store(*this, CheckASCII(View())); }
