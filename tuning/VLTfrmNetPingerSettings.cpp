#include "tuning/VLTfrmNetPingerSettings.h"

#include "tuning/suite_page.h"
#include "tuning/suite_settings.h"

using namespace platform::forms;

VLTfrmNetPingerSettingsForm::VLTfrmNetPingerSettingsForm() : Form("VLTfrmNetPingerSettings") {}

void VLTfrmNetPingerSettingsForm::Form_Load() { tuning::ApplySuitePageLook(*this); }

VLTfrmNetPingerSettingsForm& VLTfrmNetPingerSettings() { return DefaultInstance<VLTfrmNetPingerSettingsForm>(); }
