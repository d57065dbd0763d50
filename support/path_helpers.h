#pragma once
// Helpers for text that comes back from system calls in fixed buffers, and
// for joining folder and file names.
#include <optional>
#include <string>
#include <string_view>

// The text before the first NUL; "" when the text holds no NUL at all (callers
// pass filled buffers, never plain text).
std::string TrimNullChars(std::string_view text);
// The text before the first NUL; unset (reads as "") when there is none.
std::optional<std::string> TrimNullToVariant(std::string_view text);
// Cuts the caller's text at its first NUL, when it has one, and returns it.
std::string StripNulls(std::string& text);
// folder & "\" & name, or folder & name when the folder (blanks trimmed for
// the test only) already ends in a backslash.
std::string JoinPath(const std::string& folder, const std::string& name);
// The program's own folder joined with `name` the same way.
std::string AppPathFile(const std::string& name);
