#include "platform/machine/environment.h"

#include <cstring>
#include <utility>
#include <vector>

#include "platform/base/cp1252.h"
#include "platform/base/last_error.h"
#include "platform/machine/machine.h"

namespace platform {
namespace {

using Variables = std::vector<std::pair<std::string, std::string>>;

void Assign(Variables& vars, const std::string& name, const std::string& value) {
  for (auto it = vars.begin(); it != vars.end(); ++it) {
    if (EqualsNoCase(it->first, name)) {
      if (value.empty()) vars.erase(it);
      else it->second = value;
      return;
    }
  }
  if (!value.empty()) vars.emplace_back(name, value);
}

// The variables a fresh log-on has on this OS.
Variables DefaultVariables(const MachineDescription& d) {
  StandardFolders f = DefaultFolders(d.os, d.userName);
  Variables vars;
  if (d.family() == OsFamily::Win9x) {
    vars = {{"windir", f.windows},
            {"winbootdir", f.windows},
            {"TEMP", f.windows + "\\TEMP"},
            {"TMP", f.windows + "\\TEMP"},
            {"PATH", f.windows + ";" + f.windows + "\\COMMAND"},
            {"COMSPEC", f.windows + "\\COMMAND.COM"}};
    return vars;
  }
  std::string temp = d.os == OsKind::NT4 ? "C:\\TEMP" : f.userProfile + "\\Local Settings\\Temp";
  vars = {{"SystemRoot", f.windows},
          {"windir", f.windows},
          {"SystemDrive", "C:"},
          {"HOMEDRIVE", "C:"},
          {"COMPUTERNAME", d.computerName},
          {"USERNAME", d.userName},
          {"USERPROFILE", f.userProfile},
          {"HOMEPATH", f.userProfile.substr(2)}};
  if (d.os != OsKind::NT4) {
    vars.emplace_back("ALLUSERSPROFILE", f.allUsers);
    vars.emplace_back("APPDATA", f.userProfile + "\\Application Data");
  }
  Variables rest = {{"ProgramFiles", "C:\\Program Files"},
                    {"CommonProgramFiles", "C:\\Program Files\\Common Files"},
                    {"ComSpec", f.windows + "\\system32\\cmd.exe"},
                    {"OS", "Windows_NT"},
                    {"PATH", f.windows + "\\system32;" + f.windows},
                    {"TEMP", temp},
                    {"TMP", temp}};
  vars.insert(vars.end(), rest.begin(), rest.end());
  return vars;
}

// The process's copy; rebuilt from the description at restart.
class ProcessEnvironment : public MachineArea {
 public:
  explicit ProcessEnvironment(Machine& machine) : machine_(machine) { Reload(); }
  void OnRestart() override { Reload(); }

  void Reload() {
    vars_ = DefaultVariables(machine_.description());
    for (const auto& [name, value] : machine_.description().environment) Assign(vars_, name, value);
  }

  const std::string* Find(std::string_view name) const {
    for (const auto& [key, value] : vars_)
      if (EqualsNoCase(key, name)) return &value;
    return nullptr;
  }

  void Set(const std::string& name, const std::string& value, bool remove) {
    if (remove) {
      Assign(vars_, name, "");
      return;
    }
    for (auto& [key, existing] : vars_)
      if (EqualsNoCase(key, name)) {
        existing = value;
        return;
      }
    vars_.emplace_back(name, value);
  }

 private:
  Machine& machine_;
  Variables vars_;
};

ProcessEnvironment* Environment() {
  Machine* machine = CurrentMachine();
  return machine ? &machine->area<ProcessEnvironment>() : nullptr;
}

}  // namespace

std::optional<std::string> EnvironmentValue(std::string_view name) {
  ProcessEnvironment* env = Environment();
  if (!env) return std::nullopt;
  const std::string* value = env->Find(name);
  if (!value) return std::nullopt;
  return *value;
}

std::string ExpandEnvironment(std::string_view text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '%') {
      out += text[i++];
      continue;
    }
    std::size_t close = text.find('%', i + 1);
    if (close == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    std::string_view name = text.substr(i + 1, close - i - 1);
    std::optional<std::string> value = name.empty() ? std::nullopt : EnvironmentValue(name);
    if (value) {
      out += *value;
      i = close + 1;
    } else {
      // Unknown names stay literal; the closing '%' may open the next name.
      out += '%';
      out.append(name);
      i = close;
    }
  }
  return out;
}

bool SetEnvironmentValue(std::string_view name, const char* value) {
  ProcessEnvironment* env = Environment();
  if (!env) return false;
  if (!value && !env->Find(name)) return false;
  env->Set(std::string(name), value ? value : "", value == nullptr);
  return true;
}

void ResetProcessEnvironment() {
  if (ProcessEnvironment* env = Environment()) env->Reload();
}

}  // namespace platform

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
  if (!name || (!buffer && size > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto value = platform::EnvironmentValue(name);
  if (!value) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  DWORD length = static_cast<DWORD>(value->size());
  if (size <= length) return length + 1;
  std::memcpy(buffer, value->c_str(), length + 1);
  return length;
}

BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value) {
  if (!name || !*name || std::strchr(name, '=')) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!platform::SetEnvironmentValue(name, value)) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return FALSE;
  }
  return TRUE;
}

DWORD ExpandEnvironmentStringsA(LPCSTR source, LPSTR destination, DWORD size) {
  if (!source || (!destination && size > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string expanded = platform::ExpandEnvironment(source);
  DWORD needed = static_cast<DWORD>(expanded.size() + 1);
  if (size >= needed) std::memcpy(destination, expanded.c_str(), needed);
  return needed;
}
