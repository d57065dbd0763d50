// The hard-disk page's custom-file fields: their handlers' repairs and
// messages, and the size filter through real runs of the engine.
#include <gtest/gtest.h>

#include <filesystem>

#include "main_window_fixture.h"
#include "mainwindow/run/engine_link.h"
#include "platform/forms/forms.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;
namespace fs = std::filesystem;

constexpr const char* kBadPattern = "You must enter a valid format in the file type field. Ex: *.*";
constexpr const char* kMinTooLarge = "Invalid value, please enter a smaller value";
constexpr const char* kMaxTooSmall = "Max size value must be greater than Min size value";

std::vector<std::string> Prompts(std::size_t from = 0) {
  std::vector<std::string> prompts;
  const auto& records = Answers().records();
  for (std::size_t i = from; i < records.size(); ++i) {
    if (records[i].request.kind != AskKind::MessageBox) continue;
    EXPECT_EQ(records[i].request.style, vbOKOnly);
    EXPECT_EQ(records[i].request.title, "Tessaly");
    prompts.push_back(records[i].request.prompt);
  }
  return prompts;
}

class SizeFieldsTest : public MainWindowTest {
 protected:
  // Selects the whole field and types over it, as a user does.
  void TypeOver(TextBox& box, const std::string& keys) {
    box.SelStart(0);
    box.SelLength(static_cast<std::int32_t>(box.Text().size()));
    box.UserType(keys);
  }

  Form1Form& form_ = Form1();
  bool onPage_ = (form_.ShowThatFrame(form_.Frame_HardDisk), form_.chkHardDisk(2).Value(vbChecked),
                  form_.chkCertainSize.Value(vbChecked), true);
};

TEST(SizeFieldsStartTest, AFirstStartShowsNoHintAndDisablesTheCustomFields) {
  ResetFormsRuntime();
  TempMachine machine;
  Form1Form& form = Form1();
  EXPECT_FALSE(form.lblHint.Visible());
  EXPECT_FALSE(form.lblHint2.Visible());
  EXPECT_FALSE(form.txtPath.Enabled());
  EXPECT_FALSE(form.txtMinSize.Enabled());
  EXPECT_FALSE(form.lblMinMax.Active());
  ResetFormsRuntime();
}

TEST_F(SizeFieldsTest, TheBoxesShowTheHintsAndEnableTheFields) {
  form_.chkHardDisk(1).Value(vbChecked);
  EXPECT_TRUE(form_.lblHint.Visible());
  EXPECT_FALSE(form_.lblHint2.Visible());
  form_.chkHardDisk(1).Value(vbUnchecked);
  form_.chkHardDisk(0).Value(vbChecked);
  EXPECT_FALSE(form_.lblHint.Visible());
  EXPECT_TRUE(form_.lblHint2.Visible());

  form_.chkHardDisk(2).Value(vbUnchecked);
  for (Control* field : std::initializer_list<Control*>{&form_.txtPattern, &form_.txtPath, &form_.chkCertainSize,
                                                         &form_.cmdBrowse})
    EXPECT_FALSE(field->Enabled()) << field->Name();
  // The size fields follow the size-filter box alone.
  EXPECT_TRUE(form_.txtMinSize.Enabled());
  EXPECT_TRUE(form_.lblMinMax.Active());
  form_.chkHardDisk(2).Value(vbChecked);
  form_.chkCertainSize.Value(vbUnchecked);
  EXPECT_FALSE(form_.txtMinSize.Enabled());
  EXPECT_FALSE(form_.txtMaxSize.Enabled());
  EXPECT_FALSE(form_.lblMinMax.Active());
}

TEST_F(SizeFieldsTest, OnlyDigitsMinusEnterAndBackspaceReachASizeField) {
  for (TextBox* box : {&form_.txtMinSize, &form_.txtMaxSize}) {
    SCOPED_TRACE(box->Name());
    form_.txtMaxSize.Text("100000");
    TypeOver(*box, std::string("a1-b2 x\x16.3\r"));  // Ctrl+V (22) is dropped too
    EXPECT_EQ(box->Text(), "1-23");
    box->UserType("\b");
    EXPECT_EQ(box->Text(), "1-2");
  }
}

