#include "tuning/VLTfrmBackUp.h"

#include "tuning/suite_page.h"

using namespace platform::forms;

VLTfrmBackUpForm::VLTfrmBackUpForm() : Form("VLTfrmBackUp") {}

void VLTfrmBackUpForm::Form_Load() { tuning::ApplySuitePageLook(*this); }

void VLTfrmBackUpForm::intializeList() {}

VLTfrmBackUpForm& VLTfrmBackUp() { return DefaultInstance<VLTfrmBackUpForm>(); }
