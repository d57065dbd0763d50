// The About page, the update and web-site buttons, the suite button and the
// export of the suite's advanced-page captions.
#include <string>
#include <vector>

#include "mainwindow/Form1.h"
#include "mainwindow/suite_link.h"
#include "platform/files/runtime_files.h"
#include "support/folder_browse.h"
#include "support/language_packs.h"
#include "support/path_helpers.h"

using namespace platform::forms;

namespace {

constexpr const char* kMakerSite = "http://www.dmw-software.com/";
constexpr const char* kCaptionExportFile = "c:\\VLTfrmAdvancedMode.ini";

// "name(index)=caption" for each control that has a caption, in the form's
// control order.
std::vector<std::string> CaptionLines(const Form& form) {
  std::vector<std::string> lines;
  for (const Control* control : form.Controls()) {
    Property caption;
    try {
      caption = control->Get("Caption");
    } catch (const platform::RuntimeError&) {
      continue;  // a control without a caption has no line
    }
    lines.push_back(control->Name() + ControlIndexSuffix(*control) + "=" + platform::vb::CStr(caption));
  }
  return lines;
}

}  // namespace

void Form1Form::WireAboutPage() {
  cmdUpdateProgram.Caption("Update");
  Command1.Caption("Web Site");
  cmd_VLT.Caption("Velotune");
  Command5.Caption("Export Captions");
  TSY_ON(cmdUpdateProgram, Click, cmdUpdateProgram_Click);
  TSY_ON(Command1, Click, Command1_Click);
  TSY_ON(cmd_VLT, Click, cmd_VLT_Click);
  TSY_ON(Command5, Click, Command5_Click);
  TSY_ON(Timer2, TimerEvent, Timer2_Timer);
}

void Form1Form::CmdAbout_Click() {
  lblVersion.Caption("Version " + std::to_string(App.Major()) + "." + std::to_string(App.Minor()) + ".0." +
                     std::to_string(App.Revision()));
  lblTitle.Caption(App.Title());
  ShowThatFrame(Frame_About);
}

void Form1Form::cmdUpdateProgram_Click() { ShellOpen(AppPathFile("Update\\Update.exe")); }

void Form1Form::Command1_Click() { ShellOpen(kMakerSite); }

void Form1Form::cmd_VLT_Click() { InstalledSuiteWindows().ShowSuite(); }

// A maintenance command: appends the advanced page's captions as a seed for
// a language file.
void Form1Form::Command5_Click() {
  Form* page = InstalledSuiteWindows().AdvancedModePage();
  if (!page) return;
  std::vector<std::string> lines = CaptionLines(*page);
  int file = 0;
  try {
    file = platform::vb::Open(kCaptionExportFile, platform::vb::OpenMode::Append);
    for (const std::string& line : lines) platform::vb::PrintLine(file, line);
    platform::vb::Close(file);
  } catch (const platform::RuntimeError& error) {
    if (file) platform::vb::Close(file);
    MsgBox(error.description(), vbOKOnly | vbExclamation);
    return;
  }
  MsgBox("ok");
}
