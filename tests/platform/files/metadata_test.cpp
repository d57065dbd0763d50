#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/files/file_content.h"
#include "platform/files/file_metadata.h"
#include "platform/files/file_system.h"
#include "platform/files/kernel32_files.h"
#include "support/temp_machine.h"

namespace {

using tessaly::testing::DriveTableMachine;
using tessaly::testing::TempMachine;

TEST(FileMetadata, AttributesPersistAcrossReopenAndFollowRenames) {
  TempMachine m(DriveTableMachine());
  m.Put("Docs/a.txt", "a");
  m.Put("Docs/Sub/b.txt", "b");
  EXPECT_EQ(GetFileAttributesA("C:\\Docs\\a.txt"), FILE_ATTRIBUTE_ARCHIVE);  // fixture files have A
  EXPECT_EQ(GetFileAttributesA("C:\\Docs"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesA("C:\\"), FILE_ATTRIBUTE_DIRECTORY);
  ASSERT_EQ(SetFileAttributesA("C:\\Docs\\a.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY), TRUE);
  ASSERT_EQ(SetFileAttributesA("C:\\Docs\\Sub\\b.txt", FILE_ATTRIBUTE_NORMAL), TRUE);
  ASSERT_EQ(SetFileAttributesA("C:\\Docs\\Sub", FILE_ATTRIBUTE_READONLY), TRUE);
  m.Reopen();
  EXPECT_EQ(GetFileAttributesA("C:\\docs\\A.TXT"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(GetFileAttributesA("C:\\Docs\\Sub\\b.txt"), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(GetFileAttributesA("C:\\Docs\\Sub"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY);

  // A moved folder carries its subtree's metadata; a deleted file drops it.
  ASSERT_EQ(MoveFileA("C:\\Docs", "C:\\Papers"), TRUE);
  EXPECT_EQ(GetFileAttributesA("C:\\Papers\\a.txt"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(GetFileAttributesA("C:\\Papers\\Sub\\b.txt"), FILE_ATTRIBUTE_NORMAL);
  ASSERT_EQ(DeleteFileA("C:\\Papers\\Sub\\b.txt"), TRUE);
  m.Put("Papers/Sub/b.txt", "again");
  EXPECT_EQ(GetFileAttributesA("C:\\Papers\\Sub\\b.txt"), FILE_ATTRIBUTE_ARCHIVE);
  m.Reopen();
  EXPECT_EQ(GetFileAttributesA("C:\\Papers\\a.txt"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(GetFileAttributesA("C:\\Docs\\a.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST(FileMetadata, WritingSetsTheArchiveBit) {
  TempMachine m(DriveTableMachine());
  m.Put("a.txt", "a");
  ASSERT_EQ(SetFileAttributesA("C:\\a.txt", FILE_ATTRIBUTE_NORMAL), TRUE);
  ASSERT_EQ(platform::files::WriteFileContent("C:\\a.txt", "changed"), ERROR_SUCCESS);
  EXPECT_EQ(GetFileAttributesA("C:\\a.txt"), FILE_ATTRIBUTE_ARCHIVE);
  ASSERT_EQ(SetFileAttributesA("C:\\a.txt", FILE_ATTRIBUTE_HIDDEN), TRUE);
  HANDLE h = CreateFileA("C:\\a.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ASSERT_EQ(WriteFile(h, "x", 1, &written, nullptr), TRUE);
  CloseHandle(h);
  EXPECT_EQ(GetFileAttributesA("C:\\a.txt"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
}

TEST(FileMetadata, StateIsWrittenOnFlushOnly) {
  TempMachine m(DriveTableMachine());
  for (int i = 0; i < 200; ++i) m.Put("Many/f" + std::to_string(i) + ".txt");
  std::filesystem::path state = m.machineFolder() / "state" / "files.meta";
  for (int i = 0; i < 200; ++i)
    ASSERT_EQ(SetFileAttributesA(("C:\\Many\\f" + std::to_string(i) + ".txt").c_str(), FILE_ATTRIBUTE_READONLY), TRUE);
  EXPECT_FALSE(std::filesystem::exists(state));
  m.machine().Flush();
  EXPECT_TRUE(std::filesystem::exists(state));
  EXPECT_FALSE(std::filesystem::exists(m.machineFolder() / "state" / "files.meta.tmp"));
}

// The tables are hashed; the file is still written in key order, and an
// unchanged attribute leaves nothing to write.
TEST(FileMetadata, TheStateFileIsSortedAndUnchangedAttributesWriteNothing) {
  TempMachine m(DriveTableMachine());
  std::filesystem::path file = m.machineFolder() / "state" / "sorted.meta";
  platform::files::MetadataStore store(file);
  for (const char* name : {"ZETA.TXT", "ALPHA.TXT", "MIDDLE.TXT", "BETA.TXT"}) store.SetAttributes("C:\\DOCS", name, 1);
  store.SetAttributes("C:\\A", "FIRST.TXT", 2);
  store.Save();
  std::ifstream in(file);
  std::vector<std::string> keys;
  for (std::string line; std::getline(in, line);)
    if (line.find('\t') != std::string::npos) keys.push_back(line.substr(0, line.find('\t')));
  EXPECT_EQ(keys, (std::vector<std::string>{"C:\\A\\FIRST.TXT", "C:\\DOCS\\ALPHA.TXT", "C:\\DOCS\\BETA.TXT",
                                            "C:\\DOCS\\MIDDLE.TXT", "C:\\DOCS\\ZETA.TXT"}));
  store.SetAttributes("C:\\DOCS", "BETA.TXT", 1);
  EXPECT_FALSE(store.dirty());
  store.SetAttributes("C:\\DOCS", "BETA.TXT", 0);
  EXPECT_TRUE(store.dirty());
  EXPECT_EQ(store.Find("C:\\DOCS", "BETA.TXT")->attributes, 0u);
}

// The store keeps the last folder asked at hand; a folder table that goes
// (its last entry removed, the folder removed or moved) is never used after.
TEST(FileMetadata, AFolderTableThatGoesIsNotAskedAgain) {
  TempMachine m(DriveTableMachine());
  std::filesystem::path file = m.machineFolder() / "state" / "memo.meta";
  platform::files::MetadataStore store(file);
  store.SetAttributes("C:\\DOCS", "A.TXT", 1);
  store.Remove("C:\\DOCS", "A.TXT");  // its table empties and goes
  EXPECT_EQ(store.Find("C:\\DOCS", "A.TXT"), nullptr);
  store.SetAttributes("C:\\DOCS", "B.TXT", 2);
  EXPECT_EQ(store.Find("C:\\DOCS", "B.TXT")->attributes, 2u);

  store.SetAlias("C:\\DOCS\\SUB", "LONG NAME.TXT", "LONGNA~1.TXT");
  EXPECT_NE(store.NameForAlias("C:\\DOCS\\SUB", "LONGNA~1.TXT"), nullptr);
  store.Remove("C:\\DOCS", "SUB");  // the folder and its table
  EXPECT_EQ(store.NameForAlias("C:\\DOCS\\SUB", "LONGNA~1.TXT"), nullptr);
  EXPECT_EQ(store.Find("C:\\DOCS\\SUB", "LONG NAME.TXT"), nullptr);

  store.SetAttributes("C:\\DOCS\\SUB", "C.TXT", 4);
  EXPECT_EQ(store.Find("C:\\DOCS\\SUB", "C.TXT")->attributes, 4u);
  store.Move("C:\\DOCS", "SUB", "C:\\DOCS", "MOVED");
  EXPECT_EQ(store.Find("C:\\DOCS\\SUB", "C.TXT"), nullptr);
  EXPECT_EQ(store.Find("C:\\DOCS\\MOVED", "C.TXT")->attributes, 4u);
  store.SetAttributes("C:\\DOCS\\SUB", "D.TXT", 1);
  store.Save();

  platform::files::MetadataStore reloaded(file);
  EXPECT_EQ(reloaded.Find("C:\\DOCS", "B.TXT")->attributes, 2u);
  EXPECT_EQ(reloaded.Find("C:\\DOCS\\MOVED", "C.TXT")->attributes, 4u);
  EXPECT_EQ(reloaded.Find("C:\\DOCS\\SUB", "D.TXT")->attributes, 1u);
  EXPECT_EQ(reloaded.Find("C:\\DOCS\\SUB", "C.TXT"), nullptr);
  EXPECT_EQ(reloaded.Find("C:\\DOCS", "A.TXT"), nullptr);
}

TEST(FileMetadata, ABrokenStateFileStopsTheMachineAndIsKept) {
  TempMachine m(DriveTableMachine());
  m.Put("a.txt");
  ASSERT_EQ(SetFileAttributesA("C:\\a.txt", FILE_ATTRIBUTE_READONLY), TRUE);
  m.machine().Flush();
  m.Abandon();
  std::filesystem::path state = m.machineFolder() / "state" / "files.meta";
  std::string broken = "TESSALY FILE METADATA 1\nC:\\A.TXT\tzz\t\t\n";
  std::ofstream(state, std::ios::binary) << broken;
  auto machine = platform::Machine::Open(m.machineFolder());
  try {
    platform::files::LoadFileSystem(*machine);
    FAIL() << "a broken state file was accepted";
  } catch (const platform::MachineError& e) {
    EXPECT_NE(std::string(e.what()).find("files.meta line 2"), std::string::npos) << e.what();
  }
  // Calls on such a machine fail cleanly, and the file is never overwritten.
  platform::MachineBinding binding(*machine);
  EXPECT_EQ(GetFileAttributesA("C:\\a.txt"), INVALID_FILE_ATTRIBUTES);
  machine->Flush();
  machine.reset();
  std::ifstream in(state, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), broken);
}

}  // namespace
