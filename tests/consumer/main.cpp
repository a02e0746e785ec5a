// A host of the installed library: builds against <tarvil/...> alone, calls
// exported members, free functions, static data and the platform seams, and
// exits 0 only when every result is the one expected.
#include <tarvil/CTarvil.h>
#include <tarvil/CRuntime.h>
#include <tarvil/MessageBox.h>
#include <tarvil/Resources.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int failures = 0;

void Expect(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "consumer: wrong result: %s\n", what);
    ++failures;
  }
}

void ExpectText(const char* got, const char* expected, const char* what) {
  if (std::strcmp(got, expected) != 0) {
    std::fprintf(stderr, "consumer: %s: got '%s', expected '%s'\n", what, got, expected);
    ++failures;
  }
}

}  // namespace

int main() {
  // The error model: a refused character is marked in the message.
  CTarvil text("12a4");
  Expect(text.GetCurrentError() == eErrNone && text.GetCursorPosition() == 0, "a new object");
  text.m_eCurrentError = eErrInvalidCharacter;
  text.m_nCursorPosition = 3;
  CTarvil message = text.GetErrorMessage();
  ExpectText(message, "12<a>4\nInvalid character(s) detected.", "GetErrorMessage");
  Expect(message.GetCurrentError() == eErrNone, "the message object has no error");

  // The message box goes through the host's handler, under the host's prompt.
  std::string shown;
  unsigned int shownType = 0;
  tarvil::platform::SetStringResource(31000, "Trace width:");
  tarvil::platform::MessageBoxHandler previous = tarvil::platform::SetMessageBoxHandler(
      [&](const char* t, unsigned int type, unsigned int) {
        shown = t;
        shownType = type;
        return 1;
      });
  text.DisplayError(31000);
  ExpectText(shown.c_str(), "Trace width:\n12<a>4\nInvalid character(s) detected.",
             "DisplayError");
  Expect(shownType == (MB_OK | MB_ICONINFORMATION), "DisplayError's box type");
  tarvil::platform::SetMessageBoxHandler(previous);

  // An exported free function and the status values.
  eCTarvilErr error = eErrNone;
  Expect(CTarvilValueInDomain(0.0, eDomainPositive, &error) == 0 && error == eErrZeroNotAllowed,
         "CTarvilValueInDomain");
  Expect(E_INVALIDARG < 0 && E_FAIL < 0 && FAILED(E_FAIL) && SUCCEEDED(S_OK), "status values");

  // Search, edit and fields.
  CTarvil fields("R1,C2,,U3");
  Expect(fields.GetFieldCount(',') == 4, "GetFieldCount");
  ExpectText(fields.GetField(',', 1), "C2", "GetField");
  Expect(fields.Find("U3") == 7, "Find");
  fields.Insert(0, "X");
  ExpectText(fields, "XR1,C2,,U3", "Insert");

  // The shared settings are exported data.
  CTarvil::SetLocale();
  Expect(CTarvil::s_Locale.m_nLoaded == 1, "s_Locale loaded");
  Expect(CTarvil::s_Locale.m_cDecimal == '.', "s_Locale decimal symbol");

  // Number text of the platform layer.
  char g[tarvil::platform::kFormatGMax];
  tarvil::platform::FormatG(1.5e-20, g);
  ExpectText(g, "1.5E-020", "FormatG");

  if (failures == 0) std::printf("consumer: all results as expected\n");
  return failures == 0 ? 0 : 1;
}
