// The cleaning run: the start/stop toggle, the size-field check, the walk
// over the twelve sections and the end of a run.
#include <cmath>
#include <limits>
#include <optional>

#include "mainwindow/Form1.h"
#include "platform/runtime/conversions.h"
#include "mainwindow/clean_sections.h"
#include "mainwindow/size_bounds.h"
#include "platform/machine/machine.h"
#include "platform/machine/sysinfo.h"

using namespace platform::forms;
using Boxes = ControlArray<CheckBox> Form1Form::*;

const std::array<CleanSectionInfo, 12> kCleanSections = {{
    {CleanSection::Windows, "Frame_Windows", "WINDOWS", "[Clean Windows]", "Windows", &Form1Form::chkWindows},
    {CleanSection::HardDisk, "Frame_HardDisk", "HARD DISK", "[Clean Hard Disk]", "HardDisk", &Form1Form::chkHardDisk},
    {CleanSection::Office, "Frame_Office", "OFFICE", "[Clean Office]", "Office", &Form1Form::chkOffice},
    {CleanSection::Opera, "Frame_Opera", "OPERA", "[Clean Opera]", "Opera", &Form1Form::chkOpera},
    {CleanSection::Yahoo, "Frame_Yahoo", "YAHOO", "[Clean Yahoo]", "Yahoo", &Form1Form::chkYahoo},
    {CleanSection::ICQ, "Frame_ICQ", "ICQ", "[Clean ICQ]", "ICQ", &Form1Form::chkICQ},
    {CleanSection::MSN, "Frame_MSN", "MSN", "[Clean MSN]", "MSN", &Form1Form::chkMSN},
    {CleanSection::AOL, "Frame_AOL", "AOL", "[Clean AOL]", "AOL", &Form1Form::chkAOL},
    {CleanSection::NetScape, "Frame_NetScape", "NETSCAPE", "[Clean NetScaep]", "", Boxes{}},
    {CleanSection::IE, "Frame_IE", "IE", "[Clean IE]", "", Boxes{}},
    {CleanSection::Extra, "Frame_EPI", "EXTRA PLUGINS", "[Clean Extra Plug-ins]", "EXTRA", Boxes{}},
    {CleanSection::BuiltIn, "Frame_BPI", "BUILT_IN PLUGINS", "[Clean Built-In]", "BuiltIn", Boxes{}},
}};

namespace {

constexpr const char* kMaxBelowMin = "Custom files deleting Max size can't be less than Min size!1";

// "Cleaning started at " + Date + " " + Time.
std::string StartLine() {
  Date now = Now();
  double day = std::floor(now);
  return "Cleaning started at " + DateText(day) + " " + DateText(now - day);
}

}  // namespace

void Form1Form::CmdClean_Click() {
  if (runActive_) {
    StopCleanNow = true;
    CmdClean.Caption("START");
    FL.SetVariable("_root.CleaningButtonTitle", "0");
    return;
  }
  // No run starts inside another long operation.
  if (!StopDllNow || !StopBackNow || !StopShredNow) return;
  if (!SizeFieldsAccepted()) return;
  CmdClean.Caption("STOP");
  FL.SetVariable("_root.CleaningButtonTitle", "1");
  ShowThatFrame(Frame_Result);
  HideAllFrames();

  struct RunScope {
    Form1Form& form;
    explicit RunScope(Form1Form& f) : form(f) {
      form.runActive_ = true;
      form.StopCleanNow = false;
      form.RefreshPluginButtons();
    }
    ~RunScope() {
      form.StopCleanNow = true;
      form.runActive_ = false;
      form.RefreshPluginButtons();
    }
  };
  std::int64_t total;
  {
    RunScope scope(*this);
    total = BeginClean();
  }
  // What the run removed from the registry is on disk before it is reported
  // done, whatever happens to the program afterwards.
  platform::WritePendingMachineChanges();
  engine_->AddItem("\r\n\r\nAll Restored Size is " + platform::vb::CStr(static_cast<double>(total) / 1024) + " KB");
  CmdClean.Caption("START");
  FL.SetVariable("_root.CleaningButtonTitle", "0");
  EndRunIfAskedToClose();
}

// Only with the size filter ticked: both bounds must be usable (see
// size_bounds.h), and a maximum below the minimum is refused.
bool Form1Form::SizeFieldsAccepted() {
  if (chkCertainSize.Value() == vbUnchecked) return true;
  SizeBound lower = MinimumSizeBound(txtMinSize.Text()), upper = MaximumSizeBound(txtMaxSize.Text());
  if (const char* refusal = lower.refusal ? lower.refusal : upper.refusal) {
    MsgBox(refusal, vbOKOnly);
    return false;
  }
  if (lower.kb != -1 && upper.kb != -1 && upper.kb < lower.kb) {
    MsgBox(kMaxBelowMin, vbOKOnly);
    return false;
  }
  return true;
}

