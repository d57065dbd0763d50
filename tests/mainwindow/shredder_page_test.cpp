#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "mainwindow/Form1.h"
#include "mainwindow/run/engine_link.h"
#include "platform/files/file_seams.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/forms.h"
#include "platform/forms/window_messages.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;
namespace fs = std::filesystem;

constexpr std::uint64_t kDataDrive = 8ull * 1024 * 1024;
constexpr std::uint64_t kFillDrive = 24ull * 1024 * 1024;

platform::DriveDescription Drive(char letter, platform::DriveType type, std::uint64_t capacity, const char* label) {
  platform::DriveDescription drive;
  drive.letter = letter;
  drive.type = type;
  drive.capacity = capacity;
  drive.label = label;
  return drive;
}

platform::DriveDescription ReadOnly(platform::DriveDescription drive) {
  drive.readOnly = true;
  return drive;
}

platform::MachineBuilder ShredMachine() {
  return TestMachine()
      .drive(Drive('E', platform::DriveType::Fixed, kDataDrive, "DATA"))
      .drive(Drive('F', platform::DriveType::Fixed, kFillDrive, "FILL"))
      .drive(Drive('G', platform::DriveType::Remote, kDataDrive, ""))
      .drive(ReadOnly(Drive('H', platform::DriveType::Fixed, kDataDrive, "LOCKED")))
      .file("C:\\keep\\system.txt", "system data")
      .file("E:\\a.txt", std::string(5000, 'a'))
      .file("E:\\docs\\b.txt", std::string(3000, 'b'))
      .file("E:\\docs\\deep\\c.txt", std::string(100, 'c'))
      .file("F:\\keep.txt", "kept")
      .file("F:\\TmpShred.1", "not ours")
      .file("C:\\list\\one.txt", std::string(1000, '1'))
      .file("C:\\list\\two.txt", std::string(2000, '2'))
      .file("C:\\list\\three.txt", std::string(4000, '3'))
      .file("C:\\list\\four.txt", std::string(8000, '4'))
      .file("C:\\folders\\x\\x1.txt", std::string(700, 'x'))
      .file("C:\\folders\\y\\y1.txt", std::string(300, 'y'));
}

// The main window over the real engine's shredding primitives.
class ShredderPageTest : public ::testing::Test {
 protected:
  ShredderPageTest() = default;
  ~ShredderPageTest() override {
    ResetFormsRuntime();
    InstallCleaningEngine(nullptr);
    InstallBuiltInPluginRunner(nullptr);
  }

  bool Exists(const std::string& path) { return fs::exists(machine_.hostPath(path)); }
  std::vector<std::string> Prompts() {
    std::vector<std::string> prompts;
    for (const auto& record : Answers().records())
      if (record.request.kind == AskKind::MessageBox) prompts.push_back(record.request.prompt);
    return prompts;
  }
  void AddFiles(const std::vector<std::string>& paths) {
    for (const auto& path : paths) {
      Answers().Script("OK", path);
      form_.cmdShredFileAdd_Click();
    }
  }
  std::uint64_t FreeBytes(const char* root) {
    ULARGE_INTEGER available{}, total{}, free{};
    EXPECT_TRUE(GetDiskFreeSpaceExA(root, &available, &total, &free));
    return free.QuadPart;
  }

  TempMachine machine_{ShredMachine()};
  // The real engine is installed before the main window first loads.
  bool connected_ = (ResetFormsRuntime(), ConnectCleaningEngine(), true);
  Form1Form& form_ = Form1();
  // The user works on the shredder page: its buttons take clicks only there.
  bool onShredderPage_ = (form_.ShowThatFrame(form_.Frame_Shred), true);
};

