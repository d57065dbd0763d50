#pragma once
// Shortcut (.lnk) files for fixtures, built by the same writer as the
// shortcut object's Save, with the variations other writers produce: an
// item-id list before the link information, a common path suffix, ANSI
// strings, no link information at all.
#include <string>

namespace tessaly::testing {

struct ShortcutFixture {
  std::string localBasePath;     // "" with linkInfo: an empty base path
  std::string commonPathSuffix;
  std::string arguments;
  std::string workingDirectory;
  bool linkInfo = true;          // false: a shell-namespace or advertised target
  std::string itemIdList;        // raw items; "" for none
  bool unicodeStrings = true;
};

std::string ShortcutBytes(const ShortcutFixture& fixture);

}  // namespace tessaly::testing
