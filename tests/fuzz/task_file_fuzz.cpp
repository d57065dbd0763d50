// Feeds arbitrary bytes as a task (.job) file: it parses or is refused; a
// parsed task written again parses to the same text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/taskscheduler/task_record.h"

namespace ts = platform::taskscheduler;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto task = ts::ParseTaskFile(std::string(reinterpret_cast<const char*>(data), size));
  if (!task) return 0;
  const std::string text = ts::FormatTaskFile(*task);
  auto again = ts::ParseTaskFile(text);
  if (!again || ts::FormatTaskFile(*again) != text) __builtin_trap();
  return 0;
}
