#include <gtest/gtest.h>

#include <algorithm>

#include "main_window_fixture.h"
#include "platform/forms/forms.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class PagesTest : public MainWindowTest {
 protected:
  Form1Form& form_ = Form1();

  // Names of the visible pages and bars.
  std::vector<std::string> VisibleFrames() const {
    std::vector<std::string> names;
    for (Control* control : form_.Controls())
      if (control->IsKind(ControlKind::Frame) && control->Container() == nullptr && control->Visible() &&
          control->Name().rfind("Frame", 0) == 0)
        names.push_back(control->Name());
    return names;
  }
  // Position in the form's z-order, 0 = top.
  long Depth(const Control& control) const {
    const auto& children = Windows().Children(form_.hWnd());
    return std::find(children.begin(), children.end(), control.hWnd()) - children.begin();
  }
  void Click(CommandButton& button) {
    QueueClick(button);
    RunUntilIdle();
  }
};

struct GeometryCase {
  const char* skin;
  float width, height;
  float left, top;
};

TEST_F(PagesTest, PagesAreCentredInThePageAreaOfTheSkin) {
  const GeometryCase cases[] = {
      {"Skin1", 5685, 4245, 730, 2560},
      {"SKIN1", 4000, 3000, 1572.5f, 3182.5f},
      {"skin2", 4000, 3000, 2942.5f, 1572.5f},
      {"Skin2", 7000, 5000, 1442.5f, 572.5f},     // larger than the area: not clamped
      {"Velvet", 5000, 4000, 1072.5f, 2682.5f},   // unknown skin: skin1's area
      {"", 5685, 4245, 730, 2560},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.skin) + " " + std::to_string(c.width));
    DrawnSkin = c.skin;
    form_.SkinFrame1.Height(1234);
    form_.Frame_Office.Move(0, 0, c.width, c.height);
    form_.ShowThatFrame(form_.Frame_Office);
    EXPECT_FLOAT_EQ(form_.Frame_Office.Left(), c.left);
    EXPECT_FLOAT_EQ(form_.Frame_Office.Top(), c.top);
    EXPECT_FLOAT_EQ(form_.SkinFrame1.Left(), c.left);
    EXPECT_FLOAT_EQ(form_.SkinFrame1.Top(), c.top);
    EXPECT_FLOAT_EQ(form_.SkinFrame1.Width(), c.width);
    EXPECT_FLOAT_EQ(form_.SkinFrame1.Height(), 1234);
    EXPECT_TRUE(form_.SkinFrame1.Visible());
    EXPECT_LT(Depth(form_.Frame_Office), Depth(form_.SkinFrame1));
  }
}

TEST_F(PagesTest, BarsAreCentredInTheBarStripOverTheirBackground) {
  const GeometryCase cases[] = {
      {"skin1", 5685, 585, 730, 6800},
      {"Skin1", 3000, 400, 2072.5f, 6892.5f},
      {"skin2", 5685, 585, 2100, 5190},
      {"nonesuch", 5685, 585, 730, 6800},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.skin);
    DrawnSkin = c.skin;
    form_.Frame2_PLUGINS.Move(0, 0, c.width, c.height);
    form_.ShowThatFrame2(form_.Frame2_PLUGINS);
    EXPECT_FLOAT_EQ(form_.Frame2_PLUGINS.Left(), c.left);
    EXPECT_FLOAT_EQ(form_.Frame2_PLUGINS.Top(), c.top);
    EXPECT_FLOAT_EQ(form_.SkinFrame2.Left(), c.left);
    EXPECT_FLOAT_EQ(form_.SkinFrame2.Top(), c.top);
    EXPECT_FLOAT_EQ(form_.SkinFrame2.Width(), c.width);
    EXPECT_LT(Depth(form_.Frame2_PLUGINS), Depth(form_.SkinFrame2));
  }
}

TEST_F(PagesTest, StartUpShowsTheWindowsPageAndTheSystemBarOnTheWindow) {
  EXPECT_EQ(VisibleFrames(), (std::vector<std::string>{"Frame_Windows", "Frame2_SYSTEM"}));
  // Centred on the page area, however wide the page is designed.
  EXPECT_FLOAT_EQ(form_.Frame_Windows.Left(), 730 + (5685 - form_.Frame_Windows.Width()) / 2);
  EXPECT_FLOAT_EQ(form_.Frame2_SYSTEM.Top(), 6800);
  EXPECT_EQ(form_.Frame_Result.Tag(), "Frame_Windows");
}

struct NavigationCase {
  Frame Form1Form::*bar;  // shown first, so the button can be clicked; null: none needed
  Frame Form1Form::*via;  // a page to show first; null: none
  CommandButton Form1Form::*button;
  const char* page;
};

