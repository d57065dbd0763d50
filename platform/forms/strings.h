#pragma once
// The runtime's string functions with their error rules (a negative length,
// a start below 1 or a negative count raise 5) and the Windows-1252 case
// rules.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::forms {

std::string Left(std::string_view s, std::int32_t length);
std::string Right(std::string_view s, std::int32_t length);
std::string Mid(std::string_view s, std::int32_t start);
std::string Mid(std::string_view s, std::int32_t start, std::int32_t length);
std::int32_t Len(std::string_view s);
// 1-based position of `t` in `s` from `start`, 0 when absent; an empty `t`
// gives `start` (0 when `s` is empty or start is past its end).
std::int32_t InStr(std::string_view s, std::string_view t);
std::int32_t InStr(std::int32_t start, std::string_view s, std::string_view t);
// Searching backwards from `start` (-1: the end).
std::int32_t InStrRev(std::string_view s, std::string_view t, std::int32_t start = -1);
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);
std::int32_t Asc(std::string_view s);  // "": 5
std::string Chr(std::int32_t code);    // outside 0..255: 5
std::string String(std::int32_t count, char c);
std::string Space(std::int32_t count);
// Replaces every `find` (an empty `find` changes nothing).
std::string Replace(std::string_view s, std::string_view find, std::string_view with);
// Splits at every `delimiter`; "" gives no elements; an empty delimiter
// gives the whole text.
std::vector<std::string> Split(std::string_view s, std::string_view delimiter = " ");
std::string Join(const std::vector<std::string>& parts, std::string_view delimiter = " ");

}  // namespace platform::forms
