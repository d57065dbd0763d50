#include <gtest/gtest.h>

#include "platform/files/kernel32_files.h"
#include "platform/forms/forms.h"
#include "support/error_capture.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

class ListsForm : public Form {
 public:
  ListsForm() : Form("frmLists") {
    TSY_ON(drvList, Change, drvList_Change);
    TSY_ON(dirList, Change, dirList_Change);
  }
  TSY_CONTROL(DriveListBox, drvList);
  TSY_CONTROL(DirListBox, dirList);
  TSY_CONTROL(FileListBox, fileList);
  std::vector<std::string> log;
  void drvList_Change() { log.push_back("drvList_Change " + drvList.Drive()); }
  void dirList_Change() { log.push_back("dirList_Change " + dirList.Path()); }
};
ListsForm& frmLists() { return DefaultInstance<ListsForm>(); }

platform::DriveDescription Drive(char letter, platform::DriveType type, std::string label = "",
                                 bool media = true, std::string share = "") {
  platform::DriveDescription d;
  d.letter = letter;
  d.type = type;
  d.label = std::move(label);
  d.capacity = 8 * 1024 * 1024;
  d.mediaPresent = media;
  d.share = std::move(share);
  return d;
}

// C: (the system drive, "SYSTEM"), A: removable without media, D: CD-ROM,
// E: fixed without a label, F: RAM disk, N: network, R: fixed without media.
platform::MachineBuilder Drives() {
  return TestMachine(platform::OsKind::WinXP)
      .drive(Drive('E', platform::DriveType::Fixed))
      .drive(Drive('F', platform::DriveType::RamDisk, "RAMDISK"))
      .drive(Drive('N', platform::DriveType::Remote, "", true, "\\\\server\\share"))
      .drive(Drive('R', platform::DriveType::Fixed, "GONE", false))
      .file("C:\\Files\\b.chk", "1")
      .file("C:\\Files\\A.CHK", "1")
      .file("C:\\Files\\hidden.chk", "1")
      .file("C:\\Files\\system.chk", "1")
      .file("C:\\Files\\readonly.chk", "1")
      .file("C:\\Files\\plain.chk", "1")
      .file("C:\\Files\\other.txt", "1")
      .file("C:\\Files\\Long Name File.chk", "1")
      .folder("C:\\Files\\Sub.chk")
      .folder("C:\\Files\\zeta")
      .folder("C:\\Files\\Alpha");
}

