#include "platform/activex/backup_entries.h"

#include "platform/base/cp1252.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/path_syntax.h"

namespace platform::activex {
namespace {

constexpr UINT kUnknownDrive = 0, kNoRootDrive = 1;

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A component a stored path may hold: not empty, not "." or "..", no
// character a Windows name may not carry, no wildcard.
bool IsPlainName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || files::IsReservedDeviceName(name)) return false;
  for (unsigned char c : name)
    if (c < 32 || std::string_view("<>:\"|?*/\\").find(static_cast<char>(c)) != std::string_view::npos)
      return false;
  return true;
}

std::vector<std::string> SplitAt(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

}  // namespace

std::optional<std::string> EntryNameOf(const std::string& windowsPath) {
  if (windowsPath.size() < 4 || !IsDriveLetter(windowsPath[0]) || windowsPath[1] != ':' || windowsPath[2] != '\\')
    return std::nullopt;
  std::string name(1, windowsPath[0]);
  for (const std::string& part : SplitAt(windowsPath.substr(3), '\\')) {
    if (!IsPlainName(part)) return std::nullopt;
    name += "/" + part;
  }
  return Cp1252ToUtf8(ToUpper(name));
}

std::optional<std::string> RestorePathOf(const std::string& entryName, const std::string& recordedPath) {
  auto ansi = Utf8ToCp1252(entryName);
  if (!ansi) return std::nullopt;
  std::vector<std::string> parts = SplitAt(*ansi, '/');
  if (parts.size() < 2 || parts[0].size() != 1 || !IsDriveLetter(parts[0][0])) return std::nullopt;
  std::string root = parts[0] + ":\\";
  UINT type = GetDriveTypeA(root.c_str());
  if (type == kUnknownDrive || type == kNoRootDrive) return std::nullopt;
  std::string path = parts[0] + ":";
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (!IsPlainName(parts[i])) return std::nullopt;
    path += "\\" + parts[i];
  }
  if (auto recordedEntry = EntryNameOf(recordedPath); recordedEntry && *recordedEntry == entryName) return recordedPath;
  return path;
}

std::vector<std::string> RecordedPaths(const std::string& comment) {
  auto ansi = Utf8ToCp1252(comment);
  if (!ansi || ansi->empty()) return {};
  std::vector<std::string> lines = SplitAt(*ansi, '\n');
  for (auto& line : lines)
    if (!line.empty() && line.back() == '\r') line.pop_back();
  return lines;
}

std::string RecordPaths(const std::vector<std::string>& paths) {
  std::string text;
  for (const auto& path : paths) text += (text.empty() ? "" : "\r\n") + path;
  return Cp1252ToUtf8(text);
}

}  // namespace platform::activex
