// Clicks as a person makes them: pressed on the top-level window at the
// point where a control is drawn, so Qt's own hit testing decides which
// widget gets them. Whatever lies over a control (the navigation movie, a
// page, a background) would take the press instead and the test sees it.
#include <QTest>
#include <QWindow>
#include <map>
#include <set>

#include "main_window_gui.h"
#include "platform/activex/movie.h"
#include "platform/forms/controls/check_box.h"

namespace tessaly::testing {
namespace {

bool Clickable(const Control& control) {
  return control.IsKind(ControlKind::CommandButton) || control.IsKind(ControlKind::CheckBox) ||
         control.IsKind(ControlKind::OptionButton);
}

std::string NameOf(const Control& control) {
  return control.Name() + (control.IndexIfArray() ? "(" + std::to_string(*control.IndexIfArray()) + ")" : "");
}

// The form's top-level frame that holds `control` (null for the form itself).
const Control* PageOf(const Control& control) {
  const Control* page = nullptr;
  for (const Control* at = control.Container(); at; at = at->Container()) page = at;
  return page;
}

class ClickThroughTest : public MainWindowGuiTest {
 protected:
  // Every button, check box and option button reports its clicks here
  // instead of running the program's handler, so one click shows one
  // arrival and nothing else changes.
  void SpyOnClicks(Form& form) {
    for (Control* control : form.Controls()) {
      std::string name = NameOf(*control);
      auto record = [this, name] { arrived_.push_back(name); };
      if (control->IsKind(ControlKind::CommandButton)) static_cast<CommandButton&>(*control).Click.Handle(record);
      if (control->IsKind(ControlKind::CheckBox)) static_cast<CheckBox&>(*control).Click.Handle(record);
      if (control->IsKind(ControlKind::OptionButton)) static_cast<OptionButton&>(*control).Click.Handle(record);
    }
  }

  // A left click on the top-level window at the centre of the control's
  // widget as drawn.
  void ClickThroughWindow(Form& form, const Control& control) {
    QWidget* window = renderer_.WindowOf(form);
    QWidget* widget = Widget(control);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(widget, nullptr);
    QPoint at = widget->mapTo(window, widget->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
    Turn();
  }

  // Clicks every control the window shows and the user may use: each must
  // reach its own handler, and a check box or option button its value.
  // Returns the names of those clicked.
  std::set<std::string> ClickEveryShownControl(Form& form, const Control* onlyPage) {
    std::set<std::string> clicked;
    for (Control* control : form.Controls()) {
      if (!Clickable(*control) || !ShownByModel(*control) || !control->AcceptsInput()) continue;
      if (onlyPage && PageOf(*control) != onlyPage) continue;
      SCOPED_TRACE(NameOf(*control));
      QWidget* widget = Widget(*control);
      if (!widget || !widget->isVisible()) {
        ADD_FAILURE() << "shown by the model but not drawn";
        continue;
      }
      int before = control->IsKind(ControlKind::CheckBox) ? static_cast<CheckBox&>(*control).Value() : 0;
      // An option button already chosen raises no Click when pressed again.
      bool chosen = control->IsKind(ControlKind::OptionButton) && static_cast<OptionButton&>(*control).Value();
      arrived_.clear();
      ClickThroughWindow(form, *control);
      EXPECT_EQ(arrived_, chosen ? std::vector<std::string>{} : std::vector<std::string>{NameOf(*control)})
          << "the press went to " << (arrived_.empty() ? std::string("nothing") : arrived_.front());
      if (control->IsKind(ControlKind::CheckBox)) {
        EXPECT_EQ(static_cast<CheckBox&>(*control).Value(), before == vbChecked ? vbUnchecked : vbChecked);
      }
      if (control->IsKind(ControlKind::OptionButton)) {
        EXPECT_TRUE(static_cast<OptionButton&>(*control).Value());
      }
      clicked.insert(NameOf(*control));
    }
    return clicked;
  }

  std::vector<std::string> arrived_;
};

TEST_F(ClickThroughTest, EveryShownControlOfTheMainWindowAndOfEachPageGetsItsOwnClick) {
  Form1Form& form = Start();
  SpyOnClicks(form);
  // The window as it opens: the first page, its bar and the window's own
  // controls (START among them).
  std::set<std::string> clicked = ClickEveryShownControl(form, nullptr);
  EXPECT_TRUE(clicked.contains("CmdClean"));
  EXPECT_TRUE(clicked.contains("chkWindows(0)"));

  // Every page and bar the window holds, each shown as the program shows a page.
  std::set<std::string> pagesWithControls;
  for (Control* control : form.Controls()) {
    if (!control->IsKind(ControlKind::Frame) || control->Container()) continue;
    SCOPED_TRACE(control->Name());
    form.ShowThatFrame(static_cast<Frame&>(*control));
    renderer_.Sync();
    if (!ClickEveryShownControl(form, control).empty()) pagesWithControls.insert(control->Name());
  }
  for (const char* page : {"Frame_Windows", "Frame_IE", "Frame_Options", "Frame_Shred", "Frame2_SYSTEM"})
    EXPECT_TRUE(pagesWithControls.contains(page)) << page;
}

TEST_F(ClickThroughTest, EachMovieButtonSendsItsCommandWhenClickedOnTheWindow) {
  Form1Form& form = Start();
  std::vector<std::string> commands;
  form.FL.FSCommand.Handle([&](const std::string& command, const std::string&) { commands.push_back(command); });
  QWidget* window = renderer_.WindowOf(form);
  QWidget* movie = Widget(form.FL);
  ASSERT_FALSE(form.FL.buttons().empty());
  for (const auto& button : form.FL.buttons()) {
    SCOPED_TRACE(button.caption);
    commands.clear();
    QPoint at = movie->mapTo(window, QPoint((button.left + button.right) / 2, (button.top + button.bottom) / 2));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
    Turn();
    EXPECT_EQ(commands, std::vector<std::string>{button.command});
  }
}

TEST_F(ClickThroughTest, StartClickedOnTheWindowStartsARun) {
  Form1Form& form = Start();
  form.chkWindows(0).Value(vbChecked);
  ASSERT_EQ(form.CmdClean.Caption(), "START");
  ClickThroughWindow(form, form.CmdClean);
  EXPECT_FALSE(engine_->calls.empty());
  EXPECT_NE(form.txtResult.Text().find("Cleaning started at"), std::string::npos);
  EXPECT_TRUE(form.Frame_Result.Visible());
  EXPECT_TRUE(Widget(form.Frame_Result)->isVisible());
}

}  // namespace
}  // namespace tessaly::testing
