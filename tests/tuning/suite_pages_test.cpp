// The suite window and its pages driven through the forms runtime: load and
// unload order, skin, main settings and the Run entry, the wizard's modes,
// the advanced steps with their fields, and the backup list.
#include <gtest/gtest.h>

#include "platform/registry/advapi32.h"
#include "suite_fixture.h"
#include "tuning/VLTfrmAdvancedMode.h"
#include "tuning/VLTfrmBackUp.h"
#include "tuning/VLTfrmMain.h"
#include "tuning/VLTfrmMainSettings.h"
#include "tuning/VLTfrmWizardMode.h"
#include "tuning/suite_page.h"
#include "tuning/suite_registry.h"
#include "tuning/tcp_backup.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;
using platform::OsKind;

const char* kMainSettings = "SOFTWARE\\DMW\\Velotune\\Settings\\MainSettings";
const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kRunData = "\"C:\\Program Files\\Tessaly\\tsy.exe\"";

class SuitePagesTest : public SuiteTest {
 protected:
  SuitePagesTest() { UseMachine(OsKind::WinXP); }
  ~SuitePagesTest() override { tuning::SetSkinNameSource(nullptr); }
  std::vector<std::string> MessagePrompts() {
    std::vector<std::string> prompts;
    for (const AskRecord& record : Answers().records()) prompts.push_back(record.request.prompt);
    return prompts;
  }
};

TEST_F(SuitePagesTest, WindowLoadsItsPagesInOrderAndShowsTheWizard) {
  SuiteMain();  // the suite opens from the main window
  VLTfrmMainForm& suite = VLTfrmMain();
  std::vector<std::string> loaded;
  for (Form* form : LoadedForms()) loaded.push_back(form->Name());
  EXPECT_EQ(loaded, (std::vector<std::string>{"Form1", "VLTfrmMain", "VLTfrmWizardMode", "VLTfrmAdvancedMode",
                                              "VLTfrmBackUp", "VLTfrmNetPingerSettings", "VLTfrmSystemStatus",
                                              "VLTfrmRamConfiguration", "VLTfrmMainSettings"}));
  EXPECT_EQ(suite.Caption(), "Velotune");
  EXPECT_EQ(GetParent(VLTfrmWizardMode().hWnd()), suite.framChildWindow.hWnd());
  EXPECT_TRUE(VLTfrmWizardMode().Visible());
  EXPECT_EQ(tuning::OSCode, 7);
  // Every page wears the main window's "Form" skin.
  for (Form* page : {static_cast<Form*>(&VLTfrmWizardMode()), static_cast<Form*>(&VLTfrmAdvancedMode()),
                     static_cast<Form*>(&VLTfrmBackUp()), static_cast<Form*>(&VLTfrmMainSettings())})
    EXPECT_EQ(SuiteMain().skn.AppliedTo(page->hWnd()).front(), "Form") << page->Name();
  suite.cmdVelotune(2).Value(true);
  EXPECT_EQ(GetParent(VLTfrmAdvancedMode().hWnd()), suite.framChildWindow.hWnd());
  EXPECT_TRUE(VLTfrmWizardMode().Visible()) << "showing a page hides no other";

  Unload(suite);
  loaded.clear();
  for (Form* form : LoadedForms()) loaded.push_back(form->Name());
  EXPECT_EQ(loaded, std::vector<std::string>{"Form1"});
}

TEST_F(SuitePagesTest, BackColourFollowsTheMainWindowsSkin) {
  const std::pair<const char*, long> cases[] = {{"Skin1", 0}, {"SKIN1", 0}, {"skin2", 0xFFFFFF}, {"Skin3", 0x8000000F}};
  for (const auto& [skin, colour] : cases) {
    std::string name = skin;
    tuning::SetSkinNameSource([name] { return name; });
    EXPECT_EQ(VLTfrmMain().BackColor(), colour) << skin;
    Unload(VLTfrmMain());
  }
}

TEST_F(SuitePagesTest, SystemSettingsButtonsStartTheApplets) {
  VLTfrmMainForm& suite = VLTfrmMain();
  platform::TheJournal().Clear();
  for (int i = 1; i <= 4; ++i) suite.cmdSystemSettings(i).Value(true);
  std::vector<std::string> lines;
  for (const auto& entry : platform::TheJournal().Of("Shell")) lines.push_back(entry.args.at(0));
  EXPECT_EQ(lines, (std::vector<std::string>{"rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,,0",
                                             "rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl,,0",
                                             "rundll32.exe shell32.dll,Control_RunDLL modem.cpl",
                                             "rundll32.exe shell32.dll,Control_RunDLL ncpa.cpl"}));
}

