// The About page's commands: the version line, the updater and the web site
// opened normally, the suite button, and the export of the suite's advanced
// page captions.
#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "mainwindow/suite_link.h"
#include "platform/forms/forms.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

// A stand-in for the suite's advanced page: controls with and without a
// caption, in and out of arrays.
class AdvancedPageStandIn : public Form {
 public:
  AdvancedPageStandIn() : Form("VLTfrmAdvancedMode") {
    frmWizardPages(0).Caption("Step 1 of 8 : Connection type");
    frmWizardPages(1).Caption("Step 2 of 8 : MTU Settings");
    cmdNextPage.Caption("Next>>");
  }
  TSY_CONTROL_ARRAY(Frame, frmWizardPages, 2);
  TSY_CONTROL(TextBox, txtMTUValue);
  TSY_CONTROL(CommandButton, cmdNextPage);
};

class SuiteStandIn : public SuiteWindows {
 public:
  void ShowSuite() override { ++shown; }
  Form* AdvancedModePage() override { return &DefaultInstance<AdvancedPageStandIn>(); }
  int shown = 0;
};

class AboutPageTest : public MainWindowTest {
 protected:
  AboutPageTest() { InstallSuiteWindows(suite_); }
  ~AboutPageTest() override { InstallSuiteWindows(nullptr); }
  std::vector<std::string> LastShellOpen() {
    auto calls = platform::TheJournal().Of("ShellExecute");
    return calls.empty() ? std::vector<std::string>{} : calls.back().args;
  }
  std::shared_ptr<SuiteStandIn> suite_ = std::make_shared<SuiteStandIn>();
  Form1Form& form_ = Form1();
};

TEST_F(AboutPageTest, AboutShowsVersionAndTitle) {
  form_.CmdAbout_Click();
  EXPECT_EQ(form_.lblVersion.Caption(), "Version 1.0.0.0");
  EXPECT_EQ(form_.lblTitle.Caption(), "Tessaly");
  EXPECT_TRUE(form_.Frame_About.Visible());
}

TEST_F(AboutPageTest, UpdaterAndWebSiteOpenShownWithoutParameters) {
  form_.cmdUpdateProgram.Value(true);
  auto call = LastShellOpen();
  ASSERT_EQ(call.size(), 7u);
  EXPECT_EQ(call[1], "Open");
  EXPECT_EQ(call[2], "C:\\Program Files\\Tessaly\\Update\\Update.exe");
  EXPECT_EQ(call[3], "(null)");  // no parameters
  EXPECT_EQ(call[4], "(null)");  // no working folder
  EXPECT_EQ(call[5], "1");
  EXPECT_EQ(call[6], "2") << "no updater installed: nothing happens";
  form_.Command1.Value(true);
  call = LastShellOpen();
  EXPECT_EQ(call[2].rfind("http://", 0), 0u);
  EXPECT_EQ(call[5], "1");
}

TEST_F(AboutPageTest, SuiteButtonOpensTheSuite) {
  form_.cmd_VLT.Value(true);
  form_.cmd_VLT.Value(true);
  EXPECT_EQ(suite_->shown, 2);
}

TEST_F(AboutPageTest, CaptionExportAppendsOneLinePerCaption) {
  form_.Command5.Value(true);
  form_.Command5.Value(true);
  const std::string lines =
      "frmWizardPages(0)=Step 1 of 8 : Connection type\r\nfrmWizardPages(1)=Step 2 of 8 : MTU Settings\r\n"
      "cmdNextPage=Next>>\r\n";
  EXPECT_EQ(machine_.ReadContent("C:\\VLTfrmAdvancedMode.ini"), lines + lines);
  ASSERT_EQ(Answers().records().size(), 2u);
  EXPECT_EQ(Answers().records()[1].request.prompt, "ok");
}

TEST_F(AboutPageTest, CaptionExportReportsAFailedWrite) {
  machine_.Put("VLTfrmAdvancedMode.ini/placeholder");  // a folder where the file goes
  form_.Command5.Value(true);
  ASSERT_EQ(Answers().records().size(), 1u);
  EXPECT_NE(Answers().records()[0].request.prompt, "ok");
}

}  // namespace
}  // namespace tessaly::testing
