#pragma once
// The App object and the command line.
#include <string>

namespace platform::forms {

class AppObject {
 public:
  // The program folder: no trailing "\" except at a drive root.
  std::string Path() const;
  std::string EXEName() const { return "tsy"; }
  const std::string& Title() const { return title_; }
  void Title(std::string value) { title_ = std::move(value); }
  int Major() const { return 1; }
  int Minor() const { return 0; }
  int Revision() const { return 0; }
  // Whether another process holds the machine's instance lock. The first
  // call takes the lock when it is free.
  bool PrevInstance() const;

 private:
  std::string title_ = "Tessaly";
};

extern AppObject App;

// Command$: the command line after the program's path, case kept.
std::string Command();
void SetCommandLine(std::string arguments);

}  // namespace platform::forms
