#include "tools/startup_manager.h"

#include "cleaning/RegistryHelper.h"
#include "support/CRegister.h"
#include "tools/disabled_items_file.h"
#include "tools/registry_value.h"
#include "tools/startup_places.h"

using platform::forms::ListItem;
using platform::forms::ListView;

namespace tools {
namespace {

// Sub-items of a row.
constexpr int kStatus = 1, kCommand = 2, kLocation = 3;

// A row's Tag holds the disabled value's encoded type and bytes.
void AddRow(ListView& list, const std::string& name, const char* status, const std::string& command,
            const std::string& location, std::string original = "") {
  ListItem& row = list.Add(std::nullopt, "", name);
  row.SubItems(kStatus, status);
  row.SubItems(kCommand, command);
  row.SubItems(kLocation, location);
  row.Tag = std::move(original);
}

bool IsDisabled(const ListItem& row) { return row.SubItems(kStatus) == kDisabledStatus; }

DisabledItem ItemOf(const ListItem& row) {
  DisabledItem item{row.Text, row.SubItems(kCommand), row.SubItems(kLocation), std::nullopt};
  if (auto original = DecodeOriginal(row.Tag, row.Text)) item.original = std::move(*original);
  return item;
}

void SetStatus(ListItem& row, const char* status, std::string original) {
  row.SubItems(kStatus, status);
  row.Tag = std::move(original);
}

}  // namespace

void StartUpManager::LoadStartUpPrograms(ListView& list) {
  for (const StartUpPlace& place : StartUpPlaces()) {
    std::vector<std::string> names, data;
    int count = EnumTraceValues(std::string(place.rootName) + "\\" + place.path, names, data);
    for (int i = 0; i < count; ++i) AddRow(list, names[i], kEnabledStatus, data[i], LocationText(place));
  }
  LoadDisabledItems(list);
}

void StartUpManager::LoadDisabledItems(ListView& list) {
  FileText file = ReadDisabledItemsFile();
  fileWritable_ = file.readable;
  DisabledItems parsed = ParseDisabledItems(file.text);
  keptLines_ = std::move(parsed.keptLines);
  for (const auto& item : parsed.items)
    AddRow(list, item.name, kDisabledStatus, item.command, item.location, EncodeOriginal(item.original));
}

bool StartUpManager::SaveDisabledItems(ListView& list) {
  if (!fileWritable_) return false;
  std::vector<DisabledItem> items;
  for (int i = 1; i <= list.Count(); ++i) {
    const ListItem& row = list.Item(i);
    if (IsDisabled(row)) items.push_back(ItemOf(row));
  }
  return WriteDisabledItemsFile(FormatDisabledItems(items, keptLines_));
}

std::string StartUpManager::ToggleSelected(ListView& list) {
  ListItem* row = list.SelectedItemOrNull();
  if (!row || !ParseLocation(row->SubItems(kLocation))) return "";
  if (row->SubItems(kStatus) == kEnabledStatus) return Disable(list, *row);
  Enable(list, *row);
  return "";
}

// The record goes to the file before the value leaves the registry, so a
// failure at any step loses nothing.
std::string StartUpManager::Disable(ListView& list, ListItem& row) {
  auto key = ParseLocation(row.SubItems(kLocation));
  DisabledItem item{row.Text, row.SubItems(kCommand), row.SubItems(kLocation),
                    ReadNamedValue(key->root, key->path, row.Text)};
  // Such a record would not read back from the file: the entry stays on.
  if (!FitsOnOneLine(item))
    return "\"" + row.Text + "\" can't be disabled: its name or command holds \"|\" or a line break, " +
           "which the list of disabled programs can't keep. It stays enabled.";
  std::string before = row.SubItems(kStatus);
  SetStatus(row, kDisabledStatus, EncodeOriginal(item.original));
  if (!SaveDisabledItems(list)) {
    SetStatus(row, before.c_str(), "");
    return "";
  }
  if (!DeleteNamedValue(key->root, key->path, row.Text)) {
    SetStatus(row, before.c_str(), "");
    SaveDisabledItems(list);
  }
  return "";
}

// The value comes back with the type and bytes it had; a record without
// them comes back as the string it shows. A live value of the same name is
// never overwritten.
void StartUpManager::Enable(ListView& list, ListItem& row) {
  auto key = ParseLocation(row.SubItems(kLocation));
  DisabledItem item = ItemOf(row);
  if (ReadNamedValue(key->root, key->path, item.name)) return;
  bool written = item.original
                     ? cleaning::WriteStoredValues(key->root, key->path, {*item.original})
                     : CRegister().REGSaveSetting(static_cast<std::int32_t>(key->root), key->path, item.name,
                                                  item.command);
  if (!written) return;
  std::string before = row.SubItems(kStatus), original = row.Tag;
  SetStatus(row, kEnabledStatus, "");
  if (!SaveDisabledItems(list)) {
    DeleteNamedValue(key->root, key->path, item.name);
    SetStatus(row, before.c_str(), original);
  }
}

void StartUpManager::ClearSelected(ListView& list) {
  bool removedDisabled = false;
  for (int i = list.Count(); i >= 1; --i) {
    ListItem& row = list.Item(i);
    if (!row.Selected()) continue;
    auto key = ParseLocation(row.SubItems(kLocation));
    if (!key) continue;
    bool disabled = IsDisabled(row);
    if (!disabled && !DeleteNamedValue(key->root, key->path, row.Text)) continue;
    removedDisabled = removedDisabled || disabled;
    list.Remove(i);
  }
  if (removedDisabled) SaveDisabledItems(list);
}

std::string StartUpManager::ToggleCaption(const ListItem& row) { return IsDisabled(row) ? "Enable" : "Disable"; }

}  // namespace tools
