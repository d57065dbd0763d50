#pragma once
// Lists the folders of a tree in which a file name first turns up.
#include <cstdint>
#include <string>

// Searches `folder` (a "\" is appended to the caller's variable when it
// lacks one) for `pattern`: a folder holding a match is added, with its
// final "\", to the main window's List_os and its sub-folders are not
// searched; otherwise each sub-folder is searched, depth first. Yields to
// the message loop before each entry and each sub-folder. The counters (of
// folders listed and of sub-folders seen) are 32-bit: a whole drive never
// overflows them.
void FindFiles(std::string& folder, const std::string& pattern, std::int32_t& folderCount,
               std::int32_t& subFolderCount);
