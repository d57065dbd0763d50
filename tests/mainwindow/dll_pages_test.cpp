// The DLL pages over the real engine walker, the real system tools, the
// type-library component and the backup control, on a machine with system
// DLLs, copies of them elsewhere and registered COM servers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "mainwindow/Form1.h"
#include "mainwindow/run/engine_link.h"
#include "mainwindow/run/tools_link.h"
#include "platform/files/file_seams.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/stand_in.h"
#include "platform/forms/forms.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;
namespace fs = std::filesystem;

constexpr const char* kSystem = "C:\\WINDOWS\\system32\\";
constexpr const char* kBackUps = "C:\\Program Files\\Tessaly\\BackUps";
constexpr const char* kServerClass = "{0A0A0A0A-1111-2222-3333-444444444444}";
constexpr const char* kViewerClass = "{0B0B0B0B-1111-2222-3333-444444444444}";

std::string Dll(const std::string& version, const std::string& coclass, std::size_t padding) {
  std::vector<std::pair<std::string, std::string>> fields = {{"version", version}};
  if (!coclass.empty()) {
    fields.push_back({"typelib", "{0C0C0C0C-1111-2222-3333-444444444444}"});
    fields.push_back({"coclass", coclass});
  }
  return platform::files::StandInLine(fields) + std::string(padding, 'x');
}

platform::DriveDescription DataDrive() {
  platform::DriveDescription drive;
  drive.letter = 'E';
  drive.capacity = 8ull * 1024 * 1024;
  drive.label = "DATA";
  return drive;
}

std::string Escaped(const std::string& path) {
  std::string out;
  for (char c : path) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

std::string InprocServer(const std::string& clsid, const std::string& path) {
  return "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\" + clsid + "\\InprocServer32]\r\n@=\"" + Escaped(path) +
         "\"\r\n";
}

platform::MachineBuilder DllMachine() {
  return TestMachine()
      .drive(DataDrive())
      .file(std::string(kSystem) + "shared.dll", Dll("1.0.0.1", "", 100))
      .file(std::string(kSystem) + "shared2.dll", Dll("2.0.0.0", "", 50))
      .file(std::string(kSystem) + "comsvr.dll", Dll("3.0.0.0", kServerClass, 70))
      .file(std::string(kSystem) + "viewer.dll", Dll("4.0.0.0", kViewerClass, 80))
      .file(std::string(kSystem) + "sub\\deep.dll", Dll("1.0.0.0", "", 10))
      .file("E:\\apps\\shared.dll", Dll("1.0.0.1", "", 100))    // a true copy: every rule
      .file("E:\\big\\shared.dll", Dll("1.0.0.1", "", 900))     // same version, other size
      .file("E:\\old\\shared.dll", Dll("0.9.0.0", "", 100))     // other version
      .file("E:\\skip\\shared.dll", Dll("1.0.0.1", "", 100))    // excluded file
      .file("E:\\apps\\excluded\\shared.dll", Dll("1.0.0.1", "", 100))  // excluded folder
      .file("E:\\apps\\SHARED2.DLL", Dll("2.0.0.0", "", 50))    // another letter case: no match
      .file("E:\\apps\\deep.dll", Dll("1.0.0.0", "", 10))       // its original is below the system folder
      .file("E:\\Shared Files\\comsvr.dll", Dll("3.0.0.0", kServerClass, 70))  // registered by its 8.3 path
      .file("E:\\apps\\comsvr.dll", Dll("3.0.0.0", kServerClass, 70))
      .file("C:\\WINDOWS\\viewer.dll", Dll("4.0.0.0", kViewerClass, 80))  // registered through %systemroot%
      .file("E:\\apps\\viewer.dll", Dll("4.0.0.0", kViewerClass, 80))
      .registry(InprocServer(kServerClass, "E:\\SHARED~1\\COMSVR.DLL") +
                InprocServer(kViewerClass, "%systemroot%\\viewer.dll"));
}

class DllPagesTest : public ::testing::Test {
 protected:
  ~DllPagesTest() override {
    ResetFormsRuntime();
    InstallCleaningEngine(nullptr);
    InstallSystemTools(nullptr);
  }

