#pragma once
// HRESULT codes of COM, the shell and the outside controls.
#include "platform/base/wintypes.h"

constexpr HRESULT MakeHResult(DWORD value) { return static_cast<HRESULT>(value); }
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
// A Win32 error as an HRESULT (0x8007xxxx).
constexpr HRESULT HRESULT_FROM_WIN32(DWORD code) {
  return code == 0 ? 0 : MakeHResult(0x80070000u | (code & 0xFFFFu));
}

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = MakeHResult(0x80004001u);
constexpr HRESULT E_NOINTERFACE = MakeHResult(0x80004002u);
constexpr HRESULT E_POINTER = MakeHResult(0x80004003u);
constexpr HRESULT E_FAIL = MakeHResult(0x80004005u);
constexpr HRESULT E_ACCESSDENIED = MakeHResult(0x80070005u);
constexpr HRESULT E_OUTOFMEMORY = MakeHResult(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = MakeHResult(0x80070057u);
constexpr HRESULT HRESULT_FILE_NOT_FOUND = MakeHResult(0x80070002u);
constexpr HRESULT HRESULT_BAD_NETPATH = MakeHResult(0x80070035u);
constexpr HRESULT HRESULT_FILE_EXISTS = MakeHResult(0x80070050u);
constexpr HRESULT HRESULT_MOD_NOT_FOUND = MakeHResult(0x8007007Eu);
constexpr HRESULT CLASS_E_NOAGGREGATION = MakeHResult(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = MakeHResult(0x80040111u);
constexpr HRESULT REGDB_E_CLASSNOTREG = MakeHResult(0x80040154u);
constexpr HRESULT RPC_E_DISCONNECTED = MakeHResult(0x80010108u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeHResult(0x80020003u);
constexpr HRESULT DISP_E_TYPEMISMATCH = MakeHResult(0x80020005u);
constexpr HRESULT DISP_E_OVERFLOW = MakeHResult(0x8002000Au);
constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeHResult(0x8002000Eu);
constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = MakeHResult(0x8002802Bu);
constexpr HRESULT TYPE_E_CANTLOADLIBRARY = MakeHResult(0x80029C4Au);

constexpr HRESULT SCHED_S_TASK_READY = 0x00041300;
constexpr HRESULT SCHED_S_TASK_RUNNING = 0x00041301;
constexpr HRESULT SCHED_S_TASK_DISABLED = 0x00041302;
constexpr HRESULT SCHED_S_TASK_HAS_NOT_RUN = 0x00041303;
constexpr HRESULT SCHED_S_TASK_NO_MORE_RUNS = 0x00041304;
constexpr HRESULT SCHED_S_TASK_NOT_SCHEDULED = 0x00041305;
constexpr HRESULT SCHED_S_TASK_TERMINATED = 0x00041306;
constexpr HRESULT SCHED_S_TASK_NO_VALID_TRIGGERS = 0x00041307;
constexpr HRESULT SCHED_S_EVENT_TRIGGER = 0x00041308;
constexpr HRESULT SCHED_E_TRIGGER_NOT_FOUND = MakeHResult(0x80041309u);
constexpr HRESULT SCHED_E_TASK_NOT_RUNNING = MakeHResult(0x8004130Bu);
constexpr HRESULT SCHED_E_UNKNOWN_OBJECT_VERSION = MakeHResult(0x80041313u);
constexpr HRESULT SCHED_E_SERVICE_NOT_RUNNING = MakeHResult(0x80041315u);

// A runtime error number n raised inside an automation server crosses the
// COM boundary as 0x800A0000 + n; the client's runtime turns it back into n.
constexpr HRESULT HRESULT_FROM_RUNTIME_ERROR(int number) { return MakeHResult(0x800A0000u | (number & 0xFFFF)); }
