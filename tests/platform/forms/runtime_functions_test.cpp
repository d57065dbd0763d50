#include <array>

#include "forms_fixture.h"
#include "support/error_capture.h"

namespace tessaly::testing {
namespace {


TEST(RuntimeStrings, Results) {
  EXPECT_EQ(Left("abc", 5), "abc");
  EXPECT_EQ(Right("abc", 2), "bc");
  EXPECT_EQ(Mid("abcdef", 3), "cdef");
  EXPECT_EQ(Mid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Mid("abc", 9, 2), "");
  EXPECT_EQ(InStr("abcabc", "c"), 3);
  EXPECT_EQ(InStr(4, "abcabc", "c"), 6);
  EXPECT_EQ(InStr(3, "abc", ""), 3);
  EXPECT_EQ(InStr("", ""), 0);
  EXPECT_EQ(InStr("abc", "x"), 0);
  EXPECT_EQ(InStrRev("a\\b\\c", "\\"), 4);
  EXPECT_EQ(InStrRev("a\\b\\c", "\\", 3), 2);
  EXPECT_EQ(Trim(" \tx  "), "\tx");
  EXPECT_EQ(UCase("stra\xDF" "e \xE0\xFF\x9A"), "STRA\xDF" "E \xC0\x9F\x8A");
  EXPECT_EQ(LCase("\xC0\x8A X\xD7"), "\xE0\x9A x\xD7");
  EXPECT_EQ(Asc("A"), 65);
  EXPECT_EQ(Chr(233), "\xE9");
  EXPECT_EQ(Replace("a--b--", "--", "-"), "a-b-");
  EXPECT_EQ(Split("a,b,,c", ","), (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_TRUE(Split("", ",").empty());
  EXPECT_EQ(Join({"x", "y"}, "\\"), "x\\y");
}

TEST(RuntimeStrings, InvalidArgumentsRaise5) {
  for (auto action : std::vector<std::function<void()>>{
           [] { Left("a", -1); }, [] { Right("a", -1); }, [] { Mid("a", 0); },
           [] { Mid("a", 1, -1); }, [] { Asc(""); }, [] { Space(-1); },
           [] { InStr(0, "a", "a"); }, [] { Chr(256); }}) {
    EXPECT_EQ(ErrorOf(action), 5);
  }
}

TEST(RuntimeDates, SerialsRollOverAndPrintInTheFixedLocale) {
  EXPECT_EQ(DateText(DateSerial(0, 0, 0)), "11/30/1999");
  EXPECT_EQ(DateText(DateSerial(2005, 12, 31) + TimeSerial(22, 15, 0)), "12/31/2005 10:15:00 PM");
  EXPECT_EQ(DateText(TimeSerial(0, 5, 9)), "12:05:09 AM");
  EXPECT_EQ(DateText(DateSerial(2005, 13, 1)), "1/1/2006");
  Date d = DateSerial(2004, 2, 29) + TimeSerial(23, 59, 59.6 > 59 ? 59 : 0);
  EXPECT_EQ(Year(d), 2004);
  EXPECT_EQ(Month(d), 2);
  EXPECT_EQ(Day(d), 29);
  EXPECT_EQ(Second(d), 59);
}

// DateSerial keeps to the Date type's years 100..9999 after rolling over.
TEST(RuntimeDates, DateSerialRefusesYearsOutside100To9999) {
  EXPECT_EQ(DateText(DateSerial(9999, 12, 31)), "12/31/9999");
  EXPECT_EQ(DateText(DateSerial(100, 1, 1)), "1/1/100");
  for (auto [year, month, day] : {std::array{10000, 1, 1}, std::array{9999, 12, 32}, std::array{100, 1, 0},
                                  std::array{-1, 1, 1}, std::array{99, 1, 1 - 366 * 1900}}) {
    EXPECT_EQ(ErrorOf([&] { DateSerial(year, month, day); }), 5) << year << "-" << month << "-" << day;
    EXPECT_FALSE(TryDateSerial(year, month, day)) << year << "-" << month << "-" << day;
  }
  EXPECT_EQ(TryDateSerial(2005, 13, 1), DateSerial(2006, 1, 1));
}

TEST_F(FormsTest, NowFollowsTheMachinesClock) {
  Date before = Now();
  machine_.clock().Advance(60 * 60 * 1000);
  EXPECT_NEAR(Now() - before, 1.0 / 24, 1e-6);
}

TEST(RuntimeRandom, SeededSequenceFollowsTheRuntimesGenerator) {
  SetRandomSeed(0);
  EXPECT_FLOAT_EQ(Rnd(), 12820163.0f / 16777216.0f);
  SetRandomSeed(1);
  float first = Rnd();
  SetRandomSeed(1);
  EXPECT_EQ(Rnd(), first);
}

}  // namespace
}  // namespace tessaly::testing