std::int64_t Form1Form::BeginClean() {
  OnErrorResumeNext guard;
  FrmProg.Visible(true);
  cmdSaveLog.Visible(false);
  txtResult.Text("");
  engine_->AddItem(StartLine());
  prgCurrent.Value(0);
  prgTotal.Value(0);
  lblCurrentSize.Caption("0 KB");
  lblTotalSize.Caption("0 KB");
  lblcurrentName.Caption("WINDOWS");
  guard([&] { CalcCleanSessions(); });
  RestoredSize = 0;

  for (int section = 0; section < static_cast<int>(kCleanSections.size()) && !StopCleanNow; ++section) {
    // The Firefox profiles are cleaned on every run, between IE and the
    // extra plug-ins.
    if (kCleanSections[section].section == CleanSection::Extra) guard([&] { CleanFIREFOX(); });
    const auto& info = kCleanSections[section];
    if (chkCleanAll.Value() == vbUnchecked && Frame_Result.Tag() != info.frame) continue;
    RunSection(section);
  }

  FrmProg.Visible(false);
  cmdSaveLog.Visible(true);
  lblcurrentName.Caption("Finished!!");
  Refresh();
  return RestoredSize;
}

void Form1Form::RunSection(int section) {
  const auto& info = kCleanSections[section];
  lblcurrentName.Caption(info.label);
  engine_->AddItem(std::string(info.title) + "\r\n");
  Refresh();
  Sleep(100);
  PreSize = RestoredSize;
  int items = info.boxes ? (this->*info.boxes).Count() : 1;
  for (int index = 0; index < items; ++index) {
    if (info.boxes && (this->*info.boxes)(index).Value() == vbUnchecked) continue;
    RestoredSize += RunSectionItem(section, index);
    if (*info.tag) {
      switch (info.section) {
        case CleanSection::Windows: fcWindows += 1; break;
        case CleanSection::HardDisk: fcHardDisk += 1; break;
        case CleanSection::Office: fcOffice += 1; break;
        case CleanSection::Opera: fcOpera += 1; break;
        case CleanSection::Yahoo: fcYahoo += 1; break;
        case CleanSection::ICQ: fcIcq += 1; break;
        case CleanSection::MSN: fcMSN += 1; break;
        case CleanSection::AOL: fcAOL += 1; break;
        case CleanSection::Extra: fcExtra += 1; break;
        case CleanSection::BuiltIn: fcBuiltIn += 1; break;
        default: break;
      }
      CalcProg(info.tag);
    }
    if (StopCleanNow) return;
  }
}

std::int64_t Form1Form::RunSectionItem(int section, int index) {
  std::int64_t bytes = 0;
  OnErrorResumeNext guard;
  guard([&] {
    switch (kCleanSections[section].section) {
      case CleanSection::HardDisk:
        if (index != kCustomFileItem) {
          bytes = engine_->CleanItem(CleanSection::HardDisk, index);
        } else if (!Trim(txtPath.Text()).empty()) {  // never a drive root by omission
          bool sized = chkCertainSize.Value() != vbUnchecked;
          SizeBound lower = sized ? MinimumSizeBound(txtMinSize.Text()) : SizeBound{};
          SizeBound upper = sized ? MaximumSizeBound(txtMaxSize.Text()) : SizeBound{};
          // Fields changed since the start into something unusable never
          // widen the filter to every size.
          if (!lower.refusal && !upper.refusal)
            bytes = engine_->CleanCustomFile(txtPath.Text(), txtPattern.Text(), lower.kb, upper.kb);
        }
        break;
      case CleanSection::NetScape: bytes = engine_->CleanNetscape(); break;
      case CleanSection::IE: bytes = engine_->CleanIE(); break;
      case CleanSection::Extra: bytes = EPI_Do_Plugins(); break;
      case CleanSection::BuiltIn: bytes = std::llround(BPI_Do_Plugins()); break;
      default: bytes = engine_->CleanItem(kCleanSections[section].section, index); break;
    }
  });
  return bytes;
}

// Close-after-cleaning ends the program two seconds after the run, through
// the orderly shut-down so the options are kept and the tray icon goes.
void Form1Form::EndRunIfAskedToClose() {
  if (chkCloseAfterWash.Value() != vbChecked) return;
  Sleep(2000);
  ShutDown();
}
