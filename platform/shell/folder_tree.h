#pragma once
// Removing the contents of a folder through the file calls, as the shell
// does when it empties a recycle bin or a freshly formatted drive.
#include <string>
#include <vector>

namespace platform::shell {

// Removes everything inside `folder` ("C:\RECYCLED" or "C:\") except the
// top-level entries named in `keep` (ignoring case); read-only, hidden and
// system attributes do not stop it. Returns false when an item could not be
// removed (the rest is removed). A missing folder holds nothing: true.
bool RemoveFolderContents(const std::string& folder, const std::vector<std::string>& keep = {});

}  // namespace platform::shell
