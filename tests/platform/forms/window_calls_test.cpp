#include "forms_fixture.h"

#include <cstring>

#include "platform/base/last_error.h"

namespace tessaly::testing {
namespace {

using WindowCalls = FormsTest;

class OtherForm : public Form {
 public:
  OtherForm() : Form("frmOther") { Caption("Other window"); }
  TSY_CONTROL(Frame, fraHost);
  TSY_CONTROL_IN(CommandButton, cmdInside, fraHost);
  TSY_CONTROL(Label, lblNote);
  TSY_CONTROL(ListBox, List_os);
};
OtherForm& frmOther() { return DefaultInstance<OtherForm>(); }

std::string ClassOf(HWND window) {
  char buffer[64];
  GetClassNameA(window, buffer, sizeof buffer);
  return buffer;
}

TEST_F(WindowCalls, FindWindowMatchesClassIgnoringCaseAndTitleExactly) {
  HWND other = frmOther().hWnd();
  HWND test = frmTest().hWnd();
  EXPECT_NE(other, test);
  EXPECT_EQ(FindWindowA("form", "Other window"), other);
  EXPECT_EQ(FindWindowA(nullptr, "Other window"), other);
  EXPECT_EQ(FindWindowA(nullptr, "other window"), 0u);
  EXPECT_EQ(FindWindowA("CommandButton", nullptr), 0u);  // not top-level
  EXPECT_EQ(FindWindowA("Form", "frmTest"), test);
}

TEST_F(WindowCalls, ChildWalkFollowsContainersAndZOrder) {
  OtherForm& f = frmOther();
  HWND first = GetWindow(f.hWnd(), GW_CHILD);
  std::vector<std::string> classes;
  for (HWND at = first; at; at = GetWindow(at, GW_HWNDNEXT)) classes.push_back(ClassOf(at));
  // Windowed controls only, last created on top; the button lives in the frame.
  EXPECT_EQ(classes, (std::vector<std::string>{"ListBox", "Frame"}));
  EXPECT_EQ(GetWindow(f.fraHost.hWnd(), GW_CHILD), f.cmdInside.hWnd());
  EXPECT_EQ(GetParent(f.cmdInside.hWnd()), f.fraHost.hWnd());
  EXPECT_EQ(GetWindow(first, GW_HWNDLAST), f.fraHost.hWnd());
  EXPECT_EQ(GetWindow(f.fraHost.hWnd(), GW_HWNDPREV), first);
  f.fraHost.ZOrder(0);
  EXPECT_EQ(GetWindow(f.hWnd(), GW_CHILD), f.fraHost.hWnd());

  char tiny[4];
  EXPECT_EQ(GetClassNameA(f.fraHost.hWnd(), tiny, sizeof tiny), 3);
  EXPECT_STREQ(tiny, "Fra");
  EXPECT_EQ(GetClassNameA(0xDEAD0, tiny, sizeof tiny), 0);
  EXPECT_EQ(GetLastError(), 6u);
}

TEST_F(WindowCalls, SetParentMovesAFormIntoAFrameAndIsRecorded) {
  HWND child = frmTest().hWnd();
  HWND frame = frmOther().fraHost.hWnd();
  EXPECT_EQ(SetParent(child, frame), 0u);
  EXPECT_EQ(GetParent(child), frame);
  EXPECT_EQ(GetWindow(frame, GW_CHILD), child);
  EXPECT_EQ(FindWindowA("Form", "frmTest"), 0u);
  auto entries = platform::TheJournal().Of("SetParent");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].args[1], HexText(frame));
}

LONG savedProc = 0;
std::vector<UINT> seen;

LRESULT BlockRightClick(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_RBUTTONDOWN) message = WM_NULL;
  return CallWindowProcA(savedProc, window, message, wParam, lParam);
}

