#include "tuning/VLTfrmSystemStatus.h"

#include "tuning/suite_page.h"
#include "tuning/suite_settings.h"

using namespace platform::forms;

VLTfrmSystemStatusForm::VLTfrmSystemStatusForm() : Form("VLTfrmSystemStatus") {}

void VLTfrmSystemStatusForm::Form_Load() { tuning::ApplySuitePageLook(*this); }

VLTfrmSystemStatusForm& VLTfrmSystemStatus() { return DefaultInstance<VLTfrmSystemStatusForm>(); }
