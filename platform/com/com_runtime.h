#pragma once
// ole32 activation of in-process servers through the machine's registry.
#include <string>
#include <string_view>

#include "platform/com/unknown.h"

using HMODULE = void*;
using LPVOID = void*;

constexpr DWORD CLSCTX_INPROC_SERVER = 1;
constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT = 2;
constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS = 4;

// Counted per process: S_OK the first time, then S_FALSE.
HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();

// Reads HKCR\CLSID\{clsid}\InprocServer32 (REG_EXPAND_SZ expanded), checks
// the stand-in file it names, and asks that module's factory for the object.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, LPVOID* object);

// The module that contains `name` (an address, with the FROM_ADDRESS flag).
BOOL GetModuleHandleExA(DWORD flags, LPCSTR name, HMODULE* module);
// For a COM module: the emulated path it was last activated from.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);

namespace platform::com {

// The machine's registration program: activates the module named by the
// stand-in at `windowsPath` and calls its DllRegisterServer or
// DllUnregisterServer. 0x8007007E when the file is no stand-in of a known
// module.
HRESULT RegisterServer(std::string_view windowsPath);
HRESULT UnregisterServer(std::string_view windowsPath);

// The `module=` field of a stand-in file; "" when the file is missing or is
// no stand-in.
std::string StandInModule(std::string_view windowsPath);

// Whether every object and lock of the module named `name` is gone, as its
// DllCanUnloadNow answers (false when the module is not loaded).
bool ModuleCanUnload(std::string_view name);

}  // namespace platform::com
