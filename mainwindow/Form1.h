#pragma once
// The main window: start-up and shut-down, the cleaning run with its
// progress counters, the navigation movie's commands, the options store, and
// the members the support library and the cleaning engine rely on. Features
// of other pages are reached through clearly named steps their owners fill.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/cleaning_engine.h"
#include "mainwindow/system_tools.h"
#include "platform/activex/backup.h"
#include "platform/activex/common_dialog.h"
#include "platform/activex/movie.h"
#include "platform/activex/progress_bar.h"
#include "platform/activex/skin.h"
#include "platform/activex/splash.h"
#include "platform/forms/forms.h"
#include "platform/shell/shell_types.h"
#include "support/dll_record.h"
#include "support/main_window_link.h"

namespace platform::scripting {
class FileSystemObject;
}
class PluginStore;

// The built-in plug-in runner the main window hands the ticked plug-ins to
// (frmClean's CleanStandardPlugins and CleanedBytesTotal). Until the engine
// installs its own, no plug-in runs and nothing is freed.
class BuiltInPluginRunner {
 public:
  virtual ~BuiltInPluginRunner() = default;
  virtual void ResetCleanedBytes() {}
  virtual void CleanStandardPlugins(const std::string& pluginName) {}
  // Bytes freed since the reset (kept exact; shown as the program shows it).
  virtual double CleanedBytesTotal() { return 0; }
};

// The runner every main window created from now on starts with.
void InstallBuiltInPluginRunner(std::shared_ptr<BuiltInPluginRunner> runner);
// The built-in plug-in names in list order, from the engine's catalogue,
// which installs them with its runner; a main window loaded before that
// lists none.
void InstallBuiltInPluginNames(std::vector<std::string> names);

class Form1Form : public platform::forms::Form, public MainWindowServices {
 public:
  Form1Form();

  // --- pages (one shown at a time) and second-level button bars ---
  TSY_CONTROL(Frame, Frame_Windows);
  TSY_CONTROL(Frame, Frame_IE);
  TSY_CONTROL(Frame, Frame_NetScape);
  TSY_CONTROL(Frame, Frame_Opera);
  TSY_CONTROL(Frame, Frame_AOL);
  TSY_CONTROL(Frame, Frame_MSN);
  TSY_CONTROL(Frame, Frame_ICQ);
  TSY_CONTROL(Frame, Frame_Yahoo);
  TSY_CONTROL(Frame, Frame_Office);
  TSY_CONTROL(Frame, Frame_HardDisk);
  TSY_CONTROL(Frame, Frame_BPI);
  TSY_CONTROL(Frame, Frame_EPI);
  TSY_CONTROL(Frame, Frame_FF);
  TSY_CONTROL(Frame, Frame_Result);
  TSY_CONTROL(Frame, Frame_Options);
  TSY_CONTROL(Frame, Frame_About);
  TSY_CONTROL(Frame, Frame_Schedule);
  TSY_CONTROL(Frame, Frame_Programs);
  TSY_CONTROL(Frame, Frame_StartUp);
  TSY_CONTROL(Frame, Frame_UnInstall);
  TSY_CONTROL(Frame, Frame_Shred);
  TSY_CONTROL(Frame, Frame_DLLs);
  TSY_CONTROL(Frame, Frame_DllResult);
  TSY_CONTROL(Frame, Frame_DLLBackUps);
  TSY_CONTROL(Frame, Frame2_SYSTEM);
  TSY_CONTROL(Frame, Frame2_BROWSERS);
  TSY_CONTROL(Frame, Frame2_MESSENGERS);
  TSY_CONTROL(Frame, Frame2_PLUGINS);
  TSY_CONTROL(Frame, Frame2_OPTIMIZATION);

