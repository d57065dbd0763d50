#pragma once
// The wizard page: pick one of the eight preset modes and apply it.
#include "platform/forms/forms.h"

class VLTfrmWizardModeForm : public platform::forms::Form {
 public:
  VLTfrmWizardModeForm();

 protected:
  void Form_Load() override;
};

VLTfrmWizardModeForm& VLTfrmWizardMode();
