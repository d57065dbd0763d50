// Feeds arbitrary bytes as the Netscape keep-list "TSYKeepNS6.inf": the
// rows of a fixed Cookies.txt are ticked from it, never outside the text.
#include <cstddef>
#include <cstdint>

#include "cleaning/ns_cookie_file.h"
#include "fuzz_machine.h"
#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tessaly::fuzz::FuzzMachine::Get();
  static const bool folder = [] {
    CreateDirectoryA("C:\\Profile", nullptr);
    tessaly::fuzz::FuzzMachine::Put("C:\\Profile\\Cookies.txt",
                                    "# Netscape HTTP Cookie File\n"
                                    ".example.com\tTRUE\t/\tFALSE\t1999999999\tid\t42\n"
                                    "shop.example.org\tFALSE\t/cart\tTRUE\t0\tcart\tx\n");
    return true;
  }();
  (void)folder;
  tessaly::fuzz::FuzzMachine::Put("C:\\Profile\\TSYKeepNS6.inf", tessaly::fuzz::Bytes(data, size));
  try {
    cleaning::CookieRows rows;
    cleaning::ReadCookieRows("C:\\Profile", rows);
    cleaning::ApplyCookieKeepList("C:\\Profile", rows);
    if (rows.kept.size() != rows.lines.size()) __builtin_trap();
  } catch (const platform::RuntimeError&) {
  }
  return 0;
}