  // ===== pages and navigation buttons, built-in plug-in page: begin =====
  // Skin backgrounds laid under the shown page and the shown button bar.
  TSY_CONTROL(PictureBox, SkinFrame1);
  TSY_CONTROL(PictureBox, SkinFrame2);
  // Navigation buttons, each on the bar or page it belongs to.
  TSY_CONTROL_IN(CommandButton, cmd_Windows, Frame2_SYSTEM);
  TSY_CONTROL_IN(CommandButton, cmd_HardDisk, Frame2_SYSTEM);
  TSY_CONTROL_IN(CommandButton, cmd_Office, Frame2_SYSTEM);
  TSY_CONTROL_IN(CommandButton, cmd_IE, Frame2_BROWSERS);
  TSY_CONTROL_IN(CommandButton, cmd_NetScape, Frame2_BROWSERS);
  TSY_CONTROL_IN(CommandButton, cmd_Opera, Frame2_BROWSERS);
  TSY_CONTROL_IN(CommandButton, cmd_AOL, Frame2_BROWSERS);
  TSY_CONTROL_IN(CommandButton, Command4, Frame2_BROWSERS);
  TSY_CONTROL_IN(CommandButton, cmd_MSN, Frame2_MESSENGERS);
  TSY_CONTROL_IN(CommandButton, cmd_ICQ, Frame2_MESSENGERS);
  TSY_CONTROL_IN(CommandButton, cmd_YAHOO, Frame2_MESSENGERS);
  TSY_CONTROL_IN(CommandButton, cmdBuiltInPlugins, Frame2_PLUGINS);
  TSY_CONTROL_IN(CommandButton, cmdExtraPlugins, Frame2_PLUGINS);
  TSY_CONTROL_IN(CommandButton, cmd_Programs, Frame2_OPTIMIZATION);
  TSY_CONTROL_IN(CommandButton, cmd_Shred, Frame2_OPTIMIZATION);
  TSY_CONTROL_IN(CommandButton, cmd_DLLs, Frame2_OPTIMIZATION);
  TSY_CONTROL_IN(CommandButton, cmdProgram1, Frame_Programs);
  TSY_CONTROL_IN(CommandButton, cmdProgram2, Frame_Programs);
  TSY_CONTROL_IN(CommandButton, cmdStartUpBack, Frame_StartUp);
  TSY_CONTROL_IN(CommandButton, cmdUninsBack, Frame_UnInstall);
  TSY_CONTROL_IN(CommandButton, cmdBack, Frame_DllResult);
  TSY_CONTROL_IN(CommandButton, Command9, Frame_DLLBackUps);
  // The options and schedule pages are reached through the movie's buttons.
  TSY_CONTROL(CommandButton, CmdOptions);
  TSY_CONTROL(CommandButton, cmdShedule);
  // Built-in plug-in page.
  TSY_CONTROL_IN(CheckBox, chkBIPSelectAll, Frame_BPI);

  // Ticks (or greys) every built-in plug-in, or clears them all.
  void chkBIPSelectAll_Click();

 private:
  // Sizes, captions and handlers of the pages, the bars and their buttons.
  void DesignPages();
  // Places every page's own controls inside their page.
  void DesignPageControls();

 public:
  // ===== pages and navigation buttons, built-in plug-in page: end =====

  // --- result page: log and progress ---
  TSY_CONTROL_IN(TextBox, txtResult, Frame_Result);
  TSY_CONTROL(CommandButton, CmdClean);
  TSY_CONTROL_IN(Frame, FrmProg, Frame_Result);
  TSY_CONTROL_IN(CommandButton, cmdSaveLog, Frame_Result);
  ::platform::activex::ProgressBar prgCurrent{*this, "prgCurrent", &FrmProg};
  ::platform::activex::ProgressBar prgTotal{*this, "prgTotal", &FrmProg};
  TSY_CONTROL_IN(Label, lblCurrentSize, FrmProg);
  TSY_CONTROL_IN(Label, lblTotalSize, FrmProg);
  TSY_CONTROL_IN(Label, lblcurrentName, Frame_Result);

