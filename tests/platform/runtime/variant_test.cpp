#include "platform/runtime/variant.h"

#include "platform/base/runtime_error.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using platform::vb::ByteArray;
using platform::vb::Variant;

TEST(VariantConversions, EachKindAsJoiningItToAStringGivesIt) {
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
  for (const auto& c : cases) EXPECT_EQ(platform::vb::CStr(c.value), c.text) << c.value.index();
}

// Where the value's copies used to disagree, the runtime's own rules hold
// on every path: the one module here, properties by name and the COM
// boundary (tests/platform/com) all convert through it.
TEST(VariantConversions, TheRuntimesRulesDecideTextToNumberAndBack) {
  struct Case {
    Variant value;
    std::int32_t asLong;
    int error;  // the runtime error CLng raises, 0 for none
    std::string text;
  } cases[] = {
      {std::string("&H10"), 16, 0, "&H10"},
      {std::string("1,000"), 1000, 0, "1,000"},
      {std::string("0x10"), 0, 13, "0x10"},
      {std::string(" 2.5 "), 2, 0, " 2.5 "},
      {std::string("True"), 0, 13, "True"},
      {3.5, 4, 0, "3.5"},
      {1e20, 0, 6, "1E+20"},
      {true, -1, 0, "True"},
      {std::int16_t{-7}, -7, 0, "-7"},
      {std::monostate{}, 0, 0, ""},
      {ByteArray{'1'}, 0, 13, "1"},
  };
  for (const auto& c : cases) {
    std::int32_t value = 0;
    int error = 0;
    try {
      value = platform::vb::CLng(c.value);
    } catch (const platform::RuntimeError& e) {
      error = e.number();
    }
    EXPECT_EQ(error, c.error) << c.text;
    EXPECT_EQ(value, c.asLong) << c.text;
    EXPECT_EQ(platform::vb::CStr(c.value), c.text);
  }
  EXPECT_TRUE(platform::vb::CBool(std::string("true")));
  EXPECT_FALSE(platform::vb::CBool(std::string("0")));
}
