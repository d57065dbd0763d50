#pragma once
// Bytes as two upper-case hexadecimal digits each, and back.
#include <optional>
#include <string>
#include <string_view>

std::string ToHex(std::string_view bytes);
// The value of one hexadecimal digit (either case); -1 for any other character.
int HexDigit(char c);
// The bytes of a text made only of digit pairs; nothing for any other text.
std::optional<std::string> ParseHex(std::string_view text);
