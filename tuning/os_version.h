#pragma once
// Which Windows the suite runs on (module VLTmdlOSVersion): an index into
// the version table, and the code and name the suite's other parts test.
#include <string>

namespace tuning {

// 0 "Windows 32" (anything unlisted of the 9x side), 1 95, 2 98, 3 ME,
// 4 NT before 5.0, 5 2000, 6 XP and every later NT release.
int GetOSVersion();

// The system's code (1..7, index + 1) and name, set by DetectOSVersion;
// 0 and "" until then.
extern int OSCode;
extern std::string OSName;
void DetectOSVersion();

// Codes 1-4 write the 9x stack's text values, 5-7 the NT stack's numbers.
inline bool Is9xCode(int code) { return code >= 1 && code <= 4; }
inline bool IsNTCode(int code) { return code >= 5 && code <= 7; }

}  // namespace tuning
