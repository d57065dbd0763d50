#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/kernel32_files.h"
#include "platform/forms/forms.h"
#include "platform/shell/clipboard.h"
#include "platform/shell/launch.h"
#include "platform/shell/shell32.h"
#include "platform/com/com_memory.h"
#include "platform/shell/tray.h"
#include "support/error_capture.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() { ResetFormsRuntime(); platform::shell::ResetLaunches(); }
  ~ShellTest() override { ResetFormsRuntime(); }
};

// --- recycle bins ---------------------------------------------------------

struct BinCase {
  platform::OsKind os;
  const char* bin;
};

class RecycleBinTest : public ShellTest, public ::testing::WithParamInterface<BinCase> {};

TEST_P(RecycleBinTest, EmptiesTheFamilysBinKeepingDesktopIniAndInfo2) {
  std::string bin = GetParam().bin;
  auto builder = TestMachine(GetParam().os);
  builder.file(bin + "\\desktop.ini", "[.ShellClassInfo]").file(bin + "\\INFO2", "index")
      .file(bin + "\\Dc1.txt", "deleted").file(bin + "\\Dc2\\inner.doc", "x").file("C:\\keep.txt", "stay");
  TempMachine machine(builder);
  SetFileAttributesA((bin + "\\Dc1.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

  EXPECT_EQ(SHEmptyRecycleBinA(0, nullptr, 7), S_OK);

  EXPECT_TRUE(PathFileExistsA((bin + "\\desktop.ini").c_str()));
  EXPECT_TRUE(PathFileExistsA((bin + "\\INFO2").c_str()));
  EXPECT_FALSE(PathFileExistsA((bin + "\\Dc1.txt").c_str()));
  EXPECT_FALSE(PathFileExistsA((bin + "\\Dc2").c_str()));
  EXPECT_TRUE(PathFileExistsA(bin.c_str()));
  EXPECT_TRUE(PathFileExistsA("C:\\keep.txt"));
  // Already empty: still S_OK; the flags are recorded.
  EXPECT_EQ(SHEmptyRecycleBinA(0, "C:\\", 7), S_OK);
  auto calls = platform::TheJournal().Of("SHEmptyRecycleBin");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].args[2], "7");
}

INSTANTIATE_TEST_SUITE_P(Families, RecycleBinTest,
                         ::testing::Values(BinCase{platform::OsKind::Win98, "C:\\RECYCLED"},
                                           BinCase{platform::OsKind::WinXP, "C:\\RECYCLER\\S-1-5-21-1004336348-1177238915-682003330-1003"}));

TEST_F(ShellTest, RecycleBinReportsAnItemItCouldNotRemove) {
  TempMachine machine;
  std::string bin = "C:\\RECYCLER\\" + machine.machine().description().userSid;
  // The image has the user's bin on the system drive.
  ASSERT_TRUE(PathFileExistsA(bin.c_str()));
  for (const char* name : {"\\a.txt", "\\b.txt"}) {
    HANDLE file = CreateFileA((bin + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
  HANDLE held = CreateFileA((bin + "\\a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(SHEmptyRecycleBinA(0, "C:\\", 7), E_FAIL);
  EXPECT_TRUE(PathFileExistsA((bin + "\\a.txt").c_str()));
  EXPECT_FALSE(PathFileExistsA((bin + "\\b.txt").c_str()));
  CloseHandle(held);
}

// --- tray -----------------------------------------------------------------

NOTIFYICONDATAA Icon(HWND window, UINT id, const char* tip) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = id;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = 0x400 + 1;
  data.hIcon = 77;
  std::snprintf(data.szTip, sizeof data.szTip, "%s", tip);
  return data;
}

TEST_F(ShellTest, TrayKeysIconsByWindowAndIdAndKeepsThemAcrossProcesses) {
  TempMachine machine;
  NOTIFYICONDATAA icon = Icon(0x1234, 1, "Tessaly");
  EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &icon));
  EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &icon));  // the key exists
  NOTIFYICONDATAA other = Icon(0x1234, 2, "Other");
  EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &other));
  EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &other));
  std::snprintf(icon.szTip, sizeof icon.szTip, "Cleaning...");
  icon.uFlags = NIF_TIP;
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &icon));

  machine.Reopen();  // the process that added it is gone: a ghost icon
  auto icons = platform::shell::TrayIcons();
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(icons[0].window, 0x1234u);
  EXPECT_EQ(icons[0].tip, "Cleaning...");
  EXPECT_EQ(icons[0].icon, 77u);

  machine.machine().Restart();
  EXPECT_TRUE(platform::shell::TrayIcons().empty());
  EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, nullptr));
}

