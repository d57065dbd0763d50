#pragma once
// A temporary emulated machine bound to the test process: built by the same
// builder as the default image, with a small system drive and a virtual clock.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/machine/builder.h"
#include "platform/machine/machine.h"
#include "support/temp_folder.h"

namespace tessaly::testing {

inline constexpr std::uint64_t kTestDriveBytes = 64ull * 1024 * 1024;

// A builder for `os` whose C: holds kTestDriveBytes.
platform::MachineBuilder TestMachine(platform::OsKind os = platform::OsKind::WinXP);

class TempMachine {
 public:
  explicit TempMachine(platform::OsKind os = platform::OsKind::WinXP);
  explicit TempMachine(const platform::MachineBuilder& builder);
  ~TempMachine();

  platform::Machine& machine() { return *machine_; }
  platform::VirtualClock& clock() { return *clock_; }
  const std::filesystem::path& folder() const { return folder_.path(); }
  // Host path of a Windows path on this machine (for checks from outside).
  std::filesystem::path hostPath(const std::string& windowsPath) const;
  // Ends the "process" (flushing its state) and opens the machine again.
  void Reopen();

 private:
  void Open();
  void Close();

  TempFolder folder_;
  std::unique_ptr<platform::Machine> machine_;
  std::optional<platform::MachineBinding> binding_;
  std::shared_ptr<platform::VirtualClock> clock_;
};

}  // namespace tessaly::testing
