#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class ProgressTest : public MainWindowTest {
 protected:
  Form1Form& form_ = Form1();
};

TEST_F(ProgressTest, CalcCleanSessionsCountsEveryBoxAndList) {
  form_.chkWindows(0).Value(1);
  form_.chkWindows(5).Value(2);  // greyed counts 2
  form_.chkHardDisk(1).Value(1);
  form_.chkIE(6).Value(1);
  form_.chkICQ(3).Value(1);
  form_.LSTEPI.Add({}, "", "a").Checked = true;
  form_.LSTEPI.Add({}, "", "b");
  form_.lstBPI.AddItem("x");
  form_.lstBPI.AddItem("y");
  form_.lstBPI.Selected(1, true);
  form_.fcWindows = 7;
  form_.RestoredSize = 99;
  form_.CalcCleanSessions();
  EXPECT_EQ(form_.cWindows, 3);
  EXPECT_EQ(form_.cHardDisk, 1);
  EXPECT_EQ(form_.cSystem, 4);
  EXPECT_EQ(form_.cIE, 1);
  EXPECT_EQ(form_.cBrowsers, 1);
  EXPECT_EQ(form_.cIcq, 1);
  EXPECT_EQ(form_.cMessengers, 1);
  EXPECT_EQ(form_.cExtra, 1);
  EXPECT_EQ(form_.cBuiltIn, 1);
  EXPECT_EQ(form_.fcWindows, 0);
  EXPECT_EQ(form_.RestoredSize, 99);  // left alone
}

struct ProgressCase {
  const char* tag;
  double done, todo;
  float section, run;
};

TEST_F(ProgressTest, BarsRoundHalfToEvenAndLeaveTheHardDiskOutOfTheRun) {
  const ProgressCase cases[] = {
      {"Windows", 1, 8, 12, 11},  // 12.5 -> 12; 100/9 -> 11
      {"windows", 3, 8, 38, 33},  // 37.5 -> 38; 300/9 -> 33
      {"Windows", 3, 3, 100, 75},  // never 100: 300/4
      {"Office", 1, 2, 50, 33},
      {"Nothing", 1, 2, 0, 33},   // unknown tag: section bar 0, run bar still moves
      {"Windows", 0, 0, 0, 0},    // nothing to do
      {"Windows", 3, 2, 100, 100},  // counted twice: held at 100
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tag + std::string(" ") + std::to_string(c.done) + "/" + std::to_string(c.todo));
    form_.CalcCleanSessions();
    bool office = std::string(c.tag) == "Office";
    (office ? form_.fcOffice : form_.fcWindows) = c.done;
    (office ? form_.cOffice : form_.cWindows) = c.todo;
    form_.CalcProg(c.tag);
    EXPECT_EQ(form_.prgCurrent.Value(), c.section);
    EXPECT_EQ(form_.prgTotal.Value(), c.run);
  }
  form_.CalcCleanSessions();
  form_.fcHardDisk = 1;
  form_.cHardDisk = 2;
  form_.cWindows = 1;
  form_.CalcProg("HARDDISK");
  EXPECT_EQ(form_.prgCurrent.Value(), 50);
  EXPECT_EQ(form_.prgTotal.Value(), 0);
  for (float value : form_.prgTotal.history()) EXPECT_LE(value, 100);
}

TEST_F(ProgressTest, SizeLabelsShowExactBytes) {
  form_.RestoredSize = 2048;
  form_.PreSize = 1024;
  form_.CalcProg("IE");
  EXPECT_EQ(form_.lblTotalSize.Caption(), "2048 Bytes");
  EXPECT_EQ(form_.lblCurrentSize.Caption(), "1024 Bytes");
  form_.RestoredSize = (std::int64_t{1} << 24) + 1;  // beyond a Single's exact range
  form_.PreSize = 0;
  form_.CalcProg("IE");
  EXPECT_EQ(form_.lblTotalSize.Caption(), "16777217 Bytes");
  form_.RestoredSize = 50'000'000'000;
  form_.CalcProg("IE");
  EXPECT_EQ(form_.lblTotalSize.Caption(), "50000000000 Bytes");
}

}  // namespace
}  // namespace tessaly::testing
