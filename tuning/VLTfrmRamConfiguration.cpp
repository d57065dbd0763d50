#include "tuning/VLTfrmRamConfiguration.h"

#include "tuning/suite_page.h"
#include "tuning/suite_settings.h"

using namespace platform::forms;

VLTfrmRamConfigurationForm::VLTfrmRamConfigurationForm() : Form("VLTfrmRamConfiguration") {}

void VLTfrmRamConfigurationForm::Form_Load() { tuning::ApplySuitePageLook(*this); }

VLTfrmRamConfigurationForm& VLTfrmRamConfiguration() { return DefaultInstance<VLTfrmRamConfigurationForm>(); }
