#include <gtest/gtest.h>

#include <optional>

#include "platform/base/runtime_error.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/dates.h"

namespace platform::vb {
namespace {

using forms::Date;
using forms::DateSerial;
using forms::TimeSerial;

TEST(DateConversions, TextToDateTable) {
  struct Case {
    const char* text;
    std::optional<Date> expected;
  };
  const Date dec12 = DateSerial(2001, 12, 12);
  const Case cases[] = {
      // The short date and ISO forms.
      {"12/31/2005", DateSerial(2005, 12, 31)},
      {"2/29/04", DateSerial(2004, 2, 29)},
      {"1/2/30", DateSerial(1930, 1, 2)},
      {"1/2/29", DateSerial(2029, 1, 2)},
      {"06/05/2006", DateSerial(2006, 6, 5)},
      {"12-31-2005", DateSerial(2005, 12, 31)},
      {"2006-06-15", DateSerial(2006, 6, 15)},
      {"2006/6/15", DateSerial(2006, 6, 15)},
      {"1/1/100", DateSerial(100, 1, 1)},
      {"1/2/345", DateSerial(345, 1, 2)},
      {"12/31/9999", DateSerial(9999, 12, 31)},
      // Month names.
      {"Dec 12, 2001", dec12},
      {"Dec 12 2001", dec12},
      {"december 12,2001", dec12},
      {"DEC. 12, 2001", dec12},
      {"12 December 2001", dec12},
      {"12-Dec-2001", dec12},
      {"12-Dec-01", dec12},
      {"12/dec/2001", dec12},
      {"2001 Dec 12", dec12},
      {"Sept 3, 2002", DateSerial(2002, 9, 3)},
      {"Wednesday, December 12, 2001", dec12},
      {"Wed Dec 12 2001", dec12},
      // With a time, and times alone.
      {" 6/15/2006 10:30 AM ", DateSerial(2006, 6, 15) + TimeSerial(10, 30, 0)},
      {"12/31/2005 10:15:00 PM", DateSerial(2005, 12, 31) + TimeSerial(22, 15, 0)},
      {"Dec 12, 2001 23:59:59", dec12 + TimeSerial(23, 59, 59)},
      {"10:30 AM 6/15/2006", DateSerial(2006, 6, 15) + TimeSerial(10, 30, 0)},
      {"1/1/100 6:00", DateSerial(100, 1, 1) - 0.25},
      {"12:30 AM", TimeSerial(0, 30, 0)},
      {"12:30 PM", TimeSerial(12, 30, 0)},
      {"2:35pm", TimeSerial(14, 35, 0)},
      {"7 PM", TimeSerial(19, 0, 0)},
      {"0:00", 0.0},
      // No dates.
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"7", std::nullopt},
      {"1/2", std::nullopt},
      {"2/31/2005", std::nullopt},
      {"2/29/2005", std::nullopt},
      {"13/1/2005", std::nullopt},
      {"0/1/2005", std::nullopt},
      {"1/0/2005", std::nullopt},
      {"1/1/0099", std::nullopt},
      {"Dec 32, 2001", std::nullopt},
      {"Dec Jan 2001", std::nullopt},
      {"De 12 2001", std::nullopt},
      {"Monday", std::nullopt},
      {"25:00", std::nullopt},
      {"13:00 PM", std::nullopt},
      {"0:30 AM", std::nullopt},
      {"10:60", std::nullopt},
      {"12/31/2005 10:61", std::nullopt},
      {"12/31/2005 noon", std::nullopt},
      {"1,000", std::nullopt},
  };
  for (const Case& c : cases) {
    std::optional<Date> got = ParseDate(c.text);
    EXPECT_EQ(got.has_value(), c.expected.has_value()) << '"' << c.text << '"';
    if (got && c.expected) {
      EXPECT_NEAR(*got, *c.expected, 1e-9) << '"' << c.text << '"';
    }
    EXPECT_EQ(IsDate(c.text), c.expected.has_value()) << '"' << c.text << '"';
  }
}

TEST(DateConversions, CDateRaisesTypeMismatchAndThePartsSplitTheValue) {
  try {
    CDate("2/31/2005");
    FAIL() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), 13);
  }
  EXPECT_EQ(CDate("Dec 12, 2001 6:00 PM"), DateSerial(2001, 12, 12) + 0.75);
  EXPECT_EQ(DateValue("Dec 12, 2001 6:00 PM"), DateSerial(2001, 12, 12));
  EXPECT_EQ(TimeValue("Dec 12, 2001 6:00 PM"), 0.75);
  EXPECT_EQ(DateValue("1/1/100 6:00"), DateSerial(100, 1, 1));
  EXPECT_EQ(TimeValue("1/1/100 6:00"), 0.25);
  EXPECT_EQ(DateValue("6:00"), 0.0);
  // What the runtime writes, it reads back.
  for (Date d : {DateSerial(2005, 12, 31) + TimeSerial(22, 15, 7), DateSerial(1999, 1, 1), TimeSerial(3, 4, 5)})
    EXPECT_NEAR(CDate(forms::DateText(d)), d, 1e-9) << forms::DateText(d);
}

}  // namespace
}  // namespace platform::vb