class TrayForm : public Form {
 public:
  TrayForm() : Form("frmTray") {}
  std::vector<std::pair<WPARAM, LPARAM>> received;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == 0x401) received.emplace_back(wParam, lParam);
    return Form::OnMessage(message, wParam, lParam);
  }
};

TEST_F(ShellTest, ADoubleClickOnAnIconReachesItsWindowAtTheNextTurn) {
  TempMachine machine;
  auto& form = DefaultInstance<TrayForm>();
  NOTIFYICONDATAA icon = Icon(form.hWnd(), 5, "Tessaly");
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &icon));
  ASSERT_TRUE(platform::shell::DoubleClickTrayIcon(form.hWnd(), 5));
  EXPECT_TRUE(form.received.empty());
  DoEvents();
  std::vector<std::pair<WPARAM, LPARAM>> expected = {{5, 0x201}, {5, 0x202}, {5, 0x203}, {5, 0x202}};
  EXPECT_EQ(form.received, expected);
  EXPECT_FALSE(platform::shell::ClickTrayIcon(form.hWnd(), 6, 0x201));
}

// --- launches ---------------------------------------------------------------

TEST_F(ShellTest, ShellExecuteRecordsItsArgumentsAndComputesItsResult) {
  TempMachine machine;
  EXPECT_EQ(ShellExecuteA(0, "Open", "http://www.example.com", nullptr, "", 1), 42u);
  EXPECT_EQ(ShellExecuteA(0, "Open", "C:\\missing.exe", "0", "0", 0), SE_ERR_FNF);
  EXPECT_EQ(ShellExecuteA(0, "Open", "C:\\Program Files\\Tessaly\\tsy.exe", "0", "0", 0), SE_ERR_PNF);
  platform::shell::ScriptShellExecuteResult(31);
  EXPECT_EQ(ShellExecuteA(0, "Open", "C:\\missing.exe", nullptr, nullptr, 1), 31u);
  auto calls = platform::TheJournal().Of("ShellExecute");
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].args[3], "(null)");  // NULL and "" are kept apart
  EXPECT_EQ(calls[0].args[4], "");
  EXPECT_EQ(calls[2].args[3], "0");
}

TEST_F(ShellTest, ProgramStartsFindTheProgramAndAreOnlyRecorded) {
  TempMachine machine;
  double first = Shell("rundll32 shell32.dll,Control_RunDLL", 1);
  double second = Shell("\"C:\\Program Files\\Tessaly\\tsy.exe\" /auto", 0);
  EXPECT_EQ(second, first + 1);
  EXPECT_EQ(ErrorOf([] { Shell("nosuchprogram"); }), 53);
  auto starts = platform::TheJournal().Of("Shell");
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0].args[2], "C:\\WINDOWS\\system32\\rundll32.exe");
  EXPECT_EQ(WinExec("tsy", 1) > 31, true);  // found in the program folder
  EXPECT_EQ(WinExec("nosuch.exe", 1), 2u);
  PROCESS_INFORMATION info{};
  char line[] = "rundll32.exe x";
  EXPECT_TRUE(CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &info));
  EXPECT_NE(info.dwProcessId, 0u);
  char missing[] = "nothere.exe";
  EXPECT_FALSE(CreateProcessA(nullptr, missing, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &info));
  EXPECT_EQ(GetLastError(), 2u);
}

// --- pickers and item ids -----------------------------------------------------

TEST_F(ShellTest, FolderPickerAnswersFreesAndChecksScriptedPaths) {
  TempMachine machine;
  std::size_t liveBefore = static_cast<std::size_t>(platform::com::LiveTaskMemBlocks());
  BROWSEINFOA info{};
  char name[MAX_PATH];
  info.pszDisplayName = name;
  info.lpszTitle = "Pick";
  info.ulFlags = BIF_RETURNONLYFSDIRS;

  EXPECT_EQ(SHBrowseForFolderA(&info), nullptr);  // unscripted: cancel

  Answers().Script("OK", "C:\\WINDOWS\\");
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  ASSERT_NE(chosen, nullptr);
  EXPECT_STREQ(name, "WINDOWS");
  char path[MAX_PATH];
  EXPECT_TRUE(SHGetPathFromIDListA(chosen, path));
  EXPECT_STREQ(path, "C:\\WINDOWS");
  CoTaskMemFree(chosen);
  EXPECT_EQ(static_cast<std::size_t>(platform::com::LiveTaskMemBlocks()), liveBefore);

  Answers().Script("OK", "C:\\Program Files\\Tessaly\\tsy.exe");  // a file, folders only
  EXPECT_THROW(SHBrowseForFolderA(&info), AnswerScriptError);
  info.ulFlags = BIF_BROWSEINCLUDEFILES;
  Answers().Script("OK", "My Computer");
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  EXPECT_FALSE(SHGetPathFromIDListA(item, path));
  EXPECT_STREQ(path, "");
  CoTaskMemFree(item);
  CoTaskMemFree(nullptr);
  EXPECT_EQ(static_cast<std::size_t>(platform::com::LiveTaskMemBlocks()), liveBefore);
  EXPECT_EQ(SHBrowseForFolderA(nullptr), nullptr);
}

