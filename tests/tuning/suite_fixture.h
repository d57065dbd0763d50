#pragma once
// A temporary machine of either family with the network stack's keys and
// two adapters, the suite's globals reset, a stand-in main window whose
// skin control records what it is applied to, and a snapshot of the whole
// registry for checks that nothing else changed.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <optional>
#include <string>

#include "network_keys.h"
#include "platform/activex/skin.h"
#include "platform/forms/forms.h"
#include "platform/registry/advapi32.h"
#include "support/main_window_link.h"
#include "support/registry_calls.h"
#include "support/temp_machine.h"
#include "tuning/os_version.h"
#include "tuning/tcp_profile.h"

namespace tessaly::testing {

class SuiteMainWindow : public platform::forms::Form, public MainWindowServices {
 public:
  SuiteMainWindow() : Form("Form1") {}
  TSY_CONTROL(CheckBox, chkSkipMessages);
  TSY_CONTROL(ListBox, List_os);
  platform::activex::Skin skn{*this, "skn"};
  platform::activex::Skin& SkinControl() override { return skn; }
  platform::forms::CheckBox& SkipMessagesBox() override { return chkSkipMessages; }
  platform::forms::ListBox& FoundFoldersList() override { return List_os; }
};

inline SuiteMainWindow& SuiteMain() { return platform::forms::DefaultInstance<SuiteMainWindow>(); }

inline platform::MachineBuilder NetworkMachine(platform::OsKind os) {
  auto builder = TestMachine(os);
  builder.registry(platform::FamilyOf(os) == platform::OsFamily::Win9x ? kNetwork9x : kNetworkNT);
  return builder;
}

// Every value under HKLM and HKCU: "ROOT\KEY PATH|name" -> typed data (key
// paths upper-cased, as their case does not matter); keys without values
// appear as "ROOT\KEY PATH|" with type 0xFFFFFFFF.
using RegistrySnapshot = std::map<std::string, TypedData>;

inline std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// An entry of a snapshot from a key path in any case and a value name.
inline std::string Entry(const std::string& key, const std::string& name) { return Upper(key) + "|" + name; }

inline void SnapshotKey(HKEY root, const std::string& path, const std::string& label, RegistrySnapshot& into) {
  HKEY key = 0;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  into[label + "|"] = {0xFFFFFFFF, ""};
  for (DWORD i = 0;; ++i) {
    char name[1024];
    DWORD nameSize = sizeof name, type = 0, dataSize = 0;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS) break;
    std::string data(dataSize, '\0');
    nameSize = sizeof name;
    RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &dataSize);
    into[label + "|" + std::string(name, nameSize)] = {type, data.substr(0, dataSize)};
  }
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    std::string sub(name, nameSize);
    SnapshotKey(root, path.empty() ? sub : path + "\\" + sub, label + "\\" + Upper(sub), into);
  }
  RegCloseKey(key);
}

inline RegistrySnapshot Snapshot() {
  RegistrySnapshot snapshot;
  SnapshotKey(HKEY_LOCAL_MACHINE, "", "HKLM", snapshot);
  SnapshotKey(HKEY_CURRENT_USER, "", "HKCU", snapshot);
  return snapshot;
}

// What changed from `before` to `after`: entry -> new data (nullopt: gone).
inline std::map<std::string, std::optional<TypedData>> Changes(const RegistrySnapshot& before,
                                                                const RegistrySnapshot& after) {
  std::map<std::string, std::optional<TypedData>> changes;
  for (const auto& [entry, data] : after)
    if (auto it = before.find(entry); it == before.end() || !(it->second == data)) changes[entry] = data;
  for (const auto& [entry, data] : before)
    if (!after.count(entry)) changes[entry] = std::nullopt;
  return changes;
}

inline TypedData Sz(const std::string& text) { return {REG_SZ, text + std::string(1, '\0')}; }
inline TypedData Dword(std::uint32_t value) {
  return {REG_DWORD, std::string{static_cast<char>(value), static_cast<char>(value >> 8),
                                 static_cast<char>(value >> 16), static_cast<char>(value >> 24)}};
}

// A machine of `os` bound to the test, with the suite's OS facts and
// presets set up as the suite window's load sets them.
class SuiteTest : public ::testing::Test {
 protected:
  void UseMachine(platform::OsKind os) { UseMachine(NetworkMachine(os)); }
  void UseMachine(const platform::MachineBuilder& builder) {
    machine_.reset();
    machine_.emplace(builder);
    platform::forms::ResetFormsRuntime();
    SetMainWindow([]() -> MainWindowServices& { return SuiteMain(); });
    tuning::DetectOSVersion();
    for (int k = 0; k < tuning::kPresetCount; ++k) tuning::LoadPreset(k);
  }
  ~SuiteTest() override {
    SetMainWindow(nullptr);
    platform::forms::ResetFormsRuntime();
  }
  TempMachine& machine() { return *machine_; }

 private:
  std::optional<TempMachine> machine_;
};

}  // namespace tessaly::testing
