#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "platform/forms/forms.h"
#include "platform/registry/advapi32.h"
#include "platform/shell/tray.h"
#include "support/CRegister.h"

#include <algorithm>

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class CleaningRunTest : public MainWindowTest {
 protected:
  Form1Form& form_ = Form1();
};

TEST_F(CleaningRunTest, TheLogOfARunWithEverySectionIsExact) {
  form_.chkCleanAll.Value(1);
  form_.chkWindows(0).Value(1);
  form_.chkWindows(2).Value(1);
  form_.chkHardDisk(2).Value(1);
  engine_->bytes[{CleanSection::Windows, 0}] = 1024;
  engine_->bytes[{CleanSection::Windows, 2}] = 512;
  auto startTick = machine_.clock().TickMs();
  form_.CmdClean_Click();
  EXPECT_EQ(form_.txtResult.Text(),
            "Cleaning started at 6/15/2006 12:00:00 PM\r\n"
            "[Clean Windows]\r\n\r\n\titem 0.0\r\n\titem 0.2\r\n"
            "[Clean Hard Disk]\r\n\r\n\tcustom C:\\ *.tmp -1 -1\r\n"
            "[Clean Office]\r\n\r\n[Clean Opera]\r\n\r\n[Clean Yahoo]\r\n\r\n[Clean ICQ]\r\n\r\n"
            "[Clean MSN]\r\n\r\n[Clean AOL]\r\n\r\n"
            "[Clean NetScaep]\r\n\r\n\tnetscape\r\n[Clean IE]\r\n\r\n\tie\r\n"
            "[Clean Extra Plug-ins]\r\n\r\n[Clean Built-In]\r\n\r\n"
            "\r\n\r\nAll Restored Size is 1.5 KB\r\n");
  EXPECT_EQ(form_.lblcurrentName.Caption(), "Finished!!");
  EXPECT_EQ(form_.lblTotalSize.Caption(), "1536 Bytes");
  EXPECT_EQ(form_.CmdClean.Caption(), "START");
  EXPECT_FALSE(form_.FrmProg.Visible());
  EXPECT_TRUE(form_.cmdSaveLog.Visible());
  EXPECT_TRUE(form_.StopCleanNow);
  EXPECT_FALSE(form_.runActive());
  EXPECT_EQ(form_.FL.GetVariable("_root.CleaningButtonTitle"), "0");
  EXPECT_TRUE(form_.Frame_Result.Visible());
  EXPECT_FALSE(form_.Frame2_SYSTEM.Visible());
  EXPECT_EQ(machine_.clock().TickMs() - startTick, 1200u);  // 100 ms per section taking part
}

TEST_F(CleaningRunTest, WithoutCleanAllOnlyTheLastShownSectionRuns) {
  form_.chkWindows(1).Value(1);
  form_.chkOffice(3).Value(1);
  form_.ShowThatFrame(form_.Frame_Office);
  form_.CmdClean_Click();
  EXPECT_EQ(engine_->calls, (std::vector<std::string>{"item 2.3"}));
  EXPECT_NE(form_.txtResult.Text().find("[Clean Office]\r\n\r\n\titem 2.3\r\n\r\n\r\nAll Restored Size is 0 KB"),
            std::string::npos);

  engine_->calls.clear();
  form_.CmdOptions_Click();  // no section's page
  form_.CmdClean_Click();
  EXPECT_TRUE(engine_->calls.empty());
  EXPECT_EQ(form_.txtResult.Text().find("[Clean"), std::string::npos);
}

TEST_F(CleaningRunTest, AStopClickedDuringAnItemLetsItFinishAndStartsNoOther) {
  form_.chkCleanAll.Value(1);
  for (int i = 0; i < 6; ++i) form_.chkWindows(i).Value(1);
  AtYield(YieldCount() + 3, [&] { QueueClick(form_.CmdClean); });  // taken at the third item's yield
  form_.CmdClean_Click();
  EXPECT_EQ(engine_->calls, (std::vector<std::string>{"item 0.0", "item 0.1", "item 0.2"}));
  EXPECT_NE(form_.txtResult.Text().find("\titem 0.2\r\n\r\n\r\nAll Restored Size is 0 KB\r\n"), std::string::npos);
  EXPECT_EQ(form_.lblcurrentName.Caption(), "Finished!!");
  EXPECT_EQ(form_.CmdClean.Caption(), "START");
  EXPECT_FALSE(form_.runActive());
}

TEST_F(CleaningRunTest, RunActiveStateNotTheCaptionDecidesStartAndStop) {
  form_.CmdClean.Caption("LOS");  // a language file's caption
  form_.chkWindows(0).Value(1);
  form_.CmdClean_Click();
  EXPECT_EQ(engine_->calls.size(), 1u);

  // Starts from the movie and the button during a run never nest a run.
  engine_->calls.clear();
  form_.chkWindows(1).Value(1);
  AtYield(YieldCount() + 1, [&] {
    form_.FL_FSCommand("IDC_FS_STARTCLEANING", "");
    form_.CmdClean_Click();
  });
  form_.CmdClean_Click();
  EXPECT_EQ(engine_->calls, (std::vector<std::string>{"item 0.0"}));
  EXPECT_EQ(std::count(form_.txtResult.Text().begin(), form_.txtResult.Text().end(), '['), 1);
}

