#pragma once
// The guard every "*.*" folder deletion passes: it refuses a base that is
// empty, relative, a drive root, the Windows or system folder or one of
// their ancestors, a profile root or one of its ancestors, or the program
// folder.
#include <string>

namespace cleaning {

bool IsProtectedFolder(const std::string& folder);

}  // namespace cleaning
