// Language packs, skins and window utilities, folder pickers, shell opening
// and file search, over a small main window that stands in for Form1.
#include <gtest/gtest.h>

#include <optional>

#include "platform/activex/skin.h"
#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/forms.h"
#include "platform/shell/shell32.h"
#include "platform/com/com_memory.h"
#include "support/error_capture.h"
#include "support/find_files.h"
#include "support/folder_browse.h"
#include "support/language_packs.h"
#include "support/main_window_link.h"
#include "support/skins.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class FakeMainWindow : public Form, public MainWindowServices {
 public:
  FakeMainWindow() : Form("Form1") {}
  TSY_CONTROL(CheckBox, chkSkipMessages);
  TSY_CONTROL(ListBox, List_os);
  platform::activex::Skin skn{*this, "skn"};
  static inline int loads = 0;
  void Form_Load() override { ++loads; }
  platform::activex::Skin& SkinControl() override { return skn; }
  CheckBox& SkipMessagesBox() override { return chkSkipMessages; }
  ListBox& FoundFoldersList() override { return List_os; }
};

FakeMainWindow& MainForm() { return DefaultInstance<FakeMainWindow>(); }

class frmCaptions : public Form {
 public:
  frmCaptions() : Form("frmCaptions") {
    Caption("Window title");
    OnErrorResumeNext guard;  // the kinds without a caption refuse it
    for (Control* control : Controls()) guard([&] { control->Let("Caption", "old"); });
    txtName.Text("typed");
  }
  TSY_CONTROL(Frame, fraMode);
  TSY_CONTROL_IN(OptionButton, optA, fraMode);
  TSY_CONTROL_IN(OptionButton, optB, fraMode);
  TSY_CONTROL(CommandButton, cmdHelp);
  TSY_CONTROL(Label, lblInfo);
  TSY_CONTROL(CheckBox, chkBox);
  TSY_CONTROL(Menu, mnuSep);
  TSY_CONTROL(TextBox, txtName);
  TSY_CONTROL_ARRAY(OptionButton, optDll, 2);
  platform::activex::SkinLabel slbTitle{*this, "slbTitle"};
  TSY_CONTROL(ListBox, lstItems);
  TSY_CONTROL(PictureBox, picLogo);
};

class UiSupportTest : public ::testing::Test {
 protected:
  UiSupportTest() {
    ResetFormsRuntime();
    FakeMainWindow::loads = 0;
    SetMainWindow([]() -> MainWindowServices& { return MainForm(); });
    CurrentLanguage = "English";
  }
  ~UiSupportTest() override {
    SetMainWindow(nullptr);
    ResetFormsRuntime();
  }
  static void WriteLanguage(const std::string& name, const std::string& text) {
    ASSERT_EQ(platform::files::WriteFileContent("C:\\Program Files\\Tessaly\\languages\\" + name + ".ini", text), 0u);
  }
  void UseMachine(const platform::MachineBuilder& builder) {
    machine_.reset();
    machine_.emplace(builder);
  }
  std::optional<TempMachine> machine_{std::in_place};
};

// --- language packs ---------------------------------------------------------

