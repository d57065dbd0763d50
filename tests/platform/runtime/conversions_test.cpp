#include "platform/runtime/conversions.h"

#include <cmath>
#include <variant>

#include <gtest/gtest.h>

#include "platform/base/runtime_error.h"

namespace platform::vb {
namespace {

// A conversion's value, or the runtime error it raised.
template <typename Convert>
std::variant<long long, int> Outcome(Convert convert) {
  try {
    return static_cast<long long>(convert());
  } catch (const RuntimeError& e) {
    return e.number();
  }
}

using Result = std::variant<long long, int>;
Result Value(long long v) { return Result(std::in_place_index<0>, v); }
Result Error(int n) { return Result(std::in_place_index<1>, n); }

TEST(Conversions, CLngReadsEnUsTextAndRoundsHalfToEven) {
  struct Case {
    const char* text;
    Result expected;
  } cases[] = {
      {"40", Value(40)},
      {"  -17  ", Value(-17)},
      {"+5", Value(5)},
      {"2.5", Value(2)},
      {"3.5", Value(4)},
      {"-2.5", Value(-2)},
      {"2.5000001", Value(3)},
      {".5", Value(0)},
      {"1.", Value(1)},
      {"1,000", Value(1000)},
      {"1,234,567.5", Value(1234568)},
      {"1e3", Value(1000)},
      {"1.5E+2", Value(150)},
      {"25e-1", Value(2)},
      {"2D2", Value(200)},
      {"&H10", Value(16)},
      {"&hff", Value(255)},
      {"&HFFFF", Value(-1)},
      {"&H8000", Value(-32768)},
      {"&H10000", Value(65536)},
      {"&HFFFFFFFF", Value(-1)},
      {"&O17", Value(15)},
      {"2147483647", Value(2147483647)},
      {"-2147483648", Value(-2147483648LL)},
      {"2147483647.5", Error(6)},
      {"2147483648", Error(6)},
      {"-2147483649", Error(6)},
      {"1e300", Error(6)},
      {"1e999", Error(6)},
      {"&H100000000", Error(6)},
      {"1e-999", Value(0)},
      {"", Error(13)},
      {"   ", Error(13)},
      {"12x", Error(13)},
      {"x12", Error(13)},
      {"1 2", Error(13)},
      {"\t1", Error(13)},
      {",5", Error(13)},
      {"1.2.3", Error(13)},
      {"1e", Error(13)},
      {"1e+", Error(13)},
      {"- 1", Error(13)},
      {"5-", Error(13)},
      {".", Error(13)},
      {"&H", Error(13)},
      {"&HG", Error(13)},
      {"&O8", Error(13)},
      {"FAIL", Error(13)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Outcome([&] { return CLng(std::string_view(c.text)); }), c.expected) << "'" << c.text << "'";
  }
}

TEST(Conversions, CIntAndNumbersHaveTheirRanges) {
  EXPECT_EQ(Outcome([] { return CInt(std::string_view("32767")); }), Value(32767));
  EXPECT_EQ(Outcome([] { return CInt(std::string_view("32767.5")); }), Error(6));
  EXPECT_EQ(Outcome([] { return CInt(-32768.5); }), Value(-32768));
  EXPECT_EQ(Outcome([] { return CInt(std::string_view("x")); }), Error(13));
  EXPECT_EQ(Outcome([] { return CLng(0.5); }), Value(0));
  EXPECT_EQ(Outcome([] { return CLng(1.5); }), Value(2));
  EXPECT_EQ(Outcome([] { return CLng(-1e10); }), Error(6));
  EXPECT_DOUBLE_EQ(CDbl(" 1,250.75 "), 1250.75);
  EXPECT_EQ(Outcome([] { return CDbl("1e400"); }), Error(6));
  EXPECT_EQ(Outcome([] { return CDbl("abc"); }), Error(13));
}

TEST(Conversions, ValTakesTheLeadingNumber) {
  struct Case {
    const char* text;
    double expected;
  } cases[] = {
      {"", 0},         {"abc", 0},      {"12x", 12},       {" 1 2 ", 12},     {"1\t2\n3", 123}, {"-3.5e2z", -350},
      {"1e", 1},       {"1.2.3", 1.2},  {"&HFF", 255},     {"&HFFFF", -1},    {"&O10", 8},      {"1,000", 1},
      {"2D3", 2000},   {"+.5", 0.5},    {"- 4", -4},       {"..5", 0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(Val(c.text), c.expected) << "'" << c.text << "'";
  }
}

TEST(Conversions, IsNumericAcceptsOnlyPlainDecimals) {
  for (const char* yes : {"1", " -1 ", "+2.5", ".5", "1.", "007"}) EXPECT_TRUE(IsNumeric(yes)) << yes;
  for (const char* no : {"", " ", "&H10", "1,000", "1e5", "5-", ".", "1 2", "abc", "-"}) {
    EXPECT_FALSE(IsNumeric(no)) << no;
  }
}

TEST(Conversions, CStrFormatsDoublesAsTheRuntimeDoes) {
  struct Case {
    double value;
    const char* expected;
  } cases[] = {
      {0, "0"},
      {3000, "3000"},
      {-1560, "-1560"},
      {0.5, "0.5"},
      {-0.25, "-0.25"},
      {1.0 / 3, "0.333333333333333"},
      {0.00001, "0.00001"},
      {0.000001, "1E-06"},
      {123456789012345, "123456789012345"},
      {1e15, "1E+15"},
      {1.5e20, "1.5E+20"},
      {-2.5e-7, "-2.5E-07"},
      {1e100, "1E+100"},
      {999999999999999.9, "1E+15"},
  };
  for (const auto& c : cases) EXPECT_EQ(CStr(c.value), c.expected) << c.value;
  EXPECT_EQ(CStr(std::int64_t{-42}), "-42");
}

}  // namespace
}  // namespace platform::vb