  // --- section pages ---
  TSY_CONTROL_ARRAY_IN(CheckBox, chkWindows, 24, Frame_Windows);
  TSY_CONTROL_ARRAY_IN(CheckBox, chkHardDisk, 3, Frame_HardDisk);
  TSY_CONTROL_ARRAY_IN(CheckBox, chkOffice, 7, Frame_Office);
  TSY_CONTROL_ARRAY_IN(CheckBox, chkOpera, 3, Frame_Opera);
  TSY_CONTROL_ARRAY_IN(CheckBox, chkYahoo, 2, Frame_Yahoo);
  TSY_CONTROL_ARRAY_IN(CheckBox, chkICQ, 4, Frame_ICQ);
  TSY_CONTROL_ARRAY_IN(CheckBox, chkMSN, 2, Frame_MSN);
  TSY_CONTROL_ARRAY_IN(CheckBox, chkAOL, 2, Frame_AOL);
  TSY_CONTROL_ARRAY_IN(CheckBox, chkIE, 7, Frame_IE);
  TSY_CONTROL_ARRAY_IN(CheckBox, chkNetScape, 6, Frame_NetScape);
  TSY_CONTROL_ARRAY_IN(CheckBox, chkOutlook, 5, Frame_Office);
  TSY_CONTROL_IN(CommandButton, cmdTypedURLsShow, Frame_IE);
  TSY_CONTROL_IN(CommandButton, cmdTypedURLsHide, Frame_IE);
  TSY_CONTROL_IN(CommandButton, cmdPasswordsShow, Frame_IE);
  TSY_CONTROL_IN(CommandButton, cmdPasswordsHide, Frame_IE);
  TSY_CONTROL_IN(CommandButton, cmdFavoritesShow, Frame_IE);
  TSY_CONTROL_IN(CommandButton, cmdFavoritesHide, Frame_IE);
  // Hard-disk page: custom files.
  TSY_CONTROL_IN(TextBox, txtPath, Frame_HardDisk);
  TSY_CONTROL_IN(CommandButton, cmdBrowse, Frame_HardDisk);
  TSY_CONTROL_IN(TextBox, txtPattern, Frame_HardDisk);
  TSY_CONTROL_IN(CheckBox, chkCertainSize, Frame_HardDisk);
  TSY_CONTROL_IN(TextBox, txtMinSize, Frame_HardDisk);
  TSY_CONTROL_IN(TextBox, txtMaxSize, Frame_HardDisk);
  ::platform::activex::SkinLabel lblHint{*this, "lblHint", &Frame_HardDisk};
  ::platform::activex::SkinLabel lblHint2{*this, "lblHint2", &Frame_HardDisk};
  ::platform::activex::SkinLabel lblMinMax{*this, "lblMinMax", &Frame_HardDisk};
  // Plug-in pages.
  TSY_CONTROL_IN(ListBox, lstBPI, Frame_BPI);
  TSY_CONTROL_IN(ListView, LSTEPI, Frame_EPI);

  // --- options page ---
  TSY_CONTROL_IN(CheckBox, chkLoadStartUp, Frame_Options);
  TSY_CONTROL_IN(CheckBox, chkRunStarted, Frame_Options);
  TSY_CONTROL_IN(CheckBox, chkCloseAfterWash, Frame_Options);
  TSY_CONTROL_IN(CheckBox, chkBleach, Frame_Options);
  TSY_CONTROL_IN(ComboBox, cmbShredder, Frame_Options);
  TSY_CONTROL_IN(CheckBox, chkSkipMessages, Frame_Options);
  TSY_CONTROL_IN(CheckBox, chkCleanAll, Frame_Options);
  TSY_CONTROL_IN(ComboBox, cmb_skin, Frame_Options);
  TSY_CONTROL_IN(ImageCombo, cmb_lang, Frame_Options);

  // --- system tools ---
  TSY_CONTROL_IN(ListBox, LSTUP, Frame_UnInstall);
  TSY_CONTROL_IN(TreeView, lstDllDrives, Frame_DLLs);
  TSY_CONTROL_IN(ListBox, lstDllFolders, Frame_DLLs);
  TSY_CONTROL_IN(ListBox, lstDllFiles, Frame_DLLs);
  TSY_CONTROL_IN(Label, lblDLL_Name, Frame_DLLs);
  TSY_CONTROL_IN(ListBox, List_os, Frame_DLLs);
  ::platform::activex::ProgressBar ShredProg{*this, "ShredProg", &Frame_Shred};

  // --- skin labels shown in the skin's red ---
  ::platform::activex::SkinLabel SkinLabel18{*this, "SkinLabel18"};
  ::platform::activex::SkinLabel SkinLabel19{*this, "SkinLabel19"};
  ::platform::activex::SkinLabel SkinLabel20{*this, "SkinLabel20"};

  // --- outside controls ---
  ::platform::activex::Skin skn{*this, "skn"};
  ::platform::activex::Splash Splash1{*this, "Splash1"};
  ::platform::activex::Movie FL{*this, "FL"};

  // Module state set at start-up.
  std::string SkinFilePath, MoviePath, SplashPath;
  NOTIFYICONDATAA TrayIcon{};
  HWND bWnd = 0;  // the movie player's window, kept from right-button presses

  // Idle flags: True while no such operation runs. The cleaning, DLL-search
  // and shredding flags double as the stop requests of their operations.
  bool StopCleanNow = false, StopDllNow = false, StopBackNow = false, StopShredNow = false;

