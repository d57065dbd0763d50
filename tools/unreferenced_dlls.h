#pragma once
// The unreferenced-DLL scan of one drive: the DLLs whose type library is
// registered at another path (copies of a registered library that are not
// the registered copy), and their deletion with optional plain copies.
#include <string>

#include "platform/forms/controls/list_box.h"
#include "platform/forms/controls/list_view.h"
#include "tools/type_library_client.h"

namespace tools {

// Adds to `found` every file matching `pattern` below `folder` (a "\"
// follows it), taking a folder's own files only when its path, in lower
// case, holds none of "_restore", "dllcache", "system32", "office", "dao",
// "msagent", "microsoft", "recycle".
void FindDllFiles(const std::string& folder, const std::string& pattern, platform::forms::ListBox& found);

// For each path of `found` (yielding before each): when its type library is
// registered (HKCR "typelib\{LIBID}\<first version>\<first locale>\win32")
// at a path without "~" or "_restore", a row of `registered` (path, first
// class, registered path in lower case); then each of those rows whose
// registered path is a full path naming another file goes to `unreferenced`,
// unless any registration may name it (see RegisteredFiles). A registered
// path that is relative or holds no ":\" lists nothing.
void ListUnreferencedDlls(platform::forms::ListBox& found, platform::forms::ListView& registered,
                          platform::forms::ListView& unreferenced, TypeLibraryClient& typeLibraries,
                          const std::string& windowsDir);

struct RowDeletion {
  int removed = 0;        // rows removed (their files are gone)
  int notCopied = 0;      // files kept because their copy failed
};

// Deletes the files of the checked rows (the path is the row's text, or
// sub-item `pathColumn`), last row first, without force: a read-only file
// stays, and so does the row of any file still there. With `backupFolder`
// set, each file is first copied there under its own name, or "name (2).dll"
// and so on when that is taken; a file whose copy failed is not deleted.
RowDeletion DeleteCheckedRows(platform::forms::ListView& rows, int pathColumn, const std::string& backupFolder);

}  // namespace tools
