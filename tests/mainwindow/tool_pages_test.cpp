// The main window's start-up boxes, language and skin choosers, and its
// start-up and uninstall pages, with the real system tools.
#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "mainwindow/run/tools_link.h"
#include "platform/base/journal.h"
#include "platform/registry/advapi32.h"
#include "support/CRegister.h"
#include "support/language_packs.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kOff = kRun + "-";
const std::int32_t kHklm = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);
const std::int32_t kHkcu = static_cast<std::int32_t>(HKEY_CURRENT_USER);
const std::string kProgram = "\"C:\\Program Files\\Tessaly\\tsy.exe\"";

class ToolPagesTest : public MainWindowTest {
 protected:
  ToolPagesTest() { ConnectSystemTools(); }
  ~ToolPagesTest() override { InstallSystemTools(nullptr); }

  // (Run, Run-) of the program's value, the same in both hives.
  std::pair<std::string, std::string> Entry() {
    auto read = [](std::int32_t root, const std::string& path) {
      return CRegister().REGGetSetting(root, path, "Tessaly", "");
    };
    EXPECT_EQ(read(kHklm, kRun), read(kHkcu, kRun));
    EXPECT_EQ(read(kHklm, kOff), read(kHkcu, kOff));
    return {read(kHklm, kRun), read(kHklm, kOff)};
  }
  void Restart() {
    ResetFormsRuntime();
    InstallCleaningEngine(engine_);
    Form1();
  }
};

TEST_F(ToolPagesTest, EachClickLeavesOneLiveValueWithTheTickedBoxsSwitch) {
  struct Step {
    const char* click;  // "load" or "clean"
    int load, clean;    // the boxes afterwards
    std::string run, off;
  };
  const std::string startup = kProgram + " /STARTUP", startrun = kProgram + " /STARTRUN";
  const Step steps[] = {
      {"load", 1, 0, startup, ""},     {"clean", 0, 1, startrun, ""}, {"load", 1, 0, startup, ""},
      {"load", 0, 0, "", startup},     {"clean", 0, 1, startrun, ""}, {"clean", 0, 0, "", startrun},
  };
  Form1Form& form = Form1();
  form.ShowThatFrame(form.Frame_Options);
  for (const auto& step : steps) {
    SCOPED_TRACE(std::string(step.click) + " -> " + step.run + " / " + step.off);
    (std::string(step.click) == "load" ? form.chkLoadStartUp : form.chkRunStarted).UserClick();
    EXPECT_EQ(form.chkLoadStartUp.Value(), step.load);
    EXPECT_EQ(form.chkRunStarted.Value(), step.clean);
    EXPECT_EQ(Entry(), std::make_pair(step.run, step.off));
  }
}

TEST_F(ToolPagesTest, RestoringBothStoredOptionsLeavesTheHivesAsTheyWere) {
  for (const char* value : {"LoadStartup", "CleanStartup"})
    CRegister().REGSaveSetting(kHklm, "SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS", value, "1");
  CRegister().REGSaveSetting(kHkcu, kRun, "Tessaly", "as left");
  Form1Form& form = Form1();
  EXPECT_EQ(form.chkLoadStartUp.Value(), 1);
  EXPECT_EQ(form.chkRunStarted.Value(), 1);
  EXPECT_EQ(CRegister().REGGetSetting(kHkcu, kRun, "Tessaly", ""), "as left");
  EXPECT_EQ(CRegister().REGGetSetting(kHklm, kRun, "Tessaly", "<none>"), "<none>");
  EXPECT_EQ(CRegister().REGGetSetting(kHklm, kOff, "Tessaly", "<none>"), "<none>");
}

TEST_F(ToolPagesTest, ALanguageIsItsFileNameAndLoadsAtTheNextStart) {
  const std::string folder = "C:\\Program Files\\Tessaly\\languages\\";
  machine_.WriteContent(folder + "English.UK.ini", "[Form1]\r\nchkBleach=Shred it\r\ncmdUninst=Remove\r\n");
  machine_.WriteContent(folder + "Odd.inix", "[Form1]\r\n");
  PutSkin2Files({"TSY.skn", "TSY.swf", "TSY.spl"});
  Form1Form& form = Form1();
  std::vector<std::string> listed = form.cmb_lang.Items();
  EXPECT_EQ(listed, (std::vector<std::string>{"English", "English.UK"}));
  EXPECT_EQ(form.cmb_lang.ComboItems(1).Image, form.FindFlagImage("ENGLISH"));
  EXPECT_EQ(form.cmb_lang.ComboItems(2).Image, 0);
  EXPECT_EQ(form.cmb_lang.SelectedItem()->Text, "English");

  form.ShowThatFrame(form.Frame_Options);
  form.cmb_lang.UserClick(2);
  EXPECT_EQ(GetSetting("tsy", "lang", "lang"), "English.UK");
  EXPECT_EQ(machine_.ReadContent("C:\\Program Files\\Tessaly\\Skin2\\Lang.ini"),
            "[Lang]\r\n&strLanguage=English.UK&\r\n");
  form.cmb_skin.UserClick(1);
  EXPECT_EQ(GetSetting("tsy", "skin", "skin"), "Skin2");

  Restart();
  Form1Form& next = Form1();
  EXPECT_EQ(CurrentLanguage, "English.UK");
  EXPECT_EQ(next.cmb_lang.SelectedItem()->Text, "English.UK");
  EXPECT_EQ(next.chkBleach.Caption(), "Shred it");
  EXPECT_EQ(next.cmdUninst.Caption(), "Remove");
  EXPECT_EQ(next.chkCleanAll.Caption(), "Clean all sections.");  // not in the file: kept
  EXPECT_EQ(next.cmb_skin.Text(), "Skin2");
}

