// Random texts through every reader: nothing crashes or reads out of
// bounds, the error code is 0 exactly when a text is accepted, the cursor
// stays within the text (or one past it), and an accepted value is finite
// and reads the same when written and read again.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "NotationSettingsFixture.h"

namespace {

class NotationRobustnessTest : public NotationSettingsTest {};

std::string RandomText(std::mt19937& random) {
  static const char kAlphabet[] = "0123456789012345678901234567890.,.,eEkKmMuUnpPfaTGgRrWwVAFH +-%x \t";
  static const char* kPieces[] = {"MEG", "meg", "ohms", "E-18", "E3", "e308", "e-308", "\xC3\xA9",
                                  "999999999999999999999", "0000000000"};
  std::uniform_int_distribution<int> length(0, 12);
  std::uniform_int_distribution<int> pick(0, sizeof kAlphabet - 2);
  std::uniform_int_distribution<int> piece(0, 9);
  std::uniform_int_distribution<int> coin(0, 9);
  std::string text;
  for (int n = length(random); n > 0; --n) {
    if (coin(random) == 0) {
      text += kPieces[piece(random)];
    } else {
      text += kAlphabet[pick(random)];
    }
  }
  return text;
}

void CheckOutcome(const CTarvil& text, int result, int length, const std::string& input) {
  const int cursor = text.GetCursorPosition();
  EXPECT_EQ(result == 1, text.GetCurrentError() == eErrNone) << "'" << input << "'";
  EXPECT_GE(cursor, 0) << "'" << input << "'";
  EXPECT_LE(cursor, length + 1) << "'" << input << "'";
}

TEST_F(NotationRobustnessTest, RandomTextsKeepTheInvariants) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    const std::string input = RandomText(random);
    const int length = static_cast<int>(input.size());
    for (int n = eEngineering; n <= eDecimal; ++n) {
      const auto notation = static_cast<eOrvantaNotations>(n);
      for (eUnitTypes unit : {eNoUnit, eOhms, eFarads}) {
        CTarvil text(input.c_str());
        double value = 0.0;
        int result = text.IsDoubleForNotation(notation, &value, unit);
        CheckOutcome(text, result, length, input);
        if (result == 1) {
          ASSERT_TRUE(std::isfinite(value)) << "'" << input << "'";
          // The reader refuses exponents below -308, so the smallest values
          // do not come back.
          if (value != 0.0 && std::fabs(value) < 1e-300) continue;
          CTarvil written;
          written.SetDoubleForNotation(notation, value, 0, unit);
          double again = 0.0;
          ASSERT_EQ(written.IsDoubleForNotation(notation, &again, unit), 1)
              << "'" << input << "' -> " << value << " -> '" << written.View() << "'";
        }
      }
      CTarvil ohms(input.c_str());
      CheckOutcome(ohms, ohms.IsOhmMeasure(notation, nullptr), length, input);
      CTarvil watts(input.c_str());
      CheckOutcome(watts, watts.IsPowerMeasure(notation, nullptr), length, input);
      CTarvil whole(input.c_str());
      int integer = 0;
      CheckOutcome(whole, whole.IsIntegerForNotation(notation, &integer, eNoUnit), length, input);
    }
    CTarvil plain(input.c_str());
    CheckOutcome(plain, plain.IsInteger(), length, input);
  }
}

}  // namespace
