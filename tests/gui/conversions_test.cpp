// Offsets between the model's text (lines end in CR LF) and a widget's
// (lines end in LF), counted from either end.
#include <gtest/gtest.h>

#include "gui/conversions.h"

namespace tessaly::gui {
namespace {

TEST(TextOffsets, CountedFromEitherEndTheyAgreeAndRoundTrip) {
  for (std::string text : {"", "abc", "a\r\nb\r\n", "\r\n\r\n", "a\rb\n\r\r\nc", "log line\r\n\tDeleting f1\r\n"}) {
    int length = ToQtLines(text).size();
    int previous = -1;
    for (int offset = -1; offset <= static_cast<int>(text.size()) + 1; ++offset) {
      int shown = WidgetOffset(text, offset);
      EXPECT_EQ(WidgetOffset(text, offset, length), shown) << '"' << text << "\" at " << offset;
      EXPECT_GE(shown, previous);
      previous = shown;
      // A widget offset maps back to a model offset at a line break's start.
      EXPECT_EQ(WidgetOffset(text, ModelOffset(text, shown)), shown);
    }
    EXPECT_EQ(WidgetOffset(text, static_cast<int>(text.size())), length);
  }
}

}  // namespace
}  // namespace tessaly::gui
