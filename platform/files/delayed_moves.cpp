#include "platform/files/delayed_moves.h"

#include "platform/base/cp1252.h"
#include "platform/files/file_operations.h"
#include "platform/files/file_system.h"
#include "platform/files/pending_renames_registry.h"

namespace platform::files {
namespace {

constexpr std::string_view kNtPrefix = "\\??\\";

std::string StripNtPrefix(std::string_view path) {
  if (path.starts_with("!")) path.remove_prefix(1);
  if (path.starts_with(kNtPrefix)) path.remove_prefix(kNtPrefix.size());
  return std::string(path);
}

// The full Windows path of `text`, which need not exist.
DWORD FullPath(FileSystem& fs, const char* text, std::string& out) {
  PathContext context;
  context.currentDrive = fs.currentDrive();
  context.currentDirectory = [&fs](char drive) { return fs.CurrentDirectory(drive); };
  WindowsPath parsed;
  if (DWORD error = ParseWindowsPath(text, context, parsed)) return error;
  out = parsed.text();
  return ERROR_SUCCESS;
}

void DeleteEither(FileSystem& fs, const std::string& path) {
  Resolved r;
  if (fs.Resolve(path, r) != ERROR_SUCCESS || !r.exists) return;
  if (r.isDirectory())
    RemoveDirectoryAt(fs, path);
  else
    DeleteFileAt(fs, path);
}

void ApplyNtPending(FileSystem& fs) {
  for (const auto& [source, destination] : TakePendingRenames(fs.machine())) {
    std::string from = StripNtPrefix(source);
    if (destination.empty()) {
      DeleteEither(fs, from);
    } else {
      MoveEntry(fs, from, StripNtPrefix(destination), destination.starts_with("!"));
    }
  }
}

std::string Trim(std::string_view text) {
  std::size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  std::size_t e = text.find_last_not_of(" \t\r");
  return std::string(text.substr(b, e - b + 1));
}

void ApplyWininit(FileSystem& fs) {
  std::string windows = fs.machine().folders().windows;
  std::string wininit = windows + "\\WININIT.INI";
  std::string content;
  if (ReadContent(fs, wininit, content) != ERROR_SUCCESS) return;
  bool inRename = false;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    std::string line = Trim(std::string_view(content).substr(start, end == std::string::npos ? end : end - start));
    start = end == std::string::npos ? content.size() : end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      std::size_t close = line.find(']');
      inRename = close != std::string::npos && EqualsNoCase(Trim(line.substr(1, close - 1)), "rename");
      continue;
    }
    std::size_t equals = line.find('=');
    if (!inRename || equals == std::string::npos) continue;
    std::string key = Trim(line.substr(0, equals));
    std::string value = Trim(line.substr(equals + 1));
    if (EqualsNoCase(key, "NUL")) {
      DeleteFileAt(fs, value);
    } else if (EqualsNoCase(key, "DIRNUL")) {
      RemoveDirectoryAt(fs, value);
    } else {
      // dst=src: the new file takes the place of the old one.
      MoveEntry(fs, value, key, true);
    }
  }
  MoveEntry(fs, wininit, windows + "\\WININIT.BAK", true);
}

}  // namespace

DWORD ScheduleMoveAtRestart(FileSystem& fs, const char* source, const char* destination, DWORD flags) {
  std::string from, to;
  if (DWORD error = FullPath(fs, source, from)) return error;
  if (destination) {
    if (DWORD error = FullPath(fs, destination, to)) return error;
    to = std::string((flags & 1) ? "!" : "") + std::string(kNtPrefix) + to;
  }
  return AppendPendingRename(std::string(kNtPrefix) + from, to);
}

void ApplyDelayedMoves(FileSystem& fs) {
  if (fs.machine().isNt())
    ApplyNtPending(fs);
  else
    ApplyWininit(fs);
}

}  // namespace platform::files
