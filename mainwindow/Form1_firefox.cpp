// The main window's own Firefox cleaner: fixed files of the current user's
// profile folder, which is derived from the "Local AppData" shell folder in
// the Documents and Settings layout, on the drive of the Windows folder.
#include <vector>

#include "mainwindow/Form1.h"
#include "platform/files/file_system_object.h"
#include "platform/files/runtime_files.h"
#include "platform/machine/sysinfo.h"
#include "platform/registry/advapi32.h"
#include "platform/runtime/variant.h"
#include "support/cRegistry.h"

using namespace platform::forms;

namespace {

struct FirefoxBox {
  CheckBox Form1Form::*box;
  const char* caption;
  std::vector<const char*> files;  // in the profile folder, deleted in this order
  const char* logLine;
};

const FirefoxBox kFirefoxBoxes[] = {
    {&Form1Form::chk_ff_history, "Clean History and Typed URLs", {"history.dat"}, "Mozilla FireFox History cleaned"},
    {&Form1Form::chk_ff_Cache, "Clean Cache", {"cache\\*.*"}, "Mozilla FireFox Cache cleaned"},
    {&Form1Form::chk_ff_Cookies, "Clean Cookies", {"cookies.txt"}, "Mozilla FireFox Cookies cleaned"},
    {&Form1Form::chk_ff_Bookmarks,
     "Clean Bookmarks",
     {"bookmarks.html", "bookmarks.bak"},
     "Mozilla FireFox Bookmarks cleaned"},
};

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::int32_t kSettingsWordLength = 22;  // "documents and settings"

}  // namespace

void Form1Form::WireFirefoxPage() {
  for (const auto& each : kFirefoxBoxes) (this->*each.box).Caption(each.caption);
  ff_Dir1.Visible(false);
}

std::string Form1Form::getFirefoxpath() {
  cRegistry registry;
  registry.ClassKey(static_cast<std::int32_t>(HKEY_CURRENT_USER));
  registry.SectionKey(kShellFolders);
  registry.ValueKey("Local AppData");
  std::string localAppData = LCase(platform::vb::CStr(registry.Value()));

  char buffer[200] = {};
  UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
  std::string windowsDrive =
      platform::forms::Left(platform::forms::Left(buffer, static_cast<std::int32_t>(length)) + "\\REGEdit.exe", 2);

  // The user folder's name lies between "documents and settings\" and
  // "\local settings"; any other layout makes the length negative (error 5).
  std::int32_t settings = InStr(localAppData, "documents and settings");
  std::int32_t local = InStr(localAppData, "local settings");
  std::int32_t start = settings + 1 + kSettingsWordLength;
  std::string user = Mid(localAppData, start, local - 1 - start);

  std::string profiles =
      windowsDrive + "\\Documents and Settings\\" + user + "\\Application Data\\Mozilla\\Firefox\\Profiles";
  ff_Dir1.Path(profiles);
  // The profile the folder list shows last; with none, List(-1) is the
  // profiles folder itself.
  std::string last = ff_Dir1.List(ff_Dir1.ListCount() - 1);
  return profiles + "\\" + Mid(last, InStrRev(last, "\\") + 1);
}

// Each deletion looks the profile up afresh. A box is logged only when its
// profile folder was found: without one nothing was cleaned.
void Form1Form::CleanFIREFOX() {
  OnErrorResumeNext guard;
  for (const auto& each : kFirefoxBoxes) {
    if ((this->*each.box).Value() != vbChecked) continue;
    bool profileFound = false;
    for (const char* file : each.files) {
      guard([&] {
        std::string profile = getFirefoxpath();
        if (!FileSystem().FolderExists(profile)) return;
        profileFound = true;
        platform::vb::Kill(profile + "\\" + file);
      });
    }
    if (profileFound) guard([&] { engine_->AddItem(engine_->ResultBoxText() + each.logLine); });
  }
}