TEST_F(ShredderPageTest, FilesShredBottomUpAndTheMessageGivesTheSum) {
  AddFiles({"C:\\list\\one.txt", "C:\\list\\two.txt", "C:\\list\\three.txt"});
  AddFiles({"C:\\list\\one.txt"});  // the same single file again: one row
  ASSERT_EQ(form_.lstShredFiles.ListCount(), 3);
  EXPECT_TRUE(form_.cmdShredFiles.Enabled());
  std::vector<std::vector<std::string>> rowsSeen;
  SetTurnObserver([&] {
    if (rowsSeen.empty() || rowsSeen.back() != form_.lstShredFiles.Items())
      rowsSeen.push_back(form_.lstShredFiles.Items());
  });
  form_.cmdShredFiles_Click();
  SetTurnObserver(nullptr);
  EXPECT_EQ(form_.lstShredFiles.ListCount(), 0);
  for (const char* name : {"one", "two", "three"}) EXPECT_FALSE(Exists(std::string("C:\\list\\") + name + ".txt"));
  EXPECT_TRUE(Exists("C:\\list\\four.txt"));
  // The bottom row goes first, each row as its file goes.
  EXPECT_EQ(rowsSeen, (std::vector<std::vector<std::string>>{
                          {"C:\\list\\one.txt", "C:\\list\\two.txt", "C:\\list\\three.txt"},
                          {"C:\\list\\one.txt", "C:\\list\\two.txt"},
                          {"C:\\list\\one.txt"}}));
  EXPECT_EQ(Prompts().back(), "Shredding Files Is Successfully Finished!\r\nSaving 7000 Bytes");
  EXPECT_EQ(form_.cmdShredFiles.Caption(), "Shred Files");
  EXPECT_FALSE(form_.cmdShredFiles.Enabled());
  EXPECT_TRUE(form_.cmdShredDrive.Enabled());
  EXPECT_TRUE(form_.StopShredNow);
  EXPECT_FALSE(form_.shredRunning());
  EXPECT_FALSE(form_.ShredProg.Visible());
  EXPECT_EQ(form_.ShredProg.history().back(), 100.0f);
  EXPECT_EQ(form_.MousePointer(), 0);
  EXPECT_TRUE(form_.Frame2_OPTIMIZATION.Visible());
}

TEST_F(ShredderPageTest, AStopFinishesTheFileInHandAndASecondClickStartsNoNestedRun) {
  AddFiles({"C:\\list\\one.txt", "C:\\list\\two.txt", "C:\\list\\three.txt", "C:\\list\\four.txt"});
  // Two clicks taken at the first file's first yield: under the old toggle the
  // second would have started a run inside the running one.
  AtYield(YieldCount() + 1, [&] {
    EXPECT_EQ(form_.cmdShredFiles.Caption(), "Stop Shred");
    EXPECT_FALSE(form_.cmdShredFileAdd.Enabled());
    EXPECT_TRUE(form_.cmdShredFiles.Enabled());
    QueueClick(form_.cmdShredFiles);
    QueueClick(form_.cmdShredFiles);
  });
  form_.cmdShredFiles_Click();
  EXPECT_FALSE(Exists("C:\\list\\four.txt"));
  EXPECT_EQ(form_.lstShredFiles.Items(),
            (std::vector<std::string>{"C:\\list\\one.txt", "C:\\list\\two.txt", "C:\\list\\three.txt"}));
  for (const char* name : {"one", "two", "three"}) EXPECT_TRUE(Exists(std::string("C:\\list\\") + name + ".txt"));
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Shredding Files Is Stopped!\r\nSaving 8000 Bytes"}));
  EXPECT_EQ(form_.cmdShredFiles.Caption(), "Shred Files");
  EXPECT_TRUE(form_.cmdShredFiles.Enabled());
  EXPECT_TRUE(form_.cmdShredFileAdd.Enabled());
  EXPECT_TRUE(form_.StopShredNow);
  EXPECT_FALSE(form_.shredRunning());
  EXPECT_EQ(QueuedEventCount(), 0u);
}

TEST_F(ShredderPageTest, AFileThatCannotBeShreddedStaysListedAndIsReported) {
  ASSERT_TRUE(SetFileAttributesA("C:\\list\\two.txt", FILE_ATTRIBUTE_READONLY));
  AddFiles({"C:\\list\\one.txt", "C:\\list\\two.txt", "C:\\list\\missing.txt"});
  form_.cmdShredFiles_Click();
  EXPECT_EQ(form_.lstShredFiles.Items(), (std::vector<std::string>{"C:\\list\\two.txt"}));
  EXPECT_TRUE(Exists("C:\\list\\two.txt"));
  std::ifstream kept(machine_.hostPath("C:\\list\\two.txt"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), std::string(2000, '2'));
  EXPECT_EQ(Prompts().back(),
            "Shredding Files Is Successfully Finished!\r\nSaving 1000 Bytes\r\n1 Item Could Not Be Shredded");
  EXPECT_TRUE(form_.cmdShredFiles.Enabled());
}

