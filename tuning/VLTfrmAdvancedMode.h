#pragma once
// The advanced page: eight steps that build the TCP/IP settings, then apply them.
#include "platform/forms/forms.h"

class VLTfrmAdvancedModeForm : public platform::forms::Form {
 public:
  VLTfrmAdvancedModeForm();

 protected:
  void Form_Load() override;
};

VLTfrmAdvancedModeForm& VLTfrmAdvancedMode();
