#include "support/temp_folder.h"

#include <stdexcept>
#include <system_error>
#include <vector>

#include <stdlib.h>

namespace tessaly::testing {

TempFolder::TempFolder(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) throw std::runtime_error("cannot create a temporary folder");
  path_ = buffer.data();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace tessaly::testing