  // To-do counters of the current run (set by CalcCleanSessions).
  double cWindows = 0, cIE = 0, cNetScape = 0, cMSN = 0, cYahoo = 0, cIcq = 0, cAOL = 0, cOffice = 0,
         cHardDisk = 0, cOpera = 0, cExtra = 0;
  int cBuiltIn = 0;
  double cSystem = 0, cBrowsers = 0, cMessengers = 0, cOptimization = 0;
  int cPlugins = 0;
  // Done counters, in the same order.
  double fcWindows = 0, fcIE = 0, fcNetScape = 0, fcMSN = 0, fcYahoo = 0, fcIcq = 0, fcAOL = 0, fcOffice = 0,
         fcHardDisk = 0, fcOpera = 0, fcExtra = 0;
  int fcBuiltIn = 0;
  double fcSystem = 0, fcBrowsers = 0, fcMessengers = 0, fcOptimization = 0;
  int fcPlugins = 0;
  // Bytes removed in the run, and before the current section.
  std::int64_t RestoredSize = 0, PreSize = 0;

  std::vector<DllRecord> systemDlls, otherDlls;
  // The shredder's progress numbers, kept exact.
  double ShredBytesDone = 0, ShredBytesTotal = 0;

  // --- start-up and shut-down ---
  // Whether a cleaning run is under way (a start then is a stop request).
  bool runActive() const { return runActive_; }

  // --- cleaning run ---
  // Starts a run, or asks the running one to stop.
  void CmdClean_Click();
  // The run itself; returns the bytes removed.
  std::int64_t BeginClean();
  // Counts the items of every section before a run.
  void CalcCleanSessions();
  // Updates both bars and both size labels for the section named by `tag`.
  void CalcProg(const std::string& tag);
  // Asks, then hands every ticked built-in plug-in to the runner; returns
  // the bytes freed.
  double BPI_Do_Plugins();

  // --- navigation movie ---
  void FL_FSCommand(const std::string& command, const std::string& args);

  // --- options store ---
  void SaveCleanSettings();
  void LoadCleanSettings();

  // --- pages ---
  void ShowThatFrame(platform::forms::Frame& frame);
  void ShowThatFrame2(platform::forms::Frame& bar);
  void HideAllFrames();
  void CmdAbout_Click();
  void CmdOptions_Click();
  void cmdShedule_Click();

  // --- option handlers raised by the options store ---
  void chkCleanAll_Click();
  void chkHardDisk_Click(int index);
  void chkCertainSize_Click();
  void chkLoadStartUp_Click();
  void chkRunStarted_Click();

  // Enables the Show and Hide buttons from the saved hide states.
  void CheckShowHide();
  // Records a DLL found by the search (unless the user excluded the file).
  void AddToDllList(const std::string& path, bool& isSystem);

  void SetPluginRunner(std::shared_ptr<BuiltInPluginRunner> runner) { pluginRunner_ = std::move(runner); }
  void SetCleaningEngine(std::shared_ptr<CleaningEngine> engine) { engine_ = std::move(engine); }
  CleaningEngine& engine() { return *engine_; }

  // MainWindowServices.
  platform::activex::Skin& SkinControl() override { return skn; }
  platform::forms::CheckBox& SkipMessagesBox() override { return chkSkipMessages; }
  platform::forms::ListBox& FoundFoldersList() override { return List_os; }

  // ===== shredder page and scheduling page (Form1_shredder.cpp, Form1_schedule.cpp) =====
  // Shredder page.
  TSY_CONTROL_IN(ListBox, lstShredFiles, Frame_Shred);
  TSY_CONTROL_IN(CommandButton, cmdShredFileAdd, Frame_Shred);
  TSY_CONTROL_IN(CommandButton, cmdShredFileDelete, Frame_Shred);
  TSY_CONTROL_IN(CommandButton, cmdShredFiles, Frame_Shred);
  TSY_CONTROL_IN(ListBox, lstShredFolders, Frame_Shred);
  TSY_CONTROL_IN(CommandButton, cmdShredFolderAdd, Frame_Shred);
  TSY_CONTROL_IN(CommandButton, cmdShredFolderDelete, Frame_Shred);
  TSY_CONTROL_IN(CommandButton, cmdShredFolders, Frame_Shred);
  TSY_CONTROL_IN(DriveListBox, Drv, Frame_Shred);
  TSY_CONTROL_IN(CheckBox, chkShredFreeSpace, Frame_Shred);
  TSY_CONTROL_IN(CommandButton, cmdShredDrive, Frame_Shred);
  TSY_CONTROL_IN(DirListBox, DirShred, Frame_Shred);
  TSY_CONTROL_IN(FileListBox, FileShred, Frame_Shred);
  ::platform::activex::CommonDialog cmdg{*this, "cmdg"};
  // Scheduling page.
  TSY_CONTROL_IN(ListBox, lstSchedule, Frame_Schedule);
  TSY_CONTROL_IN(TextBox, txtDate, Frame_Schedule);
  TSY_CONTROL_IN(TextBox, txtTime, Frame_Schedule);
  TSY_CONTROL_IN(CommandButton, cmdAddScheduled, Frame_Schedule);
  TSY_CONTROL_IN(CommandButton, cmdRemoveScheduled, Frame_Schedule);
  TSY_CONTROL_IN(CommandButton, cmdWizard, Frame_Schedule);
  TSY_CONTROL_IN(ComboBox, ComboInterval, Frame_Schedule);
  TSY_CONTROL_IN(CheckBox, chkRunAuto, Frame_Schedule);

