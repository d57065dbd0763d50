#pragma once
// A main window on a temporary machine whose extra plug-in store the test
// writes and reads: store bytes made by the program's own layout, a
// recording engine whose installed keys and path values the test chooses.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "cleaning/protected_folders.h"
#include "main_window_fixture.h"
#include "mainwindow/plugins/plugin_store.h"
#include "platform/base/cp1252.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/forms.h"

namespace tessaly::testing {

inline const std::string kStorePath = "C:\\Program Files\\Tessaly\\Plugins\\PLUGINS.dbs";
inline const std::string kClearCopy = "C:\\WINDOWS\\inf\\xyzx.inf";

// Installed programs are the keys the test names; every extra plug-in row
// handed over that the engine's own folder guard lets through is recorded.
class PluginEngine : public ScriptedEngine {
 public:
  std::set<std::string> installedKeys;              // upper case
  std::map<std::string, std::string> pathValues;    // APP entry -> data
  std::vector<std::string> traceEntries;
  std::vector<std::pair<std::string, std::string>> walks;  // folder, pattern
  std::vector<std::string> singleFiles;
  std::vector<std::string> shredded;
  std::int64_t bytesPerWalk = 100;

  bool TraceKeyExists(const std::string& entry) override { return installedKeys.count(platform::ToUpper(entry)) > 0; }
  std::string ReadTraceValue(const std::string& entry) override {
    auto found = pathValues.find(entry);
    return found == pathValues.end() ? "" : found->second;
  }
  void RunTraceEntry(const std::string& entry) override { traceEntries.push_back(entry); }
  // As the real engine, the folder guard judges a row before it deletes.
  std::int64_t DeleteTreeFiles(const std::string& folder, const std::string& pattern) override {
    if (!cleaning::MayEmptyFolder(folder)) return 0;
    walks.emplace_back(folder, pattern);
    return bytesPerWalk;
  }
  std::int64_t DeleteOneFile(const std::string& path) override {
    if (!cleaning::MayDeleteFile(path)) return 0;
    singleFiles.push_back(path);
    return 1;
  }
  std::int64_t ShredFile(const std::string& path) override {
    shredded.push_back(path);
    return 0;
  }
};

class ExtraPluginTest : public ::testing::Test {
 protected:
  ExtraPluginTest() {
    platform::forms::ResetFormsRuntime();
    InstallCleaningEngine(engine_);
  }
  ~ExtraPluginTest() override {
    InstallCleaningEngine(nullptr);
    platform::forms::ResetFormsRuntime();
  }

  // Store bytes of `plain` in the program's layout.
  void WriteStore(const std::string& plain) {
    FileBytes bytes = EncipherStoreBytes(FileBytes(plain.begin(), plain.end()));
    WriteStoreBytes(std::string(bytes.begin(), bytes.end()));
  }
  void WriteStoreBytes(const std::string& bytes) {
    CreateDirectoryA(kStorePath.substr(0, kStorePath.rfind('\\')).c_str(), nullptr);
    machine_.WriteContent(kStorePath, bytes);
  }
  std::optional<std::string> StoreBytes() { return machine_.ReadContent(kStorePath); }
  // The store's plain text; nullopt when it is missing or does not decipher.
  std::optional<std::string> StoreText() {
    auto bytes = StoreBytes();
    if (!bytes) return std::nullopt;
    FileBytes data(bytes->begin(), bytes->end());
    if (!DecipherStoreBytes(data)) return std::nullopt;
    return std::string(data.begin(), data.end());
  }
  bool ClearCopyExists() { return machine_.ReadContent(kClearCopy).has_value(); }

  // The main window, loaded (its start-up reads the store), showing the
  // extra plug-in page so that its controls take clicks.
  Form1Form& Main() {
    auto& main = Form1();
    if (!main.Frame_EPI.Visible()) main.ShowThatFrame(main.Frame_EPI);
    return main;
  }
  // The list's rows as "name|category|status|ticked".
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    auto& list = Main().LSTEPI;
    for (int i = 1; i <= list.Count(); ++i) {
      auto& row = list.Item(i);
      rows.push_back(row.Text + "|" + row.SubItems(1) + "|" + row.SubItems(2) + "|" + (row.Checked ? "ticked" : "-"));
    }
    return rows;
  }
  platform::forms::ListItem& Row(const std::string& name) {
    auto& list = Main().LSTEPI;
    for (int i = 1; i <= list.Count(); ++i)
      if (list.Item(i).Text == name) return list.Item(i);
    ADD_FAILURE() << "no row " << name;
    return list.Item(1);
  }

  std::shared_ptr<PluginEngine> engine_ = std::make_shared<PluginEngine>();
  TempMachine machine_;
};

}  // namespace tessaly::testing