TEST_F(ToolPagesTest, AnUnknownStoredSkinShowsSkin1AndIsNotRewritten) {
  SaveSetting("tsy", "skin", "skin", "Velvet");
  Form1Form& form = Form1();
  EXPECT_EQ(form.cmb_skin.Text(), "Skin1");
  EXPECT_EQ(GetSetting("tsy", "skin", "skin"), "Velvet");
}

TEST_F(ToolPagesTest, TheStartUpPageListsTogglesAndKeepsTheCaptionInStep) {
  CRegister().REGSaveSetting(kHkcu, kRun, "Alpha", "C:\\alpha.exe");
  CRegister().REGSaveSetting(kHklm, kRun + "Once", "Beta", "C:\\beta.exe");
  Form1Form& form = Form1();
  ASSERT_EQ(form.LSTPR.Count(), 2);
  EXPECT_EQ(form.LSTPR.Column(4).Text, "Reg Key");
  form.ShowThatFrame(form.Frame_StartUp);
  form.cmdEnaDisProgram.UserClick();  // no row chosen: nothing
  EXPECT_EQ(CRegister().REGGetSetting(kHkcu, kRun, "Alpha", ""), "C:\\alpha.exe");
  form.LSTPR.UserClickItem(1);
  EXPECT_EQ(form.cmdEnaDisProgram.Caption(), "Disable");
  form.cmdEnaDisProgram.UserClick();
  EXPECT_EQ(form.cmdEnaDisProgram.Caption(), "Enable");
  EXPECT_EQ(CRegister().REGGetSetting(kHkcu, kRun, "Alpha", "<none>"), "<none>");
  form.LSTPR_MouseDown(1, 0, 100, 2 * ListView::kRowHeight + 10);  // over Beta
  EXPECT_EQ(form.cmdEnaDisProgram.Caption(), "Disable");
  form.LSTPR_MouseDown(1, 0, 100, 9 * ListView::kRowHeight);  // no row: unchanged
  EXPECT_EQ(form.cmdEnaDisProgram.Caption(), "Disable");
  form.LSTPR.UserClickItem(2);
  form.cmdClearProgram.UserClick();
  EXPECT_EQ(CRegister().REGGetSetting(kHklm, kRun + "Once", "Beta", "<none>"), "<none>");
  EXPECT_EQ(form.LSTPR.Count(), 1);
}

// A command with "|" cannot be kept in the disabled-items file: the user is
// told so, and the entry stays enabled.
TEST_F(ToolPagesTest, AnEntryThatCannotBeDisabledSaysWhy) {
  CRegister().REGSaveSetting(kHkcu, kRun, "Piped", "C:\\tool.exe | more");
  Form1Form& form = Form1();
  form.ShowThatFrame(form.Frame_StartUp);
  ASSERT_EQ(form.LSTPR.Count(), 1);
  form.LSTPR.UserClickItem(1);
  Answers().ClearRecords();
  form.cmdEnaDisProgram.UserClick();
  ASSERT_EQ(Answers().records().size(), 1u);
  EXPECT_EQ(Answers().records()[0].request.kind, AskKind::MessageBox);
  EXPECT_EQ(Answers().records()[0].request.prompt,
            "\"Piped\" can't be disabled: its name or command holds \"|\" or a line break, which the list of "
            "disabled programs can't keep. It stays enabled.");
  EXPECT_EQ(form.LSTPR.Item(1).SubItems(1), "Enabled");
  EXPECT_EQ(form.cmdEnaDisProgram.Caption(), "Disable");
  EXPECT_EQ(CRegister().REGGetSetting(kHkcu, kRun, "Piped", "<none>"), "C:\\tool.exe | more");
}

TEST_F(ToolPagesTest, TheUninstallButtonStartsTheFirstRowsUninstaller) {
  CRegister().REGSaveSetting(kHklm, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App", "DisplayName",
                             "App");
  CRegister().REGSaveSetting(kHklm, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\App",
                             "UninstallString", "C:\\App\\un.exe /q");
  Form1Form& form = Form1();
  EXPECT_EQ(form.LSTUP.ListIndex(), 0);  // start-up selects the first row
  EXPECT_FALSE(form.LSTUP2.Visible());
  form.ShowThatFrame(form.Frame_UnInstall);
  platform::TheJournal().Clear();
  form.cmdUninst.UserClick();
  auto started = platform::TheJournal().Of("ShellExecute");
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].args[2], "C:\\App\\un.exe");
  EXPECT_EQ(started[0].args[3], "/q");
}

}  // namespace
}  // namespace tessaly::testing
