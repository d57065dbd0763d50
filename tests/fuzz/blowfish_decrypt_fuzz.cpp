// Feeds arbitrary bytes to deciphering: it must refuse or decipher, never read
// or write outside its data.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/runtime_error.h"
#include "support/clsBlowfish.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static clsBlowfish cipher;
  // The first byte picks a key, so both the fixed key and short ones are tried.
  std::string key = size && (data[0] & 1) ? "qz_mnb482vlk[dusk]" : std::string(size ? data[0] % 5 : 0, 'k');
  clsBlowfish::ByteArray bytes(data + (size ? 1 : 0), data + size);
  try {
    cipher.DecryptByte(bytes, key);
  } catch (const platform::RuntimeError&) {
  }
  try {
    std::string text(reinterpret_cast<const char*>(data), size);
    cipher.DecryptString(text, key, size && (data[0] & 2));
  } catch (const platform::RuntimeError&) {
  }
  return 0;
}
