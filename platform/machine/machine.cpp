#include "platform/machine/machine.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <exception>

#include "platform/base/cp1252.h"

namespace platform {
namespace {
Machine* g_current = nullptr;

std::function<void(const std::string&)>& Reporter() {
  static auto* reporter = new std::function<void(const std::string&)>;
  if (!*reporter) *reporter = [](const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); };
  return *reporter;
}

int HostOffsetMinutes() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return static_cast<int>(local.tm_gmtoff / 60);
}
}  // namespace

Machine::Machine(std::filesystem::path folder, MachineDescription description, std::string programImage)
    : folder_(std::move(folder)),
      description_(std::move(description)),
      programImage_(std::move(programImage)),
      clock_(std::make_shared<HostClock>()) {}

std::unique_ptr<Machine> Machine::Open(const std::filesystem::path& folder, std::string programImage) {
  auto description = LoadMachineDescription(folder / "machine.ini");
  std::unique_ptr<Machine> machine(
      new Machine(std::filesystem::absolute(folder), std::move(description), std::move(programImage)));
  return machine;
}

Machine::~Machine() {
  if (g_current == this) g_current = nullptr;
  try {
    Flush();
  } catch (...) {
    // A failed final write leaves the previous state files in place.
  }
  // Areas go in reverse order of creation: later ones may use earlier ones.
  for (auto it = areaOrder_.rbegin(); it != areaOrder_.rend(); ++it) {
    for (auto entry = areas_.begin(); entry != areas_.end(); ++entry) {
      if (entry->second.get() == *it) {
        areas_.erase(entry);
        break;
      }
    }
  }
}

std::filesystem::path Machine::driveFolder(char letter) const {
  return folder_ / "drives" / std::string(1, UpperChar(letter));
}

StandardFolders Machine::folders() const { return DefaultFolders(description_.os, description_.userName); }

std::string Machine::programFolder() const {
  std::size_t slash = programImage_.rfind('\\');
  if (slash == std::string::npos) return {};
  // "C:\tsy.exe" lies in "C:\", the one folder that keeps its backslash.
  if (slash == 2 && programImage_[1] == ':') return programImage_.substr(0, 3);
  return programImage_.substr(0, slash);
}

int Machine::localOffsetMinutes() const {
  // machine.ini keeps Windows' bias (UTC = local + bias).
  return description_.timeZoneBias ? -*description_.timeZoneBias : HostOffsetMinutes();
}

void Machine::Flush() {
  std::exception_ptr first;
  for (MachineArea* area : areaOrder_) {
    try {
      area->Flush();
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

bool Machine::HasPendingWrites() const {
  return std::any_of(areaOrder_.begin(), areaOrder_.end(), [](const MachineArea* area) { return area->HasPendingWrites(); });
}

bool Machine::WritePending() {
  lastWriteTick_ = clock_->TickMs();
  try {
    Flush();
    lastReportedFailure_.clear();
  } catch (const std::exception& error) {
    // A failure that goes on is reported once, not at every retry.
    if (error.what() != lastReportedFailure_) Reporter()(error.what());
    lastReportedFailure_ = error.what();
  }
  return !HasPendingWrites();
}

std::optional<std::uint64_t> Machine::NextIdleWrite() {
  if (!HasPendingWrites()) return std::nullopt;
  std::uint64_t now = clock_->TickMs();
  // A clock set back (a new clock bound) does not hold writes back.
  if (!lastWriteTick_ || *lastWriteTick_ > now) return now;
  return std::max(now, *lastWriteTick_ + kIdleWriteIntervalMs);
}

void Machine::WriteWhenIdle() {
  auto due = NextIdleWrite();
  if (due && *due <= clock_->TickMs()) WritePending();
}

void Machine::Restart() {
  for (std::size_t i = 0; i < areaOrder_.size(); ++i) areaOrder_[i]->OnRestart();
  Flush();
}

Machine* CurrentMachine() { return g_current; }

void SetWriteFailureReporter(std::function<void(const std::string& message)> reporter) { Reporter() = std::move(reporter); }

void WritePendingMachineChanges() {
  if (g_current) g_current->WritePending();
}

MachineBinding::MachineBinding(Machine& machine) : previous_(g_current) { g_current = &machine; }
MachineBinding::~MachineBinding() { g_current = previous_; }

}  // namespace platform
