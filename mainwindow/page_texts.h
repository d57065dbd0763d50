#pragma once
// How the shredder and scheduling pages turn numbers and dates into text and
// back: byte totals are single-precision numbers in the general format; the
// date and time boxes use the fixed en-US short formats.
#include <optional>
#include <string>

#include "platform/runtime/dates.h"

// At most seven significant digits; "1E+07" from ten million on, fixed
// notation from 1E-5 up to there.
std::string SingleText(double value);

// "M/d/yyyy" and "h:mm AM".
std::string ShortDateText(platform::forms::Date value);
std::string ShortTimeText(platform::forms::Date value);

// The day of a date box: "M/D/YYYY", "M/D/YY" (00-29 are 2000-2029,
// 30-99 1930-1999) or "YYYY-MM-DD", optionally followed by a time. Text
// without a date part, or a date that does not exist, gives nothing.
std::optional<platform::forms::Date> DateOfBox(const std::string& text);
// The time of day of a time box: "H:MM", "H:MM:SS", each optionally with
// AM or PM ("H AM" too), optionally after a date; a date alone is midnight.
std::optional<platform::forms::Date> TimeOfBox(const std::string& text);
