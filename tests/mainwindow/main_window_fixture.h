#pragma once
// A main window on a temporary machine with a scripted cleaning engine:
// each item returns the bytes scripted for it, logs one line and yields once
// (as the engine's walkers do), so tests can act at a chosen yield.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cleaning/plugin_runner.h"
#include "mainwindow/Form1.h"
#include "platform/files/kernel32_files.h"
#include "support/temp_machine.h"

namespace tessaly::testing {

class ScriptedEngine : public CleaningEngine {
 public:
  std::map<std::pair<CleanSection, int>, std::int64_t> bytes;
  std::vector<std::string> calls;

  std::int64_t CleanItem(CleanSection section, int index) override {
    return Item("item " + std::to_string(static_cast<int>(section)) + "." + std::to_string(index),
                bytes[{section, index}]);
  }
  std::int64_t CleanCustomFile(const std::string& folder, const std::string& pattern, std::int32_t minKB,
                               std::int32_t maxKB) override {
    return Item("custom " + folder + " " + pattern + " " + std::to_string(minKB) + " " + std::to_string(maxKB),
                bytes[{CleanSection::HardDisk, 2}]);
  }
  std::int64_t CleanNetscape() override { return Item("netscape", bytes[{CleanSection::NetScape, 0}]); }
  std::int64_t CleanIE() override { return Item("ie", bytes[{CleanSection::IE, 0}]); }
  // Every application counts as installed, so every section button works.
  bool TraceKeyExists(const std::string&) override { return true; }
  std::string ReadTraceValue(const std::string&) override { return "installed"; }

 private:
  std::int64_t Item(const std::string& call, std::int64_t result) {
    calls.push_back(call);
    AddItem("\t" + call);
    platform::forms::DoEvents();
    return result;
  }
};

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    platform::forms::ResetFormsRuntime();
    InstallCleaningEngine(engine_);
    ConnectBuiltInPluginNames();
  }
  ~MainWindowTest() override {
    InstallCleaningEngine(nullptr);
    platform::forms::ResetFormsRuntime();
  }
  // Puts these files of a second skin into the program folder's "Skin2".
  void PutSkin2Files(const std::vector<std::string>& names, const std::string& content = "[Skin]\r\n") {
    CreateDirectoryA(kSkin2Folder, nullptr);
    for (const auto& name : names) machine_.WriteContent(std::string(kSkin2Folder) + "\\" + name, content);
  }
  static constexpr const char* kSkin2Folder = "C:\\Program Files\\Tessaly\\Skin2";

  std::shared_ptr<ScriptedEngine> engine_ = std::make_shared<ScriptedEngine>();
  TempMachine machine_;
};

}  // namespace tessaly::testing
