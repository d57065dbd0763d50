#pragma once
// The wizard page: pick one of the eight preset optimisation modes, read
// what it sets, and apply it.
#include <string>

#include "platform/forms/forms.h"

class VLTfrmWizardModeForm : public platform::forms::Form {
 public:
  VLTfrmWizardModeForm();

  TSY_CONTROL(Frame, frmWizardMode);
  TSY_CONTROL_IN(Frame, frameOptimizationMode, frmWizardMode);
  TSY_CONTROL_ARRAY_IN(OptionButton, optMode, 8, frameOptimizationMode);
  TSY_CONTROL_IN(Label, lblModeDescrip, frmWizardMode);
  TSY_CONTROL_IN(CommandButton, cmdOptimize, frmWizardMode);

  void optMode_Click(int Index);
  void cmdOptimize_Click();

 protected:
  void Form_Load() override;

 private:
  void ShowModeDescription();
};

VLTfrmWizardModeForm& VLTfrmWizardMode();

namespace tuning {
struct TcpProfile;
// The description of a profile the wizard page shows.
std::string ModeDescription(const TcpProfile& profile);
}  // namespace tuning
