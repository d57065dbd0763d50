#pragma once
// A DLL found by the DLL search: recorded by the main window as the engine's
// walker finds it, matched and listed by the DLL cleaner of the tools.
#include <string>

struct DllRecord {
  std::string name, path, version;
  double size = 0;  // bytes
};