  void cmdShredFileAdd_Click();
  void cmdShredFileDelete_Click();
  void cmdShredFiles_Click();
  void cmdShredFolderAdd_Click();
  void cmdShredFolderDelete_Click();
  void cmdShredFolders_Click();
  void cmdShredDrive_Click();
  void Drv_Change();
  // A recursive folder shred over the hidden lists; nothing calls it.
  void MyDelFile(const std::string& path);
  void MakeItNormal(const std::string& path);
  // Whether a shred runs or is still unwinding (no other may start).
  bool shredRunning() const { return shredRunning_; }

  void cmdAddScheduled_Click();
  void cmdRemoveScheduled_Click();
  void cmdWizard_Click();
  // Re-reads the task's triggers into lstSchedule.
  void ListScheduledTriggers();

 private:
  struct SchedulerObjects;  // the Schedule object, the Job and its position
  void WireShredderPage();
  void WireSchedulePage();
  void BeginShred(platform::forms::CommandButton* toggle);
  void EndShred(platform::forms::CommandButton* toggle, const char* caption);
  void SetShredControls(bool enabled, platform::forms::CommandButton* except);
  void SetShredProgress(double done, double total);
  void ShredDriveFreeSpace(const std::string& root);
  void ShredWholeDrive(const std::string& root);
  void GetSchedulerJob();
  void ResetScheduleBoxes();
  bool ScheduleStepFailed(const std::function<void()>& step);

  bool shredRunning_ = false;
  platform::forms::CommandButton* shredToggle_ = nullptr;  // the running list shred's button
  std::shared_ptr<SchedulerObjects> scheduler_;
  // ===== end of shredder page and scheduling page =====

 public:
  // ===== Firefox page, custom-file fields, IE page buttons, section buttons, log and system information =====
  // Firefox page (Form1_firefox.cpp). The folder list serves the profile
  // lookup and is never shown.
  TSY_CONTROL_IN(CheckBox, chk_ff_history, Frame_FF);
  TSY_CONTROL_IN(CheckBox, chk_ff_Cache, Frame_FF);
  TSY_CONTROL_IN(CheckBox, chk_ff_Cookies, Frame_FF);
  TSY_CONTROL_IN(CheckBox, chk_ff_Bookmarks, Frame_FF);
  TSY_CONTROL_IN(DirListBox, ff_Dir1, Frame_FF);
  // The IE page's cookie keep-list buttons (Form1_show_hide.cpp).
  TSY_CONTROL_IN(CommandButton, cmdIEWizard, Frame_IE);
  TSY_CONTROL_IN(CommandButton, cmdNetScapeWizard, Frame_IE);
  // About page (Form1_log_sysinfo.cpp).
  TSY_CONTROL_IN(CommandButton, cmdSysInfo, Frame_About);

  // Deletes the ticked Firefox files of the profile folder and logs each
  // box whose profile folder was found.
  void CleanFIREFOX();
  // The current user's Firefox profile folder, without a trailing "";
  // raises when the shell folder or the profiles folder does not fit.
  std::string getFirefoxpath();

  // Custom-file fields of the hard-disk page (Form1_size_filter.cpp).
  void cmdBrowse_Click();
  void txtPattern_LostFocus();
  void txtMinSize_KeyPress(int& KeyAscii);
  void txtMaxSize_KeyPress(int& KeyAscii);
  void txtMinSize_Change();
  void txtMaxSize_Change();
  void txtMaxSize_LostFocus();

  // IE page buttons and the section buttons (Form1_show_hide.cpp).
  void cmdTypedURLsHide_Click();
  void cmdTypedURLsShow_Click();
  void cmdPasswordsHide_Click();
  void cmdPasswordsShow_Click();
  void cmdFavoritesHide_Click();
  void cmdFavoritesShow_Click();
  void cmdIEWizard_Click();
  void cmdNetScapeWizard_Click();
  // Enables the section page buttons of the applications found installed.
  void CheckInstalledSections();

