#include "tuning/VLTfrmAdvancedMode.h"

#include "tuning/suite_page.h"

using namespace platform::forms;

VLTfrmAdvancedModeForm::VLTfrmAdvancedModeForm() : Form("VLTfrmAdvancedMode") {}

void VLTfrmAdvancedModeForm::Form_Load() { tuning::ApplySuitePageLook(*this); }

VLTfrmAdvancedModeForm& VLTfrmAdvancedMode() { return DefaultInstance<VLTfrmAdvancedModeForm>(); }
