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

// The day of a date box: any text the runtime converts to a date that names
// a day (a time alone does not).
std::optional<platform::forms::Date> DateOfBox(const std::string& text);
// The time of day of a time box: any text the runtime converts to a date; a
// day alone is midnight.
std::optional<platform::forms::Date> TimeOfBox(const std::string& text);