TEST_F(SuitePagesTest, MainSettingsSaveAndTheRunEntry) {
  VLTfrmMainSettingsForm& page = VLTfrmMainSettings();
  EXPECT_EQ(page.chkRunMainProgram.Value(), 0);
  EXPECT_FALSE(page.cmdSave.Enabled());
  page.chkRunMainProgram.UserClick();
  EXPECT_TRUE(page.cmdSave.Enabled());
  page.cmdSave.Value(true);
  EXPECT_FALSE(page.cmdSave.Enabled());
  EXPECT_EQ(tuning::GetSettingHKLM(kMainSettings, "chkRunMainProgram", ""), "1");
  EXPECT_EQ(tuning::GetSettingHKLM(kMainSettings, "chkRunProgramMini", ""), "0");
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kRun, "Velotuner"), Sz(kRunData));
  // Greyed is not ticked: the entry goes.
  page.chkRunMainProgram.Value(vbGrayed);
  page.cmdSave_Click();
  EXPECT_EQ(tuning::GetSettingHKLM(kMainSettings, "chkRunMainProgram", ""), "2");
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kRun, "Velotuner"), std::nullopt);
}

TEST_F(SuitePagesTest, MainSettingsLoadRewritesTheRunEntryAndReadsBadValuesAsUnticked) {
  tuning::SaveSettingHKLM(kMainSettings, "chkRunMainProgram", "1");
  tuning::SaveSettingHKLM(kMainSettings, "chkRunProgramMini", "abc");
  tuning::SaveStringValue(HKEY_CURRENT_USER, kRun, "Velotuner", "C:\\old\\tsy.exe");
  VLTfrmMainSettingsForm& page = VLTfrmMainSettings();
  EXPECT_EQ(page.chkRunMainProgram.Value(), 1);
  EXPECT_EQ(page.chkRunProgramMini.Value(), 0);
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kRun, "Velotuner"), Sz(kRunData));
  EXPECT_FALSE(page.cmdSave.Enabled());
}

TEST_F(SuitePagesTest, StartMinimisedHidesOnlyDuringTheLoad) {
  // The opener shows the window right after, so the option has no lasting
  // effect.
  tuning::SaveSettingHKLM(kMainSettings, "chkRunProgramMini", "1");
  EXPECT_FALSE(VLTfrmMain().Visible());
  VLTfrmMain().Show();
  EXPECT_TRUE(VLTfrmMain().Visible());
}

TEST_F(SuitePagesTest, WizardModesDescribeAndApplyThePreset) {
  VLTfrmWizardModeForm& wizard = VLTfrmWizardMode();
  EXPECT_EQ(wizard.lblModeDescrip.Caption(),
            "MSS = 536\tMTU = 576\t\tICMP = False\r\nNDI = 0\tMSCPS0 = 16\t\tMSCPS1 = 8\r\nBlackHole = False\t"
            "RWIN = 4288\t\r\nKeep Alive = 600000\r\nKeep Alive Interval= 1000\tSYN = 2\t\tTTL= 128\r\n");
  wizard.optMode(7).UserClick();
  EXPECT_EQ(wizard.lblModeDescrip.Caption(),
            "MSS = 1500\tMTU = 1500\t\tICMP = False\r\nNDI = 0\tMSCPS0 = 2\t\tMSCPS1 = 4\r\nBlackHole = False\t"
            "RWIN = 8192\t\r\nKeep Alive = 3600000\r\nKeep Alive Interval= 1000\tSYN = 2\t\tTTL= 32\r\n");
  wizard.cmdOptimize.Value(true);
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", "TcpWindowSize"),
            Dword(8192));
  EXPECT_EQ(tuning::ListBackupFiles().size(), 1u);
}

// Walks the advanced page from step 1 to step `page` with connection type
// `type`.
VLTfrmAdvancedModeForm& AdvancedAt(int page, int type = 0) {
  VLTfrmAdvancedModeForm& advanced = VLTfrmAdvancedMode();
  advanced.optConnType(type).UserClick();
  while (advanced.CurrentPage < page) advanced.cmdNextPage.Value(true);
  return advanced;
}

// Every field of the steps after the connection type has a label on its
// row, to its left, that says what it holds: no step shows bare numbers.
TEST_F(SuitePagesTest, EveryAdvancedStepNamesItsFields) {
  VLTfrmAdvancedModeForm& advanced = VLTfrmAdvancedMode();
  for (int step = 1; step < 8; ++step) {
    const Control& frame = advanced.frmWizardPages(step);
    std::vector<const Control*> fields, labels;
    for (Control* control : advanced.Controls()) {
      if (control->Container() != &frame) continue;
      if (control->IsKind(ControlKind::Label)) labels.push_back(control);
      else if (!control->IsKind(ControlKind::UpDown)) fields.push_back(control);
    }
    ASSERT_FALSE(fields.empty()) << "step " << step + 1;
    for (const Control* field : fields) {
      SCOPED_TRACE("step " + std::to_string(step + 1) + ": " + field->Name());
      bool named = false;
      for (const Control* label : labels) {
        bool sameRow = label->Top() < field->Top() + field->Height() && field->Top() < label->Top() + label->Height();
        bool before = label->Left() + label->Width() <= field->Left();
        if (sameRow && before && !static_cast<const Label*>(label)->Caption().empty()) named = true;
      }
      EXPECT_TRUE(named);
    }
  }
  EXPECT_EQ(advanced.lblRwinRecom.Caption(), "Recommended RWIN size");
}

