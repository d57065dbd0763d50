#pragma once
// The system status page: processor and memory graphs, and freeing memory at once.
#include "platform/forms/forms.h"

class VLTfrmSystemStatusForm : public platform::forms::Form {
 public:
  VLTfrmSystemStatusForm();

 protected:
  void Form_Load() override;
};

VLTfrmSystemStatusForm& VLTfrmSystemStatus();
