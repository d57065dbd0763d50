// The extra plug-ins' part of a cleaning run: which rows reach the
// executor and the walker, with which folders, and what the store keeps.
#include <gtest/gtest.h>

#include "extra_plugin_fixture.h"
#include "platform/base/runtime_error.h"
#include "platform/machine/description.h"
#include "support/COpSysInfo.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class ExtraPluginRunnerTest : public ExtraPluginTest {
 protected:
  ExtraPluginRunnerTest() { engine_->installedKeys = {"HKEY_LOCAL_MACHINE\\SOFTWARE\\TOOL"}; }

  // A run of the extra plug-in section alone; the bytes it reported.
  std::int64_t RunExtraSection() {
    auto& main = Main();
    main.Frame_Result.Tag("Frame_EPI");
    main.CmdClean_Click();
    return main.RestoredSize;
  }
  // A store with one installed, ticked plug-in of these rows.
  void WriteTool(const std::string& rows) {
    WriteStore("[Tool]\r\nCAT=x\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\n"
               "APP=HKey_Local_Machine\\Software\\Tool+ Value`= ExePath\r\n" +
               rows);
  }
  std::string Log() { return Main().txtResult.Text(); }
};

TEST_F(ExtraPluginRunnerTest, RegistryRowsGoToTheExecutorAndTheRunAdvancesOncePerPlugin) {
  WriteTool("RC=2\r\nRK1=HKey_Current_User\\Software\\Tool\\Recent- TSYRegKey\r\n"
            "RK2=HKey_Current_User\\Software\\Tool+ Value`= Last\r\nFC=0\r\n");
  auto& main = Main();
  RunExtraSection();
  EXPECT_EQ(engine_->traceEntries, (std::vector<std::string>{"HKey_Current_User\\Software\\Tool\\Recent- TSYRegKey",
                                                             "HKey_Current_User\\Software\\Tool+ Value`= Last"}));
  EXPECT_TRUE(engine_->walks.empty());
  // One step from the plug-in, one from the section's item.
  EXPECT_EQ(main.fcExtra, 2);
  EXPECT_NE(Log().find("[Clean Extra Plug-ins]"), std::string::npos);
  EXPECT_FALSE(ClearCopyExists());
}

// Missing, blank and stale rows inside the counts, and counts that are no
// numbers or far too large, run nothing that is not there.
TEST_F(ExtraPluginRunnerTest, CountsReadOnlyTheRowsThatExist) {
  struct Case {
    const char* rows;
    std::vector<std::string> entries;
  } cases[] = {
      {"RC=3\r\nRK1=HKey_Users\\A- TSYRegKey\r\nRK3=HKey_Users\\C- TSYRegKey\r\n",
       {"HKey_Users\\A- TSYRegKey", "HKey_Users\\C- TSYRegKey"}},
      {"RC=2\r\nRK1=0\r\nRK2=\r\n", {}},
      {"RC=abc\r\nRK1=HKey_Users\\A- TSYRegKey\r\n", {}},
      {"RC=-1\r\nRK1=HKey_Users\\A- TSYRegKey\r\n", {}},
      {"RC=2000000000\r\nRK1=HKey_Users\\A- TSYRegKey\r\n", {"HKey_Users\\A- TSYRegKey"}},
      {"RK1=HKey_Users\\A- TSYRegKey\r\n", {}},
  };
  for (const auto& c : cases) {
    ResetFormsRuntime();
    engine_->traceEntries.clear();
    WriteTool(c.rows);
    RunExtraSection();
    EXPECT_EQ(engine_->traceEntries, c.entries) << c.rows;
  }
}

