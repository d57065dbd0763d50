#pragma once
// Asking the system to delete a locked file at the next restart: the NT
// family through the delayed move, the 9x family through a "NUL=" line in
// the [Rename] section of the Windows folder's WinInit.ini.
#include <string>

namespace cleaning {

// True only when the request was really recorded.
bool ScheduleDeleteAtRestart(const std::string& shortPath);

// The WinInit.ini text with "NUL=<path>" added at the end of its [Rename]
// section (any case), the section created at the end when missing. Lines
// end in CR LF; the text is cut at its first NUL first.
std::string WithRenameLine(std::string text, const std::string& line);

}  // namespace cleaning
