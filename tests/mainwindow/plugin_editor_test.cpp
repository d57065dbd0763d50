// The plug-in editor through the forms runtime: building plug-ins with its
// controls, the sections it writes, and a round trip to a cleaning run by
// the real engine on a fixture machine.
#include <gtest/gtest.h>

#include "extra_plugin_fixture.h"
#include "mainwindow/plugins/frmPluginEditor.h"
#include "mainwindow/run/engine_link.h"
#include "support/registry_calls.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class PluginEditorTest : public ExtraPluginTest {
 protected:
  PluginEditorTest() { engine_->installedKeys = {"HKEY_LOCAL_MACHINE\\SOFTWARE\\TOOL"}; }

  FrmPluginEditorForm& editor() { return frmPluginEditor(); }

  // Adds a registry row through the fields and the Add button.
  void AddRegistryRow(int list, int root, const std::string& path, bool value, const std::string& name) {
    auto& e = editor();
    e.cmbRegisterySel.ListIndex(list);
    e.cmbPathRegistry.ListIndex(root);
    e.txtPath.Text(path);
    e.cmbRegistry.ListIndex(value ? 1 : 0);
    e.txtKeyValue.Text(name);
    e.cmdRegistryAdd.UserClick();
  }
  void AddPatternRow(const std::string& folder, const std::string& pattern) {
    auto& e = editor();
    e.optFilePattern.UserClick();
    e.txtPathFF.Text(folder);
    e.txtFilePattern.Text(pattern);
    e.cmdAddFF.UserClick();
  }
  std::vector<std::string> Prompts() {
    std::vector<std::string> prompts;
    for (const auto& record : Answers().records()) prompts.push_back(record.request.prompt);
    return prompts;
  }
};

TEST_F(PluginEditorTest, TheEditorOpensEmptyWithItsCaptionsAndLists) {
  Main().cmdNewPlugin.UserClick();
  auto& e = editor();
  EXPECT_TRUE(e.Visible());
  EXPECT_EQ(e.Caption(), "Plugin Editor");
  EXPECT_EQ(e.cmbRegisterySel.ListCount(), 3);
  EXPECT_EQ(e.cmbRegisterySel.List(1),
            "Program Installation Path Registery Key [Need Only With %APP% Files Flage]");
  EXPECT_EQ(e.cmbPathRegistry.Text(), "HKey_Current_User");
  EXPECT_EQ(e.cmbRegistry.Text(), "Key");
  EXPECT_EQ(e.Label2.Caption(),
            "Use the following reserved tags:  %APP% for Application path, %CUP% for current user directory, %AUP% "
            "for all user directoy.");
  EXPECT_TRUE(e.lstRegistryDetect.Visible());
  EXPECT_FALSE(e.lstRegistry.Visible());
  EXPECT_FALSE(e.cmdApply.Enabled());
  EXPECT_FALSE(e.txtName.Locked());
  e.cmbRegisterySel.ListIndex(2);
  EXPECT_TRUE(e.lstRegistry.Visible());
  EXPECT_FALSE(e.lstRegistryDetect.Visible());
  // The frame buttons: the shown frame's stands higher and is disabled.
  float registryTop = e.cmdRegistry.Top(), filesTop = e.cmdFilesFolders.Top();
  e.cmdFilesFolders.UserClick();
  EXPECT_TRUE(e.FrameFilesFolders.Visible());
  EXPECT_FALSE(e.FrameRegistry.Visible());
  EXPECT_EQ(e.cmdFilesFolders.Top(), filesTop - 30);
  EXPECT_EQ(e.cmdRegistry.Top(), registryTop + 30);
  EXPECT_FALSE(e.cmdFilesFolders.Enabled());
}

TEST_F(PluginEditorTest, AddValidatesItsFieldsInOrder) {
  Main().cmdNewPlugin.UserClick();
  auto& e = editor();
  e.cmbRegisterySel.ListIndex(2);
  e.cmdRegistryAdd.UserClick();
  e.txtPath.Text("Software");
  e.cmdRegistryAdd.UserClick();
  e.cmdFilesFolders.UserClick();
  e.cmdAddFF.UserClick();
  e.txtPathFF.Text("C:\\Temp");
  e.optFileName.UserClick();
  e.cmdAddFF.UserClick();
  e.optFilePattern.UserClick();
  e.cmdAddFF.UserClick();
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Path cannot be empty", "Key/Value cannot be empty",
                                                 "Path cannot be empty", "Filename cannot be empty",
                                                 "File pattern cannot be empty"}));
  EXPECT_EQ(Answers().records()[0].request.title, "Plugin Editor");
  EXPECT_TRUE(e.cmdApply.Enabled());
}

