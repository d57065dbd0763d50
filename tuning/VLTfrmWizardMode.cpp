#include "tuning/VLTfrmWizardMode.h"

#include "tuning/suite_page.h"
#include "tuning/tcp_apply.h"
#include "tuning/tcp_profile.h"

using namespace platform::forms;

namespace tuning {

std::string ModeDescription(const TcpProfile& p) {
  auto n = [](long value) { return std::to_string(value); };
  auto b = [](bool value) { return std::string(value ? "True" : "False"); };
  const std::string tab = "\t", crlf = "\r\n";
  return "MSS = " + n(p.MSS) + tab + "MTU = " + n(p.MTU) + tab + tab + "ICMP = " + b(p.EnableICMPRedirects) + crlf +
         "NDI = " + n(p.NDICacheSize) + tab + "MSCPS0 = " + n(p.MaxConnectionsPer1_0Server) + tab + tab +
         "MSCPS1 = " + n(p.MaxConnectionsPerServer) + crlf + "BlackHole = " + b(p.PMTUBlackHoleDetect) + tab +
         "RWIN = " + n(p.RWIN) + tab + crlf + "Keep Alive = " + n(p.KeepAliveTime) + crlf +
         "Keep Alive Interval= " + n(p.KeepAliveInterval) + tab + "SYN = " + n(p.SYNAttackProtect) + tab + tab +
         "TTL= " + n(p.TTL) + crlf;
}

}  // namespace tuning

VLTfrmWizardModeForm::VLTfrmWizardModeForm() : Form("VLTfrmWizardMode") {
  Caption("Wizard Mode");
  Move(0, 0, 6300, 4800);
  frmWizardMode.Move(120, 120, 6000, 4500);
  frameOptimizationMode.Caption("Optimization Modes");
  frameOptimizationMode.Move(120, 240, 2400, 3000);
  for (int i = 0; i < tuning::kPresetCount; ++i) {
    optMode(i).Caption(tuning::PresetCaption(i));
    optMode(i).Move(120, 300 + i * 320, 2160, 285);
  }
  lblModeDescrip.Move(2640, 300, 3240, 2940);
  cmdOptimize.Caption("Optimize &Now");
  cmdOptimize.Move(4200, 3600, 1680, 375);
  // Chosen in the design, without a click.
  OptionButton& first = optMode(0);
  first.Value(true);
  TSY_ON_ARRAY(optMode, Click, optMode_Click);
  cmdOptimize.Click.Handle([this] { cmdOptimize_Click(); });
}

void VLTfrmWizardModeForm::Form_Load() {
  tuning::ApplySuitePageLook(*this);
  tuning::CurrentProfile = tuning::Presets[0];
  ShowModeDescription();
}

void VLTfrmWizardModeForm::optMode_Click(int Index) {
  if (Index >= 0 && Index < tuning::kPresetCount) tuning::CurrentProfile = tuning::Presets[Index];
  else MsgBox("Error no such this mode", vbOKOnly);
  Refresh();
  ShowModeDescription();
}

void VLTfrmWizardModeForm::cmdOptimize_Click() { tuning::ApplyTcpSettings(); }

void VLTfrmWizardModeForm::ShowModeDescription() {
  lblModeDescrip.Caption(tuning::ModeDescription(tuning::CurrentProfile));
}

VLTfrmWizardModeForm& VLTfrmWizardMode() { return DefaultInstance<VLTfrmWizardModeForm>(); }
