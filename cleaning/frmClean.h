#pragma once
// The never-shown engine form: the cleaning log writer AddItem and the
// file walkers (delete, shred, DLL search, dead shortcuts).
#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/forms.h"

class FrmCleanForm : public platform::forms::Form {
 public:
  FrmCleanForm() : Form("frmClean") {}

  // Its own box, laid out but never written (callers read it as a prefix).
  TSY_CONTROL(TextBox, txtResult);

  // Appends `s` and CR LF to the main window's log, caret just before the
  // final LF; then removes a leading TAB from the caller's text.
  void AddItem(std::string& s);
  void AddItem(std::string&& s) { AddItem(s); }
  // The number of ticked built-in plug-ins.
  int CalculateItems();
  // Runs the built-in plug-in named exactly `name` (plugin_runner.cpp);
  // 1000 when it ran, 0 for an unknown name or a failed entry.
  std::int32_t CleanStandardPlugins(const std::string& name);
  // The text before the first NUL, or the whole text without one.
  static std::string StripTerminator(const std::string& text);
  // Alive unless the shortcut names a path where neither a file nor a folder
  // exists; an empty target or an unreadable shortcut counts as alive.
  bool ShortcutTargetExists(const std::string& path);

  // Walkers. Bounds are decimal texts; "-1" disables that bound alone; a
  // bound that is not a number refuses the walk. A blank folder is refused.
  // Deletes matching files whose size lies within the bounds (kilobytes),
  // logging the full path of each file really removed.
  std::int32_t FindFilesAPI_Del(std::string folder, std::string pattern, std::string lower, std::string upper);
  // Shreds matching files (bounds in bytes), advancing the shredder's
  // progress; removes each walked subfolder.
  std::int32_t FindFilesAPI_Shred(std::string folder, std::string pattern, std::string lower, std::string upper);
  // Hands each matching file to the main window's DLL list; honours the stop
  // flag, the system folder and the excluded folders. Returns 0.
  std::int32_t FindFilesAPI_DLL(std::string folder, std::string pattern, bool system);
  // Deletes shortcuts whose target is gone.
  std::int32_t FindFilesAP2_Shortcuts(const std::string& folder, const std::string& pattern);
  std::int32_t CleanCustomFile(const std::string& folder, const std::string& pattern, std::int32_t lowerKB,
                               std::int32_t upperKB);

  // The Internet Explorer step of a run, steps chosen by Form1.chkIE.
  std::int32_t CleanIE();

  // The Netscape/Mozilla step of a run: the header, then the cookie
  // dialog's run over every profile.
  std::int32_t CleanNetscape();

  // Messenger, AOL, ICQ, Opera, Yahoo and Office cleaners (one per box of
  // their sections); the bytes removed. The Office recent-list members
  // return Empty, their deleted recent files uncounted.
  std::int32_t CleanMSNAccountSettings();
  std::int32_t CleanMSNRecivedFolder();
  std::int32_t CleanAOLTemp();
  std::int32_t CleanAOLDownloads();
  std::int32_t CleanICQBookmarks();
  std::int32_t CleanICQReceivedFiles();
  std::int32_t CleanICQChats();
  std::int32_t CleanICQBrowserCache();
  std::int32_t CleanOperaCookie();
  std::int32_t CleanOperaHistory();
  std::int32_t CleanOperaCache();
  std::int32_t CleanYahooPager();
  std::int32_t CleanYahooProfiles();
  platform::forms::Property CleanOfficeWordMRU();
  platform::forms::Property CleanOfficeExcelMRU();
  platform::forms::Property CleanOfficePowerPointMRU();
  platform::forms::Property CleanOfficeAccessMRU();
  platform::forms::Property CleanOfficeOutlookMRU();
  platform::forms::Property CleanOfficePhotoEditorMRU();
  std::int32_t CleanOfficeRecent();

  // Hide and show of Internet Explorer's stored data (the main window's
  // Show/Hide buttons). A hide moves nothing until its backup is stored and
  // read back; a failure leaves the data where it was and says so.
  void HidePassword();
  void ShowPassword();
  void HideFavorites();
  void ShowFavorites();
  // Records every file matching `pattern` below `folder` (files of a folder
  // before its subfolders, depth first) into `text` as "[PATH]" path
  // "[DATA]" content; returns their bytes. The caller removes the files once
  // the backup is safe. `recorded` receives each recorded path.
  std::int32_t FindFilesAPI_Hide(std::string folder, const std::string& pattern, std::string& text);
  std::int32_t FindFilesAPI_Hide(std::string folder, const std::string& pattern, std::string& text,
                                 std::vector<std::string>& recorded, std::uint64_t& bytes);
  void HideTypedURL();
  void ShowTypedURL();
  // The Windows and hard-disk cleaners. Each returns the bytes it removed
  // from disk (0 for those that touch only the registry or the clipboard).
  // A failure inside one ends that cleaner with the bytes counted so far.
  // A base folder that is empty, relative, a drive root, or the Windows,
  // system, profile or program folder (or an ancestor) is never emptied.
  std::int32_t CleanDocument();
  std::int32_t CleanRecycle();
  std::int32_t CleanFindHistory();
  std::int32_t CleanRunMRU();
  std::int32_t CleanTempFolder();
  std::int32_t CleanScanDisk();
  std::int32_t CleanWMP();
  std::int32_t CleanComDlg();
  std::int32_t CleanClipboard();
  std::int32_t CleanPaintMRU();
  std::int32_t CleanWordPadMRU();
  std::int32_t CleanDesktopShortCuts();
  std::int32_t CleanStartMenuShortCuts();
  std::int32_t CleanCDBurningFolder();
  std::int32_t CleanTemplates();
  std::int32_t CleanMemoryDumpFile();
  std::int32_t CleanPageFile();
  std::int32_t CleanDircetXMRU();
  std::int32_t CleanPrinterConnections();
  std::int32_t CleanNetworkConnections();
  std::int32_t CleanRegEdit();
  std::int32_t CleanWindowsHelpFiles();
  std::int32_t CleanWindowsLogFiles();
  std::int32_t CleanUserAssistHistory();
  std::int32_t CleanDircet3DMRU();
  std::int32_t CleanDircetDrawMRU();
  std::int32_t CleanDircetInputMRU();

  void cmdCancel_Click() { Hide(); }
  void TSYCloseButton_Click() { cmdCancel_Click(); }

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
};

FrmCleanForm& frmClean();
