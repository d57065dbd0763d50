#pragma once
// The lexical half of path resolution: a Windows path text becomes a drive
// letter and a list of components, with every rule that needs no disk
// (separators, drive-relative forms, "." and "..", invalid and reserved
// names, length). Nothing here touches the host.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/wintypes.h"

namespace platform::files {

struct WindowsPath {
  char drive = 0;                       // upper case
  std::vector<std::string> components;  // below the root, never "." or ".."
  bool trailingSeparator = false;       // the text ended in "\" or "/"

  bool isRoot() const { return components.empty(); }
  // "C:\a\b" ("C:\" for the root).
  std::string text() const;
};

struct PathContext {
  char currentDrive = 'C';
  // The current directory of a drive ("C:\Program Files\Common Files", "D:\").
  std::function<std::string(char drive)> currentDirectory;
};

// Parses `text`. With `allowPattern`, "?" and "*" may appear in the last
// component, which then keeps its trailing dots and blanks. Returns 0, or 3
// (empty), 53 (UNC), 123 (invalid name, device), 206 (too long).
DWORD ParseWindowsPath(std::string_view text, const PathContext& context, WindowsPath& out,
                       bool allowPattern = false);

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, with any extension, any case.
bool IsReservedDeviceName(std::string_view name);
bool HasWildcard(std::string_view name);
// Upper-cased "C:\A\B": the key of an entry in every table of the layer.
std::string PathKey(std::string_view windowsPath);

// Longest full path the layer accepts (MAX_PATH less the NUL).
inline constexpr std::size_t kMaxPathLength = 259;

}  // namespace platform::files
