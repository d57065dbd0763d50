// Feeds arbitrary bytes as Mozilla's Cookies.txt: read, split into fields,
// matched against a keep-list and written back, never outside the text.
#include <cstddef>
#include <cstdint>

#include "cleaning/ns_cookie_file.h"
#include "fuzz_machine.h"
#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tessaly::fuzz::FuzzMachine::Get();
  static const bool folder = (CreateDirectoryA("C:\\Profile", nullptr), true);
  (void)folder;
  tessaly::fuzz::FuzzMachine::Put("C:\\Profile\\Cookies.txt", tessaly::fuzz::Bytes(data, size));
  tessaly::fuzz::FuzzMachine::Put("C:\\Profile\\TSYKeepNS6.inf", ".example.com\tTRUE\r\n");
  try {
    cleaning::CookieRows rows;
    cleaning::ReadCookieRows("C:\\Profile", rows);
    for (const auto& line : rows.lines) {
      cleaning::DeriveCookieFields(line);
      cleaning::KeepListEntry(line);
      cleaning::IsCookieLine(line);
    }
    cleaning::ApplyCookieKeepList("C:\\Profile", rows);
    if (rows.kept.size() != rows.lines.size()) __builtin_trap();
    cleaning::RewriteCookieFile("C:\\Profile", rows);
  } catch (const platform::RuntimeError&) {
  }
  return 0;
}