TEST_F(ShredderPageTest, AMultipleSelectionAppendsEveryFileEachTime) {
  for (int round = 0; round < 2; ++round) {
    Answers().Script("OK", "C:\\list\\one.txt|C:\\list\\two.txt");
    form_.cmdShredFileAdd_Click();
  }
  EXPECT_EQ(form_.lstShredFiles.Items(),
            (std::vector<std::string>{"C:\\list\\one.txt", "C:\\list\\two.txt", "C:\\list\\one.txt",
                                      "C:\\list\\two.txt"}));
  EXPECT_EQ(form_.cmdg.Flags, 0x80200);
  form_.lstShredFiles.Selected(0, true);
  form_.lstShredFiles.Selected(3, true);
  form_.cmdShredFileDelete_Click();
  EXPECT_EQ(form_.lstShredFiles.Items(), (std::vector<std::string>{"C:\\list\\two.txt", "C:\\list\\one.txt"}));
  Answers().Script("Cancel");
  form_.cmdShredFileAdd_Click();
  EXPECT_EQ(form_.lstShredFiles.ListCount(), 2);
}

TEST_F(ShredderPageTest, FoldersShredAndAStopLeavesTheRestListed) {
  for (const char* folder : {"C:\\folders\\x", "C:\\folders\\y", "C:\\folders\\x"}) {
    Answers().Script("OK", folder);
    form_.cmdShredFolderAdd_Click();
  }
  ASSERT_EQ(form_.lstShredFolders.Items(), (std::vector<std::string>{"C:\\folders\\x", "C:\\folders\\y"}));
  AtYield(YieldCount() + 1, [&] { QueueClick(form_.cmdShredFolders); });
  form_.cmdShredFolders_Click();
  EXPECT_FALSE(Exists("C:\\folders\\y"));
  EXPECT_TRUE(Exists("C:\\folders\\x\\x1.txt"));
  EXPECT_EQ(form_.lstShredFolders.Items(), (std::vector<std::string>{"C:\\folders\\x"}));
  EXPECT_EQ(Prompts().back(), "Shredding Folders Is Stopped!\r\nSaving 300 Bytes");
  EXPECT_EQ(form_.ShredProg.Style(), 3);

  form_.cmdShredFolders_Click();
  EXPECT_FALSE(Exists("C:\\folders\\x"));
  EXPECT_EQ(Prompts().back(), "Shredding Folders Is Successfully Finished!\r\nSaving 700 Bytes");
  EXPECT_FALSE(form_.cmdShredFolders.Enabled());
  EXPECT_EQ(form_.cmdShredFolders.Caption(), "Shred Folders");
}

TEST_F(ShredderPageTest, FreeSpaceIsFilledToTheLastClusterAndEveryFillFileGoes) {
  platform::files::SetWriteBudget(64ull * 1024 * 1024);
  form_.Drv.Drive("f");
  form_.chkShredFreeSpace.Value(vbChecked);
  const std::uint64_t freeBefore = FreeBytes("F:\\");
  ASSERT_GT(freeBefore, 20'000'000u);  // two numbered files and the rest
  platform::files::ResetPeakUsedBytes('F');
  Answers().Script("Yes");
  form_.cmdShredDrive_Click();
  EXPECT_EQ(platform::files::PeakUsedBytes('F'), kFillDrive);  // every free cluster was written
  EXPECT_EQ(FreeBytes("F:\\"), freeBefore);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(machine_.hostPath("F:\\")))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"TmpShred.1", "keep.txt"}));
  std::ifstream before(machine_.hostPath("F:\\TmpShred.1"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(before), {}), "not ours");
  EXPECT_EQ(Prompts().back(), "Shred Free Space Is Successfully Finished!");
  EXPECT_TRUE(form_.StopShredNow);
  EXPECT_TRUE(form_.Drv.Enabled());
  EXPECT_FALSE(form_.ShredProg.Visible());
  EXPECT_TRUE(platform::TheJournal().Of("SHFormatDrive").empty());
}

TEST_F(ShredderPageTest, AFillCutShortStillDeletesItsFiles) {
  // The write budget ends the fill early, as a full drive would.
  platform::files::SetWriteBudget(12'000'000);
  form_.Drv.Drive("f");
  form_.chkShredFreeSpace.Value(vbChecked);
  const std::uint64_t freeBefore = FreeBytes("F:\\");
  Answers().Script("Yes");
  form_.cmdShredDrive_Click();
  EXPECT_EQ(FreeBytes("F:\\"), freeBefore);
  EXPECT_FALSE(Exists("F:\\TmpShred.2"));
  EXPECT_FALSE(Exists("F:\\TmpShred.x"));
  EXPECT_TRUE(Exists("F:\\TmpShred.1"));
}

