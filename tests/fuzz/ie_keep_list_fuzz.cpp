// Feeds arbitrary bytes as the Internet Explorer keep-list "TSYKeep.inf"
// (the first half) and the cookie index beside it (the rest): the keep
// dialog lists and ticks the cookie files from them, never outside the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "cleaning/frmIECookieKeep.h"
#include "cleaning/ie_cookie_index.h"
#include "fuzz_machine.h"
#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"
#include "platform/registry/advapi32.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tessaly::fuzz::FuzzMachine::Get();
  static const bool folder = [] {
    CreateDirectoryA("C:\\Cookies", nullptr);
    for (const char* name : {"user@example[1].txt", "user@shop.example[2].txt", "USER@OTHER[1].TXT"})
      tessaly::fuzz::FuzzMachine::Put(std::string("C:\\Cookies\\") + name, "id\n42\nexample.com/\n");
    HKEY key = 0;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                    nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    const char value[] = "C:\\Cookies";
    RegSetValueExA(key, "Cookies", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
    RegCloseKey(key);
    return true;
  }();
  (void)folder;
  const std::size_t half = size / 2;
  tessaly::fuzz::FuzzMachine::Put("C:\\Cookies\\TSYKeep.inf", tessaly::fuzz::Bytes(data, half));
  std::string index(static_cast<std::size_t>(cleaning::kCookieIndexFirstBlock), '\0');
  index.append(reinterpret_cast<const char*>(data) + half, size - half);
  tessaly::fuzz::FuzzMachine::Put("C:\\Cookies\\index.dat", index);
  try {
    frmIECookieKeep().LoadCookies();
    frmIECookieKeep().KeptSnapshot();
  } catch (const platform::RuntimeError&) {
  }
  return 0;
}
