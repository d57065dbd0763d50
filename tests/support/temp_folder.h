#pragma once
#include <filesystem>
#include <string>

namespace tessaly::testing {

// A fresh host folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "tsy-test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Reads a host file whole (empty when missing).
std::string ReadHostFile(const std::filesystem::path& file);
void WriteHostFile(const std::filesystem::path& file, const std::string& content);

}  // namespace tessaly::testing
