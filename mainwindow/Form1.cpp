// The main window's design, its start-up steps in their fixed order, the
// launch step with the switches, and the orderly shut-down.
#include "mainwindow/Form1.h"

#include <cstring>

#include "mainwindow/frmIcon.h"
#include "platform/base/cp1252.h"
#include "platform/files/file_system_object.h"
#include "platform/shell/shell32.h"
#include "support/language_packs.h"
#include "support/skins.h"
#include "support/system_folders.h"

using namespace platform::forms;

namespace {

std::shared_ptr<BuiltInPluginRunner>& InstalledPluginRunner() {
  static std::shared_ptr<BuiltInPluginRunner> runner = std::make_shared<BuiltInPluginRunner>();
  return runner;
}

std::vector<std::string>& InstalledPluginNames() {
  static std::vector<std::string> names;
  return names;
}

const char* const kWindowsCaptions[] = {"Memeory Dump File",
                                        "Paging File",
                                        "Temp Folder",
                                        "Scan Disk Temp Files",
                                        "CD Burning Temp Folder",
                                        "Templates",
                                        "Recycle Bin",
                                        "Direct3D recent applications",
                                        "DirectInput recent applications",
                                        "DirectDraw recent applications",
                                        "ClipBoard Data",
                                        "User Assist History",
                                        "Common Dialog History",
                                        "MS Paint Recent Files",
                                        "WordPad Recent Files",
                                        "Media Player Recent Files",
                                        "Run History",
                                        "Find History",
                                        "Recent Documents",
                                        "Recent Netwprk Connections",
                                        "Recent Printer Connections",
                                        "Recent RegEdit Commands",
                                        "Unused Desktop Shortcuts",
                                        "Unused StartMenu Shortcuts"};

// The designed captions of every section's boxes.
struct BoxCaptions {
  ControlArray<CheckBox> Form1Form::*boxes;
  std::vector<const char*> captions;
};

const BoxCaptions kBoxCaptions[] = {
    {&Form1Form::chkIE,
     {"Typed URLs", "AutoComplete", "Bleach Index.dat", "Download Folder", "Cache", "History", "Cookies"}},
    {&Form1Form::chkNetScape,
     {"Mail Trash", "History", "Location Bar History", "Cache", "Auto Complete", "Cookies"}},
    {&Form1Form::chkOpera, {"History", "Cookies", "Cache"}},
    {&Form1Form::chkAOL, {"Internet Cache Folder", "Download Folder"}},
    {&Form1Form::chkWindows, {std::begin(kWindowsCaptions), std::end(kWindowsCaptions)}},
    {&Form1Form::chkOffice,
     {"Access MRU", "Word MRU", "Excel MRU", "PowerPoint MRU", "Outlook MRU", "PhotoEditor MRU",
      "Office recent folder"}},
    {&Form1Form::chkHardDisk, {"Windows Log Files", "Windows Help Files", "Delete Custom Files"}},
    {&Form1Form::chkMSN, {"Recieved Files Folder", "Account Settings"}},
    {&Form1Form::chkICQ, {"Bookmarks", "Browser Cache", "Recieved Files", "Recent Chat  History"}},
    {&Form1Form::chkYahoo, {"Clear Pager Settings", "Reset Yahoo Profiles"}},
    {&Form1Form::chkOutlook,
     {"_Inbox Folder", "_Outbox Folder", "_Sent Item Folder", "_Deleted Items folder", "_Outlook Express Log File"}},
};

// The main window is what the support library asks for.
const bool kMainWindowLinked = (SetMainWindow([]() -> MainWindowServices& { return Form1(); }), true);

// One shared file-system object, created on first use and released at
// shut-down.
std::unique_ptr<platform::scripting::FileSystemObject>& SharedFileSystem() {
  static std::unique_ptr<platform::scripting::FileSystemObject> fso;
  return fso;
}

platform::scripting::FileSystemObject& Fso() {
  auto& fso = SharedFileSystem();
  if (!fso) fso = std::make_unique<platform::scripting::FileSystemObject>();
  return *fso;
}

bool HasSwitch(const std::string& upperCommandLine, const char* name) {
  return upperCommandLine.find(name) != std::string::npos;
}

}  // namespace

std::string CurrentSkin;
std::string DrawnSkin;

