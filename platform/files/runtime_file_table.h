#pragma once
// The runtime's per-process file state on the bound machine: the open file
// numbers and the one Dir search. Kept as a machine area, so a new process
// (a reopened machine) or a restart starts with none.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/handle_stream.h"
#include "platform/files/runtime_files.h"
#include "platform/machine/machine.h"

namespace platform::vb::detail {

struct OpenFile {
  files::HandleStream stream;
  OpenMode mode = OpenMode::Input;
  bool canRead = false, canWrite = false;
  std::int64_t recordLength = kDefaultRecordLength;
  std::size_t column = 0;    // Print #: characters since the last line end
  bool pastEnd = false;      // Binary/Random: the last Get read past the end
};

class RuntimeFileTable : public MachineArea {
 public:
  explicit RuntimeFileTable(Machine&) {}
  void OnRestart() override { CloseAll(); dirNames.reset(); }

  std::array<std::unique_ptr<OpenFile>, kMaxFileNumber + 1> files;
  // The names the last Dir(pattern) found and how many were handed out.
  std::optional<std::vector<std::string>> dirNames;
  std::size_t dirNext = 0;

  void CloseAll() {
    for (auto& file : files) file.reset();
  }
};

// The bound machine's table; 71 when no machine is bound.
RuntimeFileTable& Table();

// Raises the runtime error for a Win32 failure of a statement.
[[noreturn]] void RaiseForWin32(DWORD win32Code);
// 68 when the path names a drive that is not mapped (or not a drive letter).
void CheckDriveOf(std::string_view path);
// The path as a NUL-ended text for the kernel32 calls.
inline std::string CString(std::string_view text) { return std::string(text); }

}  // namespace platform::vb::detail