TEST_F(UiSupportTest, ApplyLanguageSetsTheCaptionsOfTheSevenKindsByNameAndIndex) {
  std::string longValue(300, 'x');
  WriteLanguage("Deutsch", "[frmCaptions]\r\ncmdHelp=Hilfe\r\noptDll=wrong\r\noptDll(1)=Zweite\r\n"
                           "fraMode=\"  Modus  \"\r\nlblInfo=\r\ntxtName=ignored\r\nslbTitle=Titel\r\n"
                           "mnuSep=-\r\nchkBox=" + longValue + "\r\n");
  CurrentLanguage = "Deutsch";
  auto& form = DefaultInstance<frmCaptions>();
  ApplyLanguage(form);
  EXPECT_EQ(form.cmdHelp.Caption(), "Hilfe");
  EXPECT_EQ(form.optDll(1).Caption(), "Zweite");
  EXPECT_EQ(form.optDll(0).Caption(), "old");  // no key "optDll(0)"
  EXPECT_EQ(form.fraMode.Caption(), "  Modus  ");  // quotes keep the blanks
  EXPECT_EQ(form.lblInfo.Caption(), "");           // present and empty: blanked
  EXPECT_EQ(form.optA.Caption(), "old");           // missing key: kept
  EXPECT_EQ(form.slbTitle.Caption(), "Titel");
  EXPECT_EQ(form.mnuSep.Caption(), "-");
  EXPECT_EQ(form.chkBox.Caption(), longValue.substr(0, 254));
  EXPECT_EQ(form.txtName.Text(), "typed");
  EXPECT_EQ(form.Caption(), "Window title");
  EXPECT_EQ(ControlIndexSuffix(form.optDll(1)), "(1)");
  EXPECT_EQ(ControlIndexSuffix(form.cmdHelp), "");
}

TEST_F(UiSupportTest, AMissingLanguageFileOrSectionLeavesEveryCaption) {
  WriteLanguage("Empty", "[OtherForm]\r\ncmdHelp=Nope\r\n");
  for (const char* language : {"Missing", "Empty"}) {
    CurrentLanguage = language;
    auto& form = DefaultInstance<frmCaptions>();
    ApplyLanguage(form);
    for (Control* control : form.Controls())
      if (control->Name() != "txtName" && control->Name() != "lstItems" && control->Name() != "picLogo") {
        EXPECT_EQ(platform::vb::CStr(control->Get("Caption")), "old") << language << " " << control->Name();
      }
  }
}

TEST_F(UiSupportTest, TheEnglishFileIsInstalledWithItsPicture) {
  std::string ini, bmp;
  ASSERT_EQ(platform::files::ReadFileContent("C:\\Program Files\\Tessaly\\languages\\English.ini", ini), 0u);
  EXPECT_NE(ini.find("chkSkipMessages=Show Popup Messages"), std::string::npos);
  ASSERT_EQ(platform::files::ReadFileContent("C:\\Program Files\\Tessaly\\languages\\English.bmp", bmp), 0u);
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(bmp[2]) | static_cast<unsigned char>(bmp[3]) << 8, static_cast<int>(bmp.size()));
}

// --- skins and window utilities -------------------------------------------------

TEST_F(UiSupportTest, ApplySkinToControlsNamesEachKindsObjectInControlOrder) {
  auto& form = DefaultInstance<frmCaptions>();
  EXPECT_EQ(FakeMainWindow::loads, 0);
  ApplySkinToControls(form);
  EXPECT_EQ(FakeMainWindow::loads, 1);  // the main window was created for its skin control
  std::vector<std::string> objects;
  for (const auto& application : MainForm().skn.applied()) objects.push_back(application.object);
  EXPECT_EQ(objects, (std::vector<std::string>{"Frame", "Radio", "Radio", "Button", "ButtonWhite", "Check", "Radio",
                                               "Radio", "Static"}));
  EXPECT_EQ(MainForm().skn.AppliedTo(form.cmdHelp.hWnd()), (std::vector<std::string>{"Button", "ButtonWhite"}));
  EXPECT_TRUE(MainForm().skn.AppliedTo(form.txtName.hWnd()).empty());
  EXPECT_TRUE(MainForm().skn.AppliedTo(form.lstItems.hWnd()).empty());
  EXPECT_TRUE(MainForm().skn.AppliedTo(form.picLogo.hWnd()).empty());
}

TEST_F(UiSupportTest, DragFormReleasesTheCaptureThenPressesTheCaption) {
  auto& form = DefaultInstance<frmCaptions>();
  DragForm(form.hWnd());
  const auto& entries = platform::TheJournal().entries();
  ASSERT_GE(entries.size(), 2u);
  EXPECT_EQ(entries[entries.size() - 2].call, "ReleaseCapture");
  EXPECT_EQ(entries.back().call, "Drag");
}

