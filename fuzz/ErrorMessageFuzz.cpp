// ErrorMessageFuzz.cpp: GetErrorMessage after the failed tests of arbitrary
// text, and for any error code and cursor a caller may leave in the object's
// public fields (cursors up to a little beyond the end, so that the marking
// pads with blanks).
//
// Input: mode byte, code byte, cursor byte, then the text. The message must
// be exactly the one the error code and cursor call for.
#include <cstdint>
#include <string>

#include "CTarvil.h"
#include "FuzzSupport.h"

using namespace tarvil::fuzz;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  QuietEnvironment();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const int mode = in.Pick(0, 7);
  const int codeByte = in.Byte();
  const int cursorByte = in.Byte();
  const std::string text = in.Rest();

  CTarvil s(text.c_str());
  const int length = s.GetLength();
  switch (mode) {
    case 0: CheckTest(s, s.IsDouble(), length, "IsDouble"); break;
    case 1: CheckTest(s, s.IsInteger(), length, "IsInteger"); break;
    case 2: CheckTest(s, s.IsEDAName(), length, "IsEDAName"); break;
    case 3: CheckTest(s, s.IsPathName(), length, "IsPathName"); break;
    case 4: CheckTest(s, s.IsMeasure(), length, "IsMeasure"); break;
    case 5: CheckTest(s, s.IsAngleMeasure(), length, "IsAngleMeasure"); break;
    default: {
      // Fields set directly: codes -2 .. 14 and cursors -2 .. length + 8.
      s.m_eCurrentError = static_cast<eCTarvilErr>(codeByte % 17 - 2);
      s.m_nCursorPosition = cursorByte % (length + 11) - 2;
      CheckErrorMessage(s);
      // A copy carries both fields and describes the same error.
      const CTarvil copy(s);
      FUZZ_CHECK(copy.GetErrorMessage().View() == s.GetErrorMessage().View(),
                 "a copy describes its error differently");
      break;
    }
  }
  return 0;
}
