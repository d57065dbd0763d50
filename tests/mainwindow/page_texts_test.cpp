#include <gtest/gtest.h>

#include "mainwindow/page_texts.h"

namespace {

using platform::forms::DateSerial;
using platform::forms::TimeSerial;

TEST(PageTexts, SinglesShowInTheGeneralFormat) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"},           {7000, "7000"},         {9999999, "9999999"},    {10'000'000, "1E+07"},
      {25'001'984, "2.500198E+07"}, {1234.5, "1234.5"}, {0.00001, "0.00001"}, {0.000001, "1E-06"},
      {-3e9, "-3E+09"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(SingleText(value), text) << value;
}

TEST(PageTexts, DateBoxesAcceptTheShortFormsAndRefuseTheRest) {
  EXPECT_EQ(DateOfBox("12/31/2005"), DateSerial(2005, 12, 31));
  EXPECT_EQ(DateOfBox("2/29/04"), DateSerial(2004, 2, 29));
  EXPECT_EQ(DateOfBox("1/2/30"), DateSerial(1930, 1, 2));
  EXPECT_EQ(DateOfBox("2006-06-15"), DateSerial(2006, 6, 15));
  EXPECT_EQ(DateOfBox(" 6/15/2006 10:30 AM "), DateSerial(2006, 6, 15));
  EXPECT_EQ(DateOfBox("Dec 12, 2001"), DateSerial(2001, 12, 12));
  EXPECT_EQ(DateOfBox("1/1/100 6:00"), DateSerial(100, 1, 1));
  for (const char* bad : {"2/31/2005", "2/29/2005", "13/1/2005", "10:00", "", "abc", "1/2"})
    EXPECT_FALSE(DateOfBox(bad)) << bad;
}

TEST(PageTexts, TimeBoxesAcceptClockTimes) {
  EXPECT_EQ(TimeOfBox("12:30 AM"), TimeSerial(0, 30, 0));
  EXPECT_EQ(TimeOfBox("12:30 PM"), TimeSerial(12, 30, 0));
  EXPECT_EQ(TimeOfBox("2:35pm"), TimeSerial(14, 35, 0));
  EXPECT_EQ(TimeOfBox("23:59:59"), TimeSerial(23, 59, 59));
  EXPECT_EQ(TimeOfBox("7 PM"), TimeSerial(19, 0, 0));
  EXPECT_EQ(TimeOfBox("6/15/2006"), 0.0);
  EXPECT_EQ(TimeOfBox("1/1/100 6:00"), 0.25);
  for (const char* bad : {"25:00", "13:00 PM", "0:30 AM", "10:60", "7", "", "noon"})
    EXPECT_FALSE(TimeOfBox(bad)) << bad;
}

TEST(PageTexts, ShortFormatsOfDatesAndTimes) {
  EXPECT_EQ(ShortDateText(DateSerial(2001, 12, 12)), "12/12/2001");
  EXPECT_EQ(ShortDateText(DateSerial(2006, 6, 5) + TimeSerial(13, 0, 0)), "6/5/2006");
  EXPECT_EQ(ShortTimeText(TimeSerial(0, 30, 0)), "12:30 AM");
  EXPECT_EQ(ShortTimeText(DateSerial(2006, 6, 5) + TimeSerial(23, 20, 0)), "11:20 PM");
}

}  // namespace
