#pragma once
// A temporary machine of a chosen OS and user, bound to the process, that a
// test can close and open again to see what reached the hive files.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/machine/clock.h"
#include "platform/machine/machine.h"
#include "support/temp_folder.h"

namespace tessaly::testing {

struct ScratchMachineOptions {
  platform::OsKind os = platform::OsKind::WinXP;
  platform::UserKind user = platform::UserKind::Admin;
  std::vector<platform::AccessRule> accessRules = {};
};

class ScratchMachine {
 public:
  explicit ScratchMachine(const ScratchMachineOptions& options = {});
  ~ScratchMachine();

  platform::Machine& machine() { return *machine_; }
  platform::VirtualClock& clock() { return *clock_; }
  const std::filesystem::path& folder() const { return folder_.path(); }
  std::filesystem::path hiveFile(const std::string& shortName) const;

  // Flushes and drops the machine, then opens its folder again (as the
  // next start of the program would).
  void Reopen();
  // Flushes and drops the machine, rewrites its machine.ini from `options`
  // and opens it again: keys built as an admin, then used as a limited user.
  void Reconfigure(const ScratchMachineOptions& options);
  // Drops the machine without writing anything (as a crash would).
  void Abandon();
  // Opens the folder again after Abandon; propagates the open's errors.
  void Open();

 private:
  TempFolder folder_;
  std::shared_ptr<platform::VirtualClock> clock_;
  std::unique_ptr<platform::Machine> machine_;
  std::unique_ptr<platform::MachineBinding> binding_;
};

// Reads a host file whole (empty when missing).
std::string ReadHostFile(const std::filesystem::path& file);
void WriteHostFile(const std::filesystem::path& file, const std::string& content);

}  // namespace tessaly::testing