  // Log saving and system information (Form1_log_sysinfo.cpp).
  void cmdSaveLog_Click();
  void cmdSysInfo_Click();
  void StartSysInfo();
  // Reads one string or double-word value (read access only); False, with
  // KeyVal "", when the key or value cannot be read or converted.
  bool GetKeyValue(std::int32_t KeyRoot, const std::string& keyname, const std::string& SubKeyRef,
                   std::string& KeyVal);

 private:
  void WireFirefoxPage();
  void WireSizeFilter();
  void WireShowHideButtons();
  void WireLogAndSysInfo();
  // The shared file-system object, created on first use.
  platform::scripting::FileSystemObject& FileSystem();
  bool minSizeRepairing_ = false;  // txtMinSize_Change is resetting its own field
  // ===== end of Firefox page ... log and system information =====

  // ===== start-up manager, uninstall list, start-up options, language and skin =====
  // (Form1_startup_page.cpp, Form1_uninstall_page.cpp, Form1_startup_options.cpp, Form1_language.cpp)
 public:
  TSY_CONTROL_IN(ListView, LSTPR, Frame_StartUp);
  TSY_CONTROL_IN(CommandButton, cmdEnaDisProgram, Frame_StartUp);
  TSY_CONTROL_IN(CommandButton, cmdClearProgram, Frame_StartUp);
  // The hidden twin of LSTUP: "name##command" per row.
  TSY_CONTROL_IN(ListBox, LSTUP2, Frame_UnInstall);
  TSY_CONTROL_IN(CommandButton, cmdUninst, Frame_UnInstall);
  // The language combo's flag pictures, each tagged with its language.
  TSY_CONTROL(ImageList, imgFlags);
  TSY_CONTROL_IN(Label, lblRestart, Frame_Options);

  void cmdEnaDisProgram_Click();
  void cmdClearProgram_Click();
  void LSTPR_ItemClick(platform::forms::ListItem& item);
  void LSTPR_MouseDown(int button, int shift, float x, float y);
  void LSTUP_DblClick();
  void cmdUninst_Click();
  void cmb_lang_Click();
  void cmb_skin_Click();
  // The last flag image whose tag is `language` (case ignored); 0 for none.
  int FindFlagImage(const std::string& language);
  // The program's own log-on command with `switchText` (" /STARTUP" ...).
  std::string StartupCommand(const char* switchText) const;

 private:
  void WireStartUpPage();
  void WireUninstallPage();
  void WireLanguageChoice();
  // Lists in cmb_skin the skins whose files are installed ("Skin1" always).
  void OfferInstalledSkins();
  // Shows the stored skin in cmb_skin; a name it does not offer shows "Skin1".
  void SelectSkinItem(const std::string& skin);
  // Applies a start-up box's click: writes its entry, clears the other box.
  void StartupBoxClicked(platform::forms::CheckBox& box, platform::forms::CheckBox& other, const char* ownSwitch,
                         const char* otherSwitch);

  std::shared_ptr<SystemTools> tools_ = MakeSystemTools();
  bool settingStartupBox_ = false;  // a start-up box is being changed by code
  // ===== end of start-up manager, uninstall list, start-up options, language and skin =====

  // ===== extra plug-in page, store and runner (Form1_extra_plugins.cpp, Form1_extra_plugin_runner.cpp) =====
 public:
  TSY_CONTROL_IN(CommandButton, cmdNewPlugin, Frame_EPI);
  TSY_CONTROL_IN(CommandButton, cmdEditPlugin, Frame_EPI);
  TSY_CONTROL_IN(CommandButton, cmdDeletPlugin, Frame_EPI);
  TSY_CONTROL_IN(CommandButton, cmdGetPlugins, Frame_EPI);
  TSY_CONTROL_IN(CheckBox, chkEPISelectAll, Frame_EPI);

  // The clear copy's key ("0" when it or the key is missing), read whole.
  std::string GetFromINI(const std::string& section, const std::string& key);
  bool SetToINI(const std::string& section, const std::string& key, const std::string& value);
  // Expands "%AUP%", "%CUP%" (not on the 9x family) and "%PF%".
  std::string GetUnkown(const std::string& path);
  // Refills LSTEPI from the store and marks the installed rows.
  void RebuildExtraPluginList();
  void cmdNewPlugin_Click();
  void cmdEditPlugin_Click();
  void cmdDeletPlugin_Click();
  void cmdGetPlugins_Click();
  void chkEPISelectAll_Click();
  void LSTEPI_ColumnClick(platform::forms::ColumnHeader& column);
  // A not-installed row never keeps a tick, however it was given.
  void LSTEPI_ItemCheck(platform::forms::ListItem& row);
  void LSTEPI_MouseUp(int button, int shift, float x, float y);
  // The store every plug-in operation goes through.
  PluginStore& ExtraPluginStore() { return *extraPlugins_; }
  // The plug-in page's and the editor's buttons work only while no run and
  // no store cycle is under way.
  void RefreshPluginButtons();

