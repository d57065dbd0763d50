#include "cleaning/shortcut_target.h"

#include <cstdint>
#include <cstring>

#include "platform/files/file_content.h"

namespace cleaning {

namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr unsigned char kLinkClassId[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                            0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::uint32_t kHasIdList = 0x1, kHasLinkInfo = 0x2;
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;

bool ReadU32(std::string_view bytes, std::size_t at, std::uint32_t& out) {
  if (at > bytes.size() || bytes.size() - at < 4) return false;
  out = 0;
  for (int i = 3; i >= 0; --i) out = (out << 8) | static_cast<unsigned char>(bytes[at + i]);
  return true;
}

bool ReadU16(std::string_view bytes, std::size_t at, std::uint32_t& out) {
  if (at > bytes.size() || bytes.size() - at < 2) return false;
  out = static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
  return true;
}

// The NUL-ended text at `at` inside `area`; nullopt when it runs off.
std::optional<std::string> TextAt(std::string_view area, std::size_t at) {
  if (at >= area.size()) return std::nullopt;
  std::size_t end = area.find('\0', at);
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(area.substr(at, end - at));
}

}  // namespace

std::optional<std::string> ShellLinkTarget(std::string_view bytes) {
  std::uint32_t headerSize = 0, flags = 0;
  if (!ReadU32(bytes, 0, headerSize) || headerSize != kHeaderSize || bytes.size() < kHeaderSize) return std::nullopt;
  if (std::memcmp(bytes.data() + 4, kLinkClassId, sizeof kLinkClassId) != 0) return std::nullopt;
  ReadU32(bytes, 0x14, flags);
  std::size_t at = kHeaderSize;
  if (flags & kHasIdList) {
    std::uint32_t listSize = 0;
    if (!ReadU16(bytes, at, listSize)) return std::nullopt;
    at += 2 + listSize;
    if (at > bytes.size()) return std::nullopt;
  }
  if (!(flags & kHasLinkInfo)) return std::string();
  std::uint32_t infoSize = 0, infoFlags = 0, baseOffset = 0, suffixOffset = 0;
  if (!ReadU32(bytes, at, infoSize) || infoSize < 28 || bytes.size() - at < infoSize) return std::nullopt;
  std::string_view info = bytes.substr(at, infoSize);
  ReadU32(info, 8, infoFlags);
  ReadU32(info, 16, baseOffset);
  ReadU32(info, 24, suffixOffset);
  if (!(infoFlags & kVolumeIdAndLocalBasePath)) return std::string();
  auto base = TextAt(info, baseOffset);
  if (!base) return std::nullopt;
  auto suffix = suffixOffset ? TextAt(info, suffixOffset) : std::optional<std::string>("");
  if (!suffix) return std::nullopt;
  return *base + *suffix;
}

std::optional<std::string> ReadShortcutTarget(const std::string& path) {
  std::string bytes;
  if (platform::files::ReadFileContent(path, bytes) != 0) return std::nullopt;
  return ShellLinkTarget(bytes);
}

}  // namespace cleaning
