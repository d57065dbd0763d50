#pragma once
// The binary shell-link (.lnk) format, as far as shortcuts need it: a
// 0x4C-byte header with the link class id, an optional item-id list
// (skipped), optional link information (volume, local base path, common
// path suffix) and the counted strings (name, relative path, working
// directory, arguments, icon). All structures are little-endian.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::files {

struct ShellLinkData {
  bool hasLinkInfo = false;
  std::string localBasePath;  // from the link information
  std::string commonPathSuffix;
  std::string workingDirectory;
  std::string arguments;
  // Volume facts written into the link information.
  std::uint32_t driveType = 0;
  std::uint32_t driveSerial = 0;

  // Local base path + common path suffix; "" without link information.
  std::string targetPath() const { return hasLinkInfo ? localBasePath + commonPathSuffix : std::string(); }
};

// How a link is laid out when written. Save writes the defaults; test
// fixtures vary them to build links as other writers do.
struct ShellLinkLayout {
  // Raw items of an item-id list (the terminating zero item is added);
  // none when empty.
  std::string itemIdList;
  // Strings as UTF-16LE (the IsUnicode flag) or as Windows-1252 bytes.
  bool unicodeStrings = true;
};

std::string EncodeShellLink(const ShellLinkData& link, const ShellLinkLayout& layout = {});
// The link's data, or nothing when the bytes are not a shell link or are
// cut short.
std::optional<ShellLinkData> DecodeShellLink(std::string_view bytes);

}  // namespace platform::files
