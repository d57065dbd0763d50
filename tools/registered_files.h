#pragma once
// Every file the class registrations name: the file of every version,
// locale and platform of every type library (HKCR "TypeLib"), and the
// default value of every class's "InprocServer32" and "LocalServer32"
// (HKCR "CLSID"). The unreferenced-DLL scan offers a file only when none of
// them may name it.
#include <map>
#include <string>
#include <vector>

namespace tools {

class RegisteredFiles {
 public:
  // Reads both trees. A key that exists but cannot be read whole leaves
  // the index incomplete.
  static RegisteredFiles Read(const std::string& windowsDir);

  // Adds one registered text: a path, a quoted path, or a command line
  // (environment strings and a resource index are resolved first).
  void Add(const std::string& registered);
  void MarkIncomplete() { complete_ = false; }

  // Whether some registration may name the file at `path`: the same file
  // (long name or 8.3 alias), a bare or relative name of the same file
  // name, or an alias that no longer resolves but may stand for it.
  // An incomplete index names every file.
  bool MayName(const std::string& path) const;

 private:
  std::string windowsDir_;
  bool complete_ = true;
  // Upper-cased file name -> the paths registered under that name.
  std::map<std::string, std::vector<std::string>> byName_;
  std::vector<std::string> aliases_;  // registered paths whose file name holds "~"
};

}  // namespace tools
