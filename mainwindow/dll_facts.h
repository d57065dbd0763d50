#pragma once
// What the DLL list shows of a file: its version (from the stand-in header
// of a program file, "" without one) and its size.
#include <string>

namespace tessaly {

std::string StandInFileVersion(const std::string& path);
double FileSizeOf(const std::string& path);

}  // namespace tessaly
