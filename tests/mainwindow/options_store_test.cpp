#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "platform/registry/advapi32.h"
#include "support/CRegister.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

const std::int32_t kHklm = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);

std::string Stored(const std::string& key, const std::string& value) {
  CRegister reg;
  return reg.REGGetSetting(kHklm, "SOFTWARE\\TESSALY\\SETTINGS" + key, value, "<missing>");
}

void Store(const std::string& key, const std::string& value, const std::string& data) {
  CRegister reg;
  reg.REGSaveSetting(kHklm, "SOFTWARE\\TESSALY\\SETTINGS" + key, value, data);
}

class OptionsStoreTest : public MainWindowTest {};

TEST_F(OptionsStoreTest, SaveWritesEveryOptionAsText) {
  Form1Form& form = Form1();
  form.chkWindows(23).Value(1);
  form.chkOutlook(4).Value(1);
  form.chkICQ(3).Value(2);
  form.chkCloseAfterWash.Value(1);
  form.cmbShredder.ListIndex(8);
  form.lstBPI.AddItem("A");
  form.lstBPI.AddItem("B");
  form.lstBPI.Selected(1, true);
  auto& drive = form.lstDllDrives.Add({}, 0, "c", "c:");
  const ItemRef firstDrive = 1;
  form.lstDllDrives.Add(firstDrive, tvwChild, "", "").Checked = true;  // the last node: never stored
  drive.Checked = true;
  form.lstDllFiles.AddItem("C:\\x.dll");
  form.SaveCleanSettings();

  EXPECT_EQ(Stored("\\WINDOWS", "23"), "1");
  EXPECT_EQ(Stored("\\WINDOWS", "0"), "0");
  EXPECT_EQ(Stored("\\OUTLOOK", "4"), "1");
  EXPECT_EQ(Stored("\\ICQ", "3"), "2");
  EXPECT_EQ(Stored("\\IE", "6"), "0");
  EXPECT_EQ(Stored("\\IE", "7"), "<missing>");
  EXPECT_EQ(Stored("\\BUILTIN", "0"), "False");
  EXPECT_EQ(Stored("\\BUILTIN", "1"), "True");
  EXPECT_EQ(Stored("\\OPTIONS\\BPI", "1"), "True");
  EXPECT_EQ(Stored("\\OPTIONS", "CloseAfterClean"), "1");
  EXPECT_EQ(Stored("\\OPTIONS", "UseShreddingNom"), "8");
  EXPECT_EQ(Stored("\\OPTIONS", "CleanThis"), "0");
  EXPECT_EQ(Stored("\\OPTIONS\\DLLDrives", "1"), "True");
  EXPECT_EQ(Stored("\\OPTIONS\\DLLDrives", "2"), "<missing>");
  EXPECT_EQ(Stored("\\OPTIONS\\DLLFiles", "Count"), "1");
  EXPECT_EQ(Stored("\\OPTIONS\\DLLFiles", "0"), "C:\\x.dll");
  EXPECT_EQ(Stored("\\OPTIONS\\DLLFolders", "Count"), "0");

  // Entries beyond the count stay.
  form.lstDllFiles.Clear();
  form.SaveCleanSettings();
  EXPECT_EQ(Stored("\\OPTIONS\\DLLFiles", "Count"), "0");
  EXPECT_EQ(Stored("\\OPTIONS\\DLLFiles", "0"), "C:\\x.dll");
}

TEST_F(OptionsStoreTest, LoadRestoresWhatFitsAndSkipsTheRest) {
  Store("\\WINDOWS", "2", "1");
  Store("\\WINDOWS", "3", "7");  // no such box state: skipped
  Store("\\WINDOWS", "4", "x");
  Store("\\HARDDISK", "2", "1");
  Store("\\OUTLOOK", "0", "1");  // never read back
  Store("\\OPTIONS", "CloseAfterClean", "1");
  Store("\\OPTIONS", "SkipMessages", "");
  Store("\\OPTIONS", "UseShreddingNom", "3");
  Store("\\OPTIONS", "CleanThis", "1");
  Store("\\OPTIONS\\DLLFolders", "Count", "2");
  Store("\\OPTIONS\\DLLFolders", "0", "C:\\keep");
  Form1Form& form = Form1();
  EXPECT_EQ(form.chkWindows(2).Value(), 1);
  EXPECT_EQ(form.chkWindows(3).Value(), 0);
  EXPECT_EQ(form.chkWindows(4).Value(), 0);
  EXPECT_EQ(form.chkOutlook(0).Value(), 0);
  EXPECT_EQ(form.chkCloseAfterWash.Value(), 1);
  EXPECT_EQ(form.chkSkipMessages.Value(), 0);
  EXPECT_EQ(form.cmbShredder.ListIndex(), 3);
  EXPECT_EQ(form.chkCleanAll.Value(), 1);
  EXPECT_EQ(form.lstDllFolders.Items(), (std::vector<std::string>{"C:\\keep", ""}));
  // The restored boxes raised their handlers.
  EXPECT_EQ(form.FL.GetVariable("_root.StartCleaningButton"), "0");
  EXPECT_TRUE(form.txtPath.Enabled());
  EXPECT_TRUE(form.chkCertainSize.Enabled());
}

TEST_F(OptionsStoreTest, AFirstStartLeavesTheDesignedState) {
  Form1Form& form = Form1();
  EXPECT_EQ(form.cmbShredder.ListIndex(), 0);
  EXPECT_EQ(form.chkCleanAll.Value(), 0);
  for (int i = 0; i < form.chkWindows.Count(); ++i) EXPECT_EQ(form.chkWindows(i).Value(), 0);
  EXPECT_EQ(form.lstDllFiles.ListCount(), 0);
  EXPECT_EQ(form.lstBPI.SelCount(), 0);
}

TEST_F(OptionsStoreTest, APluginSelectionSurvivesARestart) {
  Form1Form& form = Form1();
  for (const char* name : {"A", "B", "C"}) form.lstBPI.AddItem(name);
  form.lstBPI.Selected(2, true);
  form.SaveCleanSettings();
  form.lstBPI.Selected(2, false);
  form.LoadCleanSettings();  // BUILTIN selects, then OPTIONS\BPI decides
  EXPECT_FALSE(form.lstBPI.Selected(0));
  EXPECT_TRUE(form.lstBPI.Selected(2));
}

}  // namespace
}  // namespace tessaly::testing
