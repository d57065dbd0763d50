#pragma once
// The RAM optimiser's page: its settings live under the suite's RamSettings key.
#include "platform/forms/forms.h"

class VLTfrmRamConfigurationForm : public platform::forms::Form {
 public:
  VLTfrmRamConfigurationForm();

 protected:
  void Form_Load() override;
};

VLTfrmRamConfigurationForm& VLTfrmRamConfiguration();
