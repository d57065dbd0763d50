#include "tools/uninstall_list.h"

#include "support/key_holder.h"
#include "platform/forms/message_box.h"
#include "platform/forms/strings.h"
#include "platform/registry/advapi32.h"
#include "platform/shell/shell32.h"

using platform::forms::ListBox;

namespace tools {
namespace {

const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kSeparator = "##";
constexpr DWORD kNameBuffer = 255;

// The command of row `index`: the hidden row's text after the visible
// name and the separator (a name holding "##" stays whole).
std::string CommandOfRow(ListBox& names, ListBox& commands, int index) {
  std::string row = commands.List(index);
  std::string prefix = names.List(index) + kSeparator;
  if (row.compare(0, prefix.size(), prefix) == 0) return row.substr(prefix.size());
  std::size_t separator = row.find(kSeparator);
  return separator == std::string::npos ? "" : row.substr(separator + 2);
}

}  // namespace

std::string GetRegString(HKEY root, const std::string& path, const std::string& name, const std::string& fallback) {
  KeyHolder key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS) return fallback;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
    return fallback;
  std::string data(size, ' ');
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return fallback;
  data.resize(std::min<std::size_t>(size, data.size()));
  return data.substr(0, data.find('\0'));
}

void LoadUninstallList(ListBox& names, ListBox& commands) {
  KeyHolder key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, key.out()) !=
      ERROR_SUCCESS) {
    platform::forms::MsgBox("Registry key could Not be opened -- aborting.", platform::forms::vbOKOnly);
    return;
  }
  for (DWORD index = 0;; ++index) {
    char name[kNameBuffer + 1] = {}, keyClass[kNameBuffer + 1] = {};
    DWORD nameLength = kNameBuffer, classLength = kNameBuffer;
    LONG result = RegEnumKeyExA(key.get(), index, name, &nameLength, nullptr, keyClass, &classLength, nullptr);
    if (result == ERROR_MORE_DATA) continue;  // a name too long for the buffer: that program only
    if (result != ERROR_SUCCESS) break;
    std::string program = kUninstallKey + "\\" + std::string(name, nameLength);
    std::string displayName = GetRegString(HKEY_LOCAL_MACHINE, program, "DisplayName");
    if (displayName.empty()) continue;
    std::string command = GetRegString(HKEY_LOCAL_MACHINE, program, "UninstallString");
    names.AddItem(displayName);
    commands.AddItem(displayName + kSeparator + command);
  }
}

std::optional<UninstallCommand> SplitUninstallCommand(const std::string& command) {
  std::string text = platform::forms::Trim(command);
  if (text.empty()) return std::nullopt;
  if (text.front() == '"') {
    std::size_t close = text.find('"', 1);
    if (close == std::string::npos) return UninstallCommand{text.substr(1), ""};
    return UninstallCommand{text.substr(1, close - 1), platform::forms::Trim(text.substr(close + 1))};
  }
  std::size_t dot = text.find('.');
  std::size_t blank = dot == std::string::npos ? std::string::npos : text.find(' ', dot);
  if (blank == std::string::npos) return UninstallCommand{text, ""};
  return UninstallCommand{text.substr(0, blank), text.substr(blank + 1)};
}

void StartUninstaller(ListBox& names, ListBox& commands) {
  if (names.ListCount() == 0) return;
  if (names.ListIndex() == -1) names.ListIndex(0);
  int index = names.ListIndex();
  if (index >= commands.ListCount()) return;
  auto split = SplitUninstallCommand(CommandOfRow(names, commands, index));
  if (!split) return;
  ShellExecuteA(0, "open", split->program.c_str(), split->parameters.c_str(), "", SW_SHOWNORMAL);
}

}  // namespace tools
