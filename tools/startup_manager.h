#pragma once
// The start-up programs manager over a report list view with the columns
// name, status, command and location. Enabled rows are the values of the
// start-up keys; disabled rows live in the disabled-items file while their
// value is gone from the registry. Every operation touches only the row it
// acts on: other values are never rewritten, and a value enabled again gets
// back its own type and bytes. A step that fails leaves the row, the
// registry and the file as they were.
#include <string>
#include <vector>

#include "platform/forms/controls/list_view.h"

namespace tools {

inline constexpr const char* kEnabledStatus = "Enabled";

class StartUpManager {
 public:
  // Appends a row per value of the five keys, then the disabled items.
  void LoadStartUpPrograms(platform::forms::ListView& list);
  // Appends a row per record of the disabled-items file.
  void LoadDisabledItems(platform::forms::ListView& list);
  // Rewrites the disabled-items file from the list's disabled rows (and the
  // lines it could not read as records). False when it was not written.
  bool SaveDisabledItems(platform::forms::ListView& list);
  // Disables the selected Enabled row, or enables any other; nothing
  // without a selection. The result is what the user must be told: why the
  // row could not be disabled, or "" when there is nothing to say.
  std::string ToggleSelected(platform::forms::ListView& list);
  // Deletes the selected rows: an Enabled row's value goes; a Disabled
  // row leaves the file.
  void ClearSelected(platform::forms::ListView& list);
  // "Enable" for a disabled row, else "Disable".
  static std::string ToggleCaption(const platform::forms::ListItem& row);

 private:
  std::string Disable(platform::forms::ListView& list, platform::forms::ListItem& row);
  void Enable(platform::forms::ListView& list, platform::forms::ListItem& row);

  std::vector<std::string> keptLines_;
  // False once the file was found but could not be read: it is then never
  // overwritten, so its records cannot be lost.
  bool fileWritable_ = true;
};

}  // namespace tools
