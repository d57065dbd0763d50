#include "support/variant.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(VariantText, EachKindAsJoiningItToAStringGivesIt) {
  struct Case {
    Variant value;
    std::string text;
  } cases[] = {
      {std::monostate{}, ""},
      {std::string("abc"), "abc"},
      {std::int16_t{-5}, "-5"},
      {std::int32_t{2147483647}, "2147483647"},
      {0.5, "0.5"},
      {-2.25, "-2.25"},
      {1.0 / 3.0, "0.333333333333333"},
      {0.00001, "0.00001"},  // fixed notation reaches down to 1E-5
      {0.000001, "1E-06"},
      {1e20, "1E+20"},
      {123456789012345.0, "123456789012345"},
      {true, "True"},
      {false, "False"},
      {ByteArray{'h', 'i', 0}, "hi\0"s},
  };
  for (const auto& c : cases) EXPECT_EQ(VariantText(c.value), c.text) << c.value.index();
}
