#include "mainwindow/run/engine_link.h"

#include "cleaning/Delete.h"
#include "cleaning/RegistryHelper.h"
#include "cleaning/file_actions.h"
#include "cleaning/frmClean.h"
#include "cleaning/frmIECookieKeep.h"
#include "cleaning/frmNSCookieKeep.h"
#include "cleaning/plugin_runner.h"
#include "cleaning/protected_folders.h"
#include "mainwindow/Form1.h"
#include "mainwindow/run/section_cleaners.h"

namespace {

std::span<const SectionCleaner> CleanersOf(CleanSection section) {
  switch (section) {
    case CleanSection::Windows: return WindowsCleaners();
    case CleanSection::HardDisk: return HardDiskCleaners();
    case CleanSection::Office: return OfficeCleaners();
    case CleanSection::Opera: return OperaCleaners();
    case CleanSection::Yahoo: return YahooCleaners();
    case CleanSection::ICQ: return ICQCleaners();
    case CleanSection::MSN: return MSNCleaners();
    case CleanSection::AOL: return AOLCleaners();
    default: return {};
  }
}

std::int64_t Run(SectionCleaner cleaner) { return cleaner ? cleaner() : 0; }

class Engine : public CleaningEngine {
 public:
  std::int64_t CleanItem(CleanSection section, int index) override {
    auto cleaners = CleanersOf(section);
    if (index < 0 || static_cast<std::size_t>(index) >= cleaners.size()) return 0;
    return Run(cleaners[index]);
  }
  std::int64_t CleanCustomFile(const std::string& folder, const std::string& pattern, std::int32_t minKB,
                               std::int32_t maxKB) override {
    return frmClean().CleanCustomFile(folder, pattern, minKB, maxKB);
  }
  std::int64_t CleanNetscape() override { return Run(NetscapeCleaner()); }
  std::int64_t CleanIE() override { return Run(IECleaner()); }
  void AddItem(const std::string& line) override { frmClean().AddItem(std::string(line)); }
  void PrepareShredStr() override { Delete().PrepareShredStr(); }
  std::int64_t ShredFile(const std::string& path) override { return Delete().xShredFile(path); }
  std::int64_t ShredFolder(const std::string& path) override { return Delete().xShredFolder(path); }
  // The folder guard keeps xShredFolder off drive roots, so the whole-drive
  // shred walks the root itself; the root stays, as on Windows.
  std::int64_t ShredDriveRoot(const std::string& root) override {
    return frmClean().FindFilesAPI_Shred(root, "*.*", "-1", "-1");
  }
  std::string ResultBoxText() override { return frmClean().txtResult.Text(); }
  bool TraceKeyExists(const std::string& entry) override { return ::TraceKeyExists(entry); }
  std::string ReadTraceValue(const std::string& entry) override { return ::ReadTraceValue(entry); }
  void HideData(HiddenData what) override {
    switch (what) {
      case HiddenData::TypedURLs: return frmClean().HideTypedURL();
      case HiddenData::Passwords: return frmClean().HidePassword();
      case HiddenData::Favorites: return frmClean().HideFavorites();
    }
  }
  void ShowData(HiddenData what) override {
    switch (what) {
      case HiddenData::TypedURLs: return frmClean().ShowTypedURL();
      case HiddenData::Passwords: return frmClean().ShowPassword();
      case HiddenData::Favorites: return frmClean().ShowFavorites();
    }
  }
  void ShowCookieKeepList(CookieKeepList which) override {
    if (which == CookieKeepList::InternetExplorer) frmIECookieKeep().Show();
    else frmNSCookieKeep().Show();
  }
  void RunTraceEntry(const std::string& entry) override { ::RunTraceEntry(entry); }
  std::int64_t DeleteTreeFiles(const std::string& folder, const std::string& pattern) override {
    if (!cleaning::MayEmptyFolder(folder)) return 0;
    return frmClean().FindFilesAPI_Del(folder, pattern, "-1", "-1");
  }
  // As the delete walker treats each file it finds: not forced, logged and
  // counted only when it is really gone.
  std::int64_t DeleteOneFile(const std::string& path) override {
    if (!cleaning::MayDeleteFile(path)) return 0;
    std::uint64_t length = 0;
    if (cleaning::FileLength(path, length) != 0) return 0;
    if (cleaning::FsoDeleteFile(path, false) != 0 || cleaning::FileExists(path)) return 0;
    frmClean().AddItem(std::string(path));
    return static_cast<std::int64_t>(length);
  }
};

}  // namespace

void ConnectCleaningEngine() {
  InstallCleaningEngine(std::make_shared<Engine>());
  InstallBuiltInPluginRunner(MakeBuiltInPluginRunner());
  ConnectBuiltInPluginNames();
}