// What the lists hold becomes the section, whole: rows numbered without
// gaps, Detect and APP only when set, nothing of an earlier save left.
TEST_F(PluginEditorTest, SavingWritesTheSectionWhole) {
  WriteStore("[Tool]\r\nCAT=Old\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\nRC=3\r\n"
             "RK1=HKey_Users\\A- TSYRegKey\r\nRK2=HKey_Users\\B- TSYRegKey\r\nRK3=HKey_Users\\C- TSYRegKey\r\n"
             "FC=1\r\nFK1=C:\\Old\\+ Value`= *.*\r\n[Next]\r\nCAT=n\r\n");
  auto& main = Main();
  main.LSTEPI.UserClickItem(1);
  main.cmdEditPlugin.UserClick();
  auto& e = editor();
  EXPECT_TRUE(e.txtName.Locked());
  EXPECT_EQ(e.txtCat.Text(), "Old");
  EXPECT_EQ(e.lstRegistry.ListCount(), 3);
  // Blank the middle row, remove the folder row, clear the detection key.
  e.lstRegistry.List(1, "  ");
  e.cmdFilesFolders.UserClick();
  e.lstFileFolder.ListIndex(0);
  e.cmdFFRemove.UserClick();
  e.lstRegistryDetect.List(0, "");
  e.txtCat.Text("New");
  e.cmdOk.UserClick();
  EXPECT_FALSE(e.Visible());
  EXPECT_EQ(*StoreText(), "[Tool]\r\nCAT=New\r\nDefault=True\r\nRC=2\r\nRK1=HKey_Users\\A- TSYRegKey\r\n"
                          "RK2=HKey_Users\\C- TSYRegKey\r\nFC=0\r\n[Next]\r\nCAT=n\r\n");
  EXPECT_FALSE(ClearCopyExists());
  // The list was rebuilt from the store: the plug-in has no detection key now.
  EXPECT_EQ(main.LSTEPI.Item(1).SubItems(2), "Not Installed");
}

TEST_F(PluginEditorTest, ABlankNameIsRefusedBeforeTheStoreIsTouched) {
  WriteStore("[Tool]\r\nCAT=x\r\n");
  std::string before = *StoreBytes();
  Main().cmdNewPlugin.UserClick();
  std::vector<std::string> steps;
  PluginStore::SetStepHook([&](const char* step) { steps.push_back(step); });
  auto& e = editor();
  e.txtName.Text("   ");
  e.cmdOk.UserClick();
  PluginStore::SetStepHook(nullptr);
  EXPECT_EQ(Prompts().back(), "Please specify a name for the plugin");
  EXPECT_EQ(Answers().records().back().request.title, "TSY Plugin Editor");
  EXPECT_TRUE(steps.empty());
  EXPECT_TRUE(e.Visible());
  EXPECT_EQ(*StoreBytes(), before);
  EXPECT_FALSE(ClearCopyExists());
}

TEST_F(PluginEditorTest, ANewPluginMayNotTakeAStoredName) {
  WriteStore("[My Tool]\r\nCAT=Mine\r\n");
  Main().cmdNewPlugin.UserClick();
  auto& e = editor();
  e.txtName.Text("my tool");
  e.txtCat.Text("Theirs");
  e.cmdOk.UserClick();
  EXPECT_EQ(Prompts().back(), "A plugin with this name already exists. Please choose another name.");
  EXPECT_TRUE(e.Visible());
  EXPECT_EQ(*StoreText(), "[My Tool]\r\nCAT=Mine\r\n");
  for (const char* bad : {"a]b", ";note", "[x"}) {
    e.txtName.Text(bad);
    e.cmdApply.UserClick();
    EXPECT_EQ(*StoreText(), "[My Tool]\r\nCAT=Mine\r\n") << bad;
  }
}

