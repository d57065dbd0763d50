// Feeds arbitrary bytes as a shortcut (.lnk) file: the decoder answers a
// link or nothing, never reading outside the bytes; a decoded link written
// again decodes to the same target.
#include <cstddef>
#include <cstdint>

#include "fuzz_machine.h"
#include "platform/files/shell_link.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto link = platform::files::DecodeShellLink(tessaly::fuzz::Bytes(data, size));
  if (!link) return 0;
  auto again = platform::files::DecodeShellLink(platform::files::EncodeShellLink(*link));
  if (!again || again->targetPath() != link->targetPath()) __builtin_trap();
  return 0;
}
