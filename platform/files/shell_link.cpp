#include "platform/files/shell_link.h"

#include "platform/files/utf16_text.h"

namespace platform::files {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
// {00021401-0000-0000-C000-000000000046} in its stored byte order.
constexpr unsigned char kLinkClassId[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                            0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

enum LinkFlags : std::uint32_t {
  kHasIdList = 0x01,
  kHasLinkInfo = 0x02,
  kHasName = 0x04,
  kHasRelativePath = 0x08,
  kHasWorkingDir = 0x10,
  kHasArguments = 0x20,
  kHasIconLocation = 0x40,
  kIsUnicode = 0x80,
  kForceNoLinkInfo = 0x100,
};
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kVolumeIdHeaderSize = 0x10;
constexpr std::uint32_t kShowNormal = 1;

void PutU16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}
void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}
void SetU32(std::string& out, std::size_t at, std::uint32_t value) {
  std::string bytes;
  PutU32(bytes, value);
  out.replace(at, 4, bytes);
}

void PutCountedString(std::string& out, std::string_view text, bool unicode) {
  PutU16(out, static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), 0xFFFF)));
  text = text.substr(0, 0xFFFF);
  out += unicode ? Cp1252ToUtf16Le(text) : std::string(text);
}

std::string LinkInfo(const ShellLinkData& link) {
  std::string info(kLinkInfoHeaderSize, '\0');
  std::uint32_t volumeOffset = static_cast<std::uint32_t>(info.size());
  PutU32(info, kVolumeIdHeaderSize + 1);
  PutU32(info, link.driveType);
  PutU32(info, link.driveSerial);
  PutU32(info, kVolumeIdHeaderSize);
  info += '\0';  // empty volume label
  auto baseOffset = static_cast<std::uint32_t>(info.size());
  info += link.localBasePath + '\0';
  auto suffixOffset = static_cast<std::uint32_t>(info.size());
  info += link.commonPathSuffix + '\0';
  SetU32(info, 0, static_cast<std::uint32_t>(info.size()));
  SetU32(info, 4, kLinkInfoHeaderSize);
  SetU32(info, 8, kVolumeIdAndLocalBasePath);
  SetU32(info, 12, volumeOffset);
  SetU32(info, 16, baseOffset);
  SetU32(info, 20, 0);  // no network link
  SetU32(info, 24, suffixOffset);
  return info;
}

// A bounds-checked reader: every read past the end marks the link cut short.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  std::size_t position() const { return pos_; }
  std::uint32_t U16() {
    if (!Fits(2)) return 0;
    std::uint32_t value = Byte(pos_) | (Byte(pos_ + 1) << 8);
    pos_ += 2;
    return value;
  }
  std::uint32_t U32() {
    if (!Fits(4)) return 0;
    std::uint32_t value = Byte(pos_) | (Byte(pos_ + 1) << 8) | (Byte(pos_ + 2) << 16) | (Byte(pos_ + 3) << 24);
    pos_ += 4;
    return value;
  }
  std::string_view Take(std::size_t count) {
    if (!Fits(count)) return {};
    std::string_view out = bytes_.substr(pos_, count);
    pos_ += count;
    return out;
  }
  void Skip(std::size_t count) { Take(count); }

 private:
  bool Fits(std::size_t count) {
    if (!ok_ || count > bytes_.size() - pos_) ok_ = false;
    return ok_;
  }
  std::uint32_t Byte(std::size_t at) const {
    return at < bytes_.size() ? static_cast<unsigned char>(bytes_[at]) : 0u;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

// A NUL-ended text at `offset` inside `block`; nothing when it runs out.
std::optional<std::string> TextAt(std::string_view block, std::uint32_t offset) {
  if (offset >= block.size()) return std::nullopt;
  std::size_t end = block.find('\0', offset);
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(block.substr(offset, end - offset));
}

bool ReadLinkInfo(std::string_view info, ShellLinkData& link) {
  Reader r(info);
  r.U32();  // size, checked by the caller
  std::uint32_t headerSize = r.U32();
  std::uint32_t flags = r.U32();
  r.U32();  // volume id offset
  std::uint32_t baseOffset = r.U32();
  r.U32();  // network link offset
  std::uint32_t suffixOffset = r.U32();
  if (!r.ok() || headerSize < kLinkInfoHeaderSize) return false;
  if (!(flags & kVolumeIdAndLocalBasePath)) return true;  // a network-only target has no local path
  auto base = TextAt(info, baseOffset);
  if (!base) return false;
  link.hasLinkInfo = true;
  link.localBasePath = *base;
  if (suffixOffset != 0) {
    auto suffix = TextAt(info, suffixOffset);
    if (!suffix) return false;
    link.commonPathSuffix = *suffix;
  }
  return true;
}

std::optional<std::string> ReadCountedString(Reader& r, bool unicode) {
  std::uint32_t count = r.U16();
  std::string_view raw = r.Take(unicode ? count * 2u : count);
  if (!r.ok()) return std::nullopt;
  if (!unicode) return std::string(raw);
  std::string text;
  for (std::size_t i = 0; i + 1 < raw.size(); i += 2)
    text += UnitToCp1252(static_cast<char16_t>(static_cast<unsigned char>(raw[i]) |
                                               (static_cast<unsigned char>(raw[i + 1]) << 8)));
  return text;
}

}  // namespace

