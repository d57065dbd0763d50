#pragma once
// A machine with entries in every start-up key: a quoted command with
// arguments, a REG_EXPAND_SZ value, and one name in both hives.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cleaning/stored_values.h"
#include "platform/forms/forms.h"
#include "platform/registry/advapi32.h"
#include "support/system_folders.h"
#include "support/temp_machine.h"

namespace tessaly::testing {

inline const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct StartUpValue {
  HKEY root;
  std::string path, name;
  DWORD type;
  std::string data;  // raw bytes, NUL included for strings
};

inline std::string Sz(const std::string& text) { return text + std::string(1, '\0'); }

inline const std::vector<StartUpValue>& FixtureValues() {
  static const std::vector<StartUpValue> values = {
      {HKEY_CURRENT_USER, kRunKey, "Tessaly", REG_SZ, Sz("\"C:\\Program Files\\Tessaly\\tsy.exe\" /STARTUP")},
      {HKEY_CURRENT_USER, kRunKey, "Paths", REG_EXPAND_SZ, Sz("%SystemRoot%\\paths.exe -q")},
      {HKEY_LOCAL_MACHINE, kRunKey, "Tessaly", REG_SZ, Sz("\"C:\\Program Files\\Tessaly\\tsy.exe\" /STARTRUN")},
      {HKEY_LOCAL_MACHINE, kRunKey, "Quoted", REG_SZ, Sz("\"C:\\Program Files\\App\\app.exe\" /x \"a b\"")},
      {HKEY_LOCAL_MACHINE, kRunKey + "Once", "Once", REG_SZ, Sz("C:\\setup\\finish.exe")},
      {HKEY_LOCAL_MACHINE, kRunKey + "OnceEx", "OnceEx", REG_SZ, Sz("C:\\setup\\more.exe")},
      {HKEY_LOCAL_MACHINE, kRunKey + "Services", "Service", REG_EXPAND_SZ, Sz("%ProgramFiles%\\svc.exe")},
  };
  return values;
}

inline void PutValue(const StartUpValue& value) {
  HKEY key = 0;
  ASSERT_EQ(RegCreateKeyExA(value.root, value.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, value.name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.data.data()),
                           static_cast<DWORD>(value.data.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

// Every value of the five keys, by "root|path|name".
inline std::map<std::string, cleaning::StoredValue> StartUpValues() {
  std::map<std::string, cleaning::StoredValue> all;
  const std::pair<HKEY, std::string> keys[] = {{HKEY_CURRENT_USER, kRunKey},
                                               {HKEY_LOCAL_MACHINE, kRunKey},
                                               {HKEY_LOCAL_MACHINE, kRunKey + "Once"},
                                               {HKEY_LOCAL_MACHINE, kRunKey + "OnceEx"},
                                               {HKEY_LOCAL_MACHINE, kRunKey + "Services"}};
  for (const auto& [root, path] : keys) {
    std::vector<cleaning::StoredValue> values;
    EXPECT_TRUE(cleaning::ReadStoredValues(root, path, values));
    for (auto& value : values) all[std::to_string(root) + "|" + path + "|" + value.name] = value;
  }
  return all;
}

inline std::string KeyOf(const StartUpValue& value) {
  return std::to_string(value.root) + "|" + value.path + "|" + value.name;
}

class StartUpMachineTest : public ::testing::TestWithParam<platform::OsKind> {
 protected:
  StartUpMachineTest() : machine_(GetParam()) {
    platform::forms::ResetFormsRuntime();
    InitSystemFolders();
    for (const auto& value : FixtureValues()) PutValue(value);
  }
  ~StartUpMachineTest() override { platform::forms::ResetFormsRuntime(); }

  std::string DisabledFile() { return machine_.ReadContent(g_WindowsDir + "\\inf\\zxxy.inf").value_or("<none>"); }

  TempMachine machine_;
};

}  // namespace tessaly::testing