TEST_F(SizeFieldsTest, AnEmptiedFieldBecomesZero) {
  TypeOver(form_.txtMaxSize, "\b");
  EXPECT_EQ(form_.txtMaxSize.Text(), "0");
  form_.txtMaxSize.Text("100");
  TypeOver(form_.txtMinSize, "7");
  TypeOver(form_.txtMinSize, "\b");
  EXPECT_EQ(form_.txtMinSize.Text(), "0");
  EXPECT_TRUE(Prompts().empty());
}

TEST_F(SizeFieldsTest, AMinimumReachingTheMaximumIsRefusedAsItIsTyped) {
  form_.txtMaxSize.Text("100");
  std::size_t before = Answers().records().size();
  TypeOver(form_.txtMinSize, "5");
  form_.txtMinSize.UserType("0");
  EXPECT_TRUE(Prompts(before).empty());
  EXPECT_EQ(form_.txtMinSize.Text(), "50");
  form_.txtMinSize.UserType("0");  // the third digit: 500 > 100
  EXPECT_EQ(Prompts(before), std::vector<std::string>{kMinTooLarge});
  EXPECT_EQ(form_.txtMinSize.Text(), "0");
  TypeOver(form_.txtMinSize, "100");  // equal is refused while editing too
  EXPECT_EQ(Prompts(before), (std::vector<std::string>{kMinTooLarge, kMinTooLarge}));
  EXPECT_EQ(form_.txtMinSize.Text(), "0");
}

// The minimum's reset to "0" raises Change again; with a maximum of 0 or
// less that nested Change must not warn a second time.
TEST_F(SizeFieldsTest, TheMinimumsOwnResetWarnsOnce) {
  form_.txtMinSize.Text("-3");
  form_.txtMaxSize.Text("-5");
  form_.txtMaxSize.LostFocus.Raise();  // max repaired to min + 1
  EXPECT_EQ(form_.txtMaxSize.Text(), "-2");
  std::size_t before = Answers().records().size();
  TypeOver(form_.txtMinSize, "\b");  // empty: "0", then -2 <= 0
  EXPECT_EQ(Prompts(before), std::vector<std::string>{kMinTooLarge});
  EXPECT_EQ(form_.txtMinSize.Text(), "0");
}

TEST_F(SizeFieldsTest, LeavingAMaximumNotAboveTheMinimumRepairsIt) {
  struct Case {
    const char* min;
    const char* max;
    const char* repaired;  // "" = left alone, no message
  };
  const Case cases[] = {
      {"0", "0", "1"}, {"0", "1", ""}, {"abc", "-", "1"}, {"40", "7", "41"}, {"-3", "-5", "-2"}, {"9", "10", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.min) + " / " + c.max);
    form_.txtMaxSize.Text("100000");
    form_.txtMinSize.Text(c.min);
    form_.txtMaxSize.Text(c.max);
    std::size_t before = Answers().records().size();
    form_.txtMaxSize.LostFocus.Raise();
    if (*c.repaired) {
      EXPECT_EQ(Prompts(before), std::vector<std::string>{kMaxTooSmall});
      EXPECT_EQ(form_.txtMaxSize.Text(), c.repaired);
    } else {
      EXPECT_TRUE(Prompts(before).empty());
      EXPECT_EQ(form_.txtMaxSize.Text(), c.max);
    }
  }
}

