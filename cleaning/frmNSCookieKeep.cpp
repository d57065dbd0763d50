#include "cleaning/frmNSCookieKeep.h"

#include "cleaning/Delete.h"
#include "cleaning/cookie_dialog_messages.h"
#include "cleaning/RegistryHelper.h"
#include "cleaning/file_actions.h"
#include "cleaning/frmClean.h"
#include "cleaning/protected_folders.h"
#include "mainwindow/Form1.h"
#include "platform/files/runtime_files.h"
#include "support/language_packs.h"
#include "support/skins.h"

#include <optional>
#include <set>

using namespace platform::forms;
namespace vb = platform::vb;

namespace {

constexpr const char* kAppDataEntry =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders+ Value`= AppData";
constexpr const char* kKeepCaption = "Cookies that are selected will not be deleted.";
constexpr const char* kNotFoundCaption = "Cannot find a copy of Netscape";

// Every name of folder\* but "." and "..", folders included, in listing order.
std::vector<std::string> ListWithFolders(const std::string& folder) {
  std::vector<std::string> names;
  try {
    for (std::string name = vb::Dir(folder + "\\*", vb::vbDirectory); !name.empty(); name = vb::Dir())
      if (name != "." && name != "..") names.push_back(name);
  } catch (const platform::RuntimeError&) {
  }
  return names;
}

std::string LastFour(const std::string& name) {
  return LCase(name.size() > 4 ? name.substr(name.size() - 4) : name);
}

}  // namespace

FrmNSCookieKeepForm& frmNSCookieKeep() { return DefaultInstance<FrmNSCookieKeepForm>(); }

FrmNSCookieKeepForm::FrmNSCookieKeepForm() : Form("frmNSCookieKeep") {
  Caption("Netscape Cookie Manger");
  SkinLabel1.Caption("Select one of your Netscape profiles");
  cmbProfile.Style(vbComboDropdownList);
  cmbSelect.Style(vbComboDropdownList);
  cmbSelect.Visible(false);
  lstDelete.Style(1);
  lstCookies.Visible(false);
  lstChecked.Visible(false);
  txtKeep.MultiLine(true);
  lblKeep.Caption(kKeepCaption);
  chkSelectAll.Caption("Select All");
  cmdOK.Caption("&OK");
  cmdRefresh.Caption("&Refresh");
  TSY_ON(cmbProfile, Click, cmbProfile_Click);
  TSY_ON(lstDelete, Click, lstDelete_Click);
  lstDelete.ItemCheck.Handle([this](int) {
    if (!filling_) dirty_ = true;
  });
  TSY_ON(chkSelectAll, Click, chkSelectAll_Click);
  TSY_ON(cmdOK, Click, cmdOK_Click);
  TSY_ON(cmdRefresh, Click, cmdRefresh_Click);
  TSY_ON(*this, MouseMove, Form_MouseMove);
}

void FrmNSCookieKeepForm::Form_Load() {
  ApplyLanguage(*this);
  keepCaption_ = lblKeep.Caption();
  Form1().skn.ApplySkin(hWnd());
  ApplySkinToControls(*this);
  ScanProfilesNS6();
}

void FrmNSCookieKeepForm::Form_Unload(int& Cancel) {
  Cancel = 1;
  Hide();
}

void FrmNSCookieKeepForm::Form_MouseMove(int button, int, float, float) {
  if (button == 1) DragForm(hWnd());
}

void FrmNSCookieKeepForm::ShowNotFound() {
  NS6Exists = false;
  lblKeep.Caption(kNotFoundCaption);
  cmbProfile.Visible(false);
  ShowRows(cleaning::CookieRows{});
  displayedFolder_.clear();
}

void FrmNSCookieKeepForm::ScanProfilesNS6() {
  filling_ = true;
  cmbSelect.Clear();
  cmbProfile.Clear();
  filling_ = false;
  const std::string appData = ReadTraceValue(kAppDataEntry);
  // Never the root of the current drive.
  if (Trim(appData).empty()) return ShowNotFound();
  const std::string base = appData + "\\Mozilla\\Profiles";
  for (const auto& name : ListWithFolders(base)) AddProfileNS6(name, base);
  if (cmbSelect.ListCount() == 0) return ShowNotFound();
  NS6Exists = true;
  lblKeep.Caption(keepCaption_.empty() ? kKeepCaption : keepCaption_);
  cmbProfile.Visible(true);
  cmbProfile.ListIndex(0);
}

void FrmNSCookieKeepForm::AddProfileNS6(const std::string& name, const std::string& base) {
  const std::string profile = base + "\\" + name;
  for (const auto& entry : ListWithFolders(profile)) {
    if (LastFour(entry) != ".slt") continue;
    const std::string folder = profile + "\\" + entry;
    if (!CookiesExistNS6(folder)) continue;
    cmbSelect.AddItem(folder);
    cmbProfile.AddItem(name);
  }
}

bool FrmNSCookieKeepForm::CookiesExistNS6(const std::string& folder) {
  try {
    int file = vb::Open(folder + "\\Cookies.txt", vb::OpenMode::Input);
    vb::Close(file);
    return true;
  } catch (const platform::RuntimeError&) {
    return false;
  }
}

cleaning::CookieRows FrmNSCookieKeepForm::DisplayedRows() const {
  cleaning::CookieRows rows;
  for (int i = 0; i < lstCookies.ListCount() && i < lstDelete.ListCount(); ++i) {
    rows.lines.push_back(lstCookies.List(i));
    rows.kept.push_back(lstDelete.Selected(i));
  }
  rows.loaded = displayedLoaded_;
  rows.keepListRead = displayedKeepListRead_;
  return rows;
}

void FrmNSCookieKeepForm::ShowRows(const cleaning::CookieRows& rows) {
  filling_ = true;
  lstDelete.Clear();
  lstCookies.Clear();
  for (std::size_t i = 0; i < rows.lines.size(); ++i) {
    lstDelete.AddItem(cleaning::DeriveCookieFields(rows.lines[i]).site);
    lstCookies.AddItem(rows.lines[i]);
    if (rows.kept[i]) lstDelete.Selected(static_cast<int>(i), true);
  }
  filling_ = false;
  displayedLoaded_ = rows.loaded;
  displayedKeepListRead_ = rows.keepListRead;
  dirty_ = false;
}

void FrmNSCookieKeepForm::LoadCookiesNS6(const std::string& folder) {
  cleaning::CookieRows rows;
  cleaning::ReadCookieRows(folder, rows);
  ShowRows(rows);
  displayedFolder_ = folder;
}

void FrmNSCookieKeepForm::SelectNS6(std::string& folder) {
  folder = cleaning::WithTrailingBackslash(folder);
  lstChecked.Clear();
  cleaning::CookieRows rows = DisplayedRows();
  cleaning::ApplyCookieKeepList(folder, rows);
  const bool wasDirty = dirty_;
  ShowRows(rows);
  dirty_ = wasDirty;
}

void FrmNSCookieKeepForm::SaveNS6(std::string& folder) {
  folder = cleaning::WithTrailingBackslash(folder);
  lstChecked.Clear();
  cleaning::WriteCookieKeepList(folder, DisplayedRows());
}

void FrmNSCookieKeepForm::CleanCookieNS6(std::string& folder) {
  folder = cleaning::WithTrailingBackslash(folder);
  // Rows of another folder, or of an incomplete load, must not replace it.
  if (cleaning::WithTrailingBackslash(displayedFolder_) != folder) return;
  cleaning::RewriteCookieFile(folder, DisplayedRows());
}

void FrmNSCookieKeepForm::SaveDisplayedChanges() {
  if (!dirty_ || displayedFolder_.empty() || !displayedLoaded_ || !displayedKeepListRead_) return;
  std::string folder = displayedFolder_;
  SaveNS6(folder);
  dirty_ = false;
}

void FrmNSCookieKeepForm::cmbProfile_Click() {
  if (filling_) return;
  const int chosen = cmbProfile.ListIndex();
  if (runActive_) {
    // The run owns the folders; the display stays where it was.
    filling_ = true;
    cmbProfile.ListIndex(cmbSelect.ListIndex());
    filling_ = false;
    return;
  }
  if (cmbSelect.ListIndex() != -1) SaveDisplayedChanges();
  txtKeep.Text("");
  if (chosen < 0) return;
  std::string folder = cmbSelect.List(chosen);
  LoadCookiesNS6(folder);
  cmbSelect.ListIndex(chosen);
  SelectNS6(folder);
}

void FrmNSCookieKeepForm::lstDelete_Click() {
  const int row = lstDelete.ListIndex();
  if (row < 0 || row >= lstCookies.ListCount()) return;
  cleaning::CookieLineFields fields = cleaning::DeriveCookieFields(lstCookies.List(row));
  txtKeep.Text(fields.name + "\r\n" + fields.value);
}

void FrmNSCookieKeepForm::chkSelectAll_Click() {
  const bool all = chkSelectAll.Value() == vbChecked;
  for (int i = 0; i < lstDelete.ListCount(); ++i) lstDelete.Selected(i, all);
}

void FrmNSCookieKeepForm::cmdOK_Click() {
  if (runActive_) return cleaning::SayKeepListBusy();
  if (dirty_ && (!displayedLoaded_ || !displayedKeepListRead_)) return cleaning::SayKeepListIncomplete();
  Unload(*this);
}

void FrmNSCookieKeepForm::cmdRefresh_Click() {
  if (!runActive_) ScanProfilesNS6();
}

std::uint64_t FrmNSCookieKeepForm::CleanFolder(const std::string& folder) {
  struct Step {
    int box;
    enum { Files, Cookies, Trees, Trash } kind;
    std::vector<const char*> targets;
  };
  static const Step kSteps[] = {
      {1, Step::Files, {"\\history.dat", "\\history.mab"}},
      {5, Step::Cookies, {}},
      {3, Step::Trees, {"\\Cache", "\\NewCache"}},
      {0, Step::Trash, {"Trash.", "Trash.msf"}},
      {4, Step::Files, {"\\formhistory.dat"}},
      {2, Step::Files, {"\\url-data.txt"}},
  };
  std::uint64_t total = 0;
  for (const auto& step : kSteps) {
    if (Form1().chkNetScape(step.box).Value() != 1) continue;
    switch (step.kind) {
      case Step::Files:
        for (const char* target : step.targets) total += static_cast<std::uint64_t>(Delete().DeleteFile(folder + target));
        break;
      case Step::Cookies: {
        frmClean().AddItem("\tRemoving cookies");
        // The run's own rows: what the dialog shows meanwhile does not matter.
        cleaning::CookieRows rows;
        cleaning::ReadCookieRows(folder, rows);
        cleaning::ApplyCookieKeepList(folder, rows);
        cleaning::RewriteCookieFile(folder, rows);
        break;
      }
      case Step::Trees:
        for (const char* target : step.targets) {
          std::string path = folder + target;
          total += static_cast<std::uint64_t>(Delete().DeleteFolder(path, "*.*"));
        }
        break;
      case Step::Trash:
        for (const char* pattern : step.targets) {
          std::string path = folder + "\\Mail";
          total += static_cast<std::uint64_t>(Delete().DeleteFolder(path, pattern));
        }
        break;
    }
    Form1().fcNetScape = Form1().fcNetScape + 1;
    Form1().CalcProg("NetScape");
  }
  return total;
}

std::int32_t FrmNSCookieKeepForm::CleanNS6() {
  if (cmbSelect.ListIndex() != -1) SaveDisplayedChanges();
  std::vector<std::string> folders;
  for (int i = 0; i < cmbSelect.ListCount(); ++i) folders.push_back(cmbSelect.List(i));
  // The profiles lie below the AppData folder: a setting naming a guarded
  // folder is refused as a whole.
  if (!folders.empty() && !cleaning::MayEmptyFolder(ReadTraceValue(kAppDataEntry))) return 0;
  std::uint64_t total = 0;
  runActive_ = true;
  for (const auto& folder : folders) total += CleanFolder(folder);
  runActive_ = false;
  // The profile on display again, as its files now are; nothing is saved.
  if (cmbSelect.ListIndex() != -1) {
    std::string folder = cmbSelect.List(cmbSelect.ListIndex());
    // Ticks the user changed while the run went on outlive the reload,
    // to be saved at the next profile switch or run.
    std::optional<std::set<std::string>> changed;
    if (dirty_) {
      cleaning::CookieRows shown = DisplayedRows();
      changed.emplace();
      for (std::size_t i = 0; i < shown.lines.size(); ++i)
        if (shown.kept[i]) changed->insert(cleaning::KeepListEntry(shown.lines[i]));
    }
    LoadCookiesNS6(folder);
    SelectNS6(folder);
    if (changed) {
      filling_ = true;
      for (int i = 0; i < lstCookies.ListCount(); ++i)
        lstDelete.Selected(i, changed->count(cleaning::KeepListEntry(lstCookies.List(i))) != 0);
      filling_ = false;
      dirty_ = true;
    }
  }
  return ClampedBytes(total);
}
