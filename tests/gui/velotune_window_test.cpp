// The Velotune window as a person opens and uses it: its suite button
// clicked on the main window's About page, then each page button clicked on
// the Velotune window. The pages appear inside its frame, never as windows
// of their own, the page asked for on top and taking the clicks.
#include <QTest>
#include <QWindow>

#include "main_window_gui.h"
#include "mainwindow/suite_link.h"
#include "platform/forms/user32.h"
#include "tuning/VLTfrmAdvancedMode.h"
#include "tuning/VLTfrmBackUp.h"
#include "tuning/VLTfrmMain.h"
#include "tuning/VLTfrmMainSettings.h"
#include "tuning/VLTfrmNetPingerSettings.h"
#include "tuning/VLTfrmRamConfiguration.h"
#include "tuning/VLTfrmSystemStatus.h"
#include "tuning/VLTfrmWizardMode.h"
#include "tuning/suite_page.h"

namespace tessaly::testing {
namespace {

class Suite : public SuiteWindows {
 public:
  void ShowSuite() override { VLTfrmMain().Show(); }
  Form* AdvancedModePage() override { return &VLTfrmAdvancedMode(); }
};

bool Clickable(const Control& control) {
  return control.IsKind(ControlKind::CommandButton) || control.IsKind(ControlKind::CheckBox) ||
         control.IsKind(ControlKind::OptionButton);
}

class VelotuneWindowTest : public MainWindowGuiTest {
 protected:
  VelotuneWindowTest() {
    InstallSuiteWindows(std::make_shared<Suite>());
    tuning::SetSkinNameSource([] { return DrawnSkin; });
  }
  ~VelotuneWindowTest() override {
    if (IsLoaded<VLTfrmMainForm>()) Unload(VLTfrmMain());
    tuning::SetSkinNameSource(nullptr);
    InstallSuiteWindows(nullptr);
  }

  // A left click on the form's top-level window where `control` is drawn.
  void ClickThroughWindow(Form& form, const Control& control) {
    QWidget* widget = Widget(control);
    ASSERT_NE(renderer_.WindowOf(form), nullptr);
    ASSERT_NE(widget, nullptr);
    QWidget* window = renderer_.WindowOf(form)->window();
    ASSERT_TRUE(window->isAncestorOf(widget)) << "drawn outside the window clicked";
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, widget->rect().center()));
    Turn();
  }

  VLTfrmMainForm& OpenSuite() {
    Form1Form& main = Start();
    main.ShowThatFrame(main.Frame_About);
    renderer_.Sync();
    ClickThroughWindow(main, main.cmd_VLT);
    EXPECT_TRUE(IsLoaded<VLTfrmMainForm>());
    return VLTfrmMain();
  }

  // The page lies inside the frame, on top: what a click on the suite
  // window finds at each of its controls is that control.
  void ExpectOnTopInTheFrame(VLTfrmMainForm& suite, Form& page) {
    QWidget* window = renderer_.WindowOf(page);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isWindow());
    EXPECT_EQ(window->parentWidget(), Widget(suite.framChildWindow));
    EXPECT_TRUE(window->isVisible());
    QWidget* top = renderer_.WindowOf(suite);
    QWidget* frame = Widget(suite.framChildWindow);
    ASSERT_TRUE(top->isAncestorOf(window)) << "drawn outside the suite window";
    EXPECT_TRUE(window->isAncestorOf(top->childAt(frame->mapTo(top, frame->rect().center()))));
    for (Control* control : page.Controls()) {
      if (!Clickable(*control) || !ShownByModel(*control)) continue;
      SCOPED_TRACE(control->Name());
      QWidget* widget = Widget(*control);
      ASSERT_NE(widget, nullptr);
      ASSERT_TRUE(top->isAncestorOf(widget)) << "drawn outside the suite window";
      QWidget* found = top->childAt(widget->mapTo(top, widget->rect().center()));
      EXPECT_TRUE(found == widget || widget->isAncestorOf(found));
    }
  }
};

TEST_F(VelotuneWindowTest, ThePagesOpenInsideTheSuiteWindow) {
  VLTfrmMainForm& suite = OpenSuite();
  Form1Form& main = Form1();
  EXPECT_EQ(ShownWindows(), QStringList({QString::fromStdString(main.Caption()), "Velotune"}));
  ExpectOnTopInTheFrame(suite, VLTfrmWizardMode());

  struct PageButton {
    CommandButton* button;
    Form* page;
  };
  const PageButton buttons[] = {
      {&suite.cmdVelotune(2), &VLTfrmAdvancedMode()},      {&suite.cmdVelotune(3), &VLTfrmBackUp()},
      {&suite.cmdRamBooster(1), &VLTfrmSystemStatus()},    {&suite.cmdRamBooster(2), &VLTfrmRamConfiguration()},
      {&suite.cmdNetPinger(1), &VLTfrmNetPingerSettings()}, {&suite.cmdMainSettings, &VLTfrmMainSettings()},
      {&suite.cmdVelotune(1), &VLTfrmWizardMode()},
  };
  for (const PageButton& entry : buttons) {
    SCOPED_TRACE(entry.page->Name());
    ClickThroughWindow(suite, *entry.button);
    EXPECT_EQ(GetParent(entry.page->hWnd()), suite.framChildWindow.hWnd());
    ExpectOnTopInTheFrame(suite, *entry.page);
    EXPECT_EQ(ShownWindows(), QStringList({QString::fromStdString(main.Caption()), "Velotune"}));
  }
  ClickThroughWindow(suite, suite.cmdVelotune(2));
  Screenshot(suite, "velotune_advanced");

  // A page's own controls take their clicks through the suite window.
  VLTfrmWizardModeForm& wizard = VLTfrmWizardMode();
  ClickThroughWindow(suite, suite.cmdVelotune(1));
  OptionButton* unticked = nullptr;
  for (Control* control : wizard.Controls())
    if (control->IsKind(ControlKind::OptionButton) && !static_cast<OptionButton*>(control)->Value() &&
        ShownByModel(*control))
      unticked = static_cast<OptionButton*>(control);
  ASSERT_NE(unticked, nullptr);
  ClickThroughWindow(suite, *unticked);
  EXPECT_TRUE(unticked->Value());

  Unload(suite);
  Turn();
  EXPECT_EQ(ShownWindows(), QStringList({QString::fromStdString(main.Caption())}));
}

}  // namespace
}  // namespace tessaly::testing
