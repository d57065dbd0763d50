#include "cleaning/delete_at_restart.h"

#include <vector>

#include "platform/base/cp1252.h"
#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/strings.h"
#include "platform/machine/environment.h"
#include "support/COpSysInfo.h"
#include "support/system_folders.h"

namespace cleaning {

namespace {

const char* const kNtPlatforms[] = {"Windows NT", "Windows 2000", "Windows XP"};

bool IsNtRoute() {
  std::string name = g_OSInfo().Platform();
  for (const char* nt : kNtPlatforms)
    if (name == nt) return true;
  return false;  // an unknown platform takes the 9x route
}

// The Windows folder WinInit.ini lives in: %WinDir%, else the folder global.
std::string WindowsFolder() {
  std::string folder = platform::EnvironmentValue("WinDir").value_or("");
  if (platform::forms::Trim(folder).empty()) folder = g_WindowsDir;
  return platform::forms::Trim(folder);
}

bool IsSectionLine(std::string_view line) {
  std::string trimmed = platform::forms::Trim(line);
  return trimmed.size() >= 2 && trimmed.front() == '[';
}

}  // namespace

std::string WithRenameLine(std::string text, const std::string& line) {
  text.resize(std::min(text.size(), text.find('\0')));
  std::vector<std::string> lines;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string current = text.substr(pos, end - pos);
    if (!current.empty() && current.back() == '\r') current.pop_back();
    lines.push_back(std::move(current));
    pos = end + 1;
  }
  std::size_t header = lines.size();
  for (std::size_t i = 0; i < lines.size() && header == lines.size(); ++i)
    if (platform::EqualsNoCase(platform::forms::Trim(lines[i]), "[Rename]")) header = i;
  if (header == lines.size()) {
    lines.push_back("[Rename]");
    lines.push_back(line);
  } else {
    std::size_t end = header + 1;
    while (end < lines.size() && !IsSectionLine(lines[end])) ++end;
    // The new entry goes after the section's last entry, before its blank lines.
    while (end > header + 1 && platform::forms::Trim(lines[end - 1]).empty()) --end;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), line);
  }
  std::string result;
  for (const auto& current : lines) result += current + "\r\n";
  return result;
}

bool ScheduleDeleteAtRestart(const std::string& shortPath) {
  if (IsNtRoute()) return MoveFileExA(shortPath.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
  std::string folder = WindowsFolder();
  if (folder.empty()) return false;
  std::string iniPath = folder + (folder.back() == '\\' ? "" : "\\") + "WinInit.ini";
  std::string text;
  DWORD read = platform::files::ReadFileContent(iniPath, text);
  if (read != ERROR_SUCCESS && read != ERROR_FILE_NOT_FOUND) return false;
  if (read == ERROR_FILE_NOT_FOUND) text.clear();
  return platform::files::WriteFileContent(iniPath, WithRenameLine(text, "NUL=" + shortPath)) == ERROR_SUCCESS;
}

}  // namespace cleaning