// Folder rows: macros, the %APP% folder, file rows, and the folders a walk
// must never start from. A row not handed over says why: the runner skips
// a spelling it cannot walk, the folder guard refuses what it resolves to.
TEST_F(ExtraPluginRunnerTest, FolderRowsWalkTheirExpandedFolderOrAreSkipped) {
  struct Case {
    const char* row;
    const char* appData;
    std::vector<std::pair<std::string, std::string>> walks;
    std::vector<std::string> files;
    const char* refusal = nullptr;  // the log line; else "Skipped: <row>: "
  } cases[] = {
      {"C:\\Temp\\+ Value`= *.log", "", {{"C:\\Temp\\", "*.log"}}, {}},
      {"%PF%\\Tool\\Logs+ Value`= *.*", "", {{"C:\\Program Files\\Tool\\Logs", "*.*"}}, {}},
      {"%CUP%\\Tool+ Value`= *.tmp", "",
       {{"C:\\Documents and Settings\\User\\Tool", "*.tmp"}}, {}},
      {"%APP%\\logs\\+ Value`= *.log", "C:\\Tools\\App\\bin\\app.exe",
       {{"C:\\Tools\\App\\bin\\logs\\", "*.log"}}, {}},
      {"%APP%\\logs\\+ Value`= *.log", "D:\\My.Apps\\x.exe", {{"D:\\My.Apps\\logs\\", "*.log"}}, {}},
      {"%APP%+ Value`= *.*", "C:\\app.exe", {}, {}},
      {"%APP%\\logs\\+ Value`= *.log", "", {}, {}},
      {"+ Value`= *.*", "", {}, {}},
      {"C:\\+ Value`= *.*", "", {}, {}},
      {"C:+ Value`= *.*", "", {}, {}},
      {"Temp\\+ Value`= *.*", "", {}, {}},
      {"%pf%\\Tool+ Value`= *.*", "", {}, {}},
      {"C:\\Temp\\+ Value`= ", "", {}, {}},
      {"C:\\Temp\\a.txt", "", {}, {"C:\\Temp\\a.txt"}},
      {"%APP%\\settings.ini", "C:\\Tools\\app.exe", {}, {"C:\\Tools\\settings.ini"}},
      {"C:\\boot.ini", "", {}, {}, "\tFile not deleted C:\\boot.ini: it is in a drive root"},
      {"C:\\Temp\\*.txt", "", {}, {}},
      {"C:\\. .+ Value`= *.*", "", {}, {}, "\tFolder not cleaned C:\\. .: it is a drive root"},
      {"C:\\WINDOWS.+ Value`= *.log", "", {}, {}, "\tFolder not cleaned C:\\WINDOWS.: it is the Windows folder"},
      {"%PF%+ Value`= *.tmp", "", {}, {},
       "\tFolder not cleaned C:\\Program Files: it is the Program Files folder"},
      {"%APP%+ Value`= *.*", "C:\\WINDOWS\\notepad.exe", {}, {},
       "\tFolder not cleaned C:\\WINDOWS: it is the Windows folder"},
      {"%CUP%\\..+ Value`= *.*", "", {}, {}},
      {"C:\\WINDOWS\\WIN.INI", "", {}, {}, "\tFile not deleted C:\\WINDOWS\\WIN.INI: it is in the Windows folder"},
      {"%APP%\\Schedule.dll", "C:\\Program Files\\Tessaly\\tsyT.exe", {}, {},
       "\tFile not deleted C:\\Program Files\\Tessaly\\Schedule.dll: it is in the program's folder"},
      {"C:\\WINDOWS\\Temp\\a.tmp", "", {}, {"C:\\WINDOWS\\Temp\\a.tmp"}},
  };
  for (const auto& c : cases) {
    ResetFormsRuntime();
    engine_->walks.clear();
    engine_->singleFiles.clear();
    engine_->pathValues = {{"HKey_Local_Machine\\Software\\Tool+ Value`= ExePath", c.appData}};
    WriteTool(std::string("FC=1\r\nFK1=") + c.row + "\r\n");
    RunExtraSection();
    EXPECT_EQ(engine_->walks, c.walks) << c.row << " / " << c.appData;
    EXPECT_EQ(engine_->singleFiles, c.files) << c.row << " / " << c.appData;
    bool refused = c.walks.empty() && c.files.empty();
    std::string line = c.refusal ? std::string(c.refusal) + "\r\n" : "Skipped: " + Trim(c.row) + ": it ";
    EXPECT_EQ(Log().find(line) != std::string::npos, refused) << c.row << "\n" << Log();
    if (c.refusal) {
      EXPECT_EQ(Log().find("Skipped: "), std::string::npos) << c.row;
    }
  }
}

TEST_F(ExtraPluginRunnerTest, TheProfileMacrosStayOn9xAndNothingIsWalked) {
  machine_.Reconfigure([](platform::MachineDescription& machine) { machine.os = platform::OsKind::Win98; });
  ResetOSInfo();
  WriteTool("FC=2\r\nFK1=%CUP%\\Tool+ Value`= *.tmp\r\nFK2=%PF%\\Tool+ Value`= *.tmp\r\n");
  RunExtraSection();
  EXPECT_EQ(engine_->walks, (std::vector<std::pair<std::string, std::string>>{{"C:\\Program Files\\Tool", "*.tmp"}}));
  EXPECT_NE(Log().find("Skipped: %CUP%"), std::string::npos);
  ResetOSInfo();
}

