// MeasureTestSupport.h: shared fixtures of the measure tests.
#ifndef TARVIL_TESTS_MEASURETESTSUPPORT_H
#define TARVIL_TESTS_MEASURETESTSUPPORT_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AssertReport.h"
#include "CTarvil.h"
#include "MessageBox.h"

namespace measure_test {

// Reads the settings (all defaults: no registry), lets a test change fields
// directly, and restores them afterwards. Message boxes and precondition
// reports are captured instead of shown.
class MeasureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CTarvil::SetLocale();
    saved_ = CTarvil::s_Locale;
    previousBox_ = tarvil::platform::SetMessageBoxHandler(
        [this](const char* text, unsigned int, unsigned int) {
          messages.push_back(text);
          return 1;
        });
    previousReport_ = tarvil::platform::SetAssertReportHandler(
        [this](const char* condition, const char* unit, int) {
          reports.push_back(std::string(unit) + ": " + condition);
        });
  }
  void TearDown() override {
    CTarvil::s_Locale = saved_;
    tarvil::platform::SetMessageBoxHandler(previousBox_);
    tarvil::platform::SetAssertReportHandler(previousReport_);
  }
  static void Suppress(int on) { CTarvil::s_Locale.m_nSuppressTrailingZeros = on; }

  std::vector<std::string> messages;
  std::vector<std::string> reports;

 private:
  CTarvilLocale saved_;
  tarvil::platform::MessageBoxHandler previousBox_;
  tarvil::platform::AssertReportHandler previousReport_;
};

inline std::string Text(const CTarvil& s) { return std::string(s.View()); }

}  // namespace measure_test

#endif
