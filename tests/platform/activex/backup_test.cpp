// The backup archive stand-in: archives any AES-aware ZIP reader opens,
// restores that return the very bytes to the very paths, and failures that
// change nothing.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/activex/backup.h"
#include "platform/activex/zip_archive.h"
#include "platform/files/file_seams.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/forms.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using namespace platform::activex;
using namespace platform::forms;
namespace fs = std::filesystem;

constexpr const char* kPassword = "qolbtewxhkmrazcvnyui48027kgwplhtcxoe";
constexpr const char* kArchives = "C:\\Program Files\\Tessaly\\BackUps\\first";

class BackupForm : public Form {
 public:
  BackupForm() : Form("frmBackup") {}
  XceedBackup xMain{*this, "xMain"};
  BackupJob xBackupJob{*this, "xBackupJob"};
  RestoreJob xRestoreJob{*this, "xRestoreJob"};
  FileSelection xFileSelection{*this, "xFileSelection"};
};

struct ReaderRun {
  int exitCode = -1;
  std::string output;
};

// The independent reader, in a process of its own.
ReaderRun ReadWithOtherTool(const fs::path& archive, const std::string& password) {
  std::string command = std::string(TESSALY_ZIP_READER_PATH) + " '" + archive.string() + "' '" + password + "'";
  ReaderRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  while (std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe)) run.output.append(buffer.data(), got);
  int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  char pair[3];
  for (unsigned char c : bytes) {
    std::snprintf(pair, sizeof pair, "%02x", c);
    hex += pair;
  }
  return hex;
}

class BackupTest : public ::testing::Test {
 protected:
  BackupTest()
      : machine_(TestMachine()
                     .folder(kArchives)
                     .file("C:\\WINDOWS\\system32\\Shared.dll", std::string(3000, 'S') + "\x01\x02\xff")
                     .file("C:\\Apps\\Tool\\helper.DLL", "helper bytes")) {
    ResetFormsRuntime();
  }
  ~BackupTest() override { ResetFormsRuntime(); }

  BackupForm& form() { return DefaultInstance<BackupForm>(); }

  std::int32_t Back(const std::vector<std::string>& paths, const std::string& folder = kArchives) {
    auto& f = form();
    f.xFileSelection.Clear();
    for (const auto& path : paths) f.xFileSelection.Add(path, true);
    f.xBackupJob.Folder(folder);
    f.xBackupJob.ArchiveName("first");
    f.xBackupJob.Password(kPassword);
    f.xBackupJob.Compression(9);
    f.xBackupJob.Selection(&f.xFileSelection);
    return f.xMain.Backup(f.xBackupJob);
  }

  std::int32_t Restore(const std::string& password = kPassword, const std::string& folder = kArchives) {
    auto& f = form();
    f.xFileSelection.Clear();
    f.xFileSelection.Add("*", true);
    f.xFileSelection.Restrict("*");
    f.xRestoreJob.Folder(folder);
    f.xRestoreJob.Password(password);
    f.xRestoreJob.Selection(&f.xFileSelection);
    f.xRestoreJob.Overwrite(true);
    f.xRestoreJob.CreateFolders(true);
    f.xRestoreJob.RestorePaths(true);
    return f.xMain.Restore(f.xRestoreJob);
  }

  fs::path ArchiveFile() { return machine_.hostPath(std::string(kArchives) + "\\first.zip"); }

  TempMachine machine_;
};

TEST_F(BackupTest, ArchiveOpensInAnotherZipReaderWithThePasswordOnly) {
  ASSERT_EQ(Back({"C:\\WINDOWS\\system32\\Shared.dll", "C:\\Apps\\Tool\\helper.DLL"}), kBackupSuccess);
  ASSERT_TRUE(fs::exists(ArchiveFile()));

  ReaderRun good = ReadWithOtherTool(ArchiveFile(), kPassword);
  ASSERT_EQ(good.exitCode, 0) << good.output;
  EXPECT_EQ(good.output, "C/WINDOWS/SYSTEM32/SHARED.DLL\n" + Hex(std::string(3000, 'S') + "\x01\x02\xff") +
                             "\nC/APPS/TOOL/HELPER.DLL\n" + Hex("helper bytes") + "\n");
  EXPECT_EQ(ReadWithOtherTool(ArchiveFile(), "not the password").exitCode, 3);
  // The content is enciphered: the plain bytes appear nowhere in the file.
  EXPECT_EQ(machine_.HostContent("Program Files/Tessaly/BackUps/first/first.zip").find("helper bytes"),
            std::string::npos);
}

