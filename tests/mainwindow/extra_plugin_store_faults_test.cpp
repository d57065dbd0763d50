// The store under faults: the process killed at every step of a cycle,
// writes failing, and a second implementation of the cipher and layout on
// the other side of the file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "extra_plugin_fixture.h"
#include "mainwindow/plugins/frmPluginEditor.h"
#include "platform/files/file_seams.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

const std::filesystem::path kFixtures = TESSALY_PLUGIN_FIXTURES;

std::string HostFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string kOld =
    "[My Tool]\r\nCAT=Editors\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\n"
    "[Gone Viewer]\r\nCAT=Viewers\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Gone\r\n";

// Each writing operation and the store it leaves when it completes.
struct Operation {
  const char* name;
  std::function<void(Form1Form&)> run;
  std::string expected;
};

ListItem& RowOf(Form1Form& main, const std::string& name) {
  for (int i = 1; i <= main.LSTEPI.Count(); ++i)
    if (main.LSTEPI.Item(i).Text == name) return main.LSTEPI.Item(i);
  throw std::runtime_error("no row " + name);
}

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> operations = {
      {"saving the ticks",
       [](Form1Form& main) {
         RowOf(main, "My Tool").Checked = false;
         main.SaveCleanSettings();
       },
       "[My Tool]\r\nCAT=Editors\r\nDefault=False\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\n"
       "[Gone Viewer]\r\nCAT=Viewers\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Gone\r\n"},
      {"deleting a plug-in",
       [](Form1Form& main) {
         main.LSTEPI.UserClickItem(2);
         main.cmdDeletPlugin.UserClick();
       },
       "[My Tool]\r\nCAT=Editors\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\n"},
      {"saving in the editor",
       [](Form1Form& main) {
         auto& editor = frmPluginEditor();
         editor.NewPlugin();
         editor.txtName.Text("Added");
         editor.txtCat.Text("New");
         editor.cmdApply.UserClick();
       },
       kOld + "[Added]\r\nCAT=New\r\nRC=0\r\nFC=0\r\n"},
      {"a cleaning run",
       [](Form1Form& main) {
         RowOf(main, "My Tool").Checked = false;
         main.Frame_Result.Tag("Frame_EPI");
         main.CmdClean_Click();
       },
       "[My Tool]\r\nCAT=Editors\r\nDefault=False\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\n"
       "[Gone Viewer]\r\nCAT=Viewers\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Gone\r\n"},
  };
  return operations;
}

class ExtraPluginFaultsTest : public ExtraPluginTest {
 protected:
  ExtraPluginFaultsTest() { engine_->installedKeys = {"HKEY_LOCAL_MACHINE\\SOFTWARE\\TOOL"}; }

  // After any fault: the store deciphers to the old or the new content, and
  // the next start leaves no clear copy, no lock and a list that agrees.
  void ExpectOldOrNew(const Operation& operation, const std::string& when) {
    auto text = StoreText();
    ASSERT_TRUE(text.has_value()) << operation.name << " " << when;
    EXPECT_TRUE(*text == kOld || *text == operation.expected) << operation.name << " " << when << "\n" << *text;
    ResetFormsRuntime();
    auto& main = Main();
    EXPECT_FALSE(ClearCopyExists()) << operation.name << " " << when;
    EXPECT_FALSE(machine_.ReadContent(kStorePath + ".lock")) << operation.name << " " << when;
    EXPECT_FALSE(machine_.ReadContent(kStorePath + ".~new")) << operation.name << " " << when;
    EXPECT_EQ(main.LSTEPI.Count(), std::count(text->begin(), text->end(), '[')) << operation.name << " " << when;
  }
};

TEST_F(ExtraPluginFaultsTest, EachOperationCompletesWithTheExpectedStore) {
  for (const auto& operation : Operations()) {
    WriteStore(kOld);
    ResetFormsRuntime();
    operation.run(Main());
    EXPECT_EQ(StoreText(), operation.expected) << operation.name;
    EXPECT_FALSE(ClearCopyExists()) << operation.name;
  }
}

