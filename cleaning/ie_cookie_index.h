#pragma once
// Internet Explorer's cookie index "index.dat", read only: fixed 256-byte
// blocks from offset 20480, a cookie record being a block signed "URL " or
// "LEAK" whose 159-byte text area holds the address and the file name.
#include <functional>
#include <string>
#include <string_view>

namespace cleaning {

inline constexpr std::int64_t kCookieIndexFirstBlock = 20480;
inline constexpr std::size_t kCookieIndexBlock = 256;
inline constexpr std::size_t kCookieIndexTextAt = 97;
inline constexpr std::size_t kCookieIndexTextSize = 159;

// The text area reduced to its printable runs (bytes 33-126), a NUL after a
// printable byte standing as one blank.
std::string CookieRecordText(std::string_view area);

// The two parts of a record text: the site row ("http://" + the address up
// to and including its first blank) and the file part after that blank.
struct CookieRecordParts {
  std::string siteRow, filePart;
};
CookieRecordParts SplitCookieRecord(const std::string& recordText);

// Calls `visit` with the parts of every cookie record of the index at
// `path`, in file order; a trailing block shorter than 256 bytes is ignored.
// A missing index has no records (and is never created). Raises the
// runtime's error when the file cannot be read.
void ForEachCookieRecord(const std::string& path, const std::function<void(const CookieRecordParts&)>& visit);

}  // namespace cleaning
