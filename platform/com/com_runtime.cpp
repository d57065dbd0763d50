#include "platform/com/com_runtime.h"

#include <cstring>

#include "platform/base/cp1252.h"
#include "platform/base/last_error.h"
#include "platform/com/host_modules.h"
#include "platform/files/file_content.h"
#include "platform/files/stand_in.h"
#include "platform/machine/environment.h"
#include "platform/registry/advapi32.h"

namespace {

int initializeCount = 0;

// The default value of HKCR\CLSID\{clsid}\InprocServer32, expanded; empty
// when the class is not registered.
std::string InprocServerPath(REFCLSID clsid) {
  std::string subKey = "CLSID\\" + platform::com::FormatGuid(clsid) + "\\InprocServer32";
  HKEY key = 0;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  char value[1024];
  DWORD type = 0, size = sizeof value;
  LONG rc = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) return {};
  std::string path(value, strnlen(value, size));
  if (type == REG_EXPAND_SZ) path = platform::ExpandEnvironment(path);
  return path;
}

// The host module serving the stand-in at `path`, marked as activated from it.
platform::com::HostModule* ActivateModule(std::string_view path) {
  std::string name = platform::com::StandInModule(path);
  if (name.empty()) return nullptr;
  platform::com::HostModule* module = platform::com::FindHostModule(name);
  if (module) module->activatedFrom = std::string(path);
  return module;
}

}  // namespace

HRESULT CoInitialize(LPVOID) { return initializeCount++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize() {
  if (initializeCount > 0) --initializeCount;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD, REFIID iid, LPVOID* object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  std::string path = InprocServerPath(clsid);
  if (path.empty()) return REGDB_E_CLASSNOTREG;
  platform::com::HostModule* module = ActivateModule(path);
  if (!module) return HRESULT_MOD_NOT_FOUND;
  IClassFactory* factory = nullptr;
  HRESULT hr = module->getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  hr = factory->CreateInstance(nullptr, iid, object);
  factory->Release();
  return hr;
}

BOOL GetModuleHandleExA(DWORD flags, LPCSTR name, HMODULE* module) {
  if (!module) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *module = nullptr;
  if (!(flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS)) {
    // Only COM modules are known by handle here.
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
  }
  platform::com::HostModule* found = platform::com::HostModuleAt(name);
  if (!found) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *module = found;
  return TRUE;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  if (!module || !buffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::string& path = static_cast<platform::com::HostModule*>(module)->activatedFrom;
  if (size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() >= size) {
    // Truncated and terminated, as the call does on a short buffer.
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return static_cast<DWORD>(path.size());
}

namespace platform::com {

std::string StandInModule(std::string_view windowsPath) {
  std::optional<files::StandInHeader> header;
  if (files::ReadStandInHeader(windowsPath, header) != ERROR_SUCCESS || !header) return {};
  return header->module();
}

namespace {
HRESULT CallRegistration(std::string_view windowsPath, bool doRegister) {
  HostModule* module = ActivateModule(windowsPath);
  if (!module) return HRESULT_MOD_NOT_FOUND;
  DllRegisterServerFn entry = doRegister ? module->registerServer : module->unregisterServer;
  if (!entry) return E_NOTIMPL;
  return entry();
}
}  // namespace

HRESULT RegisterServer(std::string_view windowsPath) { return CallRegistration(windowsPath, true); }
HRESULT UnregisterServer(std::string_view windowsPath) { return CallRegistration(windowsPath, false); }

bool ModuleCanUnload(std::string_view name) {
  HostModule* module = FindHostModule(name);
  return module && module->canUnloadNow && module->canUnloadNow() == S_OK;
}

}  // namespace platform::com
