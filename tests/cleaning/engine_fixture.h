#pragma once
// A temporary machine with the main window loaded, the folder globals
// filled and a clean forms runtime, for the engine's file tests.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cleaning/Delete.h"
#include "cleaning/frmClean.h"
#include "cleaning/plugin_runner.h"
#include "mainwindow/Form1.h"
#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/forms.h"
#include "support/system_folders.h"
#include "support/temp_machine.h"

namespace tessaly::testing {

class EngineTest : public ::testing::Test {
 public:
  explicit EngineTest(platform::OsKind os = platform::OsKind::WinXP,
                      platform::UserKind user = platform::UserKind::Admin)
      : EngineTest(TestMachine(os).userKind(user)) {}
  explicit EngineTest(platform::MachineBuilder builder) : machine_(Reset(std::move(builder))) {
    Form1().txtResult.Text("");
    Form1().chkBleach.Value(0);
    Form1().chkSkipMessages.Value(0);
  }
  ~EngineTest() override { platform::forms::ResetFormsRuntime(); }

  static platform::MachineBuilder Reset(platform::MachineBuilder builder) {
    platform::forms::ResetFormsRuntime();
    ConnectBuiltInPluginNames();
    return builder;
  }

  static void Put(const std::string& path, const std::string& content = "x") {
    std::string folder = path.substr(0, path.find_last_of('\\'));
    MakeFolders(folder);
    ASSERT_EQ(platform::files::WriteFileContent(path, content), 0u) << path;
  }
  static void MakeFolders(const std::string& folder) {
    for (std::size_t at = folder.find('\\', 3); ; at = folder.find('\\', at + 1)) {
      CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
      if (at == std::string::npos) break;
    }
  }
  static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
  static std::string Content(const std::string& path) {
    std::string bytes;
    platform::files::ReadFileContent(path, bytes);
    return bytes;
  }
  static const std::string& Log() { return Form1().txtResult.Text(); }
  // The prompt of the last box shown; "" when none was.
  static std::string LastBox() {
    const auto& records = platform::forms::Answers().records();
    return records.empty() ? "" : records.back().request.prompt;
  }
  static std::vector<std::string> BoxTitles() {
    std::vector<std::string> titles;
    for (const auto& record : platform::forms::Answers().records()) titles.push_back(record.request.title);
    return titles;
  }

  TempMachine machine_;
};

}  // namespace tessaly::testing
