#include "app/machine_setup.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "support/temp_folder.h"

namespace {

// Every file of a folder tree with its bytes.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    std::string key = std::filesystem::relative(entry.path(), root).string();
    if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      std::ostringstream bytes;
      bytes << in.rdbuf();
      files[key] = bytes.str();
    } else {
      files[key] = "<dir>";
    }
  }
  return files;
}

TEST(OpenOrCreateMachine, CreatesOnceThenReusesUnchanged) {
  tessaly::testing::TempFolder temp;
  auto folder = temp.path() / "machine";
  bool created = false;
  {
    auto machine = tessaly::OpenOrCreateMachine(folder, created);
    EXPECT_TRUE(created);
    EXPECT_EQ(machine->description().os, platform::OsKind::WinXP);
  }
  auto first = Snapshot(folder);
  EXPECT_FALSE(std::filesystem::exists(temp.path() / "machine.partial"));
  {
    auto machine = tessaly::OpenOrCreateMachine(folder, created);
    EXPECT_FALSE(created);
  }
  EXPECT_EQ(Snapshot(folder), first);
}

TEST(OpenOrCreateMachine, ABrokenDescriptionIsReportedAndLeftAsItIs) {
  tessaly::testing::TempFolder temp;
  std::ofstream(temp.path() / "machine.ini") << "[Machine]\nOS=Vista\n";
  bool created = false;
  try {
    tessaly::OpenOrCreateMachine(temp.path(), created);
    FAIL() << "a broken machine opened";
  } catch (const platform::MachineError& e) {
    EXPECT_NE(std::string(e.what()).find("machine.ini line 2"), std::string::npos) << e.what();
  }
  std::ifstream in(temp.path() / "machine.ini");
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "[Machine]");
}

}  // namespace
