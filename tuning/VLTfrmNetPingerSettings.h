#pragma once
// The network pinger's page: its settings live under the suite's NetPinger key.
#include "platform/forms/forms.h"

class VLTfrmNetPingerSettingsForm : public platform::forms::Form {
 public:
  VLTfrmNetPingerSettingsForm();

 protected:
  void Form_Load() override;
};

VLTfrmNetPingerSettingsForm& VLTfrmNetPingerSettings();
