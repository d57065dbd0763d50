#include <gtest/gtest.h>

#include <functional>

#include "platform/files/file_seams.h"
#include "platform/shell/clipboard.h"
#include "windows_cleaners_fixture.h"

namespace tessaly::testing {
namespace {

using Cleaner = std::int32_t (FrmCleanForm::*)();

std::string H(const std::string& what) { return "TSY has cleaned " + what + ", with the following results:\r\n\r\n"; }
std::string D(const std::string& text) { return "\t" + text + "\r\n"; }
std::string P(const std::string& text) { return text + "\r\n"; }

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const std::string kApplets = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\";
const std::string kUserAssist = kExplorer + "UserAssist\\";
const std::string kUserAssistIE = kUserAssist + "{5E6AB780-7743-11CF-A12B-00AA004AE837}\\Count";
const std::string kUserAssistShell = kUserAssist + "{75048700-EF1F-11D0-9888-006097DEACF9}\\Count";
std::string DirectX(const char* api, bool stray) {
  return std::string("Software\\Microsoft\\") + api + "\\MostRecentApplication" + (stray ? "t" : "");
}

struct Row {
  const char* name;
  Cleaner clean;
  std::string log;
  std::int32_t bytes;
  std::vector<std::string> gone, kept;          // files and folders
  std::vector<std::string> keysGone, keysKept;  // under HKEY_CURRENT_USER
};

// What each cleaner writes, returns, removes and leaves on the family's
// traces machine. Rows run in order on one machine.
std::vector<Row> Rows(const Layout& l) {
  const auto dead = static_cast<std::int32_t>(ShellLink("C:\\Gone\\app.exe").size());
  const std::string removing = D("Removing registry entries");
  std::vector<Row> rows = {
      {"CleanDocument", &FrmCleanForm::CleanDocument,
       H("the document history") + D("Removing registry entries - Recently opened documents") +
           D("Removing registry entries - Stream MRU") + D("Removing registry entries - Streams") +
           D("Deleting file a.lnk") + D("Deleting file b.lnk") + D("Deleting Folder Sub"),
       30, {l.recent + "\\a.lnk", l.recent + "\\Sub"}, {l.recent},
       {kExplorer + "RecentDocs\\.txt", kExplorer + "StreamMRU", kExplorer + "Streams"}, {}},
      {"CleanFindHistory", &FrmCleanForm::CleanFindHistory, H("the Find history") + removing, 0, {}, {},
       {kExplorer + "Doc Find Spec MRU"}, {kExplorer}},
      {"CleanRunMRU", &FrmCleanForm::CleanRunMRU, H("the Run MRU") + removing, 0, {}, {}, {kExplorer + "RunMRU"}, {}},
      {"CleanTempFolder", &FrmCleanForm::CleanTempFolder,
       H("the TEMP folder") + D("Deleting file t1.tmp") + D("Deleting file t2.tmp") + D("Deleting Folder Setup"),
       150, {l.temp + "\\t1.tmp", l.temp + "\\Setup"}, {l.temp}, {}, {}},
      {"CleanScanDisk", &FrmCleanForm::CleanScanDisk,
       H("the SCANDISK files") + D("Deleting file scandisk.log") + D("Deleting file FILE0000.CHK"), 70,
       {"C:\\scandisk.log", "C:\\FILE0000.CHK"}, {"C:\\Keep\\FILE0001.CHK", "E:\\FILE0000.CHK"}, {}, {}},
      {"CleanWMP", &FrmCleanForm::CleanWMP,
       H("the Windows Media Player MRU") + D("Removed registry entries - RecentFileList") +
           D("Removed registry entries - RecentURLList"),
       0, {}, {},
       {"Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList",
        "Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList"},
       {"Software\\Microsoft\\MediaPlayer\\Player"}},
      {"CleanComDlg", &FrmCleanForm::CleanComDlg, H("the Common dialog history") + removing, 0, {}, {},
       {kExplorer + "ComDlg32\\LastVisitedMRU"}, {kExplorer + "ComDlg32"}},
      {"CleanClipboard", &FrmCleanForm::CleanClipboard, H("the clipboard data") + D("Removing data"), 0, {}, {}, {},
       {}},
      {"CleanPaintMRU", &FrmCleanForm::CleanPaintMRU, H("the MS Paint MRU") + removing, 0, {}, {},
       {kApplets + "Paint\\Recent File List"}, {kApplets + "Paint"}},
      {"CleanWordPadMRU", &FrmCleanForm::CleanWordPadMRU, H("the word pad MRU") + removing, 0, {}, {},
       {kApplets + "Wordpad\\Recent File List"}, {kApplets + "Wordpad"}},
      {"CleanTemplates", &FrmCleanForm::CleanTemplates, D("Deleting file letter.doc"), 16,
       {l.templates + "\\letter.doc"}, {l.templates}, {}, {}},
      {"CleanMemoryDumpFile", &FrmCleanForm::CleanMemoryDumpFile,
       P(l.system + "\\crash.dmp") + P(l.system + "\\Dumps\\old.dmp"), 500,
       {l.system + "\\crash.dmp", l.system + "\\Dumps\\old.dmp"}, {l.windows + "\\MEMORY.DMP", l.system + "\\Dumps"},
       {}, {}},
      {"CleanPageFile", &FrmCleanForm::CleanPageFile, D("Deleting file pagefile.sys"), 128,
       {l.system + "\\pagefile.sys"}, {"C:\\pagefile.sys"}, {}, {}},
      {"CleanDircet3DMRU", &FrmCleanForm::CleanDircet3DMRU, "", 0, {}, {}, {DirectX("Direct3D", true)},
       {DirectX("Direct3D", false), DirectX("DirectDraw", true), DirectX("DirectInput", true)}},
      {"CleanDircetDrawMRU", &FrmCleanForm::CleanDircetDrawMRU, "", 0, {}, {}, {DirectX("DirectDraw", true)},
       {DirectX("DirectDraw", false), DirectX("DirectInput", true)}},
      {"CleanDircetInputMRU", &FrmCleanForm::CleanDircetInputMRU, "", 0, {}, {}, {DirectX("DirectInput", true)},
       {DirectX("DirectInput", false)}},
      {"CleanPrinterConnections", &FrmCleanForm::CleanPrinterConnections, "", 0, {}, {}, {"Printers\\Connections"},
       {"Printers"}},
      {"CleanNetworkConnections", &FrmCleanForm::CleanNetworkConnections, "", 0, {}, {}, {"Network\\Connections"},
       {"Network"}},
      {"CleanRegEdit", &FrmCleanForm::CleanRegEdit, "", 0, {}, {}, {kApplets + "Regedit"}, {}},
      {"CleanWindowsHelpFiles", &FrmCleanForm::CleanWindowsHelpFiles,
       D("Deleting file a.hlp") + D("Deleting file b.chm") + D("Deleting Folder Sub"), 30,
       {l.windows + "\\Help\\a.hlp", l.windows + "\\Help\\Sub"}, {l.windows + "\\Help"}, {}, {}},
      {"CleanWindowsLogFiles", &FrmCleanForm::CleanWindowsLogFiles,
       D("Deleting file setup.log") + D("Deleting file win.log"), 11, {"C:\\setup.log", l.windows + "\\win.log"},
       {l.windows + "\\Debug\\deep.log"}, {}, {}},
      {"CleanUserAssistHistory", &FrmCleanForm::CleanUserAssistHistory,
       H("the user assist history") + D("Removing User Assist History"), 0, {}, {},
       {kUserAssistIE, kUserAssistShell}, {}},
  };
  if (l.nt) {
    // A key entry keeps a subkey that has subkeys of its own (and so the
    // key itself); a contents entry keeps such a subkey likewise.
    rows[0].keysKept = {kExplorer + "RecentDocs\\.doc\\Deep"};
    rows[6].keysKept.push_back(kExplorer + "ComDlg32\\OpenSaveMRU\\txt");
    rows.push_back({"CleanRecycle", &FrmCleanForm::CleanRecycle, H("the recycle bin"), 0, {l.bin + "\\Dc1.txt"},
                    {l.bin + "\\INFO2", "E:\\RECYCLED\\De1.txt"}, {}, {}});
    rows.push_back({"CleanDesktopShortCuts", &FrmCleanForm::CleanDesktopShortCuts, "", dead,
                    {l.profile + "\\Desktop\\dead.lnk"},
                    {l.profile + "\\Desktop\\live.lnk", l.allUsers + "\\Desktop\\dead.lnk"}, {}, {}});
    rows.push_back({"CleanStartMenuShortCuts", &FrmCleanForm::CleanStartMenuShortCuts, "", 2 * dead,
                    {l.allUsers + "\\Start Menu\\dead1.lnk", l.profile + "\\Start Menu\\Programs\\dead2.lnk"},
                    {l.profile + "\\Start Menu\\Programs"}, {}, {}});
    rows.push_back({"CleanCDBurningFolder", &FrmCleanForm::CleanCDBurningFolder, D("Deleting file burn.iso"), 64,
                    {l.cdBurning + "\\burn.iso"}, {l.cdBurning}, {}, {}});
  } else {
    rows[0].keysGone.push_back(kExplorer + "RecentDocs");
    rows[6].keysGone.push_back(kExplorer + "ComDlg32\\OpenSaveMRU");
    rows.push_back({"CleanRecycle", &FrmCleanForm::CleanRecycle,
                    H("the recycle bin") + D("Cleaned Recycle Bin on drive C") + D("Deleting file Dc1.txt") +
                        D("Deleting file INFO2"),
                    58, {l.bin + "\\Dc1.txt", l.bin + "\\INFO2"}, {l.bin, "E:\\RECYCLED\\De1.txt"}, {}, {}});
    rows.push_back({"CleanDesktopShortCuts", &FrmCleanForm::CleanDesktopShortCuts, "", dead,
                    {l.windows + "\\Desktop\\dead.lnk"}, {l.windows + "\\Desktop\\live.lnk"}, {}, {}});
    rows.push_back({"CleanStartMenuShortCuts", &FrmCleanForm::CleanStartMenuShortCuts, "", dead,
                    {l.windows + "\\Start Menu\\Programs\\dead2.lnk"}, {l.windows + "\\Start Menu\\Programs"}, {},
                    {}});
    // No CD Burning shell folder on this family: nothing to do.
    rows.push_back({"CleanCDBurningFolder", &FrmCleanForm::CleanCDBurningFolder, "", 0, {}, {}, {}, {}});
  }
  return rows;
}

class WindowsCleaners : public CleanerTest, public ::testing::WithParamInterface<platform::OsKind> {
 public:
  WindowsCleaners() : CleanerTest(TracesMachine(GetParam())), layout_(LayoutOf(GetParam())) {}
  Layout layout_;
};

TEST_P(WindowsCleaners, EachCleanerLogsReturnsAndRemovesItsTraces) {
  platform::forms::Clipboard.SetText("copied password");
  for (const Row& row : Rows(layout_)) {
    SCOPED_TRACE(row.name);
    for (const auto& path : row.gone) ASSERT_TRUE(Exists(path)) << "fixture lacks " << path;
    for (const auto& key : row.keysGone) ASSERT_TRUE(KeyExists(key)) << "fixture lacks " << key;
    ClearLog();
    EXPECT_EQ((frmClean().*row.clean)(), row.bytes);
    EXPECT_EQ(Log(), row.log);
    for (const auto& path : row.gone) EXPECT_FALSE(Exists(path)) << path;
    for (const auto& path : row.kept) EXPECT_TRUE(Exists(path)) << path;
    for (const auto& key : row.keysGone) EXPECT_FALSE(KeyExists(key)) << key;
    for (const auto& key : row.keysKept) EXPECT_TRUE(KeyExists(key)) << key;
  }
  EXPECT_EQ(platform::forms::Clipboard.GetText(), "");
  // No cleaner asked the user anything.
  EXPECT_TRUE(BoxTitles().empty());
}

TEST_P(WindowsCleaners, DirectXCleanerRemovesOnlyTheMisspeltKeys) {
  EXPECT_EQ(frmClean().CleanDircetXMRU(), 0);
  for (const char* api : {"DirectInput", "Direct3D", "DirectDraw"}) {
    EXPECT_FALSE(KeyExists(DirectX(api, true))) << api;
    EXPECT_TRUE(KeyExists(DirectX(api, false))) << api;
  }
  EXPECT_EQ(Log(), "");
}

TEST_P(WindowsCleaners, RecycleBinIsEmptiedByTheShellAfterTheDriveWalk) {
  EXPECT_EQ(frmClean().CleanRecycle(), layout_.nt ? 0 : 58);
  auto calls = platform::TheJournal().Of("SHEmptyRecycleBin");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{"0x0", "(null)", "7"}));
  EXPECT_EQ(platform::TheJournal().Of("SHUpdateRecycleBinIcon").size(), 1u);
  // An item another program holds: the shell reports failure, so the icon
  // is left alone; the run goes on.
  const std::string held = layout_.bin + "\\Dc2.txt";
  Put(held, "held");
  ASSERT_EQ(platform::files::HoldFileByOtherProcess(held, platform::files::HoldMode::DenyAll), 0u);
  EXPECT_EQ(frmClean().CleanRecycle(), 0);
  EXPECT_TRUE(Exists(held));
  EXPECT_EQ(platform::TheJournal().Of("SHEmptyRecycleBin").size(), 2u);
  EXPECT_EQ(platform::TheJournal().Of("SHUpdateRecycleBinIcon").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Families, WindowsCleaners,
                         ::testing::Values(platform::OsKind::Win98, platform::OsKind::WinXP),
                         [](const auto& info) { return platform::OsKindName(info.param); });

}  // namespace
}  // namespace tessaly::testing
