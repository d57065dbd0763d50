#pragma once
// A temporary machine for the suite's monitor pages: the suite's stand-in
// main window for the pages' skin, the forms runtime reset around each test, settings
// written as the pages store them, and the host's memory, processor and
// network scripted.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/machine/host_facts.h"
#include "platform/net/network.h"
#include "support/main_window_link.h"
#include "support/temp_machine.h"
#include "suite_fixture.h"
#include "tuning/suite_registry.h"

namespace tessaly::testing {

inline constexpr std::uint64_t kMB = 1024 * 1024;

class MonitorPageTest : public ::testing::Test {
 protected:
  explicit MonitorPageTest(platform::OsKind os = platform::OsKind::WinXP) : machine_(os) {
    platform::forms::ResetFormsRuntime();
    platform::TheJournal().Clear();
    SetMainWindow([]() -> MainWindowServices& { return platform::forms::DefaultInstance<SuiteMainWindow>(); });
    facts().InjectMemory(platform::MemoryFigures{512 * kMB, 128 * kMB, 0, 0, 0});
    facts().InjectProcessor(platform::ProcessorTimes{1, 1000, 2000, 100});
    facts().InjectToucher([this](std::uint64_t bytes) {
      touched_.push_back(bytes);
      return true;
    });
  }
  ~MonitorPageTest() override {
    platform::forms::ResetFormsRuntime();
    SetMainWindow(nullptr);
  }

  platform::HostFacts& facts() { return machine_.machine().area<platform::HostFacts>(); }
  platform::net::Network& network() { return machine_.machine().area<platform::net::Network>(); }
  void Store(const std::string& key, const std::string& name, const std::string& value) {
    tuning::SaveSettingHKLM(key, name, value);
  }
  std::string Stored(const std::string& key, const std::string& name) {
    return tuning::GetSettingHKLM(key, name, "<missing>");
  }
  // Moves the clock by `ms` and runs one loop turn (the timers due run).
  void Tick(std::uint64_t ms) {
    machine_.clock().Advance(ms);
    platform::forms::DoEvents();
  }
  // The addresses echoed so far.
  std::vector<std::string> Echoed() const {
    std::vector<std::string> sent;
    for (const auto& entry : platform::TheJournal().Of("IcmpSendEcho")) sent.push_back(entry.args[0]);
    return sent;
  }

  TempMachine machine_;
  std::vector<std::uint64_t> touched_;  // bytes each freeing took
};

}  // namespace tessaly::testing
