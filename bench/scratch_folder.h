#pragma once
// A scratch folder under the system's temporary folder, removed at the end.
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace bench {

struct ScratchFolder {
  // `prefix` names the folder ("<prefix>-XXXXXX"), so that a run left over
  // by a killed benchmark tells whose it was.
  explicit ScratchFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    path_ = mkdtemp(pattern.data());
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

  std::filesystem::path path_;
};

}  // namespace bench