  void TickDrives(std::initializer_list<char> letters) {
    for (int i = 1; i <= form_.lstDllDrives.Count(); ++i) {
      Node& node = form_.lstDllDrives.Item(i);
      for (char letter : letters)
        if (!node.Parent() && node.Key == std::string(1, letter) + ":\\") node.Checked = true;
    }
  }

  std::vector<std::string> Listed() {
    std::vector<std::string> paths;
    for (int i = 1; i <= form_.lstDlls.Count(); ++i) paths.push_back(form_.lstDlls.Item(i).SubItems(3));
    std::sort(paths.begin(), paths.end());
    return paths;
  }

  void Search() {
    form_.ShowThatFrame(form_.Frame_DLLs);
    form_.cmdStartCleanDLLs_Click();
  }

  // A search of E: with the given results checked.
  void SearchDataDrive(std::initializer_list<const char*> checked) {
    TickDrives({'E'});
    Search();
    for (const char* path : checked) Check(path);
  }

  void Check(const std::string& path) {
    for (int i = 1; i <= form_.lstDlls.Count(); ++i)
      if (form_.lstDlls.Item(i).SubItems(3) == path) form_.lstDlls.Item(i).Checked = true;
  }

  std::vector<std::string> Prompts() {
    std::vector<std::string> prompts;
    for (const auto& record : Answers().records())
      if (record.request.kind == AskKind::MessageBox) prompts.push_back(record.request.prompt);
    return prompts;
  }

  bool Exists(const std::string& path) { return fs::exists(machine_.hostPath(path)); }

  TempMachine machine_{DllMachine()};
  bool connected_ = (ResetFormsRuntime(), ConnectCleaningEngine(), ConnectSystemTools(), true);
  Form1Form& form_ = Form1();
};

TEST_F(DllPagesTest, DrivesAreTheFixedOnesAndOnlyTheirOwnNodesCount) {
  ASSERT_EQ(form_.lstDllDrives.Count(), 4);  // C: and E:, each with its empty child
  EXPECT_EQ(form_.lstDllDrives.Item(1).Text, "C: [SYSTEM]");
  EXPECT_EQ(form_.lstDllDrives.Item(1).Key, "C:\\");
  EXPECT_EQ(form_.lstDllDrives.Item(2).Text, "");
  EXPECT_EQ(form_.lstDllDrives.Item(3).Key, "E:\\");
  form_.lstDllDrives.Item(2).Checked = true;  // a child alone names no drive
  Search();
  EXPECT_EQ(Prompts(), std::vector<std::string>{"No drives selected"});
  EXPECT_EQ(form_.lstDlls.Count(), 0);
}

TEST_F(DllPagesTest, RulesListTheCopiesAndNeverARegisteredServer) {
  form_.lstDllFiles.AddItem("E:\\skip\\shared.dll");
  form_.lstDllFolders.AddItem("E:\\apps\\excluded");
  TickDrives({'C', 'E'});
  Search();
  const std::vector<std::string> byName = {"E:\\apps\\comsvr.dll", "E:\\apps\\shared.dll", "E:\\apps\\viewer.dll",
                                           "E:\\big\\shared.dll", "E:\\old\\shared.dll"};
  EXPECT_EQ(Listed(), byName);
  EXPECT_EQ(form_.lblDLLsFound.Caption(), "5 DLLs Found");
  EXPECT_TRUE(form_.StopDllNow);
  EXPECT_EQ(form_.cmdStartCleanDLLs.Caption(), "Start Search");
  EXPECT_TRUE(form_.Command8.Enabled());
  EXPECT_TRUE(form_.Frame_DllResult.Visible());

  struct Rule {
    int option;
    std::vector<std::string> listed;
  };
  const Rule rules[] = {
      {1, {"E:\\apps\\comsvr.dll", "E:\\apps\\shared.dll", "E:\\apps\\viewer.dll", "E:\\big\\shared.dll"}},
      {2, {"E:\\apps\\comsvr.dll", "E:\\apps\\shared.dll", "E:\\apps\\viewer.dll"}},
      {0, byName},
  };
  for (const auto& rule : rules) {
    SCOPED_TRACE(rule.option);
    form_.optDll(rule.option).Value(true);
    EXPECT_EQ(Listed(), rule.listed);
    EXPECT_EQ(form_.lblDLLsFound.Caption(), std::to_string(rule.listed.size()) + " DLLs Found");
  }
}