TEST_F(BackupTest, RestoreReturnsTheSameBytesToTheRecordedPathsInTheirCase) {
  std::string shared = *machine_.ReadContent("C:\\WINDOWS\\system32\\Shared.dll");
  ASSERT_EQ(Back({"C:\\WINDOWS\\system32\\Shared.dll", "C:\\Apps\\Tool\\helper.DLL"}), kBackupSuccess);
  fs::remove(machine_.hostPath("C:\\WINDOWS\\system32\\Shared.dll"));
  fs::remove_all(machine_.hostPath("C:\\Apps"));
  machine_.WriteContent("C:\\WINDOWS\\system32\\Shared.dll", "changed since");  // overwritten back

  EXPECT_EQ(form().xMain.Check(kArchives, form().xFileSelection), kBackupSuccess);
  ASSERT_EQ(Restore(), kBackupSuccess);
  EXPECT_EQ(machine_.ReadContent("C:\\WINDOWS\\system32\\Shared.dll"), shared);
  EXPECT_EQ(machine_.ReadContent("C:\\Apps\\Tool\\helper.DLL"), "helper bytes");
  EXPECT_TRUE(fs::exists(machine_.drive('C') / "Apps" / "Tool" / "helper.DLL"));  // the recorded case
}

TEST_F(BackupTest, RestoreWritesEveryFileItCanAndNamesTheRest) {
  machine_.WriteContent("C:\\Apps\\last.dll", "last bytes");
  std::string shared = *machine_.ReadContent("C:\\WINDOWS\\system32\\Shared.dll");
  ASSERT_EQ(Back({"C:\\WINDOWS\\system32\\Shared.dll", "C:\\Apps\\Tool\\helper.DLL", "C:\\Apps\\last.dll"}),
            kBackupSuccess);
  for (const char* path : {"C:\\WINDOWS\\system32\\Shared.dll", "C:\\Apps\\Tool\\helper.DLL", "C:\\Apps\\last.dll"})
    machine_.WriteContent(path, "changed");
  ASSERT_TRUE(SetFileAttributesA("C:\\WINDOWS\\system32\\Shared.dll", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(SetFileAttributesA("C:\\Apps\\last.dll", FILE_ATTRIBUTE_READONLY));

  EXPECT_EQ(Restore(), kBackupUnwritable);
  EXPECT_EQ(form().xMain.NotRestored(),
            (std::vector<std::string>{"C:\\WINDOWS\\system32\\Shared.dll", "C:\\Apps\\last.dll"}));
  EXPECT_EQ(machine_.ReadContent("C:\\Apps\\Tool\\helper.DLL"), "helper bytes");
  EXPECT_EQ(machine_.ReadContent("C:\\Apps\\last.dll"), "changed");

  // Once writable, the same archive restores whole and names nothing.
  ASSERT_TRUE(SetFileAttributesA("C:\\WINDOWS\\system32\\Shared.dll", FILE_ATTRIBUTE_NORMAL));
  ASSERT_TRUE(SetFileAttributesA("C:\\Apps\\last.dll", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(Restore(), kBackupSuccess);
  EXPECT_TRUE(form().xMain.NotRestored().empty());
  EXPECT_EQ(machine_.ReadContent("C:\\WINDOWS\\system32\\Shared.dll"), shared);
  EXPECT_EQ(machine_.ReadContent("C:\\Apps\\last.dll"), "last bytes");
}

TEST_F(BackupTest, WrongPasswordOrDamagedArchiveWritesNothing) {
  ASSERT_EQ(Back({"C:\\Apps\\Tool\\helper.DLL"}), kBackupSuccess);
  machine_.WriteContent("C:\\Apps\\Tool\\helper.DLL", "current");
  EXPECT_EQ(Restore("wrong"), kBackupWrongPassword);
  EXPECT_EQ(machine_.ReadContent("C:\\Apps\\Tool\\helper.DLL"), "current");

  std::string archive = machine_.HostContent("Program Files/Tessaly/BackUps/first/first.zip");
  struct Damage {
    const char* what;
    std::string bytes;
  };
  std::string flipped = archive;
  flipped[85] = static_cast<char>(flipped[85] ^ 0x5A);  // inside the enciphered data
  const Damage damages[] = {{"cut short", archive.substr(0, archive.size() / 2)}, {"a byte changed", flipped}};
  for (const auto& damage : damages) {
    SCOPED_TRACE(damage.what);
    machine_.WriteContent(std::string(kArchives) + "\\first.zip", damage.bytes);
    std::int32_t check = form().xMain.Check(kArchives, form().xFileSelection);
    std::int32_t restore = Restore();
    EXPECT_TRUE(check == kBackupCorrupted || restore == kBackupCorrupted) << check << " " << restore;
    EXPECT_NE(restore, kBackupSuccess);
    EXPECT_EQ(machine_.ReadContent("C:\\Apps\\Tool\\helper.DLL"), "current");
  }
  EXPECT_EQ(Restore(kPassword, "C:\\Program Files\\Tessaly\\BackUps"), kBackupNoArchive);
}

TEST_F(BackupTest, BackupThatCannotReadOrWriteLeavesNoArchive) {
  EXPECT_EQ(Back({}), kBackupNothingSelected);
  EXPECT_EQ(Back({"C:\\Apps\\Tool\\missing.dll"}), kBackupUnreadable);
  ASSERT_EQ(platform::files::HoldFileByOtherProcess("C:\\Apps\\Tool\\helper.DLL", platform::files::HoldMode::DenyAll),
            0u);
  EXPECT_EQ(Back({"C:\\WINDOWS\\system32\\Shared.dll", "C:\\Apps\\Tool\\helper.DLL"}), kBackupUnreadable);
  platform::files::ReleaseHeldFile("C:\\Apps\\Tool\\helper.DLL");
  EXPECT_EQ(Back({"C:\\Apps\\Tool\\helper.DLL"}, "C:\\Program Files\\Tessaly\\BackUps\\none"), kBackupUnwritable);
  EXPECT_FALSE(fs::exists(ArchiveFile()));
  // No room: the drive cannot take the archive.
  platform::files::SetWriteBudget(0);
  EXPECT_EQ(Back({"C:\\Apps\\Tool\\helper.DLL"}), kBackupUnwritable);
  platform::files::SetWriteBudget(std::nullopt);
  EXPECT_FALSE(fs::exists(ArchiveFile()));
}

TEST_F(BackupTest, ArchiveWhosePathsLeaveTheMachineRestoresNothing) {
  struct Case {
    const char* entry;
  };
  const Case cases[] = {{"C/../../../outside/sentinel.txt"}, {"Q/WINDOWS/X.DLL"}, {"C"}, {"/etc/passwd"},
                        {"C/a\\..\\..\\b"},                  {"C/CON:x"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    std::vector<zip::Entry> entries = {{"C/APPS/TOOL/HELPER.DLL", "from the archive"}, {c.entry, "hostile"}};
    auto bytes = zip::Write(entries, "", kPassword, 9);
    ASSERT_TRUE(bytes);
    machine_.WriteContent(std::string(kArchives) + "\\first.zip", *bytes);
    EXPECT_EQ(Restore(), kBackupOutsideMachine);
    EXPECT_EQ(machine_.ReadContent("C:\\Apps\\Tool\\helper.DLL"), "helper bytes");
  }
  int outsideEntries = 0;
  for ([[maybe_unused]] const auto& entry : fs::recursive_directory_iterator(machine_.outside())) ++outsideEntries;
  EXPECT_EQ(outsideEntries, 1);  // the sentinel alone
}

TEST_F(BackupTest, LateBoundMembersKeepTheirValuesAndNameTheCodes) {
  auto& f = form();
  Property result;
  EXPECT_EQ(f.xBackupJob.Invoke(kDispidBackupCompression, DispatchKind::PropertyPut, {std::int32_t(9)}), S_OK);
  EXPECT_EQ(f.xBackupJob.Invoke(kDispidBackupFullPaths, DispatchKind::PropertyPut, {true}), S_OK);
  EXPECT_EQ(f.xBackupJob.Compression(), 9);
  EXPECT_EQ(f.xRestoreJob.Invoke(kDispidRestoreDestination, DispatchKind::PropertyPut, {std::string("")}), S_OK);
  EXPECT_EQ(f.xFileSelection.Invoke(kDispidSelectionAdd, DispatchKind::Method, {std::string("*"), true}), S_OK);
  EXPECT_EQ(f.xFileSelection.items(), std::vector<std::string>{"*"});
  EXPECT_EQ(f.xFileSelection.Invoke(kDispidSelectionClear, DispatchKind::Method, {}), S_OK);
  EXPECT_TRUE(f.xFileSelection.items().empty());
  EXPECT_EQ(f.xMain.Invoke(kDispidErrorText, DispatchKind::Method, {std::int32_t(1541), std::int32_t(0)}, &result),
            S_OK);
  EXPECT_EQ(std::get<std::string>(result), "The archive is corrupted");
  EXPECT_EQ(f.xMain.Invoke(999, DispatchKind::Method, {}), DISP_E_MEMBERNOTFOUND);
  f.xRestoreJob.Let("Password", std::string("secret"));
  EXPECT_EQ(f.xRestoreJob.Password(), "secret");
  EXPECT_EQ(std::get<std::string>(f.xBackupJob.Get("Folder")), "");
  EXPECT_EQ(f.xMain.ErrorText(kBackupWrongPassword), "Wrong password");
}

}  // namespace
}  // namespace tessaly::testing
