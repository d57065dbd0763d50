#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "platform/registry/advapi32.h"
#include "platform/shell/tray.h"
#include "support/CRegister.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class MovieCommandsTest : public MainWindowTest {
 protected:
  Form1Form& form_ = Form1();
  std::string StartButton() const { return form_.FL.GetVariable("_root.StartCleaningButton"); }
};

struct PageCase {
  const char* command;
  const char* page;  // "" = the page is left as it was
  const char* bar;   // "" = every bar hidden
  const char* startButton;
};

TEST_F(MovieCommandsTest, PageCommandsSwitchPagesAndTheStartButton) {
  const PageCase cases[] = {
      {"IDC_FS_ABOUT", "Frame_About", "", "2"},
      {"IDC_FS_OPTIONS", "Frame_Options", "", "2"},
      {"IDC_FS_SCHEDULE", "Frame_Schedule", "", "2"},
      {"IDC_FS_SYSTEM", "Frame_Windows", "Frame2_SYSTEM", "0"},
      {"idc_fs_messengers", "Frame_MSN", "Frame2_MESSENGERS", "0"},
      {"IDC_FS_BROWSERS", "Frame_IE", "Frame2_BROWSERS", "0"},
      {"IDC_FS_PLUGINS", "Frame_BPI", "Frame2_PLUGINS", "0"},
      {"IDC_FS_OPTIMIZATION", "Frame_Programs", "Frame2_OPTIMIZATION", "2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    form_.FL.SetVariable("_root.StartCleaningButton", "x");
    form_.FL_FSCommand(c.command, "");
    EXPECT_EQ(form_.Frame_Result.Tag(), c.page);
    Control* page = form_.FindControl(c.page);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->Visible());
    for (Frame* bar : {&form_.Frame2_SYSTEM, &form_.Frame2_BROWSERS, &form_.Frame2_MESSENGERS,
                       &form_.Frame2_PLUGINS, &form_.Frame2_OPTIMIZATION})
      EXPECT_EQ(bar->Visible(), bar->Name() == c.bar) << bar->Name();
    EXPECT_EQ(StartButton(), c.startButton);
  }
  // With clean-all ticked the start button stays as it is, except on the
  // section pages.
  form_.chkCleanAll.Value(1);
  form_.FL_FSCommand("IDC_FS_ABOUT", "");
  EXPECT_EQ(StartButton(), "0");  // set by the clean-all box itself
  form_.FL.SetVariable("_root.StartCleaningButton", "x");
  form_.FL_FSCommand("IDC_FS_SYSTEM", "");
  EXPECT_EQ(StartButton(), "0");
}

TEST_F(MovieCommandsTest, GatedCommandsAreIgnoredWhileAFlagIsDown) {
  form_.chkWindows(0).Value(1);
  form_.chkCleanAll.Value(1);
  for (bool Form1Form::*flag : {&Form1Form::StopCleanNow, &Form1Form::StopDllNow, &Form1Form::StopBackNow,
                                &Form1Form::StopShredNow}) {
    form_.ShowThatFrame(form_.Frame_Options);
    form_.*flag = false;
    for (const char* command : {"IDC_FS_ABOUT", "IDC_FS_OPTIONS", "IDC_FS_SCHEDULE", "IDC_FS_SYSTEM",
                                "IDC_FS_MESSENGERS", "IDC_FS_BROWSERS", "IDC_FS_PLUGINS", "IDC_FS_OPTIMIZATION"}) {
      form_.FL_FSCommand(command, "");
      EXPECT_EQ(form_.Frame_Result.Tag(), "Frame_Options") << command;
    }
    form_.FL_FSCommand("IDC_FS_STARTCLEANING", "");
    // Start waits only for the tools; with the cleaning flag down it is taken.
    EXPECT_EQ(engine_->calls.empty(), flag != &Form1Form::StopCleanNow);
    engine_->calls.clear();
    form_.*flag = true;
  }
  // Ungated commands are always taken.
  form_.StopDllNow = false;
  form_.FL_FSCommand("idc_fs_minimize", "");
  EXPECT_EQ(form_.WindowState(), 1);
  form_.FL_FSCommand("IDC_FS_HELP", "");
  auto launches = platform::TheJournal().Of("ShellExecute");
  ASSERT_FALSE(launches.empty());
  EXPECT_EQ(launches.back().args.at(2), "C:\\Program Files\\Tessaly\\tsy.chm");
  form_.FL_FSCommand("IDC_FS_DRAG", "");
  EXPECT_FALSE(platform::TheJournal().Of("ReleaseCapture").empty());
  // An unknown command does nothing at all.
  std::string tag = form_.Frame_Result.Tag(), startButton = StartButton();
  std::size_t journal = platform::TheJournal().entries().size();
  form_.FL_FSCommand("IDC_FS_UNKNOWN", "");
  EXPECT_EQ(form_.Frame_Result.Tag(), tag);
  EXPECT_EQ(StartButton(), startButton);
  EXPECT_EQ(platform::TheJournal().entries().size(), journal);
}

TEST_F(MovieCommandsTest, StartCommandDuringARunStopsIt) {
  form_.chkCleanAll.Value(1);
  for (int i = 0; i < 4; ++i) form_.chkWindows(i).Value(1);
  AtYield(YieldCount() + 2, [&] {
    form_.FL_FSCommand("IDC_FS_SYSTEM", "");  // ignored during the run
    form_.FL.FireCommand("IDC_FS_STARTCLEANING");
  });
  form_.CmdClean_Click();
  EXPECT_EQ(engine_->calls.size(), 2u);
  EXPECT_EQ(form_.Frame_Result.Tag(), "Frame_Windows");
  EXPECT_TRUE(form_.Frame_Result.Visible());
}

TEST_F(MovieCommandsTest, CloseDuringARunSavesOnceThroughTheUnload) {
  form_.chkWindows(0).Value(1);
  form_.chkWindows(1).Value(1);
  CRegister reg;
  auto hklm = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);
  AtYield(YieldCount() + 1, [&] {
    form_.FL_FSCommand("IDC_FS_CLOSE", "");
    // Nothing is written from inside the run.
    EXPECT_EQ(reg.REGGetSetting(hklm, "SOFTWARE\\TESSALY\\SETTINGS\\WINDOWS", "0", "none"), "none");
    EXPECT_TRUE(platform::shell::TrayIcons().empty());
  });
  auto ended = platform::RunUntilProcessEnd([&] { form_.CmdClean_Click(); });
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, 0u);
  EXPECT_EQ(engine_->calls.size(), 1u);  // the unload ends the process inside the item's yield
  EXPECT_EQ(reg.REGGetSetting(hklm, "SOFTWARE\\TESSALY\\SETTINGS\\WINDOWS", "1", "none"), "1");
}

}  // namespace
}  // namespace tessaly::testing
