// Conversion of number text between the C form and the user's regional form.
#include <gtest/gtest.h>

#include <string>

#include "CTarvil.h"
#include "LocaleInternal.h"
#include "SettingsFixture.h"

namespace {

// Reaches the in-place conversions of the string class.
class Probe : public CTarvil {
 public:
  using CTarvil::CTarvil;
  using CTarvil::GetDecimal;
  using CTarvil::SetDecimal;
};

// Settings are read once, then the fields under test are set directly.
class DecimalText : public tarvil::test::SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    CTarvil::SetLocale();
  }
  static void Use(char decimal, int leadingZero, int suppress) {
    CTarvil::s_Locale.m_cDecimal = decimal;
    CTarvil::s_Locale.m_nLeadingZero = leadingZero;
    CTarvil::s_Locale.m_nSuppressTrailingZeros = suppress;
  }
};

struct ToUserCase {
  char decimal;
  int leadingZero;
  int suppress;
  const char* in;
  const char* out;
};

TEST_F(DecimalText, CToUserForm) {
  const ToUserCase cases[] = {
      {',', 1, 0, "1234.5", "1234,5"},
      {',', 1, 1, "12.500", "12,5"},
      {'.', 1, 1, "12.500", "12.5"},
      {'.', 1, 1, "12.000", "12"},
      {',', 1, 1, "12.000", "12"},
      {',', 0, 1, "0.50", ",5"},
      {'.', 0, 1, "0.50", ".5"},
      {'.', 0, 1, "0.000", "0"},
      {'.', 1, 0, "0.000", "0.000"},
      {',', 0, 0, "0.000", ",000"},
      {'.', 0, 1, "-0.5", "-0.5"},
      {',', 1, 1, "1200", "1200"},
      {',', 0, 0, "1200", "1200"},
      {',', 0, 1, "0", "0"},
      {',', 1, 1, "1.2.30", "1.2,3"},
      {'.', 1, 1, "100.", "100"},
      {'.', 1, 1, "", ""},
      // Zeros that do not end the decimals stay: removing them would change
      // the number or the unit text.
      {',', 1, 1, "1.50E+010", "1,50E+010"},
      {'.', 1, 1, "2.0 mm", "2.0 mm"},
  };
  for (const auto& c : cases) {
    Use(c.decimal, c.leadingZero, c.suppress);
    std::string text = c.in;
    tarvil::detail::ToUserDecimal(text);
    EXPECT_EQ(text, c.out) << c.in;

    Probe object(c.in);
    object.m_nCursorPosition = 7;
    object.m_eCurrentError = eErrBlank;
    object.ConvertDecimalCLocaleToUserLocale();
    EXPECT_STREQ(object, c.out) << c.in;
    EXPECT_EQ(object.GetCursorPosition(), 7);
    EXPECT_EQ(object.GetCurrentError(), eErrBlank);

    char buffer[32] = {};
    std::snprintf(buffer, sizeof buffer, "%s", c.in);
    object.SetDecimal(buffer);
    EXPECT_STREQ(buffer, c.out) << c.in;
  }
}

struct ToCCase {
  char decimal;
  const char* in;
  const char* out;
};

TEST_F(DecimalText, UserToCForm) {
  const ToCCase cases[] = {
      {',', "1234,5", "1234.5"},
      {',', "1,234,5", "1,234.5"},
      {'.', "1,5", "1,5"},
      {',', "12", "12"},
      {',', "", ""},
      {'#', "1#5\xc3\xa9", "1.5\xc3\xa9"},
      // A byte of a multibyte character is never taken for the symbol.
      {'\xa9', "1\xa9" "5\xc3\xa9", "1.5\xc3\xa9"},
  };
  for (const auto& c : cases) {
    Use(c.decimal, 1, 1);
    std::string text = c.in;
    tarvil::detail::ToCDecimal(text);
    EXPECT_EQ(text, c.out) << c.in;

    Probe object(c.in);
    object.ConvertDecimalUserLocaleToCLocale();
    EXPECT_STREQ(object, c.out) << c.in;

    char buffer[32] = {};
    std::snprintf(buffer, sizeof buffer, "%s", c.in);
    object.GetDecimal(buffer);
    EXPECT_STREQ(buffer, c.out) << c.in;
  }
}

TEST_F(DecimalText, NullBuffersAreIgnored) {
  Probe object("1.5");
  object.GetDecimal(nullptr);
  object.SetDecimal(nullptr);
  EXPECT_STREQ(object, "1.5");
}

}  // namespace
