#include <gtest/gtest.h>

#include <set>

#include "main_window_fixture.h"
#include "platform/forms/forms.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

// Records each plug-in handed over with the progress shown at that moment.
class RecordingRunner : public BuiltInPluginRunner {
 public:
  explicit RecordingRunner(Form1Form& form) : form_(form) {}
  std::vector<std::string> cleaned;
  std::vector<int> progressBefore;
  double total = 999;
  void ResetCleanedBytes() override { total = 0; }
  void CleanStandardPlugins(const std::string& name) override {
    cleaned.push_back(name);
    progressBefore.push_back(form_.fcBuiltIn);
    total += 1000;
  }
  double CleanedBytesTotal() override { return total; }

 private:
  Form1Form& form_;
};

class BuiltInPluginsTest : public MainWindowTest {
 protected:
  Form1Form& form_ = Form1();

  void Select(const std::set<int>& positions) {
    for (int i = 0; i < form_.lstBPI.ListCount(); ++i) form_.lstBPI.Selected(i, positions.count(i) > 0);
  }
  std::set<int> Selection() const {
    std::set<int> positions;
    for (int i = 0; i < form_.lstBPI.ListCount(); ++i)
      if (form_.lstBPI.Selected(i)) positions.insert(i);
    return positions;
  }
};

TEST_F(BuiltInPluginsTest, ThePageHoldsTheListWithItsSpellingAndTheSelectAllBox) {
  EXPECT_EQ(form_.Frame_BPI.Caption(), "Bulit In plug-ins");
  EXPECT_EQ(form_.lstBPI.Container(), &form_.Frame_BPI);
  EXPECT_EQ(form_.chkBIPSelectAll.Container(), &form_.Frame_BPI);
  EXPECT_EQ(form_.chkBIPSelectAll.Caption(), "Select All");
  EXPECT_EQ(form_.chkBIPSelectAll.ToolTipText(), "Select / De-select all plugins");
  ASSERT_EQ(form_.lstBPI.ListCount(), 162);
  const std::pair<int, const char*> spelled[] = {
      {0, "ACDSee"},
      {42, "Outlook Express 5.x"},
      {71, "Miscrosoft Visual Studio 6.0"},
      {75, "Windows Address Books and Outlook Contacts"},
      {91, "AudioGalaxy Satalite"},
      {118, "Inoculatelt PE All Versions"},
      {153, "Trellian's SubmitWolf Pro DE - English/German"},
      {161, "Morpheous"},
  };
  for (const auto& [position, name] : spelled) EXPECT_EQ(form_.lstBPI.List(position), name) << position;
}

TEST_F(BuiltInPluginsTest, SelectAllTicksGreysAndClears) {
  form_.chkBIPSelectAll.Value(1);
  EXPECT_EQ(form_.lstBPI.SelCount(), 162);
  form_.chkBIPSelectAll.Value(0);
  EXPECT_EQ(form_.lstBPI.SelCount(), 0);
  form_.chkBIPSelectAll.Value(2);  // greyed counts as ticked
  EXPECT_EQ(form_.lstBPI.SelCount(), 162);

  // A user's click on the box, with the page shown.
  form_.ShowThatFrame(form_.Frame_BPI);
  form_.lstBPI.Selected(7, false);
  QueueClick(form_.chkBIPSelectAll);  // greyed -> ticked
  RunUntilIdle();
  EXPECT_EQ(form_.chkBIPSelectAll.Value(), 1);
  EXPECT_EQ(form_.lstBPI.SelCount(), 162);
  QueueClick(form_.chkBIPSelectAll);
  RunUntilIdle();
  EXPECT_EQ(form_.chkBIPSelectAll.Value(), 0);
  EXPECT_EQ(form_.lstBPI.SelCount(), 0);
}

TEST_F(BuiltInPluginsTest, TheSelectionComesBackByPositionAfterARestart) {
  Select({0, 42, 161});
  form_.SaveCleanSettings();
  // Changed after the save: only a window loaded afresh shows the saved one.
  Select({});
  ResetFormsRuntime();

  Form1Form& restarted = Form1();
  std::vector<std::string> names;
  for (int i = 0; i < restarted.lstBPI.ListCount(); ++i)
    if (restarted.lstBPI.Selected(i)) names.push_back(restarted.lstBPI.List(i));
  EXPECT_EQ(names, (std::vector<std::string>{"ACDSee", "Outlook Express 5.x", "Morpheous"}));
}

struct RunCase {
  const char* name;
  std::set<int> selected;
  const char* answer;
  std::vector<std::string> cleaned;
  double bytes;
};

TEST_F(BuiltInPluginsTest, TheRunnerAsksThenRunsTheSelectedEntriesInListOrder) {
  const RunCase cases[] = {
      {"three, Yes", {161, 5, 42}, "Yes", {"Animation Shop 3.x", "Outlook Express 5.x", "Morpheous"}, 3000},
      {"three, No", {161, 5, 42}, "No", {}, 0},
      {"three, unanswered", {161, 5, 42}, "", {}, 0},
      {"none, Yes", {}, "Yes", {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto runner = std::make_shared<RecordingRunner>(form_);
    form_.SetPluginRunner(runner);
    Select(c.selected);
    form_.fcBuiltIn = 0;
    form_.cBuiltIn = 3;
    form_.prgCurrent.Value(0);
    Answers().ClearRecords();
    if (*c.answer) Answers().Script(c.answer);

    EXPECT_EQ(form_.BPI_Do_Plugins(), c.bytes);
    ASSERT_EQ(Answers().records().size(), 1u);  // asked whatever the selection
    const AskRecord& question = Answers().records()[0];
    EXPECT_EQ(question.request.prompt,
              "Are you sure that you want to clean all plugins which contains email contacts and emails?");
    EXPECT_EQ(question.request.style, 292);
    EXPECT_EQ(question.request.title, App.Title());
    EXPECT_EQ(runner->cleaned, c.cleaned);
    // One progress step after each entry.
    std::vector<int> steps;
    for (std::size_t i = 0; i < c.cleaned.size(); ++i) steps.push_back(static_cast<int>(i));
    EXPECT_EQ(runner->progressBefore, steps);
    EXPECT_EQ(form_.fcBuiltIn, static_cast<int>(c.cleaned.size()));
    EXPECT_EQ(form_.prgCurrent.Value(), c.cleaned.empty() ? 0 : 100);
    EXPECT_EQ(Selection(), c.selected);  // No changes no selection
  }
}

TEST_F(BuiltInPluginsTest, ARunOfTheBuiltInPageCleansOnlyTheBuiltInSection) {
  auto runner = std::make_shared<RecordingRunner>(form_);
  form_.SetPluginRunner(runner);
  form_.chkWindows(0).Value(1);
  Select({1, 2});
  form_.ShowThatFrame2(form_.Frame2_PLUGINS);
  QueueClick(form_.cmdBuiltInPlugins);
  RunUntilIdle();
  Answers().Script("Yes");
  form_.CmdClean_Click();
  EXPECT_TRUE(engine_->calls.empty());
  EXPECT_EQ(runner->cleaned, (std::vector<std::string>{"Adobe Acrobat Full 4.x", "Adobe Acrobat Reader 5.x"}));
  EXPECT_NE(form_.txtResult.Text().find("[Clean Built-In]"), std::string::npos);
}

}  // namespace
}  // namespace tessaly::testing
