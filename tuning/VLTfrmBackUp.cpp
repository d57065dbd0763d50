#include "tuning/VLTfrmBackUp.h"

#include <algorithm>

#include "platform/files/runtime_files.h"
#include "tuning/suite_page.h"

using namespace platform::forms;

namespace {

constexpr const char* kAscending = "ASC";
constexpr const char* kDescending = "DESC";

}  // namespace

VLTfrmBackUpForm::VLTfrmBackUpForm() : Form("VLTfrmBackUp") {
  Move(0, 0, 6300, 4800);
  frameBackUp.Caption("Backup");
  frameBackUp.Move(120, 120, 6000, 4500);
  lstBackUp.Move(120, 300, 5760, 3480);
  lstBackUp.FullRowSelect(true);
  lstBackUp.AddColumn({}, "", "File Name", 1800);
  lstBackUp.AddColumn({}, "", "Creating Date", 1800);
  lstBackUp.AddColumn({}, "", "Creating Time", 1800);
  cmdRestore.Caption("Restore");
  cmdRestore.Move(2880, 3960, 1440, 375);
  cmdDelete.Caption("Delete");
  cmdDelete.Move(4440, 3960, 1440, 375);
  lstBackUp.ColumnClick.Handle([this](ColumnHeader& column) { lstBackUp_ColumnClick(column); });
  lstBackUp.ItemClick.Handle([this](ListItem& item) { lstBackUp_ItemClick(item); });
  cmdRestore.Click.Handle([this] { cmdRestore_Click(); });
  cmdDelete.Click.Handle([this] { cmdDelete_Click(); });
}

void VLTfrmBackUpForm::Form_Load() {
  tuning::ApplySuitePageLook(*this);
  intializeList();
}

void VLTfrmBackUpForm::intializeList() {
  try {
    rows_ = tuning::ListBackupFiles();
  } catch (const platform::RuntimeError& error) {
    rows_.clear();
    MsgBox(error.description(), vbOKOnly | vbExclamation);
  }
  lstBackUp.Sorted(false);
  lstBackUp.Select(nullptr);
  ShowRows();
}

void VLTfrmBackUpForm::ShowRows() {
  std::string selected = lstBackUp.SelectedItemOrNull() ? lstBackUp.SelectedItemOrNull()->Text : "";
  lstBackUp.Clear();
  for (const tuning::BackupFileRow& row : rows_) {
    ListItem& item = lstBackUp.Add({}, "", row.fileName);
    item.SubItems(1, row.dateText);
    item.SubItems(2, row.timeText);
    if (!selected.empty() && row.fileName == selected) lstBackUp.Select(&item);
  }
  EnableButtons();
}

void VLTfrmBackUpForm::EnableButtons() {
  bool chosen = lstBackUp.SelectedItemOrNull() != nullptr;
  cmdRestore.Enabled(chosen);
  cmdDelete.Enabled(chosen);
}

void VLTfrmBackUpForm::lstBackUp_ColumnClick(ColumnHeader& column) {
  bool descending = column.Tag == kAscending;
  for (int i = 1; i <= lstBackUp.ColumnCount(); ++i) lstBackUp.Column(i).Tag.clear();
  column.Tag = descending ? kDescending : kAscending;
  if (column.Text == "File Name") {
    lstBackUp.SortKey(0);
    lstBackUp.SortOrder(descending ? 1 : 0);
    lstBackUp.Sorted(true);
  } else if (column.Text == "Creating Date" || column.Text == "Creating Time") {
    SortByColumn(column.Index, descending);
  } else {
    MsgBox("Error no such header named " + column.Text, vbOKOnly);
  }
  EnableButtons();
}

void VLTfrmBackUpForm::SortByColumn(int column, bool descending) {
  // Rows in the order the list shows them, then a stable sort on the
  // column's value; a cell without one counts as the lowest.
  std::vector<tuning::BackupFileRow> shown;
  for (int i = 1; i <= lstBackUp.Count(); ++i) {
    const std::string& name = lstBackUp.Item(i).Text;
    auto row = std::find_if(rows_.begin(), rows_.end(), [&](const auto& r) { return r.fileName == name; });
    if (row != rows_.end()) shown.push_back(*row);
  }
  auto key = [column](const tuning::BackupFileRow& row) {
    const auto& value = column == 2 ? row.date : row.time;
    return value.value_or(-1e300);
  };
  std::stable_sort(shown.begin(), shown.end(), [&](const auto& a, const auto& b) {
    return descending ? key(b) < key(a) : key(a) < key(b);
  });
  rows_ = std::move(shown);
  lstBackUp.Sorted(false);
  ShowRows();
}

void VLTfrmBackUpForm::lstBackUp_ItemClick(ListItem&) { EnableButtons(); }

void VLTfrmBackUpForm::cmdRestore_Click() {
  ListItem* item = lstBackUp.SelectedItemOrNull();
  if (!item) return;
  if (MsgBox("Do you want to restore this settings??", vbYesNo | vbExclamation) != vbYes) return;
  tuning::RestoreOutcome outcome = tuning::RestoreTcpBackup(item->Text);
  if (outcome.result == tuning::RestoreResult::OtherSystem)
    MsgBox("This backup file was taken from another operating system!!", vbOKOnly | vbCritical);
  else if (outcome.result == tuning::RestoreResult::Damaged)
    MsgBox("This backup file is damaged; nothing was restored: " + outcome.problem, vbOKOnly | vbCritical);
}

void VLTfrmBackUpForm::cmdDelete_Click() {
  ListItem* item = lstBackUp.SelectedItemOrNull();
  if (!item) return;
  if (MsgBox("Do you want to delete this file??", vbYesNo | vbExclamation) != vbYes) return;
  try {
    platform::vb::Kill(tuning::BackupFolder() + "\\" + item->Text);
  } catch (const platform::RuntimeError& error) {
    MsgBox(error.description(), vbOKOnly | vbExclamation);
  }
  intializeList();
}

VLTfrmBackUpForm& VLTfrmBackUp() { return DefaultInstance<VLTfrmBackUpForm>(); }
