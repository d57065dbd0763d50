// The library's exports: its class factory, unload check and
// self-registration in HKEY_CLASSES_ROOT.
#include <string>
#include <vector>

#include "platform/com/com_runtime.h"
#include "platform/registry/advapi32.h"
#include "schedule/jobs.h"

#define SCHEDULE_EXPORT extern "C" __attribute__((visibility("default")))

namespace schedule {
namespace {

using platform::com::FormatGuid;

class ScheduleFactory final : public LibraryObject<IClassFactory> {
 public:
  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto created = platform::com::ComPtr<Schedule>::Attach(new Schedule());
    if (HRESULT hr = created->Initialize(); FAILED(hr)) return hr;
    return created->QueryInterface(iid, object);
  }
  HRESULT LockServer(BOOL lock) override {
    if (lock) ++LiveObjects();
    else --LiveObjects();
    return S_OK;
  }

 protected:
  const IID& OwnIid() const override { return IID_IClassFactory; }
};

// One registry entry: a key under HKCR and, when `name` is set, one string
// value in it ("" = the default value).
struct Entry {
  std::string key;
  const char* name;
  std::string value;
};

// Every key the library writes, parents before children, so unregistering
// walks the list backwards.
std::vector<Entry> RegistrationEntries(const std::string& path) {
  const std::string clsid = FormatGuid(schedule_ids::CLSID_Schedule);
  const std::string libid = FormatGuid(schedule_ids::LIBID_TaskScheduler);
  const std::string progid = "TaskScheduler.Schedule";
  const std::string folder = path.substr(0, path.find_last_of('\\') == std::string::npos ? 0 : path.find_last_of('\\'));
  const std::string clsidKey = "CLSID\\" + clsid;
  const std::string typeLibKey = "TypeLib\\" + libid;
  std::vector<Entry> entries = {
      {clsidKey, "", progid},
      {clsidKey + "\\InprocServer32", "", path},
      {clsidKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {clsidKey + "\\ProgID", "", progid},
      {clsidKey + "\\TypeLib", "", libid},
      {clsidKey + "\\VERSION", "", "1.0"},
      {progid, nullptr, ""},
      {progid + "\\Clsid", "", clsid},
  };
  const std::pair<const IID*, const char*> interfaces[] = {{&schedule_ids::IID__Schedule, "_Schedule"},
                                                           {&schedule_ids::IID__Job, "_Job"},
                                                           {&schedule_ids::IID__Triggers, "_Triggers"},
                                                           {&schedule_ids::IID__Trigger, "_Trigger"}};
  for (const auto& [iid, name] : interfaces) {
    const std::string key = "Interface\\" + FormatGuid(*iid);
    entries.push_back({key, "", name});
    entries.push_back({key + "\\ProxyStubClsid32", "", "{00020424-0000-0000-C000-000000000046}"});
    entries.push_back({key + "\\TypeLib", "", libid});
    entries.push_back({key + "\\TypeLib", "Version", "1.0"});
  }
  entries.push_back({typeLibKey, nullptr, ""});
  entries.push_back({typeLibKey + "\\1.0", "", "CVL Task Scheduler Class v1.01"});
  entries.push_back({typeLibKey + "\\1.0\\409", nullptr, ""});
  entries.push_back({typeLibKey + "\\1.0\\409\\win32", "", path});
  entries.push_back({typeLibKey + "\\1.0\\FLAGS", "", "0"});
  entries.push_back({typeLibKey + "\\1.0\\HELPDIR", "", folder});
  return entries;
}

// The emulated path this library was activated from.
std::string OwnPath() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&OwnPath), &self))
    return {};
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(self, path, sizeof path);
  return length == 0 || length >= sizeof path ? std::string() : std::string(path, length);
}

LONG WriteEntry(const Entry& entry) {
  HKEY key = 0;
  LONG rc = RegCreateKeyExA(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                            nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  if (entry.name)
    rc = RegSetValueExA(key, *entry.name ? entry.name : nullptr, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(entry.value.c_str()), static_cast<DWORD>(entry.value.size() + 1));
  RegCloseKey(key);
  return rc;
}

}  // namespace
}  // namespace schedule

SCHEDULE_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (clsid != schedule_ids::CLSID_Schedule) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new schedule::ScheduleFactory();
  HRESULT hr = factory->QueryInterface(iid, object);
  factory->Release();
  return hr;
}

SCHEDULE_EXPORT HRESULT DllCanUnloadNow() { return schedule::LiveObjects() == 0 ? S_OK : S_FALSE; }

SCHEDULE_EXPORT HRESULT DllRegisterServer() {
  std::string path = schedule::OwnPath();
  if (path.empty()) return E_FAIL;
  for (const auto& entry : schedule::RegistrationEntries(path))
    if (LONG rc = schedule::WriteEntry(entry); rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(static_cast<DWORD>(rc));
  return S_OK;
}

SCHEDULE_EXPORT HRESULT DllUnregisterServer() {
  auto entries = schedule::RegistrationEntries(schedule::OwnPath());
  LONG failure = ERROR_SUCCESS;
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    LONG rc = RegDeleteKeyA(HKEY_CLASSES_ROOT, it->key.c_str());
    // A key listed twice (two values) or already gone is not a failure.
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND && failure == ERROR_SUCCESS) failure = rc;
  }
  return HRESULT_FROM_WIN32(static_cast<DWORD>(failure));
}
