#include "tuning/VLTfrmWizardMode.h"

#include "tuning/suite_page.h"

using namespace platform::forms;

VLTfrmWizardModeForm::VLTfrmWizardModeForm() : Form("VLTfrmWizardMode") {}

void VLTfrmWizardModeForm::Form_Load() { tuning::ApplySuitePageLook(*this); }

VLTfrmWizardModeForm& VLTfrmWizardMode() { return DefaultInstance<VLTfrmWizardModeForm>(); }
