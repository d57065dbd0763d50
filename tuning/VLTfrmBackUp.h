#pragma once
// The backup page: the numbered backups of the network settings with their
// dates, sortable by column, restored or deleted after a question.
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "tuning/tcp_backup.h"

class VLTfrmBackUpForm : public platform::forms::Form {
 public:
  VLTfrmBackUpForm();

  TSY_CONTROL(Frame, frameBackUp);
  TSY_CONTROL_IN(ListView, lstBackUp, frameBackUp);
  TSY_CONTROL_IN(CommandButton, cmdRestore, frameBackUp);
  TSY_CONTROL_IN(CommandButton, cmdDelete, frameBackUp);

  // Lists the backup files (creating their folder when missing); nothing
  // is selected afterwards, so both buttons are off.
  void intializeList();

  void lstBackUp_ColumnClick(platform::forms::ColumnHeader& column);
  void lstBackUp_ItemClick(platform::forms::ListItem& item);
  void cmdRestore_Click();
  void cmdDelete_Click();

 protected:
  void Form_Load() override;

 private:
  // Shows the rows in the order of rows_, keeping the selected file chosen.
  void ShowRows();
  void EnableButtons();
  // Sorts on a date or time column's values, read when the list was built.
  void SortByColumn(int column, bool descending);

  std::vector<tuning::BackupFileRow> rows_;
};

VLTfrmBackUpForm& VLTfrmBackUp();
