// SettingsFixture.h: a test fixture with a user hive file of its own, in
// the C locale, that restores the shared settings afterwards.
#ifndef TARVIL_TESTS_SETTINGSFIXTURE_H
#define TARVIL_TESTS_SETTINGSFIXTURE_H

#include <gtest/gtest.h>

#include <string>

#include "CTarvil.h"
#include "RegistryFiles.h"

namespace tarvil::test {

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest()
      : user_(dir_ / "user.reg"),
        userEnv_("TARVIL_USER_REGISTRY", user_),
        machineEnv_("TARVIL_MACHINE_REGISTRY", dir_ / "machine.reg"),
        lcAll_("LC_ALL", "C") {}
  void SetUp() override { saved_ = CTarvil::s_Locale; }
  void TearDown() override { CTarvil::s_Locale = saved_; }

  // Writes the user's hive: the header and then `body`.
  void WriteHive(const std::string& body) { WriteBytes(user_, "REGEDIT4\n\n" + body); }

  TempDir dir_;
  std::string user_;

 private:
  ScopedEnv userEnv_;
  ScopedEnv machineEnv_;
  ScopedEnv lcAll_;
  CTarvilLocale saved_;
};

}  // namespace tarvil::test

#endif