// New after Edit starts empty: nothing of the plug-in shown before.
TEST_F(PluginEditorTest, NewAfterEditCarriesNothingOver) {
  WriteStore("[Tool]\r\nCAT=Editors\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\n"
             "APP=HKey_Local_Machine\\Software\\Tool+ Value`= ExePath\r\nRC=1\r\nRK1=HKey_Users\\A- TSYRegKey\r\n"
             "FC=1\r\nFK1=C:\\Temp\\+ Value`= *.*\r\n");
  auto& main = Main();
  main.LSTEPI.UserClickItem(1);
  main.cmdEditPlugin.UserClick();
  auto& e = editor();
  e.cmdRegNew.UserClick();
  main.cmdNewPlugin.UserClick();
  EXPECT_EQ(e.txtName.Text(), "");
  EXPECT_EQ(e.txtCat.Text(), "");
  EXPECT_FALSE(e.txtName.Locked());
  EXPECT_FALSE(e.cmdApply.Enabled());
  for (ListBox* list : {&e.lstRegistryDetect, &e.lstRegistryApp, &e.lstRegistry, &e.lstFileFolder})
    EXPECT_EQ(list->Items(), std::vector<std::string>{""}) << list->Name();
  e.txtName.Text("Fresh");
  e.cmdOk.UserClick();
  EXPECT_EQ(StoreText()->substr(StoreText()->find("[Fresh]")), "[Fresh]\r\nCAT=\r\nRC=0\r\nFC=0\r\n");
}

TEST_F(PluginEditorTest, AFilePickedThroughTheDialogIsNamedOnce) {
  Main().cmdNewPlugin.UserClick();
  auto& e = editor();
  e.cmdFilesFolders.UserClick();
  e.optFileName.UserClick();
  EXPECT_TRUE(e.txtFileName.Enabled());
  EXPECT_FALSE(e.txtFilePattern.Enabled());
  EXPECT_EQ(e.txtFilePattern.BackColor(), 235 | 235 << 8 | 228 << 16);
  Answers().Script("OK", "C:\\Temp\\a.txt");
  e.cmdBrowseFile.UserClick();
  EXPECT_EQ(e.txtPathFF.Text(), "C:\\Temp");
  EXPECT_EQ(e.txtFileName.Text(), "a.txt");
  e.cmdAddFF.UserClick();
  EXPECT_EQ(e.lstFileFolder.Items(), std::vector<std::string>{"C:\\Temp\\a.txt"});
  // Clicking the row gives the fields back.
  e.txtPathFF.Text("");
  e.lstFileFolder.ListIndex(-1);
  e.lstFileFolder.ListIndex(0);
  EXPECT_EQ(e.txtPathFF.Text(), "C:\\Temp");
  EXPECT_TRUE(e.optFileName.Value());
}

// The editor's and the page's buttons rest while a store cycle is open.
TEST_F(PluginEditorTest, TheEditorWaitsWhileTheStoreIsBusy) {
  auto& main = Main();
  main.cmdNewPlugin.UserClick();
  auto& e = editor();
  e.txtName.Text("Busy");
  EXPECT_TRUE(e.cmdApply.Enabled());
  {
    auto cycle = main.ExtraPluginStore().Open(false);
    EXPECT_FALSE(e.cmdApply.Enabled());
    EXPECT_FALSE(e.cmdOk.Enabled());
  }
  EXPECT_TRUE(e.cmdApply.Enabled());
  EXPECT_TRUE(e.cmdOk.Enabled());
}