TEST_F(ShredderPageTest, AFillThatCannotWriteSaysSo) {
  form_.Drv.Drive("h");  // read-only
  form_.chkShredFreeSpace.Value(vbChecked);
  Answers().Script("Yes");
  form_.cmdShredDrive_Click();
  EXPECT_EQ(Prompts().back(), "Shred Free Space Is Not Finished!\r\nThe free space of h: could not be filled");
  EXPECT_TRUE(form_.StopShredNow);
}

struct DriveShredCase {
  const char* formatAnswer;  // the message-box answer to the format offer
  bool formatted;
};

class WholeDriveShredTest : public ShredderPageTest, public ::testing::WithParamInterface<DriveShredCase> {};

TEST_P(WholeDriveShredTest, TheDataDriveIsEmptiedAndOnlyItIsTouched) {
  form_.Drv.Drive("e");
  Answers().Script(ScriptedAnswer{"Yes", std::nullopt, "All data on the selected drive will be lost. Continue?"});
  Answers().Script(GetParam().formatAnswer);
  Answers().Script("Format");
  form_.cmdShredDrive_Click();
  EXPECT_TRUE(fs::is_empty(machine_.hostPath("E:\\")));
  EXPECT_TRUE(Exists("C:\\keep\\system.txt"));
  EXPECT_TRUE(Exists("F:\\keep.txt"));
  EXPECT_EQ(Prompts().back(),
            "Shred Drive Is Successfully Finished!\r\n\r\nDo you want to format this drive?\r\n"
            "[Formatting is recommended to delete the system files].");
  auto formats = platform::TheJournal().Of("SHFormatDrive");
  if (GetParam().formatted) {
    ASSERT_EQ(formats.size(), 1u);
    EXPECT_EQ(formats[0].args,
              (std::vector<std::string>{HexText(static_cast<std::uint32_t>(form_.hWnd())), "4", "0", "1"}));
  } else {
    EXPECT_TRUE(formats.empty());
    Answers().Reset();
  }
  EXPECT_TRUE(form_.StopShredNow);
  EXPECT_EQ(form_.ShredProg.Value(), 0.0f);
  EXPECT_TRUE(form_.cmdShredFiles.Enabled());
}

INSTANTIATE_TEST_SUITE_P(FormatOffer, WholeDriveShredTest,
                         ::testing::Values(DriveShredCase{"Yes", true}, DriveShredCase{"No", false}));

TEST_F(ShredderPageTest, TheSystemDriveIsRefusedAndNoToTheQuestionChangesNothing) {
  form_.Drv.Drive("c");
  form_.cmdShredDrive_Click();
  ASSERT_EQ(Prompts().size(), 1u);
  EXPECT_NE(Prompts()[0].find("holds Windows or this program"), std::string::npos);
  EXPECT_TRUE(Exists("C:\\keep\\system.txt"));

  form_.Drv.Drive("e");
  Answers().Script("No");
  form_.cmdShredDrive_Click();
  EXPECT_TRUE(Exists("E:\\a.txt"));
  EXPECT_TRUE(form_.cmdShredDrive.Enabled());
  EXPECT_FALSE(form_.shredRunning());
}

TEST_F(ShredderPageTest, ADriveBoxEntryThatIsNeitherFixedNorRemovableWalksBack) {
  EXPECT_EQ(GetDriveTypeA("c:"), GetDriveTypeA("c:\\"));
  form_.Drv.Drive("g");  // network
  EXPECT_EQ(form_.Drv.Drive().substr(0, 2), "f:");
  form_.Drv.Drive("d");  // CD-ROM, after the fixed C:
  EXPECT_EQ(form_.Drv.Drive().substr(0, 2), "c:");
}

TEST_F(ShredderPageTest, MyDelFileShredsATreeWithItsHiddenFiles) {
  ASSERT_TRUE(SetFileAttributesA("E:\\docs\\b.txt", FILE_ATTRIBUTE_HIDDEN));
  form_.ShredBytesDone = 0;
  form_.MyDelFile("E:\\docs");
  EXPECT_FALSE(Exists("E:\\docs"));
  EXPECT_TRUE(Exists("E:\\a.txt"));
  EXPECT_EQ(form_.ShredBytesDone, 3100.0 + 2 * 100000.0);
}

}  // namespace
}  // namespace tessaly::testing
