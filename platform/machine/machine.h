#pragma once
// One emulated Windows computer kept in a host folder, and the process-wide
// binding that the Win32-style calls act on.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "platform/machine/clock.h"
#include "platform/machine/description.h"

namespace platform {

class Machine;

// State an area of the layer (registry, files, ...) keeps per machine. Areas
// are created on first use and told when to write their state and when the
// machine restarts.
class MachineArea {
 public:
  virtual ~MachineArea() = default;
  // Writes pending state to the machine folder (atomically).
  virtual void Flush() {}
  // True while the area holds changes its files do not have yet.
  virtual bool HasPendingWrites() const { return false; }
  // Applies what a restart applies (pending renames, volatile state).
  virtual void OnRestart() {}
};

class Machine {
 public:
  // Opens an existing machine folder; throws MachineError naming the file
  // and line when its description does not parse. Areas load lazily; use
  // OpenMachine (platform/open_machine.h) to load and check every stored area.
  // `programImage` is the Windows path of the program this process runs
  // ("" for none): its folder is App.Path and where the process starts.
  static std::unique_ptr<Machine> Open(const std::filesystem::path& folder, std::string programImage = {});
  ~Machine();

  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  const MachineDescription& description() const { return description_; }
  OsFamily family() const { return description_.family(); }
  bool isNt() const { return family() == OsFamily::WinNT; }
  bool isLimitedUser() const { return description_.userKind == UserKind::Limited; }

  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path registryFolder() const { return folder_ / "registry"; }
  std::filesystem::path stateFolder() const { return folder_ / "state"; }
  // The host folder that is the root of drive `letter`.
  std::filesystem::path driveFolder(char letter) const;

  // Standard folders of the installed OS.
  StandardFolders folders() const;
  // The running program's Windows path, and its folder (no trailing
  // backslash except at a drive root); both "" when no program was given.
  const std::string& programImage() const { return programImage_; }
  std::string programFolder() const;

  Clock& clock() { return *clock_; }
  void setClock(std::shared_ptr<Clock> clock) { clock_ = std::move(clock); }
  // Local time = UTC + this many minutes (Windows' bias has the other sign).
  int localOffsetMinutes() const;

  // The area of type T, created on first use as T(Machine&).
  template <typename T>
  T& area() {
    auto key = std::type_index(typeid(T));
    auto it = areas_.find(key);
    if (it == areas_.end()) {
      auto created = std::make_unique<T>(*this);
      T& ref = *created;
      areaOrder_.push_back(created.get());
      areas_.emplace(key, std::move(created));
      return ref;
    }
    return static_cast<T&>(*it->second);
  }

  // Writes the state of every area now. Every area is written even when
  // one fails; then the first failure is thrown.
  void Flush();
  bool HasPendingWrites() const;

  // Pending changes reach the disk while the program runs, not only at its
  // end: the idle loop writes them at most every kIdleWriteIntervalMs (on
  // the machine's clock), and a finished cleaning run writes them at once.
  static constexpr std::uint64_t kIdleWriteIntervalMs = 2000;
  // Writes pending changes now. A failure goes to the write-failure
  // reporter, and the changes stay pending for the next write. True when
  // nothing is left pending.
  bool WritePending();
  // The clock tick at which the idle loop writes next; nullopt while
  // nothing is pending.
  std::optional<std::uint64_t> NextIdleWrite();
  // The idle loop's write: writes pending changes when NextIdleWrite has come.
  void WriteWhenIdle();
  // Restarts the machine: every area applies its restart work, then flushes.
  void Restart();

 private:
  Machine(std::filesystem::path folder, MachineDescription description, std::string programImage);

  std::filesystem::path folder_;
  MachineDescription description_;
  std::string programImage_;
  std::shared_ptr<Clock> clock_;
  std::unordered_map<std::type_index, std::unique_ptr<MachineArea>> areas_;
  std::vector<MachineArea*> areaOrder_;
  std::optional<std::uint64_t> lastWriteTick_;
  std::string lastReportedFailure_;
};

// Where a failed write of pending changes is reported (the program prints
// it as it prints a failed write at its end); the default prints the
// message on standard error. Empty restores the default.
void SetWriteFailureReporter(std::function<void(const std::string& message)> reporter);

// WritePending on the bound machine, if any.
void WritePendingMachineChanges();

// The machine the current process runs on; null when none is bound.
Machine* CurrentMachine();

// Binds a machine to the process for its lifetime (the program binds one at
// start, each test binds its temporary machine).
class MachineBinding {
 public:
  explicit MachineBinding(Machine& machine);
  ~MachineBinding();
  MachineBinding(const MachineBinding&) = delete;
  MachineBinding& operator=(const MachineBinding&) = delete;

 private:
  Machine* previous_;
};

}  // namespace platform