std::vector<UINT>& Received() {
  static std::vector<UINT> received;
  return received;
}
LRESULT RecordingProc(HWND, UINT message, WPARAM, LPARAM) {
  Received().push_back(message);
  return 7;
}
LRESULT OtherProc(HWND, UINT message, WPARAM, LPARAM) {
  Received().push_back(0x1000 + message);
  return 8;
}

TEST_F(UiSupportTest, HookWindowSwallowsRightPressesIsIdempotentAndKeepsEachWindowsOriginal) {
  auto& form = DefaultInstance<frmCaptions>();
  HWND first = form.picLogo.hWnd(), second = form.lstItems.hWnd();
  LONG originalFirst = AddressOf(RecordingProc), originalSecond = AddressOf(OtherProc);
  SetWindowLongA(first, GWL_WNDPROC, originalFirst);
  SetWindowLongA(second, GWL_WNDPROC, originalSecond);
  Received().clear();

  HookWindow(first, true);
  HookWindow(first, true);  // again: no self-chaining
  HookWindow(second, true);
  for (UINT message : std::vector<UINT>{WM_RBUTTONDOWN, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONUP, 0x84u, 0x100u})
    EXPECT_EQ(SendMessageA(first, message, 1, 2), 7);
  EXPECT_EQ(Received(), (std::vector<UINT>{WM_NULL, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONUP, 0x84u, 0x100u}));
  Received().clear();
  SendMessageA(second, WM_RBUTTONDOWN, 0, 0);
  EXPECT_EQ(Received(), (std::vector<UINT>{0x1000 + WM_NULL}));

  HookWindow(first, false);
  EXPECT_EQ(GetWindowLongA(first, GWL_WNDPROC), originalFirst);
  HookWindow(second, false);
  EXPECT_EQ(GetWindowLongA(second, GWL_WNDPROC), originalSecond);
  Received().clear();
  SendMessageA(first, WM_RBUTTONDOWN, 0, 0);
  EXPECT_EQ(Received(), (std::vector<UINT>{WM_RBUTTONDOWN}));
  HookWindow(first, false);  // nothing hooked: nothing happens
  EXPECT_EQ(GetWindowLongA(first, GWL_WNDPROC), originalFirst);
}

TEST_F(UiSupportTest, ShowMessageShowsOptionalBoxesOnlyWhileTheBoxIsTicked) {
  struct Case {
    int ticked;
    bool optional;
    bool shown;
  };
  const Case cases[] = {{0, false, true}, {0, true, false}, {1, true, true}, {2, true, false}, {2, false, true}};
  for (const auto& c : cases) {
    MainForm().chkSkipMessages.Value(c.ticked);
    Answers().ClearRecords();
    if (c.shown) Answers().Script("No");
    int answer = ShowMessage("Delete?", vbYesNo, "TSY Scheduler", c.optional);
    EXPECT_EQ(Answers().records().size(), c.shown ? 1u : 0u) << c.ticked << c.optional;
    EXPECT_EQ(answer, c.shown ? vbNo : 0);
  }
  ASSERT_FALSE(Answers().records().empty());
  EXPECT_EQ(Answers().records()[0].request.title, "TSY Scheduler");
}

// --- folder pickers and shell opening ----------------------------------------------

TEST_F(UiSupportTest, CFolderBrowseKeepsThePathOfTheChosenItem) {
  std::size_t live = static_cast<std::size_t>(platform::com::LiveTaskMemBlocks());
  CFolderBrowse picker;
  EXPECT_EQ(picker.Prompt(), "Select a folder");
  picker.Prompt("   ");
  EXPECT_EQ(picker.Prompt(), "");
  picker.Browse();  // cancelled
  EXPECT_EQ(picker.path(), "");
  EXPECT_EQ(Answers().records().back().request.prompt, "Select a folder");
  EXPECT_EQ(Answers().records().back().request.style, 0x4000);

  picker.Prompt("  Find the Folder ");
  Answers().Script("OK", "C:\\Program Files\\Tessaly\\tsy.exe");
  picker.Browse();
  EXPECT_EQ(picker.path(), "C:\\Program Files\\Tessaly\\tsy.exe");
  EXPECT_EQ(Answers().records().back().request.prompt, "Find the Folder");
  Answers().Script("OK", "My Computer");
  picker.Browse();
  EXPECT_EQ(picker.path(), "");
  EXPECT_EQ(static_cast<std::size_t>(platform::com::LiveTaskMemBlocks()), live);
}

