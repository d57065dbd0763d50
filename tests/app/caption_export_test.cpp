// The About page's caption export over the suite's real advanced page, as
// the program connects it: every control with a caption, named as on the
// page, in the page's order.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/suite_connection.h"
#include "mainwindow/Form1.h"
#include "mainwindow/run/engine_link.h"
#include "mainwindow/suite_link.h"
#include "platform/forms/forms.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::size_t Position(const std::vector<std::string>& lines, const std::string& line) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == line) return i;
  ADD_FAILURE() << "no line " << line;
  return lines.size();
}

TEST(CaptionExportTest, ExportsTheRealAdvancedPageUnderItsControlNames) {
  TempMachine machine;
  ResetFormsRuntime();
  ConnectCleaningEngine();
  ConnectSuite();
  Form1Form& form = Form1();
  form.Command5_Click();
  form.Command5_Click();
  std::vector<std::string> lines = Lines(machine.ReadContent("C:\\VLTfrmAdvancedMode.ini").value_or(""));
  ASSERT_FALSE(lines.empty());
  ASSERT_EQ(lines.size() % 2, 0u);
  std::vector<std::string> first(lines.begin(), lines.begin() + lines.size() / 2);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + lines.size() / 2, lines.end()), first);  // appended

  // The step's frame, then its labels as the page names them.
  std::size_t step = Position(first, "frmWizardPages(1)=Step 2 of 8 : MTU Settings");
  EXPECT_LT(step, Position(first, "lblMTURecom=Recommended MTU size"));
  EXPECT_LT(step, Position(first, "lblMSSRecom=Recommended MSS size"));
  for (const char* name : {"lblMTURecValue=", "lblMSSRecVaklue=", "cmdNextPage=Next>>", "cmdPrevPage=<<Back"}) {
    bool found = false;
    for (const std::string& line : first) found = found || line.rfind(name, 0) == 0;
    EXPECT_TRUE(found) << name;
  }
  for (const std::string& line : first)
    for (const char* stale : {"lblMTUText", "lblMSSText", "lblMSSRecValue"})
      EXPECT_NE(line.rfind(stale, 0), 0u) << line;
  InstallSuiteWindows(nullptr);
  InstallCleaningEngine(nullptr);
  ResetFormsRuntime();
}

}  // namespace
}  // namespace tessaly::testing
