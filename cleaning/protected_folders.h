#pragma once
// The one guard every cleaner, walker and shredder passes before it empties
// or deletes a folder tree. It compares the folder as the file layer
// resolves it (aliases, case, trailing dots and blanks, "..", either slash)
// and refuses a base that is empty, relative, a drive root, the Windows,
// system, Program Files or program folder, the All Users or user profile,
// or any folder that contains one of them.
#include <string>

namespace cleaning {

// Why the folder is refused; "" when it may be cleaned.
std::string FolderRefusal(const std::string& folder);
// True when refused (left unlogged, as the cleaners' logs have always been).
bool IsProtectedFolder(const std::string& folder);

}  // namespace cleaning