std::string EncodeShellLink(const ShellLinkData& link, const ShellLinkLayout& layout) {
  std::uint32_t flags = 0;
  if (!layout.itemIdList.empty()) flags |= kHasIdList;
  if (link.hasLinkInfo) flags |= kHasLinkInfo;
  if (!link.workingDirectory.empty()) flags |= kHasWorkingDir;
  if (!link.arguments.empty()) flags |= kHasArguments;
  if (layout.unicodeStrings) flags |= kIsUnicode;

  std::string out;
  PutU32(out, kHeaderSize);
  out.append(reinterpret_cast<const char*>(kLinkClassId), sizeof kLinkClassId);
  PutU32(out, flags);
  PutU32(out, 0);                     // target attributes
  out.append(24, '\0');               // creation, access, write times
  PutU32(out, 0);                     // target size
  PutU32(out, 0);                     // icon index
  PutU32(out, kShowNormal);
  out.append(2 + 2 + 4 + 4, '\0');    // hot key, reserved
  if (flags & kHasIdList) {
    PutU16(out, static_cast<std::uint32_t>(layout.itemIdList.size() + 2));
    out += layout.itemIdList;
    PutU16(out, 0);
  }
  if (flags & kHasLinkInfo) out += LinkInfo(link);
  if (flags & kHasWorkingDir) PutCountedString(out, link.workingDirectory, layout.unicodeStrings);
  if (flags & kHasArguments) PutCountedString(out, link.arguments, layout.unicodeStrings);
  PutU32(out, 0);  // no extra data blocks
  return out;
}

std::optional<ShellLinkData> DecodeShellLink(std::string_view bytes) {
  Reader r(bytes);
  if (r.U32() != kHeaderSize) return std::nullopt;
  std::string_view classId = r.Take(16);
  if (!r.ok() || classId != std::string_view(reinterpret_cast<const char*>(kLinkClassId), 16)) return std::nullopt;
  std::uint32_t flags = r.U32();
  r.Skip(kHeaderSize - r.position());
  if (!r.ok()) return std::nullopt;

  ShellLinkData link;
  if (flags & kHasIdList) r.Skip(r.U16());
  if (flags & kHasLinkInfo) {
    std::size_t start = r.position();
    std::uint32_t size = r.U32();
    if (!r.ok() || size < kLinkInfoHeaderSize) return std::nullopt;
    std::string_view info = bytes.substr(start);
    r.Skip(size - 4);
    if (!r.ok()) return std::nullopt;
    if (!(flags & kForceNoLinkInfo) && !ReadLinkInfo(info.substr(0, size), link)) return std::nullopt;
  }
  bool unicode = (flags & kIsUnicode) != 0;
  for (std::uint32_t flag : {kHasName, kHasRelativePath, kHasWorkingDir, kHasArguments, kHasIconLocation}) {
    if (!(flags & flag)) continue;
    auto text = ReadCountedString(r, unicode);
    if (!text) return std::nullopt;
    if (flag == kHasWorkingDir) link.workingDirectory = std::move(*text);
    if (flag == kHasArguments) link.arguments = std::move(*text);
  }
  if (!r.ok()) return std::nullopt;
  return link;
}

}  // namespace platform::files
