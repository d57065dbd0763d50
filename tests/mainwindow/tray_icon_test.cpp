#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "mainwindow/frmIcon.h"
#include "platform/base/process_end.h"
#include "platform/forms/forms.h"
#include "platform/shell/tray.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class TrayIconTest : public MainWindowTest {
 protected:
  Form1Form& form_ = Form1();

  // A mouse message on the program's tray icon, delivered by the loop.
  void Tray(UINT message) {
    ASSERT_TRUE(platform::shell::ClickTrayIcon(frmIcon().hWnd(), 0, message));
    RunUntilIdle();
  }
  std::size_t MenusShown() const {
    std::size_t count = 0;
    for (const auto& record : Answers().records()) count += record.request.kind == AskKind::PopupMenu;
    return count;
  }
};

TEST_F(TrayIconTest, TheIconsWindowCarriesTheMenu) {
  FrmIconForm& icon = frmIcon();
  EXPECT_FALSE(icon.Visible());
  EXPECT_EQ(platform::shell::TrayIcons().at(0).window, icon.hWnd());
  // The icon shown is the main window's own.
  EXPECT_NE(form_.Icon(), 0u);
  EXPECT_EQ(form_.TrayIcon.hIcon, form_.Icon());
  EXPECT_EQ(platform::shell::TrayIcons().at(0).icon, form_.Icon());
  EXPECT_NE(icon.Icon(), form_.Icon());
  EXPECT_EQ(icon.mnuTSY.Caption(), "TSY");
  EXPECT_FALSE(icon.lblDeleteManager.Visible());
  EXPECT_EQ(icon.SetTopForm(), 0);

  Tray(WM_RBUTTONDOWN);  // nothing chosen
  ASSERT_EQ(MenusShown(), 1u);
  const AskRequest& menu = Answers().records().back().request;
  EXPECT_EQ(menu.choices, (std::vector<std::string>{"&Show/Hide", "&Start Clean now", "&Exit"}));
  EXPECT_TRUE(form_.Visible());
  EXPECT_TRUE(engine_->calls.empty());
}

struct MessageCase {
  UINT message;
  bool toggles;
  bool opensMenu;
};

TEST_F(TrayIconTest, EachMouseMessageDoesItsOwnThing) {
  const MessageCase cases[] = {
      {WM_MOUSEMOVE, false, false},     {WM_LBUTTONDOWN, true, false},  {WM_LBUTTONUP, false, false},
      {WM_LBUTTONDBLCLK, false, true},  {WM_RBUTTONDOWN, false, true},  {WM_RBUTTONUP, false, false},
      {WM_RBUTTONDBLCLK, false, true},  {0x0207, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    bool wasVisible = form_.Visible();
    std::size_t menus = MenusShown();
    Tray(c.message);
    EXPECT_EQ(form_.Visible(), c.toggles ? !wasVisible : wasVisible);
    EXPECT_EQ(MenusShown(), menus + (c.opensMenu ? 1 : 0));
  }
}

TEST_F(TrayIconTest, ALeftClickRestoresAHiddenWindowAndHidesAMinimisedOne) {
  form_.WindowState(1);
  form_.Hide();
  Tray(WM_LBUTTONDOWN);
  EXPECT_TRUE(form_.Visible());
  EXPECT_EQ(form_.WindowState(), 0);
  Tray(WM_LBUTTONDOWN);
  EXPECT_FALSE(form_.Visible());

  // Minimised but visible: the click hides it, as the program always did.
  form_.Show();
  form_.WindowState(1);
  Tray(WM_LBUTTONDOWN);
  EXPECT_FALSE(form_.Visible());
  EXPECT_EQ(form_.WindowState(), 1);
}

TEST_F(TrayIconTest, ADoubleClickTogglesTheWindowAndOpensTheMenu) {
  ASSERT_TRUE(platform::shell::DoubleClickTrayIcon(frmIcon().hWnd(), 0));
  RunUntilIdle();
  EXPECT_FALSE(form_.Visible());
  EXPECT_EQ(MenusShown(), 1u);
}

TEST_F(TrayIconTest, TheMenuShowsHidesAndStartsACleanOfThePageShownLast) {
  form_.chkWindows(0).Value(1);
  form_.chkOffice(2).Value(1);
  form_.ShowThatFrame(form_.Frame_Office);
  Answers().Script("&Show/Hide");
  Tray(WM_RBUTTONDOWN);
  EXPECT_FALSE(form_.Visible());

  Answers().Script("&Start Clean now");
  Tray(WM_RBUTTONDBLCLK);
  EXPECT_EQ(engine_->calls, (std::vector<std::string>{"item 2.2"}));
  EXPECT_FALSE(form_.runActive());
  EXPECT_FALSE(form_.Visible());  // a run from the tray leaves the window as it was
}

TEST_F(TrayIconTest, StartCleanDuringARunIsTheStopRequest) {
  form_.chkCleanAll.Value(1);
  for (int i = 0; i < 6; ++i) form_.chkWindows(i).Value(1);
  Answers().Script("&Start Clean now");
  Answers().Script("&Start Clean now");
  ASSERT_TRUE(platform::shell::ClickTrayIcon(frmIcon().hWnd(), 0, WM_RBUTTONDOWN));
  // The second right click comes while the third item yields.
  AtYield(YieldCount() + 4, [] { platform::shell::ClickTrayIcon(frmIcon().hWnd(), 0, WM_RBUTTONDOWN); });
  DoEvents();
  EXPECT_EQ(engine_->calls, (std::vector<std::string>{"item 0.0", "item 0.1", "item 0.2"}));
  EXPECT_EQ(MenusShown(), 2u);
  EXPECT_FALSE(form_.runActive());
  EXPECT_EQ(form_.CmdClean.Caption(), "START");
}

TEST_F(TrayIconTest, StartCleanWaitsForTheToolsLikeTheStartButton) {
  form_.chkCleanAll.Value(1);
  form_.chkWindows(0).Value(1);
  form_.StopShredNow = false;  // a shred is running
  Answers().Script("&Start Clean now");
  Tray(WM_RBUTTONDOWN);
  EXPECT_TRUE(engine_->calls.empty());
  EXPECT_FALSE(form_.runActive());
}

TEST_F(TrayIconTest, ExitClosesTheProgramThroughTheMainWindow) {
  form_.chkBleach.Value(1);
  Answers().Script("&Exit");
  ASSERT_TRUE(platform::shell::ClickTrayIcon(frmIcon().hWnd(), 0, WM_RBUTTONDOWN));
  auto ended = platform::RunUntilProcessEnd([] { RunMessageLoop(); });
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, 0u);
  EXPECT_TRUE(platform::shell::TrayIcons().empty());
}

TEST_F(TrayIconTest, OnlyTheMainWindowAsTopFormStartsARun) {
  form_.chkCleanAll.Value(1);
  form_.chkWindows(0).Value(1);
  frmIcon().SetTopForm(2);
  EXPECT_EQ(frmIcon().TopForm(), nullptr);  // frmClean is not loaded here
  frmIcon().mnuRemove_Click();
  EXPECT_TRUE(engine_->calls.empty());
  frmIcon().SetTopForm(0);
  EXPECT_EQ(frmIcon().TopForm(), &form_);
  frmIcon().mnuRemove_Click();
  EXPECT_EQ(engine_->calls, (std::vector<std::string>{"item 0.0", "netscape", "ie"}));
}

}  // namespace
}  // namespace tessaly::testing