TEST_F(ExtraPluginRunnerTest, OnlyTickedInstalledPluginsRunAndOnlyInstalledRowsStoreTheirTick) {
  WriteStore("[On]\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\nFC=1\r\nFK1=C:\\On\\+ Value`= *.*\r\n"
             "[Off]\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\nFC=1\r\nFK1=C:\\Off\\+ Value`= *.*\r\n"
             "[Absent]\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Absent\r\nFC=1\r\n"
             "FK1=C:\\Absent\\+ Value`= *.*\r\n");
  auto& main = Main();
  main.LSTEPI.Item(2).Checked = false;
  main.LSTEPI.Item(3).Checked = true;  // as a tick that slipped past the list
  engine_->bytesPerWalk = 1536;
  EXPECT_EQ(RunExtraSection(), 1536);
  EXPECT_EQ(engine_->walks, (std::vector<std::pair<std::string, std::string>>{{"C:\\On\\", "*.*"}}));
  std::string text = *StoreText();
  EXPECT_NE(text.find("[On]\r\nDefault=True"), std::string::npos);
  EXPECT_NE(text.find("[Off]\r\nDefault=False"), std::string::npos);
  EXPECT_NE(text.find("[Absent]\r\nDefault=True"), std::string::npos);  // kept for when it is back
  EXPECT_NE(main.txtResult.Text().find("All Restored Size is 1.5 KB"), std::string::npos);
  EXPECT_FALSE(ClearCopyExists());
}

TEST_F(ExtraPluginRunnerTest, NoTickedRowDoesNoWorkAndReportsNothing) {
  WriteTool("RC=1\r\nRK1=HKey_Users\\A- TSYRegKey\r\nFC=1\r\nFK1=C:\\Temp\\+ Value`= *.*\r\n");
  Main().LSTEPI.Item(1).Checked = false;
  EXPECT_EQ(RunExtraSection(), 0);
  EXPECT_TRUE(engine_->traceEntries.empty());
  EXPECT_TRUE(engine_->walks.empty());
  EXPECT_NE(StoreText()->find("Default=False"), std::string::npos);
}

// A row that raises does not leave the copy behind or the store unsaved.
TEST_F(ExtraPluginRunnerTest, AFailingRowStillEnciphersTheStoreAndRemovesTheCopy) {
  class Failing : public PluginEngine {
    void RunTraceEntry(const std::string&) override { platform::RaiseRuntimeError(5); }
  };
  auto failing = std::make_shared<Failing>();
  failing->installedKeys = engine_->installedKeys;
  InstallCleaningEngine(failing);
  WriteTool("RC=1\r\nRK1=HKey_Users\\A- TSYRegKey\r\n");
  Main().LSTEPI.Item(1).Checked = false;
  RunExtraSection();
  EXPECT_FALSE(ClearCopyExists());
  EXPECT_NE(StoreText()->find("Default=False"), std::string::npos);
  Main().LSTEPI.Item(1).Checked = true;
  RunExtraSection();
  EXPECT_FALSE(ClearCopyExists());
  EXPECT_NE(StoreText()->find("Default=True"), std::string::npos);
}

TEST_F(ExtraPluginRunnerTest, ThePageButtonsRestDuringARun) {
  WriteTool("RC=1\r\nRK1=HKey_Users\\A- TSYRegKey\r\n");
  auto& main = Main();
  std::vector<bool> enabled;
  class Watching : public PluginEngine {
   public:
    std::function<void()> onEntry;
    void RunTraceEntry(const std::string&) override { onEntry(); }
  };
  auto watching = std::make_shared<Watching>();
  watching->installedKeys = engine_->installedKeys;
  watching->onEntry = [&] { enabled.push_back(main.cmdDeletPlugin.Enabled() || main.cmdNewPlugin.Enabled()); };
  main.SetCleaningEngine(watching);
  main.ShowThatFrame(main.Frame_EPI);
  main.CmdClean_Click();
  EXPECT_EQ(enabled, std::vector<bool>{false});
  EXPECT_TRUE(main.cmdDeletPlugin.Enabled());
}

}  // namespace
}  // namespace tessaly::testing
