#pragma once
// The DLL search's own steps over the main window's controls: the drive
// tree, the drives to walk, and the removal of registered COM servers from
// the list of matches.
#include <string>
#include <vector>

#include "platform/forms/controls/file_system_lists.h"
#include "platform/forms/controls/list_view.h"
#include "platform/forms/controls/tree_view.h"
#include "tools/type_library_client.h"

namespace tools {

// One top node per fixed drive (and per drive of type 1), keyed "C:\" and
// showing the drive list's entry in capitals, each with one empty child.
void LoadDllDrives(const platform::forms::DriveListBox& drives, platform::forms::TreeView& tree);

// The roots ("C:\") of the ticked drives. Only a drive's own node counts:
// its empty child names no drive.
std::vector<std::string> CheckedDllDriveRoots(platform::forms::TreeView& tree);

// Groups the rows of `list` (text, sub-items 1 to 3) so that files naming
// the same first COM class stand together, and drops every row whose file is
// the registered in-process server of its class (HKCR
// "CLSID\{...}\InprocServer32", compared as files, not as text). `scratch`
// has the same columns and is left empty; sub-item 4 is the work mark.
void DropRegisteredServers(platform::forms::ListView& list, platform::forms::ListView& scratch,
                           TypeLibraryClient& typeLibraries, const std::string& windowsDir);

}  // namespace tools
