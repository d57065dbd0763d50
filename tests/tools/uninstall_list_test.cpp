// The uninstall list from a fixture hive, and the uninstaller it starts:
// the program and parameters the shell is given, read from its record.
#include <gtest/gtest.h>

#include "platform/base/journal.h"
#include "platform/forms/forms.h"
#include "platform/registry/advapi32.h"
#include "support/temp_machine.h"
#include "tools/uninstall_list.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

const std::string kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

class ListsForm : public Form {
 public:
  ListsForm() : Form("frmLists") {}
  TSY_CONTROL(ListBox, names);
  TSY_CONTROL(ListBox, commands);
};

void PutString(const std::string& subkey, const std::string& name, DWORD type, const std::string& data) {
  HKEY key = 0;
  std::string path = kUninstall + "\\" + subkey;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  std::string bytes = data + std::string(1, '\0');
  ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

class UninstallListTest : public ::testing::TestWithParam<platform::OsKind> {
 protected:
  UninstallListTest() : machine_(GetParam()) {
    ResetFormsRuntime();
    PutString("Plain", "DisplayName", REG_SZ, "Plain App");
    PutString("Plain", "UninstallString", REG_SZ, "C:\\Program Files\\App\\uninst.exe /x");
    PutString("Quoted", "DisplayName", REG_SZ, "Quoted App");
    PutString("Quoted", "UninstallString", REG_SZ, "\"C:\\Program Files\\x\\unins000.exe\" /S");
    PutString("Dotless", "DisplayName", REG_SZ, "Dotless App");
    PutString("Dotless", "UninstallString", REG_SZ, " C:\\Tools\\remover ");
    PutString("NoCommand", "DisplayName", REG_SZ, "No Command");
    PutString("Hidden", "UninstallString", REG_SZ, "C:\\hidden.exe");
    PutString("Expand", "DisplayName", REG_EXPAND_SZ, "Not a string");
  }
  ~UninstallListTest() override { ResetFormsRuntime(); }

  // The shell's records since the last clear: file and parameters.
  std::vector<std::pair<std::string, std::string>> Started() {
    std::vector<std::pair<std::string, std::string>> started;
    for (const auto& entry : platform::TheJournal().Of("ShellExecute")) {
      EXPECT_EQ(entry.args[1], "open");
      EXPECT_EQ(entry.args[4], "");
      EXPECT_EQ(entry.args[5], "1");
      started.emplace_back(entry.args[2], entry.args[3]);
    }
    return started;
  }

  TempMachine machine_;
  ListsForm form_;
};

TEST_P(UninstallListTest, ListsProgramsWithADisplayNameInKeyOrder) {
  tools::LoadUninstallList(form_.names, form_.commands);
  EXPECT_EQ(form_.names.Items(), (std::vector<std::string>{"Dotless App", "No Command", "Plain App", "Quoted App"}));
  EXPECT_EQ(form_.commands.List(1), "No Command##");
  EXPECT_EQ(form_.commands.List(2), "Plain App##C:\\Program Files\\App\\uninst.exe /x");
}

TEST_P(UninstallListTest, TheButtonStartsTheExactProgramAndParameters) {
  tools::LoadUninstallList(form_.names, form_.commands);
  platform::TheJournal().Clear();
  tools::StartUninstaller(form_.names, form_.commands);  // nothing selected: the first row
  EXPECT_EQ(form_.names.ListIndex(), 0);
  for (int row : {2, 3, 1}) {
    form_.names.ListIndex(row);
    tools::StartUninstaller(form_.names, form_.commands);
  }
  EXPECT_EQ(Started(), (std::vector<std::pair<std::string, std::string>>{
                           {"C:\\Tools\\remover", ""},
                           {"C:\\Program Files\\App\\uninst.exe", "/x"},
                           {"C:\\Program Files\\x\\unins000.exe", "/S"},
                       }));  // the row without a command starts nothing
}

TEST_P(UninstallListTest, AMissingKeyIsReportedAndAnEmptyListStartsNothing) {
  HKEY key = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0, KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  for (const char* sub : {"Plain", "Quoted", "Dotless", "NoCommand", "Hidden", "Expand"})
    RegDeleteKeyA(key, (std::string("Uninstall\\") + sub).c_str());
  ASSERT_EQ(RegDeleteKeyA(key, "Uninstall"), ERROR_SUCCESS);
  RegCloseKey(key);
  platform::TheJournal().Clear();
  tools::LoadUninstallList(form_.names, form_.commands);
  tools::StartUninstaller(form_.names, form_.commands);
  auto boxes = platform::TheJournal().Of("MsgBox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].args[0], "Registry key could Not be opened -- aborting.");
  EXPECT_EQ(form_.names.ListCount(), 0);
  EXPECT_TRUE(Started().empty());
}

INSTANTIATE_TEST_SUITE_P(Families, UninstallListTest,
                         ::testing::Values(platform::OsKind::WinXP, platform::OsKind::Win98));

TEST(UninstallCommand, SplitsAtTheFirstBlankAfterTheFirstDotUnlessQuoted) {
  struct Case {
    const char* command;
    const char* program;
    const char* parameters;
  };
  const Case cases[] = {
      {"C:\\Program Files\\App\\uninst.exe /x", "C:\\Program Files\\App\\uninst.exe", "/x"},
      {"setup.exe -u", "setup.exe", "-u"},
      {"C:\\a.b\\x", "C:\\a.b\\x", ""},
      {"C:\\My.App Folder\\u.exe", "C:\\My.App", "Folder\\u.exe"},  // the plain rule cuts inside the path
      {"\"C:\\Program Files\\x\\unins000.exe\" /S", "C:\\Program Files\\x\\unins000.exe", "/S"},
      {"\"C:\\My.App Folder\\u.exe\"", "C:\\My.App Folder\\u.exe", ""},
      {"\"C:\\unclosed.exe /S", "C:\\unclosed.exe /S", ""},
      {"  C:\\Tools\\remover  ", "C:\\Tools\\remover", ""},
      {"MsiExec /X{1234}", "MsiExec /X{1234}", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    auto split = tools::SplitUninstallCommand(c.command);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->program, c.program);
    EXPECT_EQ(split->parameters, c.parameters);
  }
  EXPECT_FALSE(tools::SplitUninstallCommand(""));
  EXPECT_FALSE(tools::SplitUninstallCommand("   "));
}

}  // namespace
}  // namespace tessaly::testing