TEST_F(ShellTest, SpecialFolderLocations) {
  TempMachine machine;
  LPITEMIDLIST pidl = nullptr;
  char path[MAX_PATH];
  ASSERT_EQ(SHGetSpecialFolderLocation(0, CSIDL_DESKTOP, &pidl), S_OK);
  EXPECT_FALSE(SHGetPathFromIDListA(pidl, path));  // the namespace root has no path
  CoTaskMemFree(pidl);
  ASSERT_EQ(SHGetSpecialFolderLocation(0, CSIDL_COOKIES, &pidl), S_OK);
  EXPECT_TRUE(SHGetPathFromIDListA(pidl, path));
  EXPECT_STREQ(path, "C:\\Documents and Settings\\User\\Cookies");
  CoTaskMemFree(pidl);
  EXPECT_EQ(SHGetSpecialFolderLocation(0, 0x99, &pidl), E_INVALIDARG);
  EXPECT_EQ(SHGetSpecialFolderLocation(0, CSIDL_DESKTOP, nullptr), E_INVALIDARG);
}

// --- format, paths, clipboard ------------------------------------------------------

TEST_F(ShellTest, FormatDialogCancelsUnlessAFormatIsScripted) {
  auto builder = TestMachine();
  platform::DriveDescription e;
  e.letter = 'E';
  e.label = "DATA";
  e.capacity = 4 * 1024 * 1024;
  builder.drive(e).file("E:\\docs\\a.txt", "a").file("E:\\b.txt", "b");
  TempMachine machine(builder);
  EXPECT_EQ(SHFormatDrive(0, 4, 0xFFFF, 0), SHFMT_CANCEL);
  EXPECT_TRUE(PathFileExistsA("E:\\b.txt"));
  Answers().Script("NoFormat");
  EXPECT_EQ(SHFormatDrive(0, 4, 0xFFFF, 0), SHFMT_NOFORMAT);
  Answers().Script("Format");
  EXPECT_EQ(SHFormatDrive(0, 4, 0xFFFF, 0), 0u);
  EXPECT_FALSE(PathFileExistsA("E:\\b.txt"));
  EXPECT_FALSE(PathFileExistsA("E:\\docs"));
  EXPECT_TRUE(PathFileExistsA("C:\\WINDOWS"));  // other drives untouched
  char label[32] = {};
  ASSERT_TRUE(GetVolumeInformationA("E:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0));
  EXPECT_STREQ(label, "DATA");
  auto calls = platform::TheJournal().Of("SHFormatDrive");
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].args[1], "4");
}

TEST_F(ShellTest, PathFileExistsAndTheClipboard) {
  TempMachine machine;
  EXPECT_TRUE(PathFileExistsA("C:\\WINDOWS"));
  EXPECT_TRUE(PathFileExistsA("c:\\program files\\tessaly\\TSY.EXE"));
  EXPECT_FALSE(PathFileExistsA(""));
  EXPECT_FALSE(PathFileExistsA(nullptr));
  EXPECT_FALSE(PathFileExistsA("C:\\missing"));

  Clipboard.SetText("secret");
  machine.Reopen();
  EXPECT_EQ(Clipboard.GetText(), "secret");  // the clipboard outlives the process
  platform::shell::HoldClipboard(true);
  EXPECT_FALSE(OpenClipboard(0));
  EXPECT_EQ(ErrorOf([] { Clipboard.Clear(); }), 521);
  platform::shell::HoldClipboard(false);
  ASSERT_TRUE(OpenClipboard(0));
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());
  EXPECT_EQ(Clipboard.GetText(), "");
}

}  // namespace
}  // namespace tessaly::testing