 private:
  void WireExtraPluginPage();
  void UntickNotInstalledRows();
  std::int64_t RunExtraPlugin(const std::string& name);
  std::int64_t RunFolderRow(const std::string& name, const std::string& row);

  std::shared_ptr<PluginStore> extraPlugins_;
  // ===== end of extra plug-in page, store and runner =====
  // ===== DLL cleaner pages (Form1_dll_search.cpp, Form1_dll_removal.cpp, Form1_dll_backups.cpp) =====
 public:
  // The unreferenced-DLL scan has a page of its own, reached from the DLL page.
  TSY_CONTROL(Frame, Frame_DllScan);
  // DLL page: the search, the drives and the two exclusion lists.
  TSY_CONTROL_IN(CommandButton, cmdStartCleanDLLs, Frame_DLLs);
  TSY_CONTROL_IN(CommandButton, cmdAddDllFolders, Frame_DLLs);
  TSY_CONTROL_IN(CommandButton, cmdDelDllFolders, Frame_DLLs);
  TSY_CONTROL_IN(CommandButton, cmdAddDllFiles, Frame_DLLs);
  TSY_CONTROL_IN(CommandButton, cmdDelDllFiles, Frame_DLLs);
  TSY_CONTROL_IN(CommandButton, cmdViewBackUps, Frame_DLLs);
  TSY_CONTROL_IN(CommandButton, cmdDllScan, Frame_DLLs);
  TSY_CONTROL_IN(Label, lblDLL_Get, Frame_DLLs);
  TSY_CONTROL_IN(DriveListBox, Drive2, Frame_DLLs);
  // Result page: the matches, the rule, backup and deletion.
  TSY_CONTROL_IN(ListView, lstDlls, Frame_DllResult);
  TSY_CONTROL_IN(ListView, redundantlst, Frame_DllResult);
  TSY_CONTROL_ARRAY_IN(OptionButton, optDll, 3, Frame_DllResult);
  TSY_CONTROL_IN(CheckBox, chkDLLSelectAll, Frame_DllResult);
  TSY_CONTROL_IN(Label, lblDLLsFound, Frame_DllResult);
  TSY_CONTROL_IN(CommandButton, Command8, Frame_DllResult);
  TSY_CONTROL_IN(CommandButton, CmdDeleteDlls, Frame_DllResult);
  // Backup page.
  TSY_CONTROL_IN(ListBox, lstDllBackUps, Frame_DLLBackUps);
  TSY_CONTROL_IN(DirListBox, drBackups, Frame_DLLBackUps);
  TSY_CONTROL_IN(CommandButton, cmdRestoreBackUps, Frame_DLLBackUps);
  TSY_CONTROL_IN(CommandButton, cmdDeleteBackUps, Frame_DLLBackUps);
  TSY_CONTROL_IN(CommandButton, cmdDeleteAllBackUps, Frame_DLLBackUps);
  // Unreferenced-DLL scan page.
  TSY_CONTROL_IN(CommandButton, cmdScanBack, Frame_DllScan);
  TSY_CONTROL_IN(DriveListBox, Drive1, Frame_DllScan);
  TSY_CONTROL_IN(CommandButton, Command2, Frame_DllScan);
  TSY_CONTROL_IN(CommandButton, Command3, Frame_DllScan);
  TSY_CONTROL_IN(ListView, list2, Frame_DllScan);
  TSY_CONTROL_IN(ListView, list1, Frame_DllScan);
  TSY_CONTROL_IN(ListBox, ltemp, Frame_DllScan);
  TSY_CONTROL_IN(CheckBox, chk_dllbackup, Frame_DllScan);
  ::platform::activex::SkinLabel SkinLabel25{*this, "SkinLabel25", &Frame_DllScan};
  ::platform::activex::SkinLabel SkinLabel27{*this, "SkinLabel27", &Frame_DllScan};
  ::platform::activex::SkinLabel SkinLabel28{*this, "SkinLabel28", &Frame_DllScan};
  // The backup control and its companions.
  ::platform::activex::XceedBackup xMain{*this, "xMain"};
  ::platform::activex::BackupJob xBackupJob{*this, "xBackupJob"};
  ::platform::activex::RestoreJob xRestoreJob{*this, "xRestoreJob"};
  ::platform::activex::FileSelection xFileSelection{*this, "xFileSelection"};