TEST_F(SuitePagesTest, AdvancedReceiveWindowByConnectionType) {
  struct Case {
    int type;
    const char *mtu, *mss, *rwin, *label;
  };
  const Case cases[] = {
      {0, "576", "536", "6432", "6432Bytes"},
      {1, "1500", "1460", "256960", "256960Bytes"},
      {2, "1492", "1452", "255552", "255552Bytes"},
      {3, "1500", "1460", "256960", "256960Bytes"},
  };
  for (const Case& c : cases) {
    VLTfrmAdvancedModeForm& advanced = AdvancedAt(3, c.type);
    EXPECT_EQ(advanced.txtMTUValue.Text(), c.mtu);
    EXPECT_EQ(advanced.txtMSSValue.Text(), c.mss);
    EXPECT_EQ(advanced.txtRWIN.Text(), c.rwin);
    EXPECT_EQ(advanced.lblRWINRecValue.Caption(), c.label);
    EXPECT_TRUE(advanced.frmWizardPages(3).Visible());
    EXPECT_FALSE(advanced.frmWizardPages(2).Visible());
    Unload(advanced);
  }
}

TEST_F(SuitePagesTest, AdvancedValueBoxesPutBackWhatTheyRefuse) {
  VLTfrmAdvancedModeForm& advanced = AdvancedAt(6);  // the record holds TTL 64, HTTP 20/20, SYN 2
  struct Case {
    TextBox* box;
    const char *typed, *shown;
  };
  const Case cases[] = {
      {&advanced.txtTTLValue, "255", "255"},       {&advanced.txtTTLValue, "256", "64"},
      {&advanced.txtTTLValue, "0", "64"},          {&advanced.txtTTLValue, "abc", "64"},
      {&advanced.txtTTLValue, "", "64"},           {&advanced.txtTTLValue, "1.5", "64"},
      {&advanced.txtHTTP10Value, "3", "20"},       {&advanced.txtHTTP10Value, "4", "4"},
      {&advanced.txtHTTP11Value, "1", "20"},       {&advanced.txtMTUValue, "-5", "576"},
      {&advanced.txtMSSValue, " +600 ", " +600 "}, {&advanced.txtSYNValue, "x", "2"},
      {&advanced.txtSYNValue, "3", "2"},           {&advanced.txtSYNValue, "1", "1"},
      {&advanced.txtKeepAliveTimeValue, "99999999999", "7200000"},
  };
  for (const Case& c : cases) {
    c.box->Text(c.typed);
    EXPECT_EQ(c.box->Text(), c.shown) << c.box->Name() << " " << c.typed;
  }
}

TEST_F(SuitePagesTest, AdvancedFinishAppliesWhatTheControlsShow) {
  VLTfrmAdvancedModeForm& advanced = AdvancedAt(2, 1);
  advanced.chkMTUDisconver.UserClick();  // "Disable it??"
  advanced.chkBlackHoleValue.UserClick();
  advanced.cmdNextPage.Value(true);  // arriving at step 4 resets the record's switches
  advanced.cmdPrevPage.Value(true);
  EXPECT_EQ(advanced.cmdNextPage.Caption(), "Next>>");
  while (advanced.CurrentPage < 7) advanced.cmdNextPage.Value(true);
  EXPECT_EQ(advanced.cmdNextPage.Caption(), "Finish");
  advanced.cmbNDI.ListIndex(3);
  advanced.cmdNextPage.Value(true);
  EXPECT_FALSE(advanced.cmdNextPage.Enabled());
  const char* key = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, key, "EnablePMTUDiscovery"), Dword(0));
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, key, "EnablePMTUBHDetect"), Dword(1));
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, key, "TcpWindowSize"), Dword(256960));
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize",
                       ""),
            Dword(8));
  // Back from finishing: step 8 again, whose next click finishes.
  advanced.cmdPrevPage.Value(true);
  EXPECT_EQ(advanced.CurrentPage, 7);
  EXPECT_TRUE(advanced.cmdNextPage.Enabled());
  EXPECT_EQ(advanced.cmdNextPage.Caption(), "Finish");
}

