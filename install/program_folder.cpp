#include "install/program_folder.h"

namespace install {

std::string ProgramFile(std::string_view relative) {
  std::string path(kProgramFolder);
  path += '\\';
  path += relative;
  return path;
}

std::string ProgramImage() { return ProgramFile("tsy.exe"); }

}  // namespace install
