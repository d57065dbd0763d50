#include <gtest/gtest.h>

#include "cleaning/plugin_names.h"
#include "cleaning/plugin_runner.h"
#include "mainwindow/Form1.h"
#include "platform/files/file_content.h"
#include "platform/registry/advapi32.h"
#include "support/CRegister.h"
#include "support/find_files.h"
#include "support/language_packs.h"
#include "support/skins.h"
#include "support/system_folders.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class Form1Test : public ::testing::Test {
 protected:
  Form1Test() {
    ResetFormsRuntime();
    ConnectBuiltInPluginNames();
  }
  ~Form1Test() override { ResetFormsRuntime(); }
  TempMachine machine_;
};

TEST_F(Form1Test, FirstReferenceLoadsAndShowsTheWindowWithItsSkinAndLanguage) {
  EXPECT_FALSE(IsLoaded<Form1Form>());
  Form1Form& form = Form1();
  EXPECT_TRUE(form.loaded());
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(g_WindowsDir, "C:\\WINDOWS");
  EXPECT_EQ(CurrentLanguage, "English");
  ASSERT_TRUE(form.skn.loaded());
  EXPECT_EQ(form.skn.AppliedTo(form.hWnd()), (std::vector<std::string>{"", "MainMask"}));
  EXPECT_EQ(form.skn.AppliedTo(form.chkIE(3).hWnd()), (std::vector<std::string>{"Check"}));
  EXPECT_EQ(form.skn.AppliedTo(form.cmdFavoritesHide.hWnd()), (std::vector<std::string>{"Button", "ButtonWhite"}));
  EXPECT_EQ(form.chkSkipMessages.Caption(), "Show Popup Messages");
  EXPECT_EQ(form.chkIE(2).Caption(), "Bleach Index.dat");
  EXPECT_EQ(form.chkBleach.Caption(), "Use shredder");
  ASSERT_EQ(form.cmbShredder.ListCount(), 9);
  EXPECT_EQ(form.cmbShredder.List(0), "1");
  EXPECT_EQ(form.cmbShredder.List(8), "9");
  EXPECT_EQ(form.lstBPI.Style(), 1);
  EXPECT_EQ(form.chkNetScape.Count(), 6);
  EXPECT_TRUE(form.StopDllNow);
}

TEST_F(Form1Test, TheSavedLanguageChoiceTranslatesTheWindow) {
  ASSERT_EQ(platform::files::WriteFileContent("C:\\Program Files\\Tessaly\\languages\\Deutsch.ini",
                                              "[Form1]\r\nchkBleach=Schredder benutzen\r\n"),
            0u);
  SaveSetting("tsy", "lang", "lang", "Deutsch");
  EXPECT_EQ(Form1().chkBleach.Caption(), "Schredder benutzen");
  EXPECT_EQ(Form1().chkSkipMessages.Caption(), "Show Popup Messages");  // key missing: kept
}

class CountingRunner : public BuiltInPluginRunner {
 public:
  std::vector<std::string> cleaned;
  double total = 123;
  void ResetCleanedBytes() override { total = 0; }
  void CleanStandardPlugins(const std::string& name) override {
    cleaned.push_back(name);
    total += 16777217.0;  // more than a Single holds exactly
  }
  double CleanedBytesTotal() override { return total; }
};

TEST_F(Form1Test, LoadFillsThePluginListFromTheCatalogueNamesInOrder) {
  Form1Form& form = Form1();
  ASSERT_EQ(form.lstBPI.ListCount(), 162);
  for (int i = 0; i < 162; ++i) EXPECT_EQ(form.lstBPI.List(i), kBuiltInPluginNames[i]) << i;
  EXPECT_EQ(form.lstBPI.List(42), "Outlook Express 5.x");
  EXPECT_EQ(form.lstBPI.List(161), "Morpheous");
  EXPECT_EQ(form.lstBPI.SelCount(), 0);
}