TEST_F(WindowCalls, SubclassChainPassesThroughToTheRuntimesProcedure) {
  TestForm& f = frmTest();
  HWND button = f.cmdGo.hWnd();
  f.cmdGo.MouseDown.Handle([](int button, int shift, float x, float y) {
    seen.push_back(static_cast<UINT>(button));
    EXPECT_EQ(x, 10 * 15.0f);
    EXPECT_EQ(y, 20 * 15.0f);
  });
  LPARAM at = (20 << 16) | 10;
  seen.clear();
  savedProc = SetWindowLongA(button, GWL_WNDPROC, AddressOf(&BlockRightClick));
  EXPECT_EQ(savedProc, AddressOf(&RuntimeWindowProc));
  EXPECT_EQ(GetWindowLongA(button, GWL_WNDPROC), AddressOf(&BlockRightClick));
  SendMessageA(button, WM_RBUTTONDOWN, 0, at);
  SendMessageA(button, WM_LBUTTONDOWN, 0, at);
  EXPECT_EQ(seen, std::vector<UINT>{1});  // the right press arrived as WM_NULL

  SetWindowLongA(button, GWL_WNDPROC, savedProc);
  SendMessageA(button, WM_RBUTTONDOWN, 0, at);
  EXPECT_EQ(seen, (std::vector<UINT>{1, 2}));
}

// The caption drag is recorded and handed to whoever moves real windows,
// through subclass chains too; only a caption press is a drag.
TEST_F(WindowCalls, ACaptionDragReachesTheDragObserver) {
  OtherForm& f = frmOther();
  std::vector<HWND> dragged;
  SetCaptionDragObserver([&](HWND window) {
    ASSERT_FALSE(platform::TheJournal().entries().empty());
    EXPECT_EQ(platform::TheJournal().entries().back().call, "Drag") << "recorded before the observer runs";
    dragged.push_back(window);
  });
  SendMessageA(f.hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  PostMessageA(frmTest().hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  SendMessageA(f.hWnd(), WM_NCLBUTTONDOWN, 1, 0);  // HTCLIENT: no drag
  EXPECT_EQ(dragged, std::vector<HWND>{f.hWnd()});
  DoEvents();
  EXPECT_EQ(dragged, (std::vector<HWND>{f.hWnd(), frmTest().hWnd()}));

  SetCaptionDragObserver(nullptr);
  SendMessageA(f.hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  EXPECT_EQ(dragged.size(), 2u);
  EXPECT_EQ(platform::TheJournal().entries().back().call, "Drag");
}

TEST_F(WindowCalls, MessagesTheRuntimeKeepsOrRecords) {
  OtherForm& f = frmOther();
  EXPECT_EQ(ReleaseCapture(), TRUE);
  SendMessageA(f.hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  SendMessageA(f.List_os.hWnd(), LB_SETHORIZONTALEXTENT, 377, 0);
  EXPECT_EQ(f.List_os.HorizontalExtent(), 377);
  EXPECT_EQ(SendMessageA(f.List_os.hWnd(), 0x1234, 1, 2), 0);
  const auto& entries = platform::TheJournal().entries();
  ASSERT_GE(entries.size(), 4u);
  EXPECT_EQ(entries[0].call, "ReleaseCapture");
  EXPECT_EQ(entries[1].call, "Drag");
  EXPECT_EQ(entries[1].args[0], HexText(f.hWnd()));
  EXPECT_EQ(entries.back().args[1], "0x1234");
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(Screen.Width(), 1024 * 15.0f);
  EXPECT_EQ(f.TextWidth("abc"), 3 * 7 * 15.0f);
}

TEST_F(WindowCalls, PostedCloseWaitsForTheLoop) {
  HWND window = frmOther().hWnd();
  EXPECT_EQ(PostMessageA(window, WM_CLOSE, 0, 0), TRUE);
  EXPECT_TRUE(IsLoaded<OtherForm>());
  EXPECT_EQ(DoEvents(), 0);
  EXPECT_FALSE(IsLoaded<OtherForm>());
  EXPECT_EQ(PostMessageA(window, WM_CLOSE, 0, 0), FALSE);
}

}  // namespace
}  // namespace tessaly::testing