TEST_F(SizeFieldsTest, AFileTypeMustStartWithStarDot) {
  struct Case {
    const char* typed;
    const char* after;
  };
  const Case cases[] = {{"tmp", "*.tmp"}, {"*.log", "*.log"}, {"*.*", "*.*"}, {"*log", "*.tmp"}, {"", "*.tmp"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    form_.txtPattern.Text(c.typed);
    std::size_t before = Answers().records().size();
    form_.txtPattern.LostFocus.Raise();
    EXPECT_EQ(form_.txtPattern.Text(), c.after);
    EXPECT_EQ(Prompts(before).size(), std::string(c.typed) == c.after ? 0u : 1u);
    if (std::string(c.typed) != c.after) {
      EXPECT_EQ(Prompts(before).back(), kBadPattern);
    }
  }
}

TEST_F(SizeFieldsTest, ThePickerSetsTheFolderAndCancelKeepsIt) {
  form_.txtPath.Text("C:\\WINDOWS\\Temp");
  Answers().Script("Cancel");
  form_.cmdBrowse.UserClick();
  EXPECT_EQ(form_.txtPath.Text(), "C:\\WINDOWS\\Temp");
  Answers().Script("OK", "C:\\Program Files");
  form_.cmdBrowse.UserClick();
  EXPECT_EQ(form_.txtPath.Text(), "C:\\Program Files");
  ASSERT_FALSE(Answers().records().empty());
  EXPECT_EQ(Answers().records().back().request.kind, AskKind::FolderPicker);
}

// Real runs of the custom-file cleaner over files around the bounds.
class SizeFilterRunTest : public ::testing::Test {
 protected:
  ~SizeFilterRunTest() override {
    ResetFormsRuntime();
    InstallCleaningEngine(nullptr);
    InstallBuiltInPluginRunner(nullptr);
  }

  TempMachine machine_{TestMachine().folder("C:\\custom\\deep")};
  bool connected_ = (ResetFormsRuntime(), ConnectCleaningEngine(), true);
  Form1Form& form_ = Form1();
};

TEST_F(SizeFilterRunTest, OnlyFilesWithinTheBoundsAreDeleted) {
  const std::vector<std::pair<std::string, std::size_t>> files = {
      {"zero.tmp", 0},          {"under1k.tmp", 1023},       {"one_k.tmp", 1024},      {"two_k.tmp", 2048},
      {"two_k_and_1.tmp", 2049}, {"five_k.tmp", 5 * 1024}, {"deep\\ten_k.tmp", 10240}, {"five_k.log", 5 * 1024},
  };
  struct Case {
    bool filter;
    const char* min;
    const char* max;
    std::vector<std::string> deleted;
  };
  const Case cases[] = {
      {false, "", "", {"zero.tmp", "under1k.tmp", "one_k.tmp", "two_k.tmp", "two_k_and_1.tmp", "five_k.tmp",
                       "deep\\ten_k.tmp"}},
      {true, "0", "100000", {"zero.tmp", "under1k.tmp", "one_k.tmp", "two_k.tmp", "two_k_and_1.tmp", "five_k.tmp",
                             "deep\\ten_k.tmp"}},
      {true, "1", "2", {"one_k.tmp", "two_k.tmp"}},
      {true, "0", "1", {"zero.tmp", "under1k.tmp", "one_k.tmp"}},
      {true, "3", "10", {"five_k.tmp", "deep\\ten_k.tmp"}},
      {true, "11", "100", {}},
  };
  form_.ShowThatFrame(form_.Frame_HardDisk);
  form_.chkHardDisk(2).Value(vbChecked);
  form_.txtPath.Text("C:\\custom");
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.filter ? "filter " : "no filter ") + c.min + " .. " + c.max);
    for (const auto& [name, size] : files) machine_.WriteContent("C:\\custom\\" + name, std::string(size, 'x'));
    form_.chkCertainSize.Value(c.filter ? vbChecked : vbUnchecked);
    if (c.filter) {
      form_.txtMaxSize.Text(c.max);  // the maximum first: the minimum stays below it
      form_.txtMinSize.Text(c.min);
    }
    std::size_t before = Answers().records().size();
    form_.CmdClean_Click();
    EXPECT_TRUE(Prompts(before).empty());
    std::vector<std::string> deleted;
    for (const auto& [name, size] : files)
      if (!fs::exists(machine_.hostPath("C:\\custom\\" + name))) deleted.push_back(name);
    EXPECT_EQ(deleted, c.deleted);
  }
}

}  // namespace
}  // namespace tessaly::testing
