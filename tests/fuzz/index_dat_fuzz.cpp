// Feeds arbitrary bytes as the record blocks of Internet Explorer's cookie
// index: every record is read inside its block, whatever it holds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "cleaning/ie_cookie_index.h"
#include "fuzz_machine.h"
#include "platform/base/runtime_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tessaly::fuzz::FuzzMachine::Get();
  // The input stands for everything after the header area.
  std::string bytes(static_cast<std::size_t>(cleaning::kCookieIndexFirstBlock), '\0');
  bytes.append(reinterpret_cast<const char*>(data), size);
  tessaly::fuzz::FuzzMachine::Put("C:\\index.dat", bytes);
  try {
    cleaning::ForEachCookieRecord("C:\\index.dat", [](const cleaning::CookieRecordParts& parts) {
      if (parts.siteRow.size() + parts.filePart.size() > cleaning::kCookieIndexTextSize + 8) __builtin_trap();
    });
  } catch (const platform::RuntimeError&) {
  }
  return 0;
}