TEST_F(DllPagesTest, StopAtAYieldEndsTheSearchAndTheMovieCannotChangePagesMeanwhile) {
  TickDrives({'C', 'E'});
  std::uint64_t stopAt = YieldCount() + 4;
  AtYield(stopAt, [&] {
    EXPECT_FALSE(form_.StopDllNow);
    EXPECT_EQ(form_.cmdStartCleanDLLs.Caption(), "Stop Search");
    EXPECT_FALSE(form_.cmdAddDllFiles.Enabled());
    form_.FL_FSCommand("IDC_FS_SYSTEM", "");
    form_.FL_FSCommand("IDC_FS_OPTIONS", "");
    EXPECT_FALSE(form_.Frame_Windows.Visible());
    EXPECT_FALSE(form_.Frame_Options.Visible());
    QueueClick(form_.cmdStartCleanDLLs);
    QueueClick(form_.cmdStartCleanDLLs);  // a start while the stopped search unwinds starts nothing
  });
  Search();
  EXPECT_LE(YieldCount(), stopAt + 2);
  EXPECT_TRUE(form_.StopDllNow);
  EXPECT_EQ(form_.cmdStartCleanDLLs.Caption(), "Start Search");
  EXPECT_TRUE(form_.cmdAddDllFiles.Enabled());
  EXPECT_EQ(form_.lstDlls.Count(), 0);  // only system DLLs were found by then
  form_.FL_FSCommand("IDC_FS_SYSTEM", "");
  EXPECT_TRUE(form_.Frame_Windows.Visible());
}

TEST_F(DllPagesTest, BackupDeleteRestoreReturnsTheFilesByteForByte) {
  TickDrives({'E'});
  Search();
  std::string shared = *machine_.ReadContent("E:\\apps\\shared.dll");
  std::string viewer = *machine_.ReadContent("E:\\apps\\viewer.dll");
  Check("E:\\apps\\shared.dll");
  Check("E:\\apps\\viewer.dll");
  for (const char* answer : {"Yes", "Yes"}) Answers().Script(answer);
  Answers().Script("OK", std::string("before delete"));
  form_.CmdDeleteDlls_Click();
  EXPECT_EQ(Prompts().back(), "The backup has been created successfully.");
  EXPECT_FALSE(Exists("E:\\apps\\shared.dll"));
  EXPECT_FALSE(Exists("E:\\apps\\viewer.dll"));
  EXPECT_TRUE(Exists("E:\\big\\shared.dll"));
  EXPECT_TRUE(Exists(std::string(kBackUps) + "\\before-delete\\before-delete.zip"));
  EXPECT_EQ(form_.lstDlls.Count(), 5);  // without exclusions: seven matches

  form_.cmdViewBackUps_Click();
  ASSERT_EQ(form_.lstDllBackUps.Items(), std::vector<std::string>{"before-delete"});
  form_.lstDllBackUps.ListIndex(0);
  form_.cmdRestoreBackUps_Click();
  EXPECT_EQ(Prompts().back(), "The backup has been restored successfully.");
  EXPECT_EQ(machine_.ReadContent("E:\\apps\\shared.dll"), shared);
  EXPECT_EQ(machine_.ReadContent("E:\\apps\\viewer.dll"), viewer);
  EXPECT_TRUE(form_.StopBackNow);
}

