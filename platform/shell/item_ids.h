#pragma once
// What an item-id list stands for: a file-system path, or a virtual item
// (the desktop root, "My Computer" ...) with a display name and no path.
#include <string>

#include "platform/shell/shell_types.h"

namespace platform::shell {

// A new list in counted task memory.
LPITEMIDLIST NewItemIdList(std::string path, std::string displayName);
// The list's path ("" for a virtual item); false for a pointer that is no live list.
bool ItemIdListPath(LPCITEMIDLIST pidl, std::string& path);
std::string ItemIdListName(LPCITEMIDLIST pidl);

}  // namespace platform::shell
