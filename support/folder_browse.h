#pragma once
// The shell's folder picker in two forms, and opening a target through the
// shell.
#include <optional>
#include <string>

#include "platform/forms/window_types.h"

// A folder picker with a title of the caller's choice; files can be chosen too.
class CFolderBrowse {
 public:
  // The path chosen by the last Browse ("" before the first one).
  std::string path() const { return path_.value_or(""); }
  const std::string& Prompt() const { return prompt_; }
  // Stored without leading and trailing blanks.
  void Prompt(const std::string& value);
  // Shows the picker; path = the chosen item's path, "" on cancel or for an
  // item without a file-system path.
  void Browse();

 private:
  std::optional<std::string> path_;
  std::string prompt_ = "Select a folder";
};

// The picker rooted at the desktop, titled "Select a folder", offering only
// file-system folders; "" when cancelled.
std::string BrowseForFolderPath(HWND owner);

// Opens a document, web address or program through the shell, normally
// shown, without parameters or working folder; reports nothing.
void ShellOpen(const std::string& target);
