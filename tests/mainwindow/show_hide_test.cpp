// The IE page's Show/Hide pairs over the real engine, and which section
// buttons the installed-application check enables.
#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "mainwindow/run/engine_link.h"
#include "platform/forms/forms.h"
#include "platform/registry/advapi32.h"
#include "support/CRegister.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class RealEngineTest : public ::testing::Test {
 protected:
  explicit RealEngineTest(const platform::MachineBuilder& builder = TestMachine()) : machine_(builder) {}
  ~RealEngineTest() override {
    ResetFormsRuntime();
    InstallCleaningEngine(nullptr);
    InstallBuiltInPluginRunner(nullptr);
  }
  TempMachine machine_;
  bool connected_ = (ResetFormsRuntime(), ConnectCleaningEngine(), true);
};

// Enabled state of (typed URLs hide, show), (passwords ...), (favourites ...).
std::vector<bool> Pairs(Form1Form& form) {
  return {form.cmdTypedURLsHide.Enabled(), form.cmdTypedURLsShow.Enabled(), form.cmdPasswordsHide.Enabled(),
          form.cmdPasswordsShow.Enabled(), form.cmdFavoritesHide.Enabled(), form.cmdFavoritesShow.Enabled()};
}

class ShowHideTest : public RealEngineTest {
 protected:
  ShowHideTest()
      : RealEngineTest(TestMachine().registry(
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Intelliforms\\SPW]\r\n"
            "\"site\"=\"secret\"\r\n")) {}
};

TEST_F(ShowHideTest, ButtonsFollowTheMarkersAndHidingFlipsOnlyItsPair) {
  Form1Form& form = Form1();
  EXPECT_EQ(Pairs(form), (std::vector<bool>{true, false, true, false, true, false}));
  form.ShowThatFrame(form.Frame_IE);
  Answers().Script("OK");
  form.cmdPasswordsHide.UserClick();
  EXPECT_EQ(Answers().records().back().request.prompt, "Hide Passwords is successfully finished!");
  EXPECT_EQ(Pairs(form), (std::vector<bool>{true, false, false, true, true, false}));
  EXPECT_EQ(CRegister().REGGetSetting(static_cast<std::int32_t>(HKEY_LOCAL_MACHINE), "SOFTWARE\\TESSALY\\TempP",
                                      "Hide", ""),
            "True");
  Answers().Script("OK");
  form.cmdPasswordsShow.UserClick();
  EXPECT_EQ(Pairs(form), (std::vector<bool>{true, false, true, false, true, false}));

  // Only the exact texts count: any other marker disables both buttons.
  CRegister().REGSaveSetting(static_cast<std::int32_t>(HKEY_LOCAL_MACHINE), "SOFTWARE\\TESSALY\\TempF", "Hide",
                             "true");
  form.CheckShowHide();
  EXPECT_EQ(Pairs(form), (std::vector<bool>{true, false, true, false, false, false}));
}

TEST_F(ShowHideTest, TheKeepListButtonsOpenTheirWindowsModeless) {
  Form1Form& form = Form1();
  form.ShowThatFrame(form.Frame_IE);
  form.cmdIEWizard.UserClick();
  form.cmdNetScapeWizard.UserClick();
  int shown = 0;
  for (Form* each : LoadedForms())
    if ((each->Name() == "frmIECookieKeep" || each->Name() == "frmNSCookieKeep") && each->Visible()) ++shown;
  EXPECT_EQ(shown, 2);
}

struct InstalledCase {
  const char* what;
  std::string registry;
  std::vector<std::string> enabled;  // section buttons, in table order
};

class InstalledSectionsTest : public RealEngineTest, public ::testing::WithParamInterface<InstalledCase> {
 protected:
  InstalledSectionsTest() : RealEngineTest(TestMachine().registry(GetParam().registry)) {}
};

TEST_P(InstalledSectionsTest, OnlyInstalledApplicationsHaveTheirButton) {
  Form1Form& form = Form1();
  std::vector<std::string> enabled;
  for (auto* button : {&form.cmd_Office, &form.cmd_MSN, &form.cmd_ICQ, &form.cmd_YAHOO, &form.cmd_IE,
                       &form.cmd_NetScape, &form.cmd_AOL, &form.cmd_Opera})
    if (button->Enabled()) enabled.push_back(button->Name());
  EXPECT_EQ(enabled, GetParam().enabled);
  // The other page buttons are not the check's business.
  EXPECT_TRUE(form.cmd_Windows.Enabled());
  EXPECT_TRUE(form.Command4.Enabled());
}

constexpr const char* kAppPaths = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

INSTANTIATE_TEST_SUITE_P(
    Registry, InstalledSectionsTest,
    ::testing::Values(
        // The fresh image has the Explorer key only.
        InstalledCase{"fresh", "", {"cmd_IE"}},
        InstalledCase{"office 9", "[HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\9.0]\r\n", {"cmd_Office", "cmd_IE"}},
        InstalledCase{"office 11 only", "[HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\11.0]\r\n", {"cmd_IE"}},
        InstalledCase{"messengers",
                      "[HKEY_CURRENT_USER\\Software\\Microsoft\\MSNMessenger]\r\n"
                      "[HKEY_CURRENT_USER\\Software\\Mirabilis\\ICQ]\r\n[HKEY_CURRENT_USER\\Software\\Yahoo]\r\n",
                      {"cmd_MSN", "cmd_ICQ", "cmd_YAHOO", "cmd_IE"}},
        InstalledCase{"netscape and aol paths",
                      (std::string(kAppPaths) + "Netscp.exe]\r\n\"Path\"=\"C:\\\\Netscape\"\r\n" + kAppPaths +
                       "Aol.exe]\r\n\"Path\"=\"C:\\\\AOL\"\r\n")
                          ,
                      {"cmd_IE", "cmd_NetScape", "cmd_AOL"}},
        InstalledCase{"netscape key without or with an empty path",
                      (std::string(kAppPaths) + "Netscp.exe]\r\n\"Other\"=\"x\"\r\n" + kAppPaths +
                       "Aol.exe]\r\n\"Path\"=\"\"\r\n")
                          ,
                      {"cmd_IE"}},
        InstalledCase{"opera",
                      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Opera]\r\n",
                      {"cmd_IE", "cmd_Opera"}}));

}  // namespace
}  // namespace tessaly::testing
