#pragma once
// The failure of the machine's own files: a machine folder that cannot be
// opened, a layer file that cannot be read or written. The message names the
// file and, for syntax errors, the line.
#include <stdexcept>

namespace platform {

class MachineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace platform