// Create, edit and delete through the forms runtime, then a run by the
// real engine deletes exactly the rows' targets.
class PluginRoundTripTest : public PluginEditorTest {
 protected:
  PluginRoundTripTest() {
    ConnectCleaningEngine();
    HKEY tool = CreateKey(HKEY_LOCAL_MACHINE, "Software\\Tool");
    SetString(tool, "ExePath", "C:\\Tools\\Tool\\tool.exe");
    RegCloseKey(tool);
    HKEY recent = CreateKey(HKEY_CURRENT_USER, "Software\\Tool\\Recent");
    SetString(recent, "File1", "a.txt");
    RegCloseKey(recent);
    HKEY user = CreateKey(HKEY_CURRENT_USER, "Software\\Tool");
    SetString(user, "Last", "a.txt");
    SetString(user, "Keep", "yes");
    RegCloseKey(user);
    for (const char* file : {"Tools/Tool/logs/a.log", "Tools/Tool/logs/deep/b.log", "Tools/Tool/logs/keep.txt",
                             "Tools/Tool/settings.ini", "Tools/Tool/sub/settings.ini", "root.log", "Other/c.log",
                             "Tools/other.log"})
      machine_.Put(file, "data");
  }
  ~PluginRoundTripTest() override {
    InstallBuiltInPluginRunner(nullptr);
    InstallCleaningEngine(nullptr);
  }
  bool Exists(const std::string& path) { return machine_.ReadContent(path).has_value(); }
  bool KeyExists(HKEY root, const char* path) {
    HKEY key = 0;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
};

TEST_F(PluginRoundTripTest, PluginsMadeInTheEditorRunOnTheMachine) {
  auto& main = Main();
  main.cmdNewPlugin.UserClick();
  auto& e = editor();
  e.txtName.Text("My Tool");
  e.txtCat.Text("Editors");
  AddRegistryRow(0, 1, "Software", false, "Tool");
  AddRegistryRow(1, 1, "Software\\Tool", false, "ExePath");
  AddRegistryRow(2, 3, "Software\\Tool", false, "Recent");
  e.cmdRegNew.UserClick();
  AddRegistryRow(2, 3, "Software\\Tool", true, "Last");
  e.cmdFilesFolders.UserClick();
  AddPatternRow("%APP%\\logs", "*.log");
  e.cmdFFNew.UserClick();
  e.optFileName.UserClick();
  Answers().Script("OK", "C:\\Tools\\Tool\\settings.ini");
  e.cmdBrowseFile.UserClick();
  e.cmdAddFF.UserClick();
  e.cmdOk.UserClick();
  EXPECT_EQ(*StoreText(),
            "[My Tool]\r\nCAT=Editors\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\n"
            "APP=HKey_Local_Machine\\Software\\Tool+ Value`= ExePath\r\nRC=2\r\n"
            "RK1=HKey_Current_User\\Software\\Tool\\Recent- TSYRegKey\r\n"
            "RK2=HKey_Current_User\\Software\\Tool+ Value`= Last\r\nFC=2\r\n"
            "FK1=%APP%\\logs\\+ Value`= *.log\r\nFK2=C:\\Tools\\Tool\\settings.ini\r\n");
  ASSERT_EQ(main.LSTEPI.Count(), 1);
  EXPECT_EQ(main.LSTEPI.Item(1).SubItems(2), "Installed");

  // A second plug-in, which is then deleted from the page.
  main.cmdNewPlugin.UserClick();
  e.txtName.Text("Doomed");
  e.cmdFilesFolders.UserClick();
  AddPatternRow("C:\\Other", "*.*");
  e.cmdApply.UserClick();
  e.cmdCancel.UserClick();
  ASSERT_EQ(main.LSTEPI.Count(), 2);
  main.LSTEPI.UserClickItem(2);
  main.cmdDeletPlugin.UserClick();

  // Edit: the value row goes; the tick saved before stays.
  main.LSTEPI.Item(1).Checked = true;
  main.SaveCleanSettings();
  main.LSTEPI.UserClickItem(1);
  main.cmdEditPlugin.UserClick();
  e.cmbRegisterySel.ListIndex(2);
  e.lstRegistry.ListIndex(1);
  EXPECT_EQ(e.txtKeyValue.Text(), "Last");
  EXPECT_EQ(e.cmbRegistry.Text(), "Value");
  e.cmdRegRemove.UserClick();
  e.cmdOk.UserClick();
  EXPECT_FALSE(e.Visible()) << StoreText().value_or("?") << ::testing::PrintToString(Prompts());
  EXPECT_EQ(StoreText()->find("Doomed"), std::string::npos);
  EXPECT_NE(StoreText()->find("Default=True\r\n"), std::string::npos);
  EXPECT_NE(StoreText()->find("RC=1\r\n"), std::string::npos);
  ASSERT_TRUE(main.LSTEPI.Item(1).Checked);

  main.ShowThatFrame(main.Frame_EPI);
  main.CmdClean_Click();
  EXPECT_FALSE(Exists("C:\\Tools\\Tool\\logs\\a.log"));
  EXPECT_FALSE(Exists("C:\\Tools\\Tool\\logs\\deep\\b.log"));
  EXPECT_FALSE(Exists("C:\\Tools\\Tool\\settings.ini"));
  for (const char* kept : {"C:\\Tools\\Tool\\logs\\keep.txt", "C:\\Tools\\Tool\\sub\\settings.ini", "C:\\root.log",
                           "C:\\Other\\c.log", "C:\\Tools\\other.log"})
    EXPECT_TRUE(Exists(kept)) << kept;
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Tool\\Recent"));
  EXPECT_TRUE(QueryValue(HKEY_CURRENT_USER, "Software\\Tool", "Last").has_value());  // its row was removed
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Tool"));
  EXPECT_NE(main.txtResult.Text().find("C:\\Tools\\Tool\\logs\\a.log"), std::string::npos);
  EXPECT_FALSE(ClearCopyExists());
  EXPECT_NE(StoreText()->find("[My Tool]"), std::string::npos);
}

}  // namespace
}  // namespace tessaly::testing
