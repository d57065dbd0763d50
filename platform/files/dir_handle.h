#pragma once
// A host folder listing closed when it goes out of scope.
#include <dirent.h>

#include <memory>

namespace platform::files {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirPtr = std::unique_ptr<DIR, DirCloser>;

}  // namespace platform::files
