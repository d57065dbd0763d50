// The NT family's pending operations kept where Windows keeps them: the
// REG_MULTI_SZ value PendingFileRenameOperations of the Session Manager key
// under HKLM, written through advapi32 so the user's registry rights apply.
#include "platform/files/pending_renames_registry.h"

#include "platform/registry/advapi32.h"
#include "platform/registry/registry_store.h"

namespace platform::files {

namespace {

constexpr HKEY kLocalMachine = 0x80000002;
constexpr DWORD kMultiString = 7;
constexpr REGSAM kAllAccess = 0xF003F;
constexpr const char* kSessionManager = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kValueName = "PendingFileRenameOperations";

// The value's strings, empty ones included (a deletion's destination).
std::vector<std::string> ReadList(HKEY key) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, kValueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != kMultiString)
    return {};
  std::string data(size, '\0');
  if (RegQueryValueExA(key, kValueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
    return {};
  data.resize(size);
  if (!data.empty() && data.back() == '\0') data.pop_back();  // the list's own end
  std::vector<std::string> strings;
  std::size_t start = 0;
  while (start < data.size()) {
    std::size_t end = data.find('\0', start);
    if (end == std::string::npos) end = data.size();
    strings.push_back(data.substr(start, end - start));
    start = end + 1;
  }
  return strings;
}

}  // namespace

DWORD AppendPendingRename(const std::string& source, const std::string& destination) {
  HKEY key = 0;
  LONG result = RegCreateKeyExA(kLocalMachine, kSessionManager, 0, nullptr, 0, kAllAccess, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) return static_cast<DWORD>(result);
  std::vector<std::string> list = ReadList(key);
  list.push_back(source);
  list.push_back(destination);
  std::string data;
  for (const auto& text : list) {
    data += text;
    data += '\0';
  }
  data += '\0';
  result = RegSetValueExA(key, kValueName, 0, kMultiString, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return static_cast<DWORD>(result);
}

// The restart applies the list as the system, whatever the user may write.
std::vector<std::pair<std::string, std::string>> TakePendingRenames(Machine& machine) {
  registry::RegistryStore::SystemScope system(machine.area<registry::RegistryStore>());
  HKEY key = 0;
  if (RegCreateKeyExA(kLocalMachine, kSessionManager, 0, nullptr, 0, kAllAccess, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return {};
  std::vector<std::string> list = ReadList(key);
  RegDeleteValueA(key, kValueName);
  RegCloseKey(key);
  std::vector<std::pair<std::string, std::string>> pairs;
  for (std::size_t i = 0; i + 1 < list.size(); i += 2) pairs.emplace_back(list[i], list[i + 1]);
  return pairs;
}

}  // namespace platform::files
