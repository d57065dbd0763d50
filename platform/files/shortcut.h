#pragma once
// WScript.Shell's shortcut object:
//   Shortcut link = Shell().CreateShortcut("C:\\...\\Tool.lnk");
//   link.TargetPath / link.Arguments / link.WorkingDirectory; link.Save();
// A path that does not exist gives a new, empty shortcut. An existing file
// that is not a shell link, or is cut short, raises 0x80004005 "Unable to
// open shortcut". A link without local link information (shell-namespace
// or installer-advertised targets) has TargetPath "".
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::wsh {

inline constexpr std::int32_t kUnableToOpenShortcut = static_cast<std::int32_t>(0x80004005u);

class Shortcut {
 public:
  // Reads the link at `path` when it exists (see above).
  explicit Shortcut(std::string_view path);

  const std::string& FullName() const { return path_; }
  std::string TargetPath;
  std::string Arguments;
  std::string WorkingDirectory;

  // Writes a minimal shell link with link information for the target;
  // failures raise the runtime's file errors (76 missing folder, 75, 70, 61 ...).
  void Save() const;

 private:
  std::string path_;
};

class Shell {
 public:
  Shortcut CreateShortcut(std::string_view path) const { return Shortcut(path); }
};

}  // namespace platform::wsh
