#pragma once
// A temporary emulated machine bound to the test process: built by the same
// builder as the default image, with a small system drive and a virtual clock.
// Beside the machine lies an "outside" folder with a sentinel file that no
// Windows path may reach.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "install/installation.h"
#include "platform/machine/machine.h"
#include "platform/machine_builder.h"
#include "support/temp_folder.h"

namespace tessaly::testing {

inline constexpr std::uint64_t kTestDriveBytes = 64ull * 1024 * 1024;

// A builder for `os` whose C: holds kTestDriveBytes, with the program
// installed as `installation` says. Every builder below installs it too.
platform::MachineBuilder TestMachine(platform::OsKind os = platform::OsKind::WinXP,
                                     install::InstallOptions installation = {});
// A builder for `os` with the drive table of the file-system tests: C: fixed
// 16 MB (4 KB clusters, serial 1234-ABCD), D: CD-ROM without media, E: fixed
// read-only 1 MB (512-byte clusters).
platform::MachineBuilder DriveTableMachine(platform::OsKind os = platform::OsKind::WinXP);
// The drive table plus an empty fixed F: of 16 clusters of 4 KB, for the
// cases of a full disk.
platform::MachineBuilder SmallDriveMachine(platform::OsKind os = platform::OsKind::WinXP);

class TempMachine {
 public:
  explicit TempMachine(platform::OsKind os = platform::OsKind::WinXP);
  explicit TempMachine(const platform::MachineBuilder& builder);
  ~TempMachine();

  platform::Machine& machine() { return *machine_; }
  platform::VirtualClock& clock() { return *clock_; }
  const std::filesystem::path& folder() const { return folder_.path(); }
  std::filesystem::path machineFolder() const { return folder_.path() / "machine"; }
  // Holds "sentinel.txt"; lies beside the machine folder.
  std::filesystem::path outside() const { return folder_.path() / "outside"; }
  // Host path of a Windows path on this machine (for checks from outside).
  std::filesystem::path hostPath(const std::string& windowsPath) const;
  std::filesystem::path drive(char letter = 'C') const;
  // The hive file of "HKLM" or "HKU".
  std::filesystem::path hiveFile(const std::string& shortName) const;

  // Places a host file under drive `letter` (path with "/"), as a user
  // editing the machine from outside would.
  std::filesystem::path Put(const std::string& relative, const std::string& content = "", char letter = 'C');
  std::string HostContent(const std::string& relative, char letter = 'C') const;
  // Writes and reads a file through the layer; a failed write fails the test.
  void WriteContent(const std::string& windowsPath, const std::string& bytes);
  std::optional<std::string> ReadContent(const std::string& windowsPath);

  // Ends the "process" (flushing its state) and opens the machine again.
  void Reopen();
  // Ends the process, changes machine.ini and opens again: keys made by an
  // admin, then used by a limited user.
  void Reconfigure(const std::function<void(platform::MachineDescription&)>& change);
  // Reconfigures for a limited user under `rules`.
  void ReopenAsLimitedUser(std::vector<platform::AccessRule> rules);
  // Drops the machine with its pending registry changes unwritten (as a
  // crash would); Open or OpenLazily starts it again.
  void Abandon();
  // Opens the folder with every stored area loaded; propagates their errors.
  void Open();
  // Opens the folder with areas loaded on first use, so a broken one is met
  // by the call that first needs it.
  void OpenLazily();

 private:
  void Bind(std::unique_ptr<platform::Machine> machine);
  void Close();

  TempFolder folder_;
  std::unique_ptr<platform::Machine> machine_;
  std::optional<platform::MachineBinding> binding_;
  std::shared_ptr<platform::VirtualClock> clock_;
};

}  // namespace tessaly::testing
