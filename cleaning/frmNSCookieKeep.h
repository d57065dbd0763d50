#pragma once
// The Netscape/Mozilla cookie keep-list dialog, also the Netscape cleaner:
// the cookie folders of every Mozilla profile, the cookies of the profile on
// display (ticked = kept) and the run over all folders.
#include <cstdint>
#include <string>

#include "cleaning/ns_cookie_file.h"
#include "platform/activex/skin.h"
#include "platform/forms/forms.h"

class FrmNSCookieKeepForm : public platform::forms::Form {
 public:
  FrmNSCookieKeepForm();

  ::platform::activex::SkinLabel SkinLabel1{*this, "SkinLabel1"};
  TSY_CONTROL(ComboBox, cmbProfile);  // profile names
  TSY_CONTROL(ComboBox, cmbSelect);   // cookie folder of each entry (hidden)
  TSY_CONTROL(Frame, Frame1);
  TSY_CONTROL(ListBox, lstDelete);    // site fields, ticked = kept
  TSY_CONTROL(ListBox, lstCookies);   // whole cookie lines (hidden)
  TSY_CONTROL(ListBox, lstChecked);   // emptied when a keep-list is read or written (hidden)
  TSY_CONTROL(TextBox, txtKeep);
  ::platform::activex::SkinLabel lblKeep{*this, "lblKeep"};
  TSY_CONTROL(CheckBox, chkSelectAll);
  TSY_CONTROL(CommandButton, cmdOK);
  TSY_CONTROL(CommandButton, cmdRefresh);

  // True after a scan that found cookie folders.
  bool NS6Exists = false;

  // The run over every cookie folder, steps chosen by Form1.chkNetScape;
  // the bytes removed.
  std::int32_t CleanNS6();
  // Rewrites the folder's Cookies.txt with the kept rows on display (only
  // when they were loaded completely from that folder).
  void CleanCookieNS6(std::string& folder);
  // Ticks the rows on display that the folder's keep-list names.
  void SelectNS6(std::string& folder);
  // Writes the folder's keep-list from the rows on display.
  void SaveNS6(std::string& folder);

  void cmbProfile_Click();
  void lstDelete_Click();
  void chkSelectAll_Click();
  void cmdOK_Click();
  void cmdRefresh_Click();

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_MouseMove(int button, int shift, float x, float y);

 private:
  void ScanProfilesNS6();
  void AddProfileNS6(const std::string& name, const std::string& base);
  static bool CookiesExistNS6(const std::string& folder);
  void LoadCookiesNS6(const std::string& folder);
  // The rows on display, as the controls hold them.
  cleaning::CookieRows DisplayedRows() const;
  void ShowRows(const cleaning::CookieRows& rows);
  // Saves the displayed profile's keep-list when the user changed the
  // selection of rows that were loaded whole.
  void SaveDisplayedChanges();
  void ShowNotFound();
  std::uint64_t CleanFolder(const std::string& folder);

  std::string keepCaption_;
  std::string displayedFolder_;
  bool displayedLoaded_ = false, displayedKeepListRead_ = false;
  bool dirty_ = false, filling_ = false, runActive_ = false;
};

FrmNSCookieKeepForm& frmNSCookieKeep();
