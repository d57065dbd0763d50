// Saving the cleaning log to a file the user names, and starting the
// System Information program found through the registry.
#include "mainwindow/Form1.h"
#include "platform/base/runtime_error.h"
#include "platform/files/file_system_object.h"
#include "platform/machine/environment.h"
#include "platform/registry/advapi32.h"
#include "platform/shell/launch.h"

using namespace platform::forms;

namespace {

constexpr const char* kLogFilter = "Log file|*.log";
constexpr const char* kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";
constexpr int kNormalFocus = 1;
constexpr DWORD kValueBuffer = 1024;

// Creates (or replaces) the file as ANSI text with the log's bytes as they
// are, closing it whatever happens; the error that stopped it, if any.
std::optional<platform::RuntimeError> WriteTextFile(platform::scripting::FileSystemObject& fso,
                                                    const std::string& path, const std::string& text) {
  try {
    platform::scripting::TextStream stream = fso.CreateTextFile(path, true, false);
    try {
      stream.Write(text);
    } catch (const platform::RuntimeError&) {
      stream.Close();
      throw;
    }
    stream.Close();
    return std::nullopt;
  } catch (const platform::RuntimeError& error) {
    return error;
  }
}

// Starts the program with a normal, focused window. The path is quoted so
// that the blanks of "C:\Program Files\..." are part of it.
bool StartProgram(const std::string& path) {
  std::string command = path.size() > 1 && path.front() == '"' ? path : "\"" + path + "\"";
  try {
    Shell(command, kNormalFocus);
    return true;
  } catch (const platform::RuntimeError&) {
    return false;
  }
}

}  // namespace

void Form1Form::WireLogAndSysInfo() {
  cmdSysInfo.Caption("System Info");
  TSY_ON(cmdSaveLog, Click, cmdSaveLog_Click);
  TSY_ON(cmdSysInfo, Click, cmdSysInfo_Click);
}

// The dialog is shared with other pages: a name one of them left behind
// must not count as the user's answer, and a cancel never writes.
void Form1Form::cmdSaveLog_Click() {
  cmdg.FileName = "";
  cmdg.Filter = kLogFilter;
  OnErrorResumeNext guard;
  guard([&] { cmdg.ShowSave(); });  // CancelError may be on from another page
  const std::string fileName = cmdg.FileName;
  if (fileName.empty()) return;
  if (auto failure = WriteTextFile(FileSystem(), fileName, txtResult.Text()))
    MsgBox("The log could not be saved to " + fileName + ": " + failure->description(), vbOKOnly | vbExclamation);
}

void Form1Form::cmdSysInfo_Click() { StartSysInfo(); }

// A program named by "PATH" that cannot be started ends in the message; it
// does not fall back to the shared-tools folder.
void Form1Form::StartSysInfo() {
  const auto hklm = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);
  std::string path;
  bool started = false;
  if (GetKeyValue(hklm, kMsInfoKey, "PATH", path)) {
    started = StartProgram(path);
  } else if (GetKeyValue(hklm, kSharedToolsKey, "MSINFO", path)) {
    std::string program = path + "\\MSINFO32.EXE";
    started = FileSystem().FileExists(program) && StartProgram(program);
  }
  if (!started) MsgBox(kUnavailable, vbOKOnly);
}

bool Form1Form::GetKeyValue(std::int32_t KeyRoot, const std::string& keyname, const std::string& SubKeyRef,
                            std::string& KeyVal) {
  KeyVal = "";
  HKEY key = 0;
  if (RegOpenKeyExA(static_cast<HKEY>(KeyRoot), keyname.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  std::string buffer(kValueBuffer, '\0');
  DWORD type = 0, size = kValueBuffer;
  LONG queried =
      RegQueryValueExA(key, SubKeyRef.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
  RegCloseKey(key);
  if (queried != ERROR_SUCCESS) return false;
  buffer.resize(size);
  switch (type) {
    case REG_SZ:
      KeyVal = buffer.substr(0, buffer.find('\0'));
      return true;
    case REG_EXPAND_SZ:
      KeyVal = platform::ExpandEnvironment(buffer.substr(0, buffer.find('\0')));
      return true;
    case REG_DWORD: {
      if (size != 4) return false;
      std::uint32_t number = 0;
      for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(buffer[i]);
      KeyVal = std::to_string(number);
      return true;
    }
    default:
      return false;
  }
}