TEST_F(SuitePagesTest, AdvancedFinishRefusesAWindowItCannotWrite) {
  const char* typed[] = {"", "abc", "0", "1073741824", "2147483648"};
  for (const char* rwin : typed) {
    VLTfrmAdvancedModeForm& advanced = AdvancedAt(7);
    advanced.txtRWIN.Text(rwin);
    Answers().ClearRecords();
    advanced.cmdNextPage.Value(true);
    EXPECT_EQ(advanced.CurrentPage, 7) << rwin;
    EXPECT_TRUE(advanced.cmdNextPage.Enabled());
    EXPECT_EQ(MessagePrompts(), std::vector<std::string>{"Error: RWIN must be a whole number from 1 to 1073741823."});
    EXPECT_EQ(tuning::ListBackupFiles().size(), 0u) << "nothing applied";
    Unload(advanced);
  }
}

TEST_F(SuitePagesTest, MultiplierResetsOnceAndEnds) {
  VLTfrmAdvancedModeForm& advanced = AdvancedAt(3);
  advanced.txtScaleFactor.Text("0");
  advanced.txtMultiplier.Text("5");
  EXPECT_EQ(advanced.txtMultiplier.Text(), "3");
  EXPECT_EQ(advanced.txtRWIN.Text(), "0");
  advanced.txtScaleFactor.Text("4");
  advanced.txtMultiplier.Text("999999");  // RWIN above 1073741823
  EXPECT_EQ(advanced.txtMultiplier.Text(), "3");
  EXPECT_EQ(advanced.txtRWIN.Text(), "6432");
  advanced.txtMultiplier.Text("10");
  EXPECT_EQ(advanced.txtRWIN.Text(), "21440");
}

TEST_F(SuitePagesTest, BackupPageSortsDeletesAndRestores) {
  auto builder = NetworkMachine(OsKind::WinXP);
  const std::string folder = "C:\\Program Files\\Tessaly\\VLT Backups\\";
  builder.file(folder + "009.BCK", "#2024-01-05#\r\n#09:00:00#\r\n7\r\n");
  builder.file(folder + "010.BCK", "#2023-03-01#\r\n#10:00:00#\r\n7\r\n");
  builder.file(folder + "011.BCK", "#2023-12-31#\r\n#08:00:00#\r\n4\r\n");
  UseMachine(builder);
  VLTfrmMainForm& suite = VLTfrmMain();
  suite.cmdVelotune(3).Value(true);
  VLTfrmBackUpForm& page = VLTfrmBackUp();
  auto names = [&] {
    std::vector<std::string> list;
    for (int i = 1; i <= page.lstBackUp.Count(); ++i) list.push_back(page.lstBackUp.Item(i).Text);
    return list;
  };
  EXPECT_EQ(names(), (std::vector<std::string>{"009.BCK", "010.BCK", "011.BCK"}));
  EXPECT_FALSE(page.cmdRestore.Enabled());
  page.lstBackUp.UserClickColumn(2);
  EXPECT_EQ(names(), (std::vector<std::string>{"010.BCK", "011.BCK", "009.BCK"}));
  page.lstBackUp.UserClickColumn(2);
  EXPECT_EQ(names(), (std::vector<std::string>{"009.BCK", "011.BCK", "010.BCK"}));
  EXPECT_EQ(page.lstBackUp.Column(2).Tag, "DESC");
  page.lstBackUp.UserClickColumn(3);
  EXPECT_EQ(names(), (std::vector<std::string>{"011.BCK", "009.BCK", "010.BCK"}));
  EXPECT_EQ(page.lstBackUp.Column(2).Tag, "");
  EXPECT_EQ(page.lstBackUp.Column(3).Tag, "ASC");
  page.lstBackUp.UserClickColumn(1);
  EXPECT_EQ(names(), (std::vector<std::string>{"009.BCK", "010.BCK", "011.BCK"}));

  // Restoring another system's file: the critical message.
  page.lstBackUp.UserClickItem(3);
  EXPECT_TRUE(page.cmdRestore.Enabled());
  Answers().ClearRecords();
  Answers().Script("Yes");
  page.cmdRestore.Value(true);
  EXPECT_EQ(MessagePrompts(), (std::vector<std::string>{"Do you want to restore this settings??",
                                                        "This backup file was taken from another operating system!!"}));
  // Delete: No keeps the file, Yes removes it and rebuilds the list.
  Answers().Script("No");
  page.cmdDelete.Value(true);
  EXPECT_EQ(page.lstBackUp.Count(), 3);
  Answers().Script("Yes");
  page.cmdDelete.Value(true);
  EXPECT_EQ(names(), (std::vector<std::string>{"009.BCK", "010.BCK"}));
  EXPECT_FALSE(page.cmdDelete.Enabled());
}

}  // namespace
}  // namespace tessaly::testing
