#include "tuning/suite_registry.h"


#include "platform/base/runtime_error.h"
#include "platform/machine/sysinfo.h"
#include "platform/registry/advapi32.h"

namespace tuning {

namespace {

constexpr DWORD kReadBufferBytes = 255;

// A key opened or created for one call, closed when the call ends.
class OpenedKey {
 public:
  ~OpenedKey() {
    if (handle_) RegCloseKey(handle_);
  }
  HKEY* out() { return &handle_; }
  HKEY get() const { return handle_; }

 private:
  HKEY handle_ = 0;
};

LONG CreateKey(HKEY root, const std::string& path, OpenedKey& key) {
  DWORD disposition = 0;
  return RegCreateKeyExA(root, path.c_str(), 0, "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.out(),
                         &disposition);
}

LONG WriteText(HKEY key, const std::string& name, const std::string& text) {
  return RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1));
}

// The 32-bit pattern of a whole number in -2^31..2^32-1, so that values read
// back unsigned can be written again; text that is no number raises 13, a
// number outside that range 6.
std::uint32_t DwordPattern(const platform::vb::Variant& value) {
  double number = platform::vb::RoundHalfEven(platform::vb::CDbl(value));
  if (!(number >= -2147483648.0 && number <= 4294967295.0)) platform::RaiseRuntimeError(6);
  return number < 0 ? static_cast<std::uint32_t>(static_cast<std::int64_t>(number))
                    : static_cast<std::uint32_t>(number);
}

}  // namespace

void SaveStringValue(HKEY root, const std::string& path, const std::string& name, const std::string& value) {
  OpenedKey key;
  if (CreateKey(root, path, key) == ERROR_SUCCESS) WriteText(key.get(), name, value);
}

std::string GetStringValue(HKEY root, const std::string& path, const std::string& name,
                           const std::string& defaultValue) {
  OpenedKey key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.out()) != ERROR_SUCCESS) return defaultValue;
  char buffer[kReadBufferBytes] = {};
  DWORD size = kReadBufferBytes, type = REG_NONE;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS)
    return defaultValue;
  // A number stored where text is expected counts as missing.
  if (type != REG_SZ && type != REG_EXPAND_SZ) return defaultValue;
  std::string text(buffer, size);
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

void SaveSettingHKLM(const std::string& path, const std::string& name, const std::string& value) {
  SaveStringValue(HKEY_LOCAL_MACHINE, path, name, value);
}

std::string GetSettingHKLM(const std::string& path, const std::string& name, const std::string& defaultValue) {
  return GetStringValue(HKEY_LOCAL_MACHINE, path, name, defaultValue);
}

LONG SetKeyValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                 const platform::vb::Variant& value, bool deleteValue) {
  if (type != REG_SZ && type != REG_DWORD) return ERROR_SUCCESS;
  // Converted before the key is touched: a bad number changes nothing.
  std::uint32_t pattern = type == REG_DWORD && !deleteValue ? DwordPattern(value) : 0;
  OpenedKey key;
  LONG result = CreateKey(root, path, key);
  if (result != ERROR_SUCCESS) return result;
  if (deleteValue) return RegDeleteValueA(key.get(), name.c_str());
  if (type == REG_SZ) return WriteText(key.get(), name, platform::vb::CStr(value));
  const BYTE bytes[4] = {static_cast<BYTE>(pattern), static_cast<BYTE>(pattern >> 8),
                         static_cast<BYTE>(pattern >> 16), static_cast<BYTE>(pattern >> 24)};
  return RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD, bytes, sizeof bytes);
}

bool IsNTPlatform() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) && info.dwPlatformId == 2;
}

}  // namespace tuning
