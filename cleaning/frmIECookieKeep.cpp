#include "cleaning/frmIECookieKeep.h"

#include "cleaning/RegistryHelper.h"
#include "cleaning/cookie_dialog_messages.h"
#include "cleaning/file_actions.h"
#include "cleaning/ie_cookie_index.h"
#include "platform/files/runtime_files.h"
#include "support/language_packs.h"
#include "support/skins.h"

using namespace platform::forms;
namespace vb = platform::vb;

namespace {

constexpr const char* kCookiesEntry =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders+ Value`= Cookies";
constexpr const char* kKeepListName = "TSYKeep.inf";

std::string KeyOf(const std::string& text) { return UCase(Trim(text)); }

}  // namespace

FrmIECookieKeepForm& frmIECookieKeep() { return DefaultInstance<FrmIECookieKeepForm>(); }

FrmIECookieKeepForm::FrmIECookieKeepForm() : Form("frmIECookieKeep") {
  Caption("Internet Explorer Cookie Manger");
  lstDelete.Style(1);
  for (ListBox* hidden : {&lstFiles, &lstTemp, &lstChecked}) hidden->Visible(false);
  flList.Visible(false);
  flList.Pattern("*.txt");
  txtKeep.MultiLine(true);
  chkSelectAll.Caption("Select All");
  cmdOK.Caption("&OK");
  cmdRefresh.Caption("&Refresh");
  lblKeep.Caption("Cookies that are selected will not be deleted.");
  TSY_ON(lstDelete, Click, lstDelete_Click);
  TSY_ON(chkSelectAll, Click, chkSelectAll_Click);
  TSY_ON(cmdOK, Click, cmdOK_Click);
  TSY_ON(cmdRefresh, Click, cmdRefresh_Click);
  TSY_ON(*this, MouseMove, Form_MouseMove);
}

void FrmIECookieKeepForm::Form_Load() {
  ApplyLanguage(*this);
  LoadCookies();
  ApplySkinToControls(*this);
}

void FrmIECookieKeepForm::Form_Unload(int& Cancel) {
  Cancel = 1;
  Hide();
}

void FrmIECookieKeepForm::Form_MouseMove(int button, int, float, float) {
  if (button == 1) DragForm(hWnd());
}

void FrmIECookieKeepForm::ClearLists() {
  lstDelete.Clear();
  lstChecked.Clear();
  lstFiles.Clear();
  lstTemp.Clear();
  diskNames_.clear();
}

void FrmIECookieKeepForm::ListCookieFiles() {
  // A missing folder raises; the list then keeps nothing of another folder.
  flList.Path(g_strPath);
  flList.Refresh();
  for (int i = 0; i < flList.ListCount(); ++i) lstTemp.AddItem(flList.List(i));
}

void FrmIECookieKeepForm::AddRow(const std::string& site, const std::string& file, const std::string& diskName) {
  lstDelete.AddItem(site);
  lstFiles.AddItem(file);
  diskNames_.push_back(diskName);
}

void FrmIECookieKeepForm::LoadCookies() {
  loadComplete_ = false;
  std::string cookies = ReadTraceValue(kCookiesEntry);
  g_strPath = Trim(cookies).empty() ? "" : cookies + "\\";
  ClearLists();
  // Without a Cookies folder there is nothing to list; never another folder.
  if (g_strPath.empty()) return;
  try {
    ListCookieFiles();
    cleaning::ForEachCookieRecord(g_strPath + "index.dat", [&](const cleaning::CookieRecordParts& record) {
      if (lstTemp.ListCount() == 0) return;
      const std::string wanted = KeyOf(record.filePart);
      for (int i = 0; i < lstTemp.ListCount(); ++i) {
        if (UCase(lstTemp.List(i)) != wanted) continue;
        std::string diskName = lstTemp.List(i);
        lstTemp.RemoveItem(i);
        AddRow(record.siteRow, record.filePart, diskName);
        return;
      }
    });
    for (int i = 0; i < lstTemp.ListCount(); ++i) AddRow(lstTemp.List(i), lstTemp.List(i), lstTemp.List(i));
  } catch (const platform::RuntimeError&) {
    return;
  }
  loadComplete_ = ApplyKeepList();
  if (loadComplete_ && pendingSelection_) {
    // The selection an OK during the run could not save, on the new rows.
    for (int row = 0; row < lstDelete.ListCount(); ++row)
      lstDelete.Selected(row, pendingSelection_->count(KeyOf(lstDelete.List(row))) != 0);
    pendingSelection_.reset();
  }
}

bool FrmIECookieKeepForm::ApplyKeepList() {
  lstChecked.Clear();
  const std::string path = g_strPath + kKeepListName;
  if (!cleaning::FileExists(path)) return true;  // keeps nothing
  try {
    cleaning::FileNumber file(path, vb::OpenMode::Input);
    while (!vb::Eof(file.get())) lstChecked.AddItem(vb::LineInput(file.get()));
  } catch (const platform::RuntimeError&) {
    return false;
  }
  for (int line = 0; line < lstChecked.ListCount(); ++line) {
    const std::string kept = KeyOf(lstChecked.List(line));
    for (int row = 0; row < lstDelete.ListCount(); ++row)
      if (KeyOf(lstDelete.List(row)) == kept) lstDelete.Selected(row, true);
  }
  return true;
}

std::vector<std::pair<std::string, bool>> FrmIECookieKeepForm::KeptSnapshot() const {
  std::vector<std::pair<std::string, bool>> rows;
  if (!loadComplete_ || g_strPath.empty()) return rows;
  for (int i = 0; i < lstDelete.ListCount() && i < static_cast<int>(diskNames_.size()); ++i)
    rows.emplace_back(diskNames_[i], lstDelete.Selected(i));
  return rows;
}

void FrmIECookieKeepForm::lstDelete_Click() {
  txtKeep.Text("");
  const int row = lstDelete.ListIndex();
  if (row < 0 || g_strPath.empty() || row >= static_cast<int>(diskNames_.size())) return;
  std::string shown, line;
  try {
    cleaning::FileNumber file(g_strPath + diskNames_[row], vb::OpenMode::Input);
    std::string content = vb::Input(vb::Lof(file.get()), file.get());
    for (char c : content) {
      if (c != '\n') {
        line += c;
        continue;
      }
      if (!line.empty()) shown += line + "\r\n";
      line.clear();
    }
  } catch (const platform::RuntimeError&) {
    return;
  }
  txtKeep.Text(shown);
}

void FrmIECookieKeepForm::chkSelectAll_Click() {
  const bool all = chkSelectAll.Value() == vbChecked;
  for (int i = 0; i < lstDelete.ListCount(); ++i) lstDelete.Selected(i, all);
}

void FrmIECookieKeepForm::cmdOK_Click() {
  if (runActive_) {
    pendingSelection_.emplace();
    for (int i = 0; i < lstDelete.ListCount(); ++i)
      if (lstDelete.Selected(i)) pendingSelection_->insert(KeyOf(lstDelete.List(i)));
    return cleaning::SayKeepListBusy();
  }
  // Rows from an incomplete fill would shorten the user's keep-list.
  if (g_strPath.empty()) return Unload(*this);  // nothing listed, nothing to keep
  if (!loadComplete_) return cleaning::SayKeepListIncomplete();
  lstChecked.Clear();
  try {
    cleaning::FileNumber file(g_strPath + kKeepListName, vb::OpenMode::Output);
    for (int i = 0; i < lstDelete.ListCount(); ++i) {
      if (!lstDelete.Selected(i)) continue;
      lstChecked.AddItem(lstDelete.List(i));
      vb::PrintLine(file.get(), lstDelete.List(i));
    }
  } catch (const platform::RuntimeError& error) {
    return cleaning::SayKeepListNotSaved(error.description());
  }
  Unload(*this);
}

void FrmIECookieKeepForm::cmdRefresh_Click() {
  if (!runActive_) LoadCookies();
}
