// The extra plug-in store and the list LSTEPI: loading, installed marks,
// ticks kept through the options, deleting, and the store cycle's rules
// (one at a time, never a lost or half-written store, no clear copy left).
#include <gtest/gtest.h>

#include "extra_plugin_fixture.h"
#include "platform/files/file_seams.h"
#include "platform/files/kernel32_files.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

const std::string kTwoPlugins =
    "[My Tool]\r\nCAT=Editors\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\n"
    "[Gone Viewer]\r\nCAT=Viewers\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Gone\r\n";

class ExtraPluginStoreTest : public ExtraPluginTest {
 protected:
  ExtraPluginStoreTest() { engine_->installedKeys = {"HKEY_LOCAL_MACHINE\\SOFTWARE\\TOOL"}; }
};

TEST_F(ExtraPluginStoreTest, ThePageHoldsTheListAndItsButtons) {
  auto& main = Main();
  EXPECT_EQ(main.Frame_EPI.Caption(), "Extra plug-ins");
  ASSERT_EQ(main.LSTEPI.ColumnCount(), 3);
  EXPECT_EQ(main.LSTEPI.Column(1).Text, "Plug-in Application");
  EXPECT_EQ(main.LSTEPI.Column(2).Text, "Category");
  EXPECT_EQ(main.LSTEPI.Column(3).Text, "Status");
  EXPECT_TRUE(main.LSTEPI.Checkboxes());
  EXPECT_EQ(main.cmdNewPlugin.Caption(), "New Plugin");
  EXPECT_EQ(main.cmdEditPlugin.Caption(), "Edit Plugin");
  EXPECT_EQ(main.cmdDeletPlugin.Caption(), "Delete Plugin");
  EXPECT_EQ(main.chkEPISelectAll.Caption(), "Select All");
  EXPECT_EQ(main.chkEPISelectAll.ToolTipText(), "Select / De-select all plugins");
  for (Control* control : std::initializer_list<Control*>{&main.LSTEPI, &main.cmdNewPlugin, &main.cmdDeletPlugin})
    EXPECT_EQ(control->Container(), &main.Frame_EPI);
}

// One store, every kind of row: installed or not, ticked or not, with or
// without a category; the colours and weights follow the status.
TEST_F(ExtraPluginStoreTest, TheListShowsEachPluginWithItsStatusTickAndLooks) {
  WriteStore(kTwoPlugins +
             "[Lower True]\r\nDefault=true\r\nDetect=HKEY_LOCAL_MACHINE\\Software\\Tool\r\n"
             "[No Detect]\r\nCAT=Misc\r\nDefault=True\r\n"
             "[Zero Detect]\r\nDetect=0\r\n"
             "[Blank Detect]\r\nDetect=\r\n");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"My Tool|Editors|Installed|ticked", "Gone Viewer|Viewers|Not Installed|-",
                                              "Lower True|0|Installed|-", "No Detect|Misc|Not Installed|-",
                                              "Zero Detect|0|Not Installed|-", "Blank Detect|0|Not Installed|-"}));
  auto& installed = Row("My Tool");
  EXPECT_TRUE(installed.Bold);
  EXPECT_EQ(installed.ForeColor, 50);
  for (int i : {1, 2}) {
    EXPECT_TRUE(installed.ListSubItems(i).Bold);
    EXPECT_EQ(installed.ListSubItems(i).ForeColor, 50);
  }
  auto& absent = Row("Gone Viewer");
  EXPECT_FALSE(absent.Bold);
  EXPECT_EQ(absent.ForeColor, 100 | 100 << 8 | 100 << 16);
  EXPECT_EQ(absent.ListSubItems(2).ForeColor, 100 | 100 << 8 | 100 << 16);
  EXPECT_FALSE(ClearCopyExists());
}

TEST_F(ExtraPluginStoreTest, AMissingOrEmptyStoreGivesAnEmptyList) {
  EXPECT_TRUE(Rows().empty());
  EXPECT_FALSE(StoreBytes().has_value());  // loading creates nothing
  Main().SaveCleanSettings();
  EXPECT_FALSE(StoreBytes().has_value());
  WriteStore("");
  Main().RebuildExtraPluginList();
  EXPECT_TRUE(Rows().empty());
  EXPECT_FALSE(ClearCopyExists());
}

TEST_F(ExtraPluginStoreTest, TicksOfInstalledRowsAreKeptWithTheOptions) {
  WriteStore(kTwoPlugins);
  auto& main = Main();
  Row("My Tool").Checked = false;
  main.SaveCleanSettings();
  EXPECT_EQ(*StoreText(),
            "[My Tool]\r\nCAT=Editors\r\nDefault=False\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\n"
            "[Gone Viewer]\r\nCAT=Viewers\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Gone\r\n");
  EXPECT_FALSE(ClearCopyExists());
  Row("My Tool").Checked = true;
  main.SaveCleanSettings();
  // The next start shows the tick.
  ResetFormsRuntime();
  EXPECT_EQ(Rows()[0], "My Tool|Editors|Installed|ticked");
}

