#pragma once
// One emulated machine of a family holding a trace for every Windows and
// hard-disk cleaner, with the folder globals filled as at start-up.
#include <string>

#include "engine_fixture.h"
#include "platform/registry/advapi32.h"
#include "shell_link_bytes.h"
#include "support/COpSysInfo.h"

namespace tessaly::testing {

// The folders of the family's default image that the cleaners reach.
struct Layout {
  bool nt;
  std::string windows, system, profile, allUsers, temp, recent, templates, cdBurning, bin;
};

inline Layout LayoutOf(platform::OsKind os) {
  if (platform::FamilyOf(os) == platform::OsFamily::Win9x)
    return {false, "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\", "C:\\", "C:\\WINDOWS\\TEMP",
            "C:\\WINDOWS\\Recent", "C:\\WINDOWS\\ShellNew", "", "C:\\RECYCLED"};
  const std::string p = "C:\\Documents and Settings\\User";
  return {true,
          "C:\\WINDOWS",
          "C:\\WINDOWS\\system32",
          p,
          "C:\\Documents and Settings\\All Users",
          p + "\\Local Settings\\Temp",
          p + "\\Recent",
          p + "\\Templates",
          p + "\\Local Settings\\Application Data\\Microsoft\\CD Burning",
          "C:\\RECYCLER\\S-1-5-21-1004336348-1177238915-682003330-1003"};
}

inline const char* const kHkcuTraces = R"(
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs]
"MRUListEx"="1"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs\.txt]
"0"="notes.txt"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs\.doc\Deep]
"0"="deep"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\StreamMRU]
"0"="stream"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Streams\0]
"ViewView2"="x"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Doc Find Spec MRU]
"a"="secret*.doc"
"MRUList"="a"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU]
"a"="regedit\\1"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32]
"Top"="1"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\LastVisitedMRU]
"a"="notepad.exe"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU\txt]
"a"="C:\\notes.txt"
[HKEY_CURRENT_USER\Software\Microsoft\MediaPlayer\Player\RecentFileList]
"File0"="C:\\song.mp3"
[HKEY_CURRENT_USER\Software\Microsoft\MediaPlayer\Player\RecentURLList]
"URL0"="http://example.invalid/a.asx"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List]
"File1"="C:\\a.bmp"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Wordpad\Recent File List]
"File1"="C:\\a.rtf"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Regedit]
"LastKey"="My Computer\\HKEY_CURRENT_USER"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\UserAssist\{5E6AB780-7743-11CF-A12B-00AA004AE837}\Count]
"HRZR_PGYFRFFVBA"=hex:01,00,00,00
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\UserAssist\{75048700-EF1F-11D0-9888-006097DEACF9}\Count]
"HRZR_EHACNGU"=hex:02,00,00,00
[HKEY_CURRENT_USER\Printers\Connections\,,server,laser]
"Server"="server"
[HKEY_CURRENT_USER\Network\Connections]
"Z"="\\\\server\\share"
[HKEY_CURRENT_USER\Software\Microsoft\DirectInput\MostRecentApplicationt]
"Name"="game.exe"
[HKEY_CURRENT_USER\Software\Microsoft\DirectInput\MostRecentApplication]
"Name"="game.exe"
[HKEY_CURRENT_USER\Software\Microsoft\Direct3D\MostRecentApplicationt]
"Name"="game.exe"
[HKEY_CURRENT_USER\Software\Microsoft\Direct3D\MostRecentApplication]
"Name"="game.exe"
[HKEY_CURRENT_USER\Software\Microsoft\DirectDraw\MostRecentApplicationt]
"Name"="game.exe"
[HKEY_CURRENT_USER\Software\Microsoft\DirectDraw\MostRecentApplication]
"Name"="game.exe"
)";

// A removable drive that holds what the fixed-drive cleaners must leave.
inline platform::DriveDescription RemovableDrive() {
  platform::DriveDescription drive;
  drive.letter = 'E';
  drive.type = platform::DriveType::Removable;
  drive.fileSystem = "FAT";
  drive.capacity = 4 * 1024 * 1024;
  return drive;
}

inline platform::MachineBuilder TracesMachine(platform::OsKind os) {
  const Layout l = LayoutOf(os);
  const std::string dead = ShellLink("C:\\Gone\\app.exe"), live = ShellLink(l.windows + "\\notepad.exe");
  auto builder = TestMachine(os);
  builder.drive(RemovableDrive()).registry(kHkcuTraces);
  builder.file(l.windows + "\\notepad.exe", "MZ")
      .file(l.recent + "\\a.lnk", std::string(10, 'r'))
      .file(l.recent + "\\Sub\\b.lnk", std::string(20, 'r'))
      .file(l.temp + "\\t1.tmp", std::string(100, 't'))
      .file(l.temp + "\\Setup\\t2.tmp", std::string(50, 't'))
      .file(l.bin + "\\Dc1.txt", std::string(50, 'b'))
      .file(l.bin + "\\INFO2", std::string(8, 'i'))
      .file("E:\\RECYCLED\\De1.txt", "removable")
      .file("E:\\FILE0000.CHK", "removable")
      .file("C:\\scandisk.log", std::string(30, 's'))
      .file("C:\\FILE0000.CHK", std::string(40, 'c'))
      .file("C:\\Keep\\FILE0001.CHK", "not in the root")
      .file(l.templates + "\\letter.doc", std::string(16, 'd'))
      .file(l.system + "\\crash.dmp", std::string(200, 'm'))
      .file(l.system + "\\Dumps\\old.dmp", std::string(300, 'm'))
      .file(l.windows + "\\MEMORY.DMP", "not in the system folder")
      .file(l.system + "\\pagefile.sys", std::string(128, 'p'))
      .file("C:\\pagefile.sys", "the real one")
      .file(l.windows + "\\Help\\a.hlp", std::string(10, 'h'))
      .file(l.windows + "\\Help\\Sub\\b.chm", std::string(20, 'h'))
      .file("C:\\setup.log", std::string(5, 'l'))
      .file(l.windows + "\\win.log", std::string(6, 'l'))
      .file(l.windows + "\\Debug\\deep.log", "a subfolder");
  if (l.nt) {
    builder.file(l.cdBurning + "\\burn.iso", std::string(64, 'i'))
        .file(l.profile + "\\Desktop\\dead.lnk", dead)
        .file(l.profile + "\\Desktop\\live.lnk", live)
        .file(l.allUsers + "\\Desktop\\dead.lnk", dead)
        .file(l.allUsers + "\\Start Menu\\dead1.lnk", dead)
        .file(l.profile + "\\Start Menu\\Programs\\dead2.lnk", dead);
  } else {
    builder.file(l.windows + "\\Desktop\\dead.lnk", dead)
        .file(l.windows + "\\Desktop\\live.lnk", live)
        .file(l.windows + "\\Start Menu\\Programs\\dead2.lnk", dead);
  }
  return builder;
}

// The engine on a machine of `builder`, with its globals and OS facts taken
// afresh, as the main window's start-up does.
class CleanerTest : public EngineTest {
 public:
  explicit CleanerTest(platform::MachineBuilder builder) : EngineTest(std::move(builder)) {
    ResetOSInfo();
    InitSystemFolders();
  }
  ~CleanerTest() override { ResetOSInfo(); }

  static bool KeyExists(const std::string& path) {
    HKEY key = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  static void ClearLog() { Form1().txtResult.Text(""); }
};

}  // namespace tessaly::testing
