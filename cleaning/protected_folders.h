#pragma once
// The one guard every cleaner, walker and shredder passes before it empties
// or deletes a folder tree, and every cleaner before it takes a folder
// setting as the base of the folders it empties. It compares the folder as
// the file layer resolves it (environment strings, aliases, case, trailing
// dots and blanks, "..", either slash, doubled separators) and refuses a
// folder that is empty, relative, a drive root, the Windows, system,
// Program Files or program folder, the All Users or user profile, or any
// folder that contains one of them. A single file is refused when it lies
// directly in a drive root or in the Windows, system or program folder.
#include <string>

namespace cleaning {

// Why the folder is refused; "" when it may be cleaned.
std::string FolderRefusal(const std::string& folder);
// True when `folder` may be emptied. A refusal is written to the cleaning
// log with its reason, so the run can go on with its next item; a blank
// folder (a setting that is not there) is refused without a line.
bool MayEmptyFolder(const std::string& folder);
// Why the file may not be deleted on its own; "" when it may.
std::string FileRefusal(const std::string& path);
// True when `path` may be deleted; a refusal is logged as for a folder.
bool MayDeleteFile(const std::string& path);
// Whether `pattern` (";" between alternatives) names every file, so that a
// deletion with it empties the folder.
bool MatchesEveryName(const std::string& pattern);

}  // namespace cleaning
