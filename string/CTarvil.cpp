// CTarvil.cpp: construction, assignment, the error fields and their
// messages, and the shared settings objects with their refresh entry points.
#include "CTarvil.h"

#include <atomic>
#include <climits>
#include <mutex>

#include "ErrorTextInternal.h"
#include "LocaleSettingsInternal.h"
#include "MessageBox.h"
#include "Resources.h"
#include "SharedSettingsInternal.h"
#include "Mbc.h"

using namespace tarvil::platform;

// ---- Shared state ---------------------------------------------------------

// Constructed before any caller runs; filled on first use by SetLocale().
CTarvilLocale CTarvil::s_Locale;
COVUnitStorage CTarvil::s_OVUnits;

namespace {

// The first use: threads that find the settings unread wait here while one
// of them reads them. The unit table is published last, after its loading.
std::mutex g_startMutex;
std::atomic<bool> g_tableReady{false};

bool SettingsReady() {
  return std::atomic_ref<int>(CTarvil::s_Locale.m_nLoaded).load(std::memory_order_acquire) != 0 &&
         g_tableReady.load(std::memory_order_acquire);
}

}  // namespace

namespace tarvil::detail {

void LoadSharedSettings() {
  if (SettingsReady()) return;
  std::lock_guard<std::mutex> lock(g_startMutex);
  if (!SettingsReady()) CTarvil::SetLocale();
}

SharedSettings::SharedSettings()
    : m_format((LoadSharedSettings(), SettingsOf(CTarvil::s_Locale))),
      m_engine{m_format, CTarvil::s_OVUnits} {}

}  // namespace tarvil::detail

void CTarvil::EnsureSettings() { tarvil::detail::LoadSharedSettings(); }

void CTarvil::SetLocale() {
  // Reads the notation settings too and sets the loaded flag last.
  s_Locale.ReadRegional();
  s_OVUnits.Init();
  g_tableReady.store(true, std::memory_order_release);
}

int CTarvil::SetLocale(const char* name) {
  if (name != nullptr &&
      _mbscmp(reinterpret_cast<const unsigned char*>(name),
              reinterpret_cast<const unsigned char*>("intl")) != 0) {
    return 0;
  }
  SetLocale();
  return 1;
}

void CTarvil::SetOVLocale() { s_Locale.ReadNotation(); }

// ---- Construction and assignment -------------------------------------------

CTarvil::CTarvil() : m_nCursorPosition(0), m_eCurrentError(eErrNone) {}

CTarvil::CTarvil(const CString& s) : CString(s), m_nCursorPosition(0), m_eCurrentError(eErrNone) {}

CTarvil::CTarvil(const CTarvil& other)
    : CString(other),
      m_nCursorPosition(other.m_nCursorPosition),
      m_eCurrentError(other.m_eCurrentError) {}

CTarvil::CTarvil(char ch, int nRepeat)
    : CString(ch, nRepeat), m_nCursorPosition(0), m_eCurrentError(eErrNone) {}

// The base class stops at the terminator and gives an empty text for a null
// pointer or a negative length.
CTarvil::CTarvil(const char* s, int nLength)
    : CString(s, nLength), m_nCursorPosition(0), m_eCurrentError(eErrNone) {}

CTarvil::CTarvil(const unsigned char* s) : m_nCursorPosition(0), m_eCurrentError(eErrNone) {
  CString::operator=(s);
}

CTarvil::CTarvil(const unsigned short* s)
    : CString(s), m_nCursorPosition(0), m_eCurrentError(eErrNone) {}

CTarvil::CTarvil(const char* s) : CString(s), m_nCursorPosition(0), m_eCurrentError(eErrNone) {}

CTarvil::~CTarvil() = default;

CTarvil& CTarvil::operator=(const CTarvil& other) {
  if (this != &other) {
    CString::operator=(other);
    m_nCursorPosition = other.m_nCursorPosition;
    m_eCurrentError = other.m_eCurrentError;
  }
  return *this;
}

CTarvil& CTarvil::operator=(const char* s) {
  CString::operator=(s);
  return *this;
}

CTarvil& CTarvil::operator=(const CString& s) {
  CString::operator=(s);
  return *this;
}

// ---- Error fields and messages ----------------------------------------------

int CTarvil::GetCursorPosition() const { return m_nCursorPosition; }

eCTarvilErr CTarvil::GetCurrentError() const { return m_eCurrentError; }

CTarvil CTarvil::GetErrorMessage() const {
  CTarvil result;
  result.m_text = tarvil::detail::DescribeFault(View(), m_eCurrentError, m_nCursorPosition,
                                                FindStringResource);
  return result;
}

void CTarvil::DisplayError(unsigned int nIDPrompt) {
  if (m_eCurrentError == eErrNone) return;
  CString text;
  if (nIDPrompt != 0) {
    text.LoadString(nIDPrompt);
    text += '\n';
  }
  text += GetErrorMessage();
  AfxMessageBox(text, MB_OK | MB_ICONINFORMATION, 0);
}
