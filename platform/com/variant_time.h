#pragma once
// oleaut32 date conversions between SYSTEMTIME and the automation Date.
#include "platform/com/automation_types.h"

// TRUE and the date for a valid SYSTEMTIME (year 100..9999, a real day,
// hour <= 23, minute and second <= 59; milliseconds and weekday ignored);
// otherwise FALSE and `date` is not written.
BOOL SystemTimeToVariantTime(const SYSTEMTIME* time, DATE* date);
// The reverse, rounded to the second; FALSE outside years 100..9999.
BOOL VariantTimeToSystemTime(DATE date, SYSTEMTIME* time);
