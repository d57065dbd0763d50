#pragma once
// Text is bytes in Windows-1252. These helpers give the Windows case rules
// and the conversion to and from UTF-8 at the host boundary.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

char UpperChar(char c);
std::string ToUpper(std::string_view text);
// The same in place, keeping the text's storage.
void UpperInPlace(std::string& text);
bool EqualsNoCase(std::string_view a, std::string_view b);
// Byte order of the upper-cased names: the order of every listing.
int CompareNoCase(std::string_view a, std::string_view b);

struct LessNoCase {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return CompareNoCase(a, b) < 0; }
};

// One byte's Unicode code point, and back (nullopt: no Windows-1252 form).
char32_t Cp1252CodePoint(unsigned char byte);
std::optional<unsigned char> Cp1252Byte(char32_t codePoint);

// Plain ASCII: the same bytes in Windows-1252 and in UTF-8.
bool IsAscii(std::string_view text);
// Windows-1252 bytes to UTF-8.
std::string Cp1252ToUtf8(std::string_view text);
// UTF-8 to Windows-1252; nullopt when a character has no Windows-1252 form
// or the bytes are not UTF-8.
std::optional<std::string> Utf8ToCp1252(std::string_view text);
// As above, with "?" for every character that has no Windows-1252 form.
std::string Utf8ToCp1252Lossy(std::string_view text);

}  // namespace platform