class FileSystemLists : public ::testing::Test {
 protected:
  FileSystemLists() : machine_((ResetFormsRuntime(), Drives())) {
    SetFileAttributesA("C:\\Files\\hidden.chk", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesA("C:\\Files\\system.chk", FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA("C:\\Files\\readonly.chk", FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA("C:\\Files\\plain.chk", FILE_ATTRIBUTE_NORMAL);
  }
  ~FileSystemLists() override { ResetFormsRuntime(); }
  TempMachine machine_;
};

TEST_F(FileSystemLists, DriveListShowsEachDriveAsTheRuntimeDoes) {
  DriveListBox& drives = frmLists().drvList;
  EXPECT_EQ(drives.Items(), (std::vector<std::string>{"a:", "c: [SYSTEM]", "d:", "e:", "f: [RAMDISK]",
                                                      "n: [\\\\server\\share]", "r:"}));
  EXPECT_EQ(drives.Drive(), "c: [SYSTEM]");  // the current drive
  frmLists().log.clear();
  drives.Drive("E");
  drives.Drive("e:");  // the same drive: no Change
  drives.Drive("n: [\\\\server\\share]");
  EXPECT_EQ(frmLists().log, (std::vector<std::string>{"drvList_Change e:", "drvList_Change n: [\\\\server\\share]"}));
  EXPECT_EQ(ErrorOf([&] { drives.Drive("q:"); }), 68);
  EXPECT_EQ(ErrorOf([&] { drives.Drive("?"); }), 68);
  EXPECT_EQ(drives.Drive(), "n: [\\\\server\\share]");
}

TEST_F(FileSystemLists, FileListFiltersByPatternAndAttributes) {
  FileListBox& files = frmLists().fileList;
  files.Pattern("*.chk");
  files.Path("C:\\Files\\");
  EXPECT_EQ(files.Path(), "C:\\Files");
  // Sorted ignoring case; no folders (Sub.chk); hidden and system left out.
  EXPECT_EQ(files.Items(), (std::vector<std::string>{"A.CHK", "b.chk", "Long Name File.chk", "plain.chk",
                                                     "readonly.chk"}));
  files.Hidden(true);
  files.System(true);
  files.ReadOnly(false);
  files.Normal(false);
  EXPECT_EQ(files.Items(), (std::vector<std::string>{"A.CHK", "b.chk", "hidden.chk", "Long Name File.chk",
                                                     "system.chk"}));
  files.Normal(true);
  files.Pattern("*.txt;a*");
  EXPECT_EQ(files.Items(), (std::vector<std::string>{"A.CHK", "other.txt"}));
  // The alias matches too: "Long Name File.chk" is "LONGNA~1.CHK".
  files.Pattern("LONGNA~1.*");
  EXPECT_EQ(files.Items(), (std::vector<std::string>{"Long Name File.chk"}));
  files.Pattern("");
  EXPECT_EQ(files.Pattern(), "*.*");
  EXPECT_EQ(files.ListCount(), 7);
}

TEST_F(FileSystemLists, FileListReReadsOnlyWhenAskedAndKeepsItsListOnErrors) {
  FileListBox& files = frmLists().fileList;
  files.Pattern("*.txt");
  files.Path("c:\\files");
  ASSERT_EQ(files.ListCount(), 1);
  CreateDirectoryA("C:\\Empty", nullptr);
  HANDLE h = CreateFileA("C:\\Files\\new.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  CloseHandle(h);
  EXPECT_EQ(files.ListCount(), 1);
  files.Refresh();
  EXPECT_EQ(files.ListCount(), 2);
  struct {
    const char* path;
    int error;
  } cases[] = {{"C:\\Missing", 76}, {"C:\\Files\\other.txt", 76}, {"Q:\\", 68}, {"R:\\", 71}, {"D:\\", 71}};
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorOf([&] { files.Path(c.path); }), c.error) << c.path;
    EXPECT_EQ(files.Path(), "c:\\files") << c.path;
    EXPECT_EQ(files.ListCount(), 2) << c.path;
  }
  files.Path("C:\\Empty");
  EXPECT_EQ(files.ListCount(), 0);
  files.Path("E:");
  EXPECT_EQ(files.Path(), "E:\\");
}

TEST_F(FileSystemLists, DirListShowsSubfoldersAndAncestors) {
  DirListBox& dirs = frmLists().dirList;
  frmLists().log.clear();
  dirs.Path("C:\\Files");
  dirs.Path("c:\\FILES\\");  // the same folder: no Change
  EXPECT_EQ(frmLists().log, (std::vector<std::string>{"dirList_Change C:\\Files"}));
  EXPECT_EQ(dirs.Items(), (std::vector<std::string>{"C:\\Files\\Alpha", "C:\\Files\\Sub.chk", "C:\\Files\\zeta"}));
  EXPECT_EQ(dirs.List(-1), "C:\\Files");
  EXPECT_EQ(dirs.List(-2), "C:\\");
  EXPECT_EQ(dirs.List(-3), "");
  EXPECT_EQ(dirs.List(3), "");
  EXPECT_EQ(ErrorOf([&] { dirs.Path("C:\\Files\\Nothing"); }), 76);
  dirs.Path("C:\\");
  EXPECT_EQ(dirs.List(-2), "");
  EXPECT_NE(std::find(dirs.Items().begin(), dirs.Items().end(), "C:\\Files"), dirs.Items().end());
}

TEST_F(FileSystemLists, DriveListSeesNewDrivesOnlyAfterRefresh) {
  DriveListBox& drives = frmLists().drvList;
  drives.Drive("f");
  // A drive mapped while the program runs: the machine is opened afresh
  // with one more drive; the form and its list stay.
  machine_.Reconfigure([](platform::MachineDescription& description) {
    description.drives.push_back(Drive('G', platform::DriveType::Fixed, "NEW"));
  });
  ASSERT_EQ(GetDriveTypeA("G:\\"), 3u);
  EXPECT_EQ(drives.ListCount(), 7);
  EXPECT_EQ(ErrorOf([&] { drives.Drive("g"); }), 68);
  drives.Refresh();
  EXPECT_EQ(drives.List(5), "g: [NEW]");
  EXPECT_EQ(drives.Drive(), "f: [RAMDISK]");  // the selection follows its drive
}

}  // namespace
}  // namespace tessaly::testing