TEST_F(ExtraPluginStoreTest, ANotInstalledRowRefusesTicksFromKeysClicksAndSelectAll) {
  WriteStore(kTwoPlugins);
  auto& main = Main();
  auto& list = main.LSTEPI;
  list.UserCheckItem(2, true);  // the space bar
  EXPECT_FALSE(Row("Gone Viewer").Checked);
  Row("Gone Viewer").Checked = true;
  list.MouseUp.Raise(1, 0, 100, 600);
  EXPECT_FALSE(Row("Gone Viewer").Checked);
  Row("My Tool").Checked = false;
  main.chkEPISelectAll.UserClick();
  EXPECT_TRUE(Row("My Tool").Checked);
  EXPECT_FALSE(Row("Gone Viewer").Checked);
  main.chkEPISelectAll.UserClick();
  EXPECT_FALSE(Row("My Tool").Checked);
}

TEST_F(ExtraPluginStoreTest, AColumnClickSortsByThatColumn) {
  WriteStore("[b]\r\nCAT=2\r\n[c]\r\nCAT=1\r\n[a]\r\nCAT=3\r\n");
  auto& list = Main().LSTEPI;
  list.UserClickColumn(1);
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "b", "c"}));
  list.UserClickColumn(2);
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"c", "b", "a"}));
}

TEST_F(ExtraPluginStoreTest, DeleteRemovesExactlyTheSelectedPluginFromStoreAndList) {
  WriteStore(kTwoPlugins + "[Third]\r\nCAT=x\r\n");
  auto& main = Main();
  Row("Third").Checked = true;  // ticks play no part
  main.LSTEPI.UserClickItem(2);
  main.cmdDeletPlugin.UserClick();
  EXPECT_EQ(main.LSTEPI.Items(), (std::vector<std::string>{"My Tool", "Third"}));
  EXPECT_EQ(*StoreText(), "[My Tool]\r\nCAT=Editors\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\n"
                          "[Third]\r\nCAT=x\r\n");
  // Nothing selected: nothing happens.
  main.LSTEPI.Select(nullptr);
  main.cmdDeletPlugin.UserClick();
  EXPECT_EQ(main.LSTEPI.Count(), 2);
  EXPECT_FALSE(ClearCopyExists());
}

TEST_F(ExtraPluginStoreTest, DeletingTheLastPluginLeavesAValidEmptyStore) {
  WriteStore("[Only]\r\nCAT=x\r\n");
  auto& main = Main();
  main.LSTEPI.UserClickItem(1);
  main.cmdDeletPlugin.UserClick();
  EXPECT_EQ(main.LSTEPI.Count(), 0);
  EXPECT_EQ(StoreBytes()->size(), 16u);
  EXPECT_EQ(*StoreText(), "");
  ResetFormsRuntime();
  EXPECT_TRUE(Rows().empty());
}

// Section lists and values are read whole, however long or many.
TEST_F(ExtraPluginStoreTest, LongNamesManyPluginsAndLongValuesAreReadWhole) {
  std::string plain;
  std::vector<std::string> names;
  for (int i = 0; i < 60; ++i) {
    names.push_back("Plug-in with a rather long name that fills the section list, number " + std::to_string(i));
    plain += "[" + names.back() + "]\r\nCAT=" + std::string(300, 'c') + std::to_string(i) + "\r\n";
  }
  WriteStore(plain);
  EXPECT_EQ(Main().LSTEPI.Items(), names);
  EXPECT_EQ(Main().LSTEPI.Item(60).SubItems(1), std::string(300, 'c') + "59");
}

TEST_F(ExtraPluginStoreTest, AStoreThatDoesNotDecipherIsNeverWrittenAndTheUserIsToldOnce) {
  WriteStore(kTwoPlugins);
  std::string bytes = *StoreBytes();
  bytes[20] ^= 0x5A;  // damaged in the block that holds the length
  bytes.resize(bytes.size() - 8);
  machine_.WriteContent(kStorePath, bytes);
  Answers().ClearRecords();
  auto& main = Main();
  EXPECT_TRUE(Rows().empty());
  main.Frame_Result.Tag("Frame_EPI");
  main.SaveCleanSettings();
  main.CmdClean_Click();
  main.RebuildExtraPluginList();
  EXPECT_EQ(*StoreBytes(), bytes);
  EXPECT_FALSE(ClearCopyExists());
  int notices = 0;
  for (const auto& record : Answers().records())
    if (record.request.prompt.find("extra plug-in store cannot be read") != std::string::npos) ++notices;
  EXPECT_EQ(notices, 1);
}