void InstallBuiltInPluginRunner(std::shared_ptr<BuiltInPluginRunner> runner) {
  InstalledPluginRunner() = runner ? std::move(runner) : std::make_shared<BuiltInPluginRunner>();
}

platform::scripting::FileSystemObject& Form1Form::FileSystem() { return Fso(); }

void InstallBuiltInPluginNames(std::vector<std::string> names) { InstalledPluginNames() = std::move(names); }

Form1Form& Form1() {
  (void)kMainWindowLinked;
  return DefaultInstance<Form1Form>();
}

Form1Form::Form1Form()
    : Form("Form1"), pluginRunner_(InstalledPluginRunner()), engine_(InstalledCleaningEngine()) {
  Caption("Tessaly");
  txtResult.MultiLine(true);
  CmdClean.Caption("START");
  cmdSaveLog.Caption("Save Log");
  FrmProg.Visible(false);
  for (const auto& section : kBoxCaptions)
    for (std::size_t i = 0; i < section.captions.size(); ++i)
      (this->*section.boxes)(static_cast<int>(i)).Caption(section.captions[i]);
  txtPath.Text("C:\\");
  cmdBrowse.Caption("..");
  txtPattern.Text("*.tmp");
  chkCertainSize.Caption("Certain Size");
  lblHint2.Caption("Hint: You may need the windows log files, be sure before delete it!");
  lblHint.Caption("Hint: You may need the windows help, be sure before delete it!");
  lblMinMax.Caption("Be sure that Min less than or equal Max and both are numeric values");
  txtMinSize.Text("0");
  txtMaxSize.Text("100000");
  chkLoadStartUp.Caption("Load with windows startup");
  chkRunStarted.Caption("Clean with windows startup");
  chkCloseAfterWash.Caption("Close after cleaning");
  chkBleach.Caption("Use shredder");
  for (int passes = 1; passes <= 9; ++passes) cmbShredder.AddItem(std::to_string(passes));
  cmbShredder.ListIndex(0);
  chkSkipMessages.Caption("Show Popup Messages");
  chkCleanAll.Caption("Clean all sections.");
  cmb_skin.Style(2);
  lstBPI.Style(1);
  DesignPages();
  LSTEPI.Checkboxes(true);
  lstDllDrives.Checkboxes(true);

  FL.FSCommand.Handle([this](const std::string& command, const std::string& args) { FL_FSCommand(command, args); });
  TSY_ON(CmdClean, Click, CmdClean_Click);
  TSY_ON(chkCleanAll, Click, chkCleanAll_Click);
  chkHardDisk.Handle(&CheckBox::Click, [this](int index) { chkHardDisk_Click(index); });
  TSY_ON(chkCertainSize, Click, chkCertainSize_Click);
  TSY_ON(chkLoadStartUp, Click, chkLoadStartUp_Click);
  TSY_ON(chkRunStarted, Click, chkRunStarted_Click);
  WireShredderPage();
  WireSchedulePage();
  WireFirefoxPage();
  WireSizeFilter();
  WireShowHideButtons();
  WireLogAndSysInfo();
  WireStartUpPage();
  WireUninstallPage();
  WireLanguageChoice();
  WireExtraPluginPage();
  WireDllPages();
  WireAboutPage();
}

void Form1Form::Form_Load() {
  // A second instance ends before it reads or writes anything.
  if (App.PrevInstance()) ExitProcess(0);
  OnErrorResumeNext guard;
  guard([&] { FillLanguageList(); });
  guard([&] {
    CurrentSkin = GetSetting("tsy", "skin", "skin", "Skin1");
    CurrentLanguage = GetSetting("tsy", "lang", "lang", "English");
  });
  guard([&] {
    SelectLanguageItem(CurrentLanguage);
    ApplyLanguage(*this);
  });
  guard([&] {
    OfferInstalledSkins();
    SelectSkinItem(CurrentSkin);
    cmb_lang.Text(CurrentLanguage);
  });
  guard([&] { ChooseSkinPaths(); });
  guard([&] { CreateProgramFolders(); });
  guard([&] { CheckInstalledSections(); });
  guard([&] { ShowSplash(); });
  guard([&] { ApplyMainSkin(); });
  guard([&] { SetUpMovie(); });
  guard([&] { WindowState(0); });
  StopCleanNow = StopDllNow = StopBackNow = StopShredNow = true;
  guard([&] { engine_->PrepareShredStr(); });
  guard([&] {
    ShowThatFrame(Frame_Windows);
    ShowThatFrame2(Frame2_SYSTEM);
  });
  guard([&] { InitSystemFolders(); });
  guard([&] { Show(); });
  LoadFeatureLists();
  guard([&] { LoadCleanSettings(); });
  guard([&] { CheckShowHide(); });
  StartUpRoutine();
  guard([&] { HookMoviePlayer(); });
  guard([&] { PaintRedLabels(); });
}