TEST_F(PagesTest, EveryNavigationButtonShowsItsPageAlone) {
  using F = Form1Form;
  const NavigationCase cases[] = {
      {&F::Frame2_SYSTEM, nullptr, &F::cmd_Windows, "Frame_Windows"},
      {&F::Frame2_SYSTEM, nullptr, &F::cmd_HardDisk, "Frame_HardDisk"},
      {&F::Frame2_SYSTEM, nullptr, &F::cmd_Office, "Frame_Office"},
      {&F::Frame2_BROWSERS, nullptr, &F::cmd_IE, "Frame_IE"},
      {&F::Frame2_BROWSERS, nullptr, &F::cmd_NetScape, "Frame_NetScape"},
      {&F::Frame2_BROWSERS, nullptr, &F::cmd_Opera, "Frame_Opera"},
      {&F::Frame2_BROWSERS, nullptr, &F::cmd_AOL, "Frame_AOL"},
      {&F::Frame2_BROWSERS, nullptr, &F::Command4, "Frame_FF"},
      {&F::Frame2_MESSENGERS, nullptr, &F::cmd_MSN, "Frame_MSN"},
      {&F::Frame2_MESSENGERS, nullptr, &F::cmd_ICQ, "Frame_ICQ"},
      {&F::Frame2_MESSENGERS, nullptr, &F::cmd_YAHOO, "Frame_Yahoo"},
      {&F::Frame2_PLUGINS, nullptr, &F::cmdBuiltInPlugins, "Frame_BPI"},
      {&F::Frame2_PLUGINS, nullptr, &F::cmdExtraPlugins, "Frame_EPI"},
      {&F::Frame2_OPTIMIZATION, nullptr, &F::cmd_Programs, "Frame_Programs"},
      {&F::Frame2_OPTIMIZATION, nullptr, &F::cmd_Shred, "Frame_Shred"},
      {&F::Frame2_OPTIMIZATION, nullptr, &F::cmd_DLLs, "Frame_DLLs"},
      {&F::Frame2_OPTIMIZATION, &F::Frame_Programs, &F::cmdProgram1, "Frame_StartUp"},
      {&F::Frame2_OPTIMIZATION, &F::Frame_Programs, &F::cmdProgram2, "Frame_UnInstall"},
      {&F::Frame2_OPTIMIZATION, &F::Frame_StartUp, &F::cmdStartUpBack, "Frame_Programs"},
      {&F::Frame2_OPTIMIZATION, &F::Frame_UnInstall, &F::cmdUninsBack, "Frame_Programs"},
      {&F::Frame2_OPTIMIZATION, &F::Frame_DllResult, &F::cmdBack, "Frame_DLLs"},
      {&F::Frame2_OPTIMIZATION, &F::Frame_DLLBackUps, &F::Command9, "Frame_DLLs"},
  };
  for (const auto& c : cases) {
    CommandButton& button = form_.*c.button;
    SCOPED_TRACE(button.Name());
    form_.ShowThatFrame2(form_.*c.bar);
    form_.ShowThatFrame(c.via ? form_.*c.via : form_.Frame_About);
    Click(button);
    EXPECT_EQ(VisibleFrames(), (std::vector<std::string>{c.page, (form_.*c.bar).Name()}));
    EXPECT_EQ(form_.Frame_Result.Tag(), c.page);
    Control* page = form_.FindControl(c.page);
    EXPECT_LT(Depth(*page), Depth(form_.SkinFrame1));
    EXPECT_FLOAT_EQ(form_.SkinFrame1.Left(), page->Left());
  }
  // The options and schedule buttons are the movie's; called, they switch too.
  form_.CmdOptions.Value(true);
  EXPECT_EQ(form_.Frame_Result.Tag(), "Frame_Options");
  form_.cmdShedule.Value(true);
  EXPECT_EQ(form_.Frame_Result.Tag(), "Frame_Schedule");
}

TEST_F(PagesTest, AButtonOnAHiddenBarCannotBeClicked) {
  form_.ShowThatFrame2(form_.Frame2_SYSTEM);
  Click(form_.cmd_IE);
  EXPECT_EQ(VisibleFrames(), (std::vector<std::string>{"Frame_Windows", "Frame2_SYSTEM"}));
}

TEST_F(PagesTest, TheResultPageKeepsTheLastPageAndHidingBarsKeepsThePage) {
  form_.ShowThatFrame(form_.Frame_ICQ);
  form_.ShowThatFrame2(form_.Frame2_MESSENGERS);
  form_.ShowThatFrame(form_.Frame_Result);
  EXPECT_EQ(form_.Frame_Result.Tag(), "Frame_ICQ");
  float left = form_.Frame_Result.Left();
  form_.ShowThatFrame(form_.Frame_Result);
  EXPECT_EQ(form_.Frame_Result.Tag(), "Frame_ICQ");
  EXPECT_FLOAT_EQ(form_.Frame_Result.Left(), left);

  form_.HideAllFrames();
  EXPECT_EQ(VisibleFrames(), (std::vector<std::string>{"Frame_Result"}));
  EXPECT_TRUE(form_.SkinFrame1.Visible());
  EXPECT_TRUE(form_.SkinFrame2.Visible());
}

TEST_F(PagesTest, ARunWithoutCleanAllCleansThePageShownLast) {
  form_.chkWindows(0).Value(1);
  form_.chkICQ(1).Value(1);
  form_.chkYahoo(0).Value(1);
  form_.ShowThatFrame2(form_.Frame2_MESSENGERS);
  Click(form_.cmd_ICQ);
  form_.CmdClean_Click();
  EXPECT_EQ(engine_->calls, (std::vector<std::string>{"item 5.1"}));
  EXPECT_EQ(VisibleFrames(), (std::vector<std::string>{"Frame_Result"}));

  // The result page does not change the choice: a second run cleans ICQ again.
  form_.CmdClean_Click();
  EXPECT_EQ(engine_->calls, (std::vector<std::string>{"item 5.1", "item 5.1"}));

  form_.ShowThatFrame2(form_.Frame2_MESSENGERS);
  Click(form_.cmd_YAHOO);
  form_.CmdClean_Click();
  EXPECT_EQ(engine_->calls.back(), "item 4.0");
  EXPECT_EQ(engine_->calls.size(), 3u);
}

}  // namespace
}  // namespace tessaly::testing