TEST_F(CleaningRunTest, NoRunStartsWhileAToolOperationRuns) {
  form_.chkWindows(0).Value(1);
  form_.StopDllNow = false;
  form_.CmdClean_Click();
  EXPECT_TRUE(engine_->calls.empty());
  EXPECT_EQ(form_.txtResult.Text(), "");
}

struct SizeCase {
  const char* min;
  const char* max;
  const char* message;  // "" = the run starts
  const char* bounds;   // passed to the custom-file cleaner
};

TEST_F(CleaningRunTest, SizeFieldsAreCheckedBeforeARun) {
  const char* notNumeric = "Min and Max sizes for deleting custom files must be a numeric values!!";
  const char* maxBelowMin = "Custom files deleting Max size can't be less than Min size!1";
  const char* notWhole = "Min and Max sizes for deleting custom files must be whole numbers of KB, at most 2147483647!!";
  const char* maxNegative = "Max size for deleting custom files must be -1 (no limit) or a positive number of KB!!";
  const SizeCase cases[] = {
      {"0", "100000", "", "0 100000"},
      {"9", "10", "", "9 10"},  // numeric, not textual
      {"10", "9", maxBelowMin, ""},
      {"7", "7", "", "7 7"},
      {"-1", "5", "", "-1 5"},  // each -1 disables its own bound
      {"5", "-1", "", "5 -1"},
      {"-", "5", notNumeric, ""},
      {"-2", "5", "", "-1 5"},  // any negative minimum: no lower bound, as -1
      {" -500 ", "5", "", "-1 5"},
      {"-2147483648", "5", "", "-1 5"},
      {"0", "-2", maxNegative, ""},  // would match nothing, or everything
      {"1.5", "5", notWhole, ""},
      {"5", "2.0", notWhole, ""},
      {"99999999999", "5", notWhole, ""},
      {"-99999999999", "5", notWhole, ""},
      {"2147483647", "2147483647", "", "2147483647 2147483647"},
      {"", "5", notNumeric, ""},
      {"5", "1e3", notNumeric, ""},
      {"abc", "5", notNumeric, ""},
  };
  form_.chkHardDisk(2).Value(1);
  form_.ShowThatFrame(form_.Frame_HardDisk);
  form_.chkCertainSize.Value(1);
  // The fields' own repairs (size_filter_test) are set aside: the run's
  // check must hold for whatever text the fields end up with.
  form_.txtMinSize.Change.Handle(nullptr);
  form_.txtMaxSize.Change.Handle(nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.min) + " / " + c.max);
    engine_->calls.clear();
    std::size_t boxes = Answers().records().size();
    form_.txtMinSize.Text(c.min);
    form_.txtMaxSize.Text(c.max);
    form_.CmdClean_Click();
    if (*c.message) {
      ASSERT_EQ(Answers().records().size(), boxes + 1);
      EXPECT_EQ(Answers().records().back().request.prompt, c.message);
      EXPECT_EQ(Answers().records().back().request.style, vbOKOnly);
      EXPECT_TRUE(engine_->calls.empty());
    } else {
      EXPECT_EQ(Answers().records().size(), boxes);
      EXPECT_EQ(engine_->calls, (std::vector<std::string>{std::string("custom C:\\ *.tmp ") + c.bounds}));
    }
  }
  // With the filter clear, the fields are not looked at and no bound applies.
  form_.chkCertainSize.Value(0);
  form_.txtMinSize.Text("-");
  engine_->calls.clear();
  form_.CmdClean_Click();
  EXPECT_EQ(engine_->calls, (std::vector<std::string>{"custom C:\\ *.tmp -1 -1"}));
}

TEST_F(CleaningRunTest, ABlankCustomFolderIsSkippedNotTakenAsTheDriveRoot) {
  form_.chkHardDisk(2).Value(1);
  form_.chkHardDisk(0).Value(1);
  form_.ShowThatFrame(form_.Frame_HardDisk);
  form_.txtPath.Text("   ");
  form_.CmdClean_Click();
  EXPECT_EQ(engine_->calls, (std::vector<std::string>{"item 1.0"}));
  EXPECT_EQ(form_.fcHardDisk, 2);  // the skipped item still counts as done
}

TEST_F(CleaningRunTest, CloseAfterCleaningEndsThroughTheOrderlyShutDown) {
  form_.chkWindows(0).Value(1);
  form_.chkCloseAfterWash.Value(1);
  ASSERT_EQ(platform::shell::TrayIcons().size(), 1u);
  auto startTick = machine_.clock().TickMs();
  auto ended = platform::RunUntilProcessEnd([&] { form_.CmdClean_Click(); });
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, 0u);
  EXPECT_EQ(machine_.clock().TickMs() - startTick, 100u + 2000u);
  EXPECT_TRUE(platform::shell::TrayIcons().empty());
  CRegister reg;
  EXPECT_EQ(reg.REGGetSetting(static_cast<std::int32_t>(HKEY_LOCAL_MACHINE),
                              "SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS", "CloseAfterClean", ""),
            "1");
  EXPECT_EQ(reg.REGGetSetting(static_cast<std::int32_t>(HKEY_LOCAL_MACHINE),
                              "SOFTWARE\\TESSALY\\SETTINGS\\WINDOWS", "0", ""),
            "1");
}

}  // namespace
}  // namespace tessaly::testing
