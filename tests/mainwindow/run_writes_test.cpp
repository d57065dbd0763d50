// A cleaning run in the window writes what it changed in the registry when
// it ends, so a crash afterwards cannot bring the cleaned traces back.
#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "mainwindow/run/engine_link.h"
#include "platform/forms/forms.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class RunWritesTest : public ::testing::Test {
 protected:
  ~RunWritesTest() override {
    ResetFormsRuntime();
    InstallCleaningEngine(nullptr);
    InstallBuiltInPluginRunner(nullptr);
  }
  TempMachine machine_{TestMachine().registry(
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU]\r\n"
      "\"a\"=\"notepad\\\\1\"\r\n\"MRUList\"=\"a\"\r\n")};
  bool connected_ = (ResetFormsRuntime(), ConnectCleaningEngine(), true);
  Form1Form& form_ = Form1();
};

TEST_F(RunWritesTest, TheCleanedKeysAreGoneFromTheHiveOnDiskWhenTheRunEnds) {
  ASSERT_NE(ReadHostFile(machine_.hiveFile("HKU")).find("\\RunMRU]"), std::string::npos);
  form_.chkCloseAfterWash.Value(vbUnchecked);
  form_.ShowThatFrame(form_.Frame_Windows);
  form_.chkWindows(16).Value(vbChecked);  // "Run History"
  QueueClick(form_.CmdClean);
  RunUntilIdle();
  ASSERT_NE(form_.txtResult.Text().find("All Restored Size is "), std::string::npos);
  // Nothing has flushed the machine: this is what a crash now would leave.
  EXPECT_EQ(ReadHostFile(machine_.hiveFile("HKU")).find("\\RunMRU]"), std::string::npos);
  EXPECT_TRUE(IsLoaded<Form1Form>());
}

}  // namespace
}  // namespace tessaly::testing
