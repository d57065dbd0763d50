// The IE page's Show/Hide and cookie keep-list buttons, handed to the
// cleaning engine, and the section page buttons, enabled only for the
// applications whose registry traces say they are installed.
#include <vector>

#include "mainwindow/Form1.h"

using namespace platform::forms;

namespace {

// Each button and its click handler.
struct ButtonHandler {
  CommandButton Form1Form::*button;
  void (Form1Form::*click)();
};

const ButtonHandler kButtonHandlers[] = {
    {&Form1Form::cmdTypedURLsHide, &Form1Form::cmdTypedURLsHide_Click},
    {&Form1Form::cmdTypedURLsShow, &Form1Form::cmdTypedURLsShow_Click},
    {&Form1Form::cmdPasswordsHide, &Form1Form::cmdPasswordsHide_Click},
    {&Form1Form::cmdPasswordsShow, &Form1Form::cmdPasswordsShow_Click},
    {&Form1Form::cmdFavoritesHide, &Form1Form::cmdFavoritesHide_Click},
    {&Form1Form::cmdFavoritesShow, &Form1Form::cmdFavoritesShow_Click},
    {&Form1Form::cmdIEWizard, &Form1Form::cmdIEWizard_Click},
    {&Form1Form::cmdNetScapeWizard, &Form1Form::cmdNetScapeWizard_Click},
};

// A section button is enabled when any of its traces is found: a key that
// opens, or a value entry ("+ Value`= ") whose data is not empty.
struct InstalledSection {
  CommandButton Form1Form::*button;
  std::vector<const char*> traces;
};

const InstalledSection kInstalledSections[] = {
    {&Form1Form::cmd_Office,
     {"HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\10.0", "HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\9.0",
      "HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\8.0"}},
    {&Form1Form::cmd_MSN, {"HKEY_CURRENT_USER\\Software\\Microsoft\\MSNMessenger"}},
    {&Form1Form::cmd_ICQ, {"HKEY_CURRENT_USER\\SOFTWARE\\Mirabilis\\ICQ"}},
    {&Form1Form::cmd_YAHOO, {"HKEY_CURRENT_USER\\SOFTWARE\\Yahoo"}},
    {&Form1Form::cmd_IE, {"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"}},
    {&Form1Form::cmd_NetScape,
     {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Netscp.exe+ Value`= Path"}},
    {&Form1Form::cmd_AOL,
     {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Aol.exe+ Value`= Path"}},
    {&Form1Form::cmd_Opera, {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Opera"}},
};

bool IsValueTrace(const std::string& trace) { return trace.find("+ Value`= ") != std::string::npos; }

}  // namespace

void Form1Form::WireShowHideButtons() {
  cmdIEWizard.Caption("IE Cookies to Keep");
  cmdNetScapeWizard.Caption("NetScape Cookies to Keep");
  for (const auto& each : kButtonHandlers) {
    auto click = each.click;
    (this->*each.button).Click.Handle([this, click] { (this->*click)(); });
  }
}

// The engine hides or shows, then refreshes the buttons itself.
void Form1Form::cmdTypedURLsHide_Click() { engine_->HideData(HiddenData::TypedURLs); }
void Form1Form::cmdTypedURLsShow_Click() { engine_->ShowData(HiddenData::TypedURLs); }
void Form1Form::cmdPasswordsHide_Click() { engine_->HideData(HiddenData::Passwords); }
void Form1Form::cmdPasswordsShow_Click() { engine_->ShowData(HiddenData::Passwords); }
void Form1Form::cmdFavoritesHide_Click() { engine_->HideData(HiddenData::Favorites); }
void Form1Form::cmdFavoritesShow_Click() { engine_->ShowData(HiddenData::Favorites); }
void Form1Form::cmdIEWizard_Click() { engine_->ShowCookieKeepList(CookieKeepList::InternetExplorer); }
void Form1Form::cmdNetScapeWizard_Click() { engine_->ShowCookieKeepList(CookieKeepList::Netscape); }

// Every test runs, also after an earlier one of the same button was found.
void Form1Form::CheckInstalledSections() {
  for (const auto& section : kInstalledSections) {
    CommandButton& button = this->*section.button;
    button.Enabled(false);
    for (const std::string trace : section.traces) {
      bool found = IsValueTrace(trace) ? engine_->ReadTraceValue(trace) != "" : engine_->TraceKeyExists(trace);
      button.Enabled(button.Enabled() || found);
    }
  }
}
