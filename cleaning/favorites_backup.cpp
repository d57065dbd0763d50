#include "cleaning/favorites_backup.h"

#include <string_view>

#include "platform/base/cp1252.h"
#include "platform/forms/strings.h"

namespace cleaning {
namespace {

constexpr std::string_view kCountedPath = "[PATH:";
constexpr std::string_view kCountedData = "[DATA:";
constexpr std::string_view kOldPath = "[PATH]";
constexpr std::string_view kOldData = "[DATA]";

std::string Counted(std::string_view mark, const std::string& bytes) {
  return std::string(mark) + std::to_string(bytes.size()) + "]" + bytes;
}

// Reads `mark`, a decimal count and "]" at `at`, then that many bytes;
// false when they are not there whole.
bool TakeCounted(const std::string& text, std::size_t& at, std::string_view mark, std::string& out) {
  if (text.compare(at, mark.size(), mark) != 0) return false;
  const std::size_t digits = at + mark.size();
  std::size_t end = digits;
  while (end < text.size() && end - digits < 10 && text[end] >= '0' && text[end] <= '9') ++end;
  if (end == digits || end >= text.size() || text[end] != ']') return false;
  const std::uint64_t count = std::stoull(text.substr(digits, end - digits));
  const std::size_t start = end + 1;
  if (count > text.size() - start) return false;
  out = text.substr(start, static_cast<std::size_t>(count));
  at = start + static_cast<std::size_t>(count);
  return true;
}

std::vector<FavoriteEntry> ParseCounted(const std::string& text) {
  std::vector<FavoriteEntry> entries;
  for (std::size_t at = 0; at < text.size();) {
    FavoriteEntry entry;
    entry.complete = TakeCounted(text, at, kCountedPath, entry.path) && TakeCounted(text, at, kCountedData, entry.content);
    entries.push_back(std::move(entry));
    if (!entries.back().complete) break;  // nothing after a cut record can be placed
  }
  return entries;
}

// The older writer put full paths ("C:\...") after each "[PATH]".
bool LooksLikeFullPath(std::string_view path) {
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::vector<FavoriteEntry> ParseOlder(const std::string& text) {
  std::vector<FavoriteEntry> entries;
  auto pieces = platform::forms::Split(text, kOldPath);
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    const std::string& piece = pieces[i];
    const std::size_t data = piece.find(kOldData);
    if (data != std::string::npos && LooksLikeFullPath(std::string_view(piece).substr(0, data))) {
      entries.push_back({piece.substr(0, data), piece.substr(data + kOldData.size()), true});
    } else if (!entries.empty() && entries.back().complete) {
      // A "[PATH]" that was part of the previous favourite's text.
      entries.back().content += std::string(kOldPath) + piece;
    } else {
      entries.push_back({piece, "", false});
    }
  }
  return entries;
}

std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

// "." dropped, ".." going up but never above the first component (the drive).
std::vector<std::string> Resolved(const std::vector<std::string>& parts) {
  std::vector<std::string> out;
  for (const auto& part : parts) {
    if (part == ".") continue;
    if (part == "..") {
      if (out.size() > 1) out.pop_back();
      continue;
    }
    out.push_back(part);
  }
  return out;
}

}  // namespace

std::string FavoriteRecord(const std::string& path, const std::string& content) {
  return Counted(kCountedPath, path) + Counted(kCountedData, content);
}

std::vector<FavoriteEntry> ParseFavoriteRecords(const std::string& text) {
  return text.compare(0, kCountedPath.size(), kCountedPath) == 0 ? ParseCounted(text) : ParseOlder(text);
}

std::optional<std::string> SafeFavoritePath(const std::string& favorites, const std::string& path) {
  auto base = Resolved(Components(favorites));
  auto target = Components(path);
  // Absolute paths only: a drive first, as the backup writes them.
  if (base.empty() || target.empty() || target[0].size() != 2 || target[0][1] != ':') return std::nullopt;
  if (path.size() < 3 || (path[2] != '\\' && path[2] != '/')) return std::nullopt;
  target = Resolved(target);
  if (target.size() <= base.size()) return std::nullopt;
  for (std::size_t i = 0; i < base.size(); ++i)
    if (!platform::EqualsNoCase(base[i], target[i])) return std::nullopt;
  for (std::size_t i = base.size(); i < target.size(); ++i)
    if (target[i].find(':') != std::string::npos) return std::nullopt;
  std::string out = target[0];
  for (std::size_t i = 1; i < target.size(); ++i) out += "\\" + target[i];
  return out;
}

}  // namespace cleaning