TEST_F(UiSupportTest, BrowseForFolderPathOffersFoldersFromTheDesktop) {
  std::size_t live = static_cast<std::size_t>(platform::com::LiveTaskMemBlocks());
  EXPECT_EQ(BrowseForFolderPath(0x1234), "");
  Answers().Script("OK", "C:\\WINDOWS");
  EXPECT_EQ(BrowseForFolderPath(0x1234), "C:\\WINDOWS");
  auto calls = platform::TheJournal().Of("SHBrowseForFolder");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].args, (std::vector<std::string>{"0x1234", "Desktop", "Select a folder", "0x51"}));
  EXPECT_EQ(static_cast<std::size_t>(platform::com::LiveTaskMemBlocks()), live);
}

TEST_F(UiSupportTest, ShellOpenOpensNormallyWithoutParametersOrFolder) {
  ShellOpen("http://www.example.com/");
  ShellOpen("C:\\Program Files\\Tessaly\\Update\\Update.exe");  // missing: still reports nothing
  auto calls = platform::TheJournal().Of("ShellExecute");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{"0x0", "Open", "http://www.example.com/", "(null)", "(null)", "1",
                                                     "42"}));
}

// --- file search ---------------------------------------------------------------

class FindFilesTest : public UiSupportTest {
 protected:
  FindFilesTest() {
    auto builder = TestMachine();
    builder.file("C:\\A\\kernel32.dll", "x")
        .file("C:\\A\\Deep\\kernel32.dll", "x")
        .file("C:\\B\\C\\KERNEL32.DLL", "x")
        .folder("C:\\D\\kernel32.dll")  // a folder named like the file counts too
        .folder("C:\\E\\F");
    UseMachine(builder);
  }
  std::vector<std::string> Listed() { return MainForm().List_os.Items(); }
};

TEST_F(FindFilesTest, ListsEachFirstFolderOnceAndNotBelowIt) {
  std::string folder = "C:";
  std::int32_t folders = 0, subFolders = 0;
  FindFiles(folder, "kernel32.dll", folders, subFolders);
  EXPECT_EQ(folder, "C:\\");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"C:\\A\\", "C:\\B\\C\\", "C:\\D\\"}));
  EXPECT_EQ(folders, 3);
  EXPECT_GT(subFolders, 5);

  MainForm().List_os.Clear();
  std::string withSlash = "C:\\";
  std::int32_t again = 0, againSub = 0;
  FindFiles(withSlash, "kernel32.dll", again, againSub);
  EXPECT_EQ(Listed().size(), 3u);
  EXPECT_EQ(againSub, subFolders);
}

TEST_F(FindFilesTest, NoMatchListsNothingAndTheCountersDoNotOverflowAt16Bits) {
  std::string folder = "C:\\E";
  std::int32_t folders = 0, subFolders = 32767;
  FindFiles(folder, "nothing.here", folders, subFolders);
  EXPECT_TRUE(Listed().empty());
  EXPECT_EQ(folders, 0);
  EXPECT_EQ(subFolders, 32768);  // one sub-folder seen past the 16-bit limit
}

TEST_F(FindFilesTest, YieldsToTheMessageLoopWhileSearching) {
  std::uint64_t before = YieldCount();
  std::string folder = "C:\\A";
  std::int32_t folders = 0, subFolders = 0;
  FindFiles(folder, "kernel32.dll", folders, subFolders);
  EXPECT_GT(YieldCount(), before);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"C:\\A\\"}));
}

}  // namespace
}  // namespace tessaly::testing