void Form1Form::CreateProgramFolders() {
  OnErrorResumeNext guard;
  for (const char* name : {"\\BackUps", "\\BackUp_dll"}) {
    guard([&] {
      std::string folder = App.Path() + name;
      if (!Fso().FolderExists(folder)) Fso().CreateFolder(folder);
    });
  }
}

void Form1Form::ShowSplash() {
  Splash1.Path(SplashPath);
  Splash1.Show();
}

void Form1Form::ApplyMainSkin() {
  skn.LoadSkin(SkinFilePath);
  skn.ApplySkin(hWnd());
  skn.ApplySkinObject(hWnd(), "MainMask");
  ApplySkinToControls(*this);
}

// The built-in plug-in names in catalogue order.
void Form1Form::LoadBuiltInPlugins() {
  for (const std::string& name : InstalledPluginNames()) lstBPI.AddItem(name);
}

void Form1Form::SetUpMovie() {
  FL.LoadMovie(0, MoviePath);
  FL.Zoom(100);
  FL.Left(-45);
  FL.Top(-45);
  FL.Menu(false);
}

// The feature lists, in the order later steps rely on (the options name
// list positions).
void Form1Form::LoadFeatureLists() {
  OnErrorResumeNext guard;
  guard([&] { LoadBuiltInPlugins(); });
  guard([&] { LoadExtraPlugins(App.Path() + "\\Plugins\\PLUGINS.dbs"); });
  guard([&] { CheckExtraPlugins(); });
  guard([&] { LoadStartUpPrograms(); });
  guard([&] {
    LoadUninstallList();
    if (LSTUP.ListIndex() == -1 && LSTUP.ListCount() > 0) LSTUP.ListIndex(0);
  });
  guard([&] { InitScheduleFrame(); });
  guard([&] { Load_DLL_Drives(); });
  guard([&] { LoadBackUps(); });
}

void Form1Form::StartUpRoutine() {
  commandLine_ = platform::ToUpper(Command());
  TrayIcon = {};
  TrayIcon.cbSize = sizeof(NOTIFYICONDATAA);
  TrayIcon.hWnd = frmIcon().hWnd();
  TrayIcon.uID = 0;
  TrayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  TrayIcon.uCallbackMessage = WM_MOUSEMOVE;
  TrayIcon.hIcon = Icon();
  std::strncpy(TrayIcon.szTip, "Tessaly", sizeof(TrayIcon.szTip) - 1);
  Shell_NotifyIconA(NIM_ADD, &TrayIcon);
  if (HasSwitch(commandLine_, "/STARTRUN")) {
    Hide();
    if (chkRunStarted.Value() == vbChecked) CmdClean_Click();
  }
  if (HasSwitch(commandLine_, "/SCHEDULER")) {
    Hide();
    CmdClean_Click();
  }
}

// The first direct child whose class names the movie player.
void Form1Form::HookMoviePlayer() {
  bWnd = 0;
  for (HWND child = GetWindow(hWnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[251] = {};
    GetClassNameA(child, name, 250);
    if (LCase(name).find("macromediaflashplayer") != std::string::npos) {
      bWnd = child;
      break;
    }
  }
  HookWindow(bWnd, true);
}

void Form1Form::PaintRedLabels() {
  for (Control* label : std::initializer_list<Control*>{&SkinLabel18, &SkinLabel19, &SkinLabel20, &lblMinMax})
    skn.ApplySkinObject(label->hWnd(), "StaticRed");
}

void Form1Form::Form_QueryUnload(int& Cancel, int UnloadMode) { ShutDown(); }

void Form1Form::ShutDown() {
  OnErrorResumeNext guard;
  guard([&] { SaveCleanSettings(); });
  Shell_NotifyIconA(NIM_DELETE, &TrayIcon);
  HookWindow(bWnd, false);
  SharedFileSystem().reset();
  guard([&] { ReleaseScheduleObjects(); });
  ExitProcess(0);
}
