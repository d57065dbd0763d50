// The navigation movie's commands. Page commands wait for every long
// operation to end; the start command only for the tools' operations, so a
// second start during a run stops it.
#include "mainwindow/Form1.h"
#include "platform/shell/shell32.h"
#include "support/skins.h"

using namespace platform::forms;

namespace {

enum class Gate { None, AllIdle, ToolsIdle };

struct MovieCommand {
  const char* command;
  Gate gate;
  void (*act)(Form1Form&);
};

constexpr const char* kStartButton = "_root.StartCleaningButton";

// The start button is offered only while the clean-all box is clear.
void GreyStartUnlessCleanAll(Form1Form& form) {
  if (form.chkCleanAll.Value() == vbUnchecked) form.FL.SetVariable(kStartButton, "2");
}

void ShowSectionPages(Form1Form& form, Frame& bar, Frame& page) {
  form.FL.SetVariable(kStartButton, "0");
  form.ShowThatFrame2(bar);
  form.ShowThatFrame(page);
}

const MovieCommand kMovieCommands[] = {
    {"IDC_FS_DRAG", Gate::None, [](Form1Form& f) { DragForm(f.hWnd()); }},
    {"IDC_FS_MINIMIZE", Gate::None, [](Form1Form& f) { f.WindowState(1); }},
    {"IDC_FS_HELP", Gate::None,
     [](Form1Form&) {
       std::string help = App.Path() + "\\tsy.chm";
       ShellExecuteA(0, "Open", help.c_str(), nullptr, nullptr, 3);  // SW_SHOWMAXIMIZED
     }},
    // The options are saved once, by the unload the close leads to, never
    // from inside a running operation.
    {"IDC_FS_CLOSE", Gate::None,
     [](Form1Form& f) {
       Shell_NotifyIconA(NIM_DELETE, &f.TrayIcon);
       PostMessageA(f.hWnd(), WM_CLOSE, 0, 0);
     }},
    {"IDC_FS_ABOUT", Gate::AllIdle,
     [](Form1Form& f) {
       GreyStartUnlessCleanAll(f);
       f.CmdAbout_Click();
       f.HideAllFrames();
     }},
    {"IDC_FS_OPTIONS", Gate::AllIdle,
     [](Form1Form& f) {
       GreyStartUnlessCleanAll(f);
       f.CmdOptions_Click();
       f.HideAllFrames();
     }},
    {"IDC_FS_SCHEDULE", Gate::AllIdle,
     [](Form1Form& f) {
       GreyStartUnlessCleanAll(f);
       f.cmdShedule_Click();
       f.HideAllFrames();
     }},
    {"IDC_FS_SYSTEM", Gate::AllIdle, [](Form1Form& f) { ShowSectionPages(f, f.Frame2_SYSTEM, f.Frame_Windows); }},
    {"IDC_FS_MESSENGERS", Gate::AllIdle, [](Form1Form& f) { ShowSectionPages(f, f.Frame2_MESSENGERS, f.Frame_MSN); }},
    {"IDC_FS_BROWSERS", Gate::AllIdle, [](Form1Form& f) { ShowSectionPages(f, f.Frame2_BROWSERS, f.Frame_IE); }},
    {"IDC_FS_PLUGINS", Gate::AllIdle, [](Form1Form& f) { ShowSectionPages(f, f.Frame2_PLUGINS, f.Frame_BPI); }},
    {"IDC_FS_OPTIMIZATION", Gate::AllIdle,
     [](Form1Form& f) {
       GreyStartUnlessCleanAll(f);
       f.ShowThatFrame2(f.Frame2_OPTIMIZATION);
       f.ShowThatFrame(f.Frame_Programs);
     }},
    {"IDC_FS_STARTCLEANING", Gate::ToolsIdle,
     [](Form1Form& f) {
       f.CmdClean_Click();
       f.HideAllFrames();
     }},
};

bool GateOpen(const Form1Form& form, Gate gate) {
  bool toolsIdle = form.StopDllNow && form.StopShredNow && form.StopBackNow;
  switch (gate) {
    case Gate::None: return true;
    case Gate::ToolsIdle: return toolsIdle;
    case Gate::AllIdle: return toolsIdle && form.StopCleanNow;
  }
  return false;
}

}  // namespace

void Form1Form::FL_FSCommand(const std::string& command, const std::string& args) {
  std::string upper = UCase(command);
  for (const auto& row : kMovieCommands) {
    if (upper != row.command) continue;
    if (GateOpen(*this, row.gate)) row.act(*this);
    return;
  }
}