  void Load_DLL_Drives();
  std::string NameFromPath(const std::string& path) const;
  void cmdStartCleanDLLs_Click();
  void optDll_Click(int index);
  void chkDLLSelectAll_Click();
  void cmdAddDllFiles_Click();
  void cmdAddDllFolders_Click();
  void cmdDelDllFiles_Click();
  void cmdDelDllFolders_Click();
  void CmdDeleteDlls_Click();
  void Command2_Click();
  void Command3_Click();
  void list2_Click();
  // Asks for a name and stores the checked rows of lstDlls in a new
  // archive; false when no archive was made.
  bool SaveBackUps();
  void RestoreBackUps();
  void LoadBackUps();
  void Command8_Click();
  void cmdRestoreBackUps_Click();
  void cmdViewBackUps_Click();
  void cmdDeleteBackUps_Click();
  void cmdDeleteAllBackUps_Click();

 private:
  void WireDllPages();
  void WireDllRemoval();
  void WireDllBackups();
  void SetDllListButtons(bool enabled);
  void SetResultButtons(bool enabled);
  void SetArchiveButtons(bool enabled);
  // Step 6 of the search: a row per match of the chosen rule.
  void ListDllMatches();
  // The rule of the ticked option (0 name, 1 and version, 2 and size).
  int DllRule();
  std::string BackUpsFolder() const;
  bool dllSearchRunning_ = false;  // a search is walking or unwinding
  // ===== end of DLL cleaner pages =====
  // ===== About page, update, suite button and caption export (Form1_about.cpp) =====
 public:
  TSY_CONTROL_IN(Label, lblTitle, Frame_About);
  TSY_CONTROL_IN(Label, lblVersion, Frame_About);
  TSY_CONTROL_IN(CommandButton, cmdUpdateProgram, Frame_About);
  TSY_CONTROL_IN(CommandButton, Command1, Frame_About);
  TSY_CONTROL_IN(CommandButton, cmd_VLT, Frame_About);
  TSY_CONTROL_IN(CommandButton, Command5, Frame_About);
  TSY_CONTROL(Timer, Timer2);

  void cmdUpdateProgram_Click();
  void Command1_Click();
  void cmd_VLT_Click();
  void Command5_Click();
  void Timer2_Timer() {}

 private:
  void WireAboutPage();
  // ===== end of About page, update, suite button and caption export =====

 protected:
  void Form_Load() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;

 private:
  // Start-up: skin paths, the movie, the tray icon and the switches.
  // The paths of the stored skin when all its files are installed, of
  // "Skin1" otherwise.
  void ChooseSkinPaths();
  void CreateProgramFolders();
  void ShowSplash();
  void ApplyMainSkin();
  void SetUpMovie();
  void LoadFeatureLists();
  void StartUpRoutine();
  void HookMoviePlayer();
  void PaintRedLabels();
  // Saves the options, removes the tray icon, releases the player's hook and
  // ends the process.
  [[noreturn]] void ShutDown();

  // Cleaning run.
  bool SizeFieldsAccepted();
  void RunSection(int section);
  std::int64_t RunSectionItem(int section, int index);
  void EndRunIfAskedToClose();

  // Steps whose features belong to other pages; each is filled by its owner.
  void FillLanguageList();
  void SelectLanguageItem(const std::string& language);
  void LoadBuiltInPlugins();
  void LoadExtraPlugins(const std::string& storePath);
  void CheckExtraPlugins();
  void LoadStartUpPrograms();
  void LoadUninstallList();
  void InitScheduleFrame();
  void EPI_Save_Settings();
  std::int64_t EPI_Do_Plugins();
  void ReleaseScheduleObjects();

  std::shared_ptr<BuiltInPluginRunner> pluginRunner_;
  std::shared_ptr<CleaningEngine> engine_;
  std::string commandLine_;
  bool runActive_ = false;
  bool loadingOptions_ = false;
};

// The skin chosen at start-up ("Skin1" by default), as stored.
extern std::string CurrentSkin;
// The skin the window is drawn with: CurrentSkin when its files are
// installed, "Skin1" otherwise; its pages and the suite follow it.
extern std::string DrawnSkin;

// The main window's default instance, created and loaded on first reference.
Form1Form& Form1();
