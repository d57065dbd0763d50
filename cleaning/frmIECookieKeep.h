#pragma once
// The Internet Explorer cookie keep-list dialog, also the IE cleaner's
// working store: one site row per cookie file of the Cookies folder, a
// ticked row being a cookie the user keeps ("TSYKeep.inf" beside them).
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/activex/skin.h"
#include "platform/forms/forms.h"

class FrmIECookieKeepForm : public platform::forms::Form {
 public:
  FrmIECookieKeepForm();

  TSY_CONTROL(Frame, Frame1);
  TSY_CONTROL(ListBox, lstDelete);    // site rows, ticked = kept
  TSY_CONTROL(ListBox, lstFiles);     // file part of each row (hidden)
  TSY_CONTROL(ListBox, lstTemp);      // cookie files not yet matched (hidden)
  TSY_CONTROL(ListBox, lstChecked);   // keep-list lines (hidden)
  TSY_CONTROL(FileListBox, flList);   // the "*.txt" files of the folder (hidden)
  TSY_CONTROL(TextBox, txtKeep);
  TSY_CONTROL(CheckBox, chkSelectAll);
  TSY_CONTROL(CommandButton, cmdOK);
  TSY_CONTROL(CommandButton, cmdRefresh);
  TSY_CONTROL(Label, lblKeep);

  // The Cookies folder followed by "\"; "" when the shell-folder value is
  // missing, in which case nothing is listed, kept or deleted.
  std::string g_strPath;

  // Refills the lists from the Cookies folder, its index and its keep-list.
  void LoadCookies();
  void LoadValues() { LoadCookies(); }

  // Whether the last fill completed (a missing keep-list counts as read):
  // only then may the rows decide what is deleted or kept.
  bool loadComplete() const { return loadComplete_; }
  // The cookie files on disk with their kept flag, as last loaded; empty
  // after an incomplete load.
  std::vector<std::pair<std::string, bool>> KeptSnapshot() const;
  // Set by the cleaner while its cookie step runs: Refresh waits, and OK
  // says so and keeps the selection for the refill after the step.
  void SetRunActive(bool active) { runActive_ = active; }

  void lstDelete_Click();
  void chkSelectAll_Click();
  void cmdOK_Click();
  void cmdRefresh_Click();

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_MouseMove(int button, int shift, float x, float y);

 private:
  void ClearLists();
  // Lists the folder's "*.txt" files that are neither hidden nor system, by
  // name (the file list's order), into flList and lstTemp.
  void ListCookieFiles();
  void AddRow(const std::string& site, const std::string& file, const std::string& diskName);
  // Reads the keep-list into lstChecked and ticks the matching rows; false
  // when the file exists but could not be read whole.
  bool ApplyKeepList();

  std::vector<std::string> diskNames_;  // the listed file behind each row
  // Rows ticked when OK came during the run (upper-cased, trimmed), put back
  // on the rows of the next complete fill.
  std::optional<std::set<std::string>> pendingSelection_;
  bool loadComplete_ = false, runActive_ = false;
};

FrmIECookieKeepForm& frmIECookieKeep();
