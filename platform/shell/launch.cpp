#include "platform/shell/launch.h"

#include <cstring>
#include <deque>
#include <vector>

#include "platform/base/cp1252.h"
#include "platform/base/journal.h"
#include "platform/base/last_error.h"
#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/window_messages.h"
#include "platform/machine/environment.h"
#include "platform/machine/machine.h"
#include "platform/machine/sysinfo.h"
#include "platform/shell/shell32.h"

namespace platform::shell {
namespace {

constexpr const char* kNull = "(null)";
constexpr HINSTANCE kShellExecuteSuccess = 42;
constexpr DWORD kFirstTaskId = 0x1F4;

struct LaunchState {
  std::deque<HINSTANCE> scriptedResults;
  DWORD nextTaskId = kFirstTaskId;
};

LaunchState& State() {
  static LaunchState* state = new LaunchState;
  return *state;
}

std::string Text(LPCSTR text) { return text ? text : kNull; }

bool IsUrl(const std::string& text) {
  for (const char* scheme : {"http:", "https:", "ftp:", "mailto:"})
    if (text.size() >= std::strlen(scheme) && EqualsNoCase(text.substr(0, std::strlen(scheme)), scheme)) return true;
  return false;
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The first token: quoted, or up to the first blank.
std::string FirstToken(const std::string& commandLine) {
  std::size_t start = commandLine.find_first_not_of(' ');
  if (start == std::string::npos) return {};
  if (commandLine[start] == '"') {
    std::size_t close = commandLine.find('"', start + 1);
    return commandLine.substr(start + 1, close == std::string::npos ? std::string::npos : close - start - 1);
  }
  return commandLine.substr(start, commandLine.find(' ', start) - start);
}

bool HasExtension(const std::string& name) {
  std::size_t dot = name.find_last_of('.');
  std::size_t slash = name.find_last_of("\\/:");
  return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

std::string FolderFrom(UINT (*call)(LPSTR, UINT)) {
  char buffer[MAX_PATH] = {};
  UINT length = call(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

// Program folder, current directory, system folder, Windows folder, PATH.
std::vector<std::string> SearchFolders() {
  std::vector<std::string> folders;
  if (Machine* machine = CurrentMachine()) folders.push_back(machine->programFolder());
  char current[MAX_PATH] = {};
  DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
  if (length > 0 && length < MAX_PATH) folders.emplace_back(current, length);
  folders.push_back(FolderFrom(GetSystemDirectoryA));
  folders.push_back(FolderFrom(GetWindowsDirectoryA));
  std::string path = EnvironmentValue("PATH").value_or("");
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t semicolon = path.find(';', start);
    if (semicolon == std::string::npos) semicolon = path.size();
    if (semicolon > start) folders.push_back(path.substr(start, semicolon - start));
    start = semicolon + 1;
  }
  return folders;
}

// Records a start and hands out its task id.
DWORD RecordStart(const char* call, const std::string& commandLine, const std::string& program, UINT show) {
  DWORD id = State().nextTaskId++;
  TheJournal().Record(call, {commandLine, std::to_string(show), program, std::to_string(id)});
  return id;
}

}  // namespace

void ScriptShellExecuteResult(HINSTANCE result) { State().scriptedResults.push_back(result); }

void ResetLaunches() { State() = LaunchState{}; }

std::optional<std::string> FindProgram(const std::string& commandLine) {
  std::string program = FirstToken(commandLine);
  if (program.empty()) return std::nullopt;
  if (!HasExtension(program)) program += ".exe";
  if (program.find_first_of("\\/:") != std::string::npos) {
    if (IsFile(program)) return program;
    return std::nullopt;
  }
  for (const auto& folder : SearchFolders()) {
    if (folder.empty()) continue;
    std::string candidate = Join(folder, program);
    if (IsFile(candidate)) return candidate;
  }
  return std::nullopt;
}

}  // namespace platform::shell

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int show) {
  using namespace platform::shell;
  HINSTANCE result;
  auto& scripted = State().scriptedResults;
  if (!scripted.empty()) {
    result = scripted.front();
    scripted.pop_front();
  } else if (!file || (!IsUrl(file) && GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES)) {
    result = SE_ERR_FNF;
  } else if (directory && *directory && !IsFolder(directory)) {
    result = SE_ERR_PNF;
  } else {
    result = kShellExecuteSuccess;
  }
  platform::TheJournal().Record("ShellExecute", {platform::forms::HexText(owner), Text(verb), Text(file),
                                                 Text(parameters), Text(directory), std::to_string(show),
                                                 std::to_string(result)});
  return result;
}

UINT WinExec(LPCSTR commandLine, UINT show) {
  if (!commandLine) return ERROR_FILE_NOT_FOUND;
  auto program = platform::shell::FindProgram(commandLine);
  if (!program) {
    platform::TheJournal().Record("WinExec", {commandLine, std::to_string(show), "", "not found"});
    return ERROR_FILE_NOT_FOUND;
  }
  platform::shell::RecordStart("WinExec", commandLine, *program, show);
  return 33;  // above 31: started
}

BOOL CreateProcessA(LPCSTR applicationName, LPSTR commandLine, void*, void*, BOOL, DWORD, void*, LPCSTR,
                    STARTUPINFOA* startupInfo, PROCESS_INFORMATION* processInformation) {
  if (!applicationName && !commandLine) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string line = commandLine ? commandLine : "";
  std::string lookup = applicationName ? "\"" + std::string(applicationName) + "\"" : line;
  auto program = platform::shell::FindProgram(lookup);
  if (!program) {
    platform::TheJournal().Record("CreateProcess", {line, "", "", "not found"});
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  UINT show = startupInfo ? startupInfo->wShowWindow : SW_SHOWNORMAL;
  DWORD id = platform::shell::RecordStart("CreateProcess", line.empty() ? *program : line, *program, show);
  if (processInformation) *processInformation = {nullptr, nullptr, id, id};
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

namespace platform::forms {

double Shell(const std::string& pathName, int windowStyle) {
  auto program = shell::FindProgram(pathName);
  if (!program) RaiseRuntimeError(53);
  return shell::RecordStart("Shell", pathName, *program, static_cast<UINT>(windowStyle));
}

}  // namespace platform::forms