// A copy left by a crash is removed before anything else, never read and
// never written into the store.
TEST_F(ExtraPluginStoreTest, ALeftoverClearCopyIsRemovedAtStartUpAndNeverUsed) {
  WriteStore(kTwoPlugins);
  machine_.WriteContent(kClearCopy, "[Poison]\r\nCAT=stale\r\n");
  SetFileAttributesA(kClearCopy.c_str(), FILE_ATTRIBUTE_READONLY);
  auto& main = Main();
  EXPECT_FALSE(ClearCopyExists());
  EXPECT_EQ(main.LSTEPI.Items(), (std::vector<std::string>{"My Tool", "Gone Viewer"}));
  machine_.WriteContent(kClearCopy, "[Poison]\r\nCAT=stale\r\n");
  Row("My Tool").Checked = false;
  main.SaveCleanSettings();
  EXPECT_EQ(StoreText()->find("Poison"), std::string::npos);
  EXPECT_FALSE(ClearCopyExists());
  EXPECT_FALSE(engine_->shredded.empty());  // overwritten before it went
}

// While a cycle is open (the cipher, shredder and walkers yield), every
// other store operation is refused and the buttons are disabled.
TEST_F(ExtraPluginStoreTest, ANestedStoreOperationIsRefusedAndTheStoreStaysWhole) {
  WriteStore(kTwoPlugins);
  auto& main = Main();
  auto& store = main.ExtraPluginStore();
  EXPECT_TRUE(main.cmdDeletPlugin.Enabled());
  {
    auto cycle = store.Open(true);
    ASSERT_TRUE(cycle->readable());
    EXPECT_FALSE(main.cmdDeletPlugin.Enabled());
    EXPECT_FALSE(main.cmdNewPlugin.Enabled());
    auto nested = store.Open(true);
    EXPECT_EQ(nested->state(), PluginStore::State::Refused);
    main.LSTEPI.UserClickItem(1);
    main.cmdDeletPlugin_Click();  // as a queued click would
    main.SaveCleanSettings();
    nested.reset();
    EXPECT_TRUE(ClearCopyExists());  // the open cycle's copy is left alone
    EXPECT_TRUE(main.SetToINI("My Tool", "CAT", "Edited"));
    EXPECT_TRUE(cycle->Commit());
  }
  EXPECT_TRUE(main.cmdDeletPlugin.Enabled());
  EXPECT_EQ(main.LSTEPI.Count(), 2);
  EXPECT_NE(StoreText()->find("CAT=Edited"), std::string::npos);
  EXPECT_NE(StoreText()->find("[Gone Viewer]"), std::string::npos);
  EXPECT_FALSE(ClearCopyExists());
}

TEST_F(ExtraPluginStoreTest, AStoreLockedByAnotherProcessIsLeftAlone) {
  WriteStore(kTwoPlugins);
  auto& main = Main();
  std::string before = *StoreBytes();
  machine_.WriteContent(kStorePath + ".lock", "");
  main.LSTEPI.UserClickItem(1);
  main.cmdDeletPlugin.UserClick();
  main.SaveCleanSettings();
  EXPECT_EQ(*StoreBytes(), before);
  EXPECT_EQ(main.LSTEPI.Count(), 2);
  EXPECT_TRUE(machine_.ReadContent(kStorePath + ".lock").has_value());
}

TEST_F(ExtraPluginStoreTest, TheStoreCycleTableHoldsForEveryOperation) {
  WriteStore(kTwoPlugins);
  auto& main = Main();
  std::vector<std::string> steps;
  PluginStore::SetStepHook([&](const char* step) { steps.push_back(step); });
  struct Case {
    const char* operation;
    std::function<void()> run;
    bool replaces;
  } cases[] = {
      {"load and check", [&] { main.RebuildExtraPluginList(); }, false},
      {"save settings, unchanged", [&] { main.SaveCleanSettings(); }, false},
      {"save settings, changed",
       [&] {
         Row("My Tool").Checked = false;
         main.SaveCleanSettings();
       },
       true},
  };
  for (const auto& c : cases) {
    steps.clear();
    c.run();
    bool replaced = std::find(steps.begin(), steps.end(), "replaced") != steps.end();
    EXPECT_EQ(replaced, c.replaces) << c.operation;
    EXPECT_EQ(steps.back(), "unlocked") << c.operation;
    EXPECT_FALSE(ClearCopyExists()) << c.operation;
    EXPECT_FALSE(machine_.ReadContent(kStorePath + ".lock").has_value()) << c.operation;
  }
  PluginStore::SetStepHook(nullptr);
}

}  // namespace
}  // namespace tessaly::testing