// The process dies at each step of each writing operation's cycle.
TEST_F(ExtraPluginFaultsTest, AProcessKilledAtAnyStepLeavesTheOldOrTheNewStore) {
  const char* steps[] = {"locked", "swept", "copied", "enciphered", "verified", "replaced", "removed", "unlocked"};
  for (const auto& operation : Operations()) {
    for (const char* step : steps) {
      WriteStore(kOld);
      ResetFormsRuntime();
      pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        auto& main = Main();
        PluginStore::SetStepHook([step](const char* reached) {
          if (std::string(reached) == step) _exit(0);
        });
        operation.run(main);
        _exit(3);  // the step was never reached
      }
      int status = 0;
      waitpid(child, &status, 0);
      // Every writing operation here changes the store, so every step is reached.
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << operation.name << " " << step;
      machine_.Reopen();
      ExpectOldOrNew(operation, std::string("killed at ") + step);
    }
  }
}

TEST_F(ExtraPluginFaultsTest, WritesFailingAnywhereLeaveTheOldOrTheNewStore) {
  for (const auto& operation : Operations()) {
    for (std::uint64_t budget : {0, 1, 16, 100, 250, 400, 800, 1600, 6400}) {
      WriteStore(kOld);
      ResetFormsRuntime();
      auto& main = Main();
      platform::files::SetWriteBudget(budget);
      operation.run(main);
      platform::files::SetWriteBudget(std::nullopt);
      EXPECT_FALSE(ClearCopyExists()) << operation.name << " budget " << budget;
      ExpectOldOrNew(operation, "budget " + std::to_string(budget));
    }
  }
}

// A store written by a second implementation of the cipher and layout
// (checked in beside its plain text) is read and listed.
TEST_F(ExtraPluginFaultsTest, AStoreMadeElsewhereDeciphersAndLists) {
  WriteStoreBytes(HostFile(kFixtures / "plugins_reference.dbs"));
  EXPECT_EQ(StoreText(), HostFile(kFixtures / "plugins_reference.ini"));
  auto& main = Main();
  ASSERT_EQ(main.LSTEPI.Items(), (std::vector<std::string>{"My Tool", "Gone Viewer", "No Category", "Long Rows"}));
  EXPECT_EQ(RowOf(main, "My Tool").SubItems(2), "Installed");
  EXPECT_TRUE(RowOf(main, "My Tool").Checked);
  EXPECT_EQ(RowOf(main, "Gone Viewer").SubItems(2), "Not Installed");
  EXPECT_EQ(RowOf(main, "No Category").SubItems(1), "0");
  EXPECT_FALSE(RowOf(main, "No Category").Checked);  // "true" is not "True"
  EXPECT_EQ(RowOf(main, "Long Rows").SubItems(1).size(), 14u * 30 - 1);
}

// ... and a store the program writes deciphers there.
TEST_F(ExtraPluginFaultsTest, AStoreWrittenHereDeciphersElsewhere) {
  WriteStoreBytes(HostFile(kFixtures / "plugins_reference.dbs"));
  auto& main = Main();
  RowOf(main, "My Tool").Checked = false;
  main.SaveCleanSettings();
  const std::filesystem::path plain = machine_.folder() / "deciphered.ini";
  std::string command = "python3 '" + (kFixtures / "store_cipher_reference.py").string() + "' decipher '" +
                        machine_.hostPath(kStorePath).string() + "' '" + plain.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::string expected = HostFile(kFixtures / "plugins_reference.ini");
  // Both installed rows now store their (cleared) ticks.
  expected.replace(expected.find("Default=True"), 12, "Default=False");
  expected.replace(expected.find("Default=true"), 12, "Default=False");
  EXPECT_EQ(HostFile(plain), expected);
}

}  // namespace
}  // namespace tessaly::testing
