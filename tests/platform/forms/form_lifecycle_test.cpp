#include "forms_fixture.h"

namespace tessaly::testing {
namespace {

using FormLifecycle = FormsTest;

TEST_F(FormLifecycle, FirstReferenceLoadsHiddenOnceAndUnloadStartsAfresh) {
  EXPECT_FALSE(IsLoaded<TestForm>());
  EXPECT_EQ(TestForm::loads, 0);

  frmTest().variable = 7;
  EXPECT_TRUE(IsLoaded<TestForm>());
  EXPECT_EQ(TestForm::loads, 1);
  EXPECT_FALSE(frmTest().Visible());
  EXPECT_EQ(frmTest().variable, 7);  // the same instance
  EXPECT_EQ(TestForm::loads, 1);
  EXPECT_EQ(DoEvents(), 1);

  frmTest().Show();
  EXPECT_TRUE(frmTest().Visible());
  Unload(frmTest());
  EXPECT_FALSE(IsLoaded<TestForm>());
  EXPECT_EQ(DoEvents(), 0);

  EXPECT_EQ(frmTest().variable, 0);  // a fresh instance
  EXPECT_EQ(TestForm::loads, 2);
  EXPECT_FALSE(frmTest().Visible());
}

TEST_F(FormLifecycle, ControlsAreListedInDesignOrderWithArrayMembersInIndexOrder) {
  std::vector<std::string> keys;
  for (Control* control : frmTest().Controls())
    keys.push_back(control->Name() + (control->IndexIfArray() ? "(" + std::to_string(*control->IndexIfArray()) + ")" : ""));
  std::vector<std::string> expected = {"chkBleach", "fraMode", "optA", "optB", "optOutside", "txtResult",
                                       "lstBPI", "cmbShredder", "chkIE(0)", "chkIE(1)", "chkIE(2)",
                                       "chkIE(3)", "chkIE(4)", "chkIE(5)", "chkIE(6)", "cmdGo", "lblInfo",
                                       "tmrPoll", "sldLevel", "mnuTray", "mnuOpen", "mnuSep", "mnuExit"};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(frmTest().FindControl("CHKIE", 3), &frmTest().chkIE(3));
}

TEST_F(FormLifecycle, CancelInQueryUnloadOrUnloadKeepsTheFormLoaded) {
  frmTest().cancelUnload = 1;
  Unload(frmTest());
  EXPECT_TRUE(IsLoaded<TestForm>());
  EXPECT_EQ(frmTest().log.back(), "QueryUnload 1");

  frmTest().cancelUnload = 0;
  HWND window = frmTest().hWnd();
  HWND button = frmTest().cmdGo.hWnd();
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsLoaded<TestForm>());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(IsWindow(button));  // the controls' windows went with it
}

TEST_F(FormLifecycle, UnloadFromItsOwnHandlerKeepsTheRunningCodeSafe) {
  frmTest().onGo = [] {
    Unload(frmTest());
    // The object must stay usable until the handler returns.
    DoEvents();
  };
  QueueClick(frmTest().cmdGo);
  RunUntilIdle();
  EXPECT_FALSE(IsLoaded<TestForm>());
}

}  // namespace
}  // namespace tessaly::testing
