#include "cleaning/favorites_backup.h"

#include "platform/base/cp1252.h"
#include "platform/forms/strings.h"

namespace cleaning {
namespace {

constexpr const char* kPathMark = "[PATH]";
constexpr const char* kDataMark = "[DATA]";

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

// The name as the file system stores it: trailing blanks and dots removed.
std::string StoredName(std::string name) {
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  return name;
}

}  // namespace

std::string FavoriteRecord(const std::string& path, const std::string& content) {
  return kPathMark + path + kDataMark + content;
}

std::vector<FavoriteEntry> ParseFavoriteRecords(const std::string& text) {
  std::vector<FavoriteEntry> entries;
  auto pieces = platform::forms::Split(text, kPathMark);
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    auto parts = platform::forms::Split(pieces[i], kDataMark);
    FavoriteEntry entry;
    if (parts.empty()) parts.emplace_back();
    entry.path = parts[0];
    entry.complete = parts.size() > 1;
    if (entry.complete) entry.content = parts[1];
    entries.push_back(std::move(entry));
  }
  return entries;
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
  std::string name = StoredName(target.back());
  if (name.size() <= 4 || !platform::EqualsNoCase(name.substr(name.size() - 4), ".url")) return std::nullopt;
  std::string out = target[0];
  for (std::size_t i = 1; i < target.size(); ++i) out += "\\" + target[i];
  return out;
}

}  // namespace cleaning