// The delete leaves a read-only file behind; the restore cannot write it
// but still puts back every other file, and names the one it could not.
TEST_F(DllPagesTest, RestorePutsBackEveryFileItCanAndNamesTheOthers) {
  TickDrives({'E'});
  Search();
  const std::set<std::string> chosen = {"E:\\apps\\shared.dll", "E:\\apps\\viewer.dll", "E:\\big\\shared.dll"};
  std::vector<std::string> inListOrder;
  for (int i = 1; i <= form_.lstDlls.Count(); ++i)
    if (chosen.count(form_.lstDlls.Item(i).SubItems(3))) inListOrder.push_back(form_.lstDlls.Item(i).SubItems(3));
  ASSERT_EQ(inListOrder.size(), 3u);
  std::map<std::string, std::string> original;
  for (const std::string& path : inListOrder) {
    original[path] = *machine_.ReadContent(path);
    Check(path);
  }
  const std::string& readOnly = inListOrder.front();  // the first entry of the archive
  ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  for (const char* answer : {"Yes", "Yes"}) Answers().Script(answer);
  Answers().Script("OK", std::string("partly"));
  form_.CmdDeleteDlls_Click();
  ASSERT_EQ(Prompts().back(), "The backup has been created successfully.");
  ASSERT_TRUE(Exists(readOnly));
  for (const std::string& path : inListOrder)
    if (path != readOnly) {
      ASSERT_FALSE(Exists(path)) << path;
    }

  form_.cmdViewBackUps_Click();
  form_.lstDllBackUps.ListIndex(0);
  form_.cmdRestoreBackUps_Click();
  EXPECT_EQ(Prompts().back(), "Backup can't restored!\r\nThese files were not restored:\r\n" + readOnly);
  for (const std::string& path : inListOrder) EXPECT_EQ(machine_.ReadContent(path), original[path]) << path;
  EXPECT_TRUE(form_.StopBackNow);
  EXPECT_EQ(form_.MousePointer(), 0);
}

TEST_F(DllPagesTest, PagesStayWhileABackupOrRestoreRuns) {
  SearchDataDrive({"E:\\apps\\shared.dll"});
  int gated = 0;
  Answers().SetObserver([&](const AskRecord&) {
    if (form_.StopBackNow) return;
    ++gated;
    form_.FL_FSCommand("IDC_FS_SYSTEM", "");
    EXPECT_FALSE(form_.Frame_Windows.Visible());
  });
  Answers().Script("OK", std::string("gate"));
  form_.Command8_Click();  // asks the name and reports while the flag is down
  form_.cmdViewBackUps_Click();
  form_.lstDllBackUps.ListIndex(0);
  form_.cmdRestoreBackUps_Click();
  Answers().SetObserver(nullptr);
  EXPECT_EQ(gated, 3);
  EXPECT_TRUE(form_.StopBackNow);
  form_.FL_FSCommand("IDC_FS_SYSTEM", "");
  EXPECT_TRUE(form_.Frame_Windows.Visible());
}

TEST_F(DllPagesTest, DamagedArchiveSaysSoAndRestoresNothing) {
  SearchDataDrive({"E:\\apps\\shared.dll"});
  Answers().Script("OK", std::string("damaged"));
  form_.Command8_Click();
  fs::path archive = machine_.hostPath(std::string(kBackUps) + "\\damaged\\damaged.zip");
  fs::resize_file(archive, fs::file_size(archive) / 2);
  machine_.WriteContent("E:\\apps\\shared.dll", "changed");
  form_.cmdViewBackUps_Click();
  form_.lstDllBackUps.ListIndex(0);
  form_.cmdRestoreBackUps_Click();
  EXPECT_EQ(Prompts().back(), "Backup may be corrupted!!");
  EXPECT_EQ(form_.MousePointer(), 0);
  EXPECT_EQ(machine_.ReadContent("E:\\apps\\shared.dll"), "changed");
}

TEST_F(DllPagesTest, FailedBackupDeletesNothing) {
  SearchDataDrive({"E:\\apps\\shared.dll", "E:\\big\\shared.dll"});
  ASSERT_EQ(platform::files::HoldFileByOtherProcess("E:\\big\\shared.dll", platform::files::HoldMode::DenyAll), 0u);
  for (const char* answer : {"Yes", "Yes"}) Answers().Script(answer);
  Answers().Script("OK", std::string("held"));
  form_.CmdDeleteDlls_Click();
  EXPECT_EQ(Prompts().back(), "Backup can't created!");
  EXPECT_TRUE(Exists("E:\\apps\\shared.dll"));
  EXPECT_TRUE(Exists("E:\\big\\shared.dll"));
  EXPECT_FALSE(Exists(std::string(kBackUps) + "\\held"));
  EXPECT_EQ(form_.lstDlls.Count(), 7);
  EXPECT_EQ(form_.MousePointer(), 0);
}

