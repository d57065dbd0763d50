#pragma once
// Windows-1252 text to and from UTF-16LE bytes, for Unicode text files and
// shell links. Bytes 0x81, 0x8D, 0x8F, 0x90, 0x9D (no character) map to the
// code units of the same value, so every byte survives a round trip; a code
// unit with no Windows-1252 form reads as "?".
#include <string>
#include <string_view>

namespace platform::files {

// Little-endian UTF-16 bytes of the text.
std::string Cp1252ToUtf16Le(std::string_view text);
char16_t Cp1252ToUnit(char c);
char UnitToCp1252(char16_t unit);

}  // namespace platform::files
