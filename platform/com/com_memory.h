#pragma once
// ole32/oleaut32 memory: task-memory blocks and BSTRs, counted so tests can
// check that every block handed out was freed.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/base/wintypes.h"

using OLECHAR = char16_t;
using LPWSTR = OLECHAR*;
using LPCWSTR = const OLECHAR*;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
// A counted UTF-16 string: a 4-byte byte length precedes the characters,
// which end with a NUL. NULL is the empty string.
using BSTR = OLECHAR*;

void* CoTaskMemAlloc(std::size_t size);
void CoTaskMemFree(void* block);

BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);

// kernel32: characters before the NUL (0 for NULL); a byte copy.
int lstrlenW(LPCWSTR text);
void RtlMoveMemory(void* destination, const void* source, std::size_t length);

namespace platform::com {

// Blocks currently allocated and not freed.
long LiveTaskMemBlocks();
// Hands out `block` as task memory that CoTaskMemFree releases with `release`.
void* AdoptTaskMemory(void* block, std::function<void(void*)> release);
bool IsLiveTaskMemory(const void* block);
long LiveBstrs();

// UTF-16 and the program's Windows-1252 text.
std::u16string WideFromAnsi(std::string_view text);
// Characters without a Windows-1252 form become "?".
std::string AnsiFromWide(std::u16string_view text);
std::u16string WideOf(LPCWSTR text);  // NULL gives ""

// A CoTaskMem copy of `text`, as the services return strings.
LPWSTR TaskMemString(std::u16string_view text);
// A BSTR copy of `text` (ANSI converted).
BSTR AllocBstr(std::u16string_view text);
BSTR AllocBstrFromAnsi(std::string_view text);

}  // namespace platform::com