TEST_F(DllPagesTest, TypedNamesStayInsideTheBackupFolder) {
  SearchDataDrive({"E:\\apps\\shared.dll"});
  struct Case {
    const char* typed;
    const char* folder;  // "" = the default name
  };
  const Case cases[] = {{"a b:c/d", "a-b-c-d"}, {"a b:c/d", "a-b-c-d-"},  {"a b:c/d", "a-b-c-d--"},
                        {"..\\..\\x", "..-..-x"}, {"<*?|\">", "------"}, {"dots..", "dots--"},
                        {"..", ""},               {"", ""}};
  std::regex defaultName(R"(\d{1,2}-\d{1,2}-\d{4}_\d{1,2}-\d\d-\d\d-(AM|PM)-*)");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    std::set<std::string> before;
    for (const auto& entry : fs::directory_iterator(machine_.hostPath(kBackUps))) before.insert(entry.path().filename());
    Answers().Script("OK", std::string(c.typed));
    form_.Command8_Click();
    EXPECT_EQ(Prompts().back(), "The backup has been created successfully.");
    std::vector<std::string> made;
    for (const auto& entry : fs::directory_iterator(machine_.hostPath(kBackUps)))
      if (!before.count(entry.path().filename())) made.push_back(entry.path().filename());
    ASSERT_EQ(made.size(), 1u);
    if (*c.folder) EXPECT_EQ(made[0], c.folder);
    else EXPECT_TRUE(std::regex_match(made[0], defaultName)) << made[0];
  }
  form_.cmdViewBackUps_Click();
  EXPECT_EQ(form_.lstDllBackUps.ListCount(), 8);
  EXPECT_FALSE(Exists("C:\\Program Files\\x"));
  EXPECT_FALSE(Exists("C:\\x"));
}

TEST_F(DllPagesTest, ArchiveListDeletesOnlyWithASelection) {
  SearchDataDrive({"E:\\apps\\shared.dll"});
  for (const char* name : {"one", "two"}) {
    Answers().Script("OK", std::string(name));
    form_.Command8_Click();
  }
  form_.cmdViewBackUps_Click();
  ASSERT_EQ(form_.lstDllBackUps.Items(), (std::vector<std::string>{"one", "two"}));
  form_.cmdDeleteAllBackUps_Click();  // nothing selected
  form_.cmdRestoreBackUps_Click();
  EXPECT_EQ(form_.lstDllBackUps.ListCount(), 2);
  form_.lstDllBackUps.ListIndex(0);
  form_.cmdDeleteBackUps_Click();
  EXPECT_FALSE(Exists(std::string(kBackUps) + "\\one"));
  EXPECT_EQ(form_.lstDllBackUps.Items(), std::vector<std::string>{"two"});
  form_.lstDllBackUps.ListIndex(0);
  form_.cmdDeleteAllBackUps_Click();
  EXPECT_FALSE(Exists(std::string(kBackUps) + "\\two"));
  EXPECT_EQ(form_.lstDllBackUps.ListCount(), 0);
}

TEST_F(DllPagesTest, ExclusionDialogsAddWhatWasChosenAndCancelAddsNothing) {
  form_.cmdg.FileName = "E:\\left\\from\\elsewhere.dll";  // the shared dialog's last choice
  form_.cmdAddDllFiles_Click();                            // unscripted: cancel
  EXPECT_EQ(form_.lstDllFiles.ListCount(), 0);
  Answers().Script("OK", std::string("E:\\apps\\a.dll|E:\\apps\\b.dll|E:\\apps\\c.dll"));
  form_.cmdAddDllFiles_Click();
  EXPECT_EQ(form_.lstDllFiles.Items(),
            (std::vector<std::string>{"E:\\apps\\a.dll", "E:\\apps\\b.dll", "E:\\apps\\c.dll"}));
  form_.cmdDelDllFiles_Click();  // nothing selected
  EXPECT_EQ(form_.lstDllFiles.ListCount(), 3);
  form_.lstDllFiles.Selected(1, true);
  form_.cmdDelDllFiles_Click();
  EXPECT_EQ(form_.lstDllFiles.Items(), (std::vector<std::string>{"E:\\apps\\a.dll", "E:\\apps\\c.dll"}));
  form_.cmdAddDllFolders_Click();  // cancelled picker
  EXPECT_EQ(form_.lstDllFolders.ListCount(), 0);
}

}  // namespace
}  // namespace tessaly::testing
