#pragma once
// Class FreeRAM: the memory status as the suite reads it (GlobalMemoryStatus,
// sizes as signed Longs), the freeing of memory by taking a block of blanks
// and letting it go, and three helpers the suite keeps but does not use.
#include <cstdint>
#include <string>

#include "platform/base/wintypes.h"

class FreeRAM {
 public:
  std::int32_t GetMemoryLoad() const;
  std::int32_t GetTotalPhysical() const;
  std::int32_t GetFreePhysical() const;
  std::int32_t GetTotalVirtual() const;
  std::int32_t GetFreeVirtual() const;

  // Yields 5 times, takes a string of `characters` blanks (twice as many
  // bytes, every page written), yields 5 times and lets it go. A failed
  // allocation ends quietly. Returns `characters`.
  std::int64_t FreeUpMemory(std::int64_t characters);

  // "logoff", "shutdown" or "reboot" in any case: ExitWindowsEx's result
  // (without forcing); any other text 0.
  BOOL ExitWindows(const std::string& how);
  // Opens the address maximised in the default browser.
  void GoToURL(const std::string& url);
  // Opens a new message to the address in the default mail program.
  void eMail(const std::string& address);
};
