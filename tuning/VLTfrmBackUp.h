#pragma once
// The backup page: the numbered backups of the network settings, restored or deleted.
#include "platform/forms/forms.h"

class VLTfrmBackUpForm : public platform::forms::Form {
 public:
  VLTfrmBackUpForm();

  // Lists the backup files (creating their folder when missing).
  void intializeList();

 protected:
  void Form_Load() override;
};

VLTfrmBackUpForm& VLTfrmBackUp();