TEST_F(Form1Test, BuiltInPluginsRunOnlyAfterYes) {
  Form1Form& form = Form1();
  auto runner = std::make_shared<CountingRunner>();
  form.SetPluginRunner(runner);
  form.lstBPI.Selected(0, true);
  form.lstBPI.Selected(161, true);
  form.cBuiltIn = 2;

  EXPECT_EQ(form.BPI_Do_Plugins(), 0);  // unscripted: No, the default
  EXPECT_TRUE(runner->cleaned.empty());
  const auto& box = Answers().records().back();
  EXPECT_EQ(box.request.prompt,
            "Are you sure that you want to clean all plugins which contains email contacts and emails?");
  EXPECT_EQ(box.request.style, vbYesNo | vbQuestion | vbDefaultButton2);

  Answers().Script("Yes");
  EXPECT_EQ(form.BPI_Do_Plugins(), 2 * 16777217.0);
  EXPECT_EQ(runner->cleaned, (std::vector<std::string>{"ACDSee", "Morpheous"}));
  EXPECT_EQ(form.fcBuiltIn, 2);
  EXPECT_EQ(form.prgCurrent.Value(), 100);
}

TEST_F(Form1Test, CheckShowHideComparesTheHideStatesExactly) {
  CRegister registry;
  auto hklm = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);
  registry.REGSaveSetting(hklm, "SOFTWARE\\TESSALY\\TempU", "Hide", "True");
  registry.REGSaveSetting(hklm, "SOFTWARE\\TESSALY\\TempP", "Hide", "true");
  Form1Form& form = Form1();
  form.CheckShowHide();
  EXPECT_TRUE(form.cmdTypedURLsShow.Enabled());
  EXPECT_FALSE(form.cmdTypedURLsHide.Enabled());
  EXPECT_FALSE(form.cmdPasswordsShow.Enabled());  // neither "True" nor "False": both off
  EXPECT_FALSE(form.cmdPasswordsHide.Enabled());
  EXPECT_FALSE(form.cmdFavoritesShow.Enabled());  // missing: "False"
  EXPECT_TRUE(form.cmdFavoritesHide.Enabled());
}

TEST_F(Form1Test, AddToDllListSkipsExcludedFilesAndReadsVersionAndSize) {
  ASSERT_EQ(platform::files::WriteFileContent("C:\\WINDOWS\\system32\\x.dll",
                                              "MZ-STANDIN version=5.1.2600.0\r\n" + std::string(100, 'p')),
            0u);
  Form1Form& form = Form1();
  form.lstDllFiles.AddItem("C:\\WINDOWS\\system32\\skip.dll");
  bool system = true;
  form.AddToDllList("C:\\WINDOWS\\system32\\skip.dll", system);
  EXPECT_TRUE(form.systemDlls.empty());
  form.AddToDllList("C:\\WINDOWS\\system32\\x.dll", system);
  ASSERT_EQ(form.systemDlls.size(), 1u);
  EXPECT_EQ(form.systemDlls[0].name, "x.dll");
  EXPECT_EQ(form.systemDlls[0].version, "5.1.2600.0");
  EXPECT_EQ(form.systemDlls[0].size, 131);
  EXPECT_EQ(form.lblDLL_Name.Caption(), "C:\\WINDOWS\\system32\\x.dll");
  // A file without the stand-in line has no version; only its size shows.
  ASSERT_EQ(platform::files::WriteFileContent("C:\\WINDOWS\\plain.dll", "version=1.2.3.4\r\n"), 0u);
  bool other = false;
  form.AddToDllList("C:\\Program Files\\Tessaly\\tsy.exe", other);
  EXPECT_EQ(form.otherDlls.size(), 1u);
  form.AddToDllList("C:\\WINDOWS\\plain.dll", other);
  ASSERT_EQ(form.otherDlls.size(), 2u);
  EXPECT_EQ(form.otherDlls[1].name, "plain.dll");
  EXPECT_EQ(form.otherDlls[1].version, "");
  EXPECT_EQ(form.otherDlls[1].size, 17);
  EXPECT_EQ(form.systemDlls.size(), 1u);
}

TEST_F(Form1Test, SupportServicesReachTheMainWindow) {
  std::string folder = "C:\\WINDOWS";
  std::int32_t folders = 0, subFolders = 0;
  FindFiles(folder, "rundll32.exe", folders, subFolders);
  EXPECT_EQ(Form1().List_os.Items(), (std::vector<std::string>{"C:\\WINDOWS\\system32\\"}));
  Form1().chkSkipMessages.Value(0);
  EXPECT_EQ(ShowMessage("optional", 0, "", true), 0);
  EXPECT_EQ(ShowMessage("always", 0, "", false), vbOK);
}

}  // namespace
}  // namespace tessaly::testing
