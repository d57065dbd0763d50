#include "support/CRegister.h"

#include "platform/registry/advapi32.h"
#include "support/key_holder.h"

namespace {

HKEY RootOf(std::int32_t regHKEY) { return static_cast<HKEY>(regHKEY); }

// "*" stands for the default value, passed as the null name.
LPCSTR ValueNameOf(const std::string& sKey) { return sKey == "*" ? nullptr : sKey.c_str(); }

}  // namespace

std::string CRegister::TrimKeyPath(const std::string& path) {
  std::string trimmed = path;
  if (!trimmed.empty() && trimmed.front() == '\\') trimmed.erase(0, 1);
  if (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  return trimmed;
}

bool CRegister::ReadValueBytes(std::int32_t regHKEY, const std::string& sSection, const std::string& sKey,
                               std::string& bytes) {
  std::string path = TrimKeyPath(sSection);
  KeyHolder key;
  LONG result = RegOpenKeyExA(RootOf(regHKEY), path.c_str(), 0, KEY_ALL_ACCESS, key.out());
  if (result == ERROR_ACCESS_DENIED) result = RegOpenKeyExA(RootOf(regHKEY), path.c_str(), 0, KEY_READ, key.out());
  if (result != ERROR_SUCCESS) return false;

  bool read = false;
  LPCSTR name = ValueNameOf(sKey);
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
    std::string buffer(size, ' ');
    DWORD length = size;
    if (RegQueryValueExA(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &length) ==
        ERROR_SUCCESS) {
      // The size of the first call counts, as the buffer was made for it.
      buffer.resize(size);
      bytes = std::move(buffer);
      read = true;
    }
  }
  return read;
}

bool CRegister::REGDeleteSetting(std::int32_t regHKEY, const std::string& sSection, const std::string& sKey) {
  KeyHolder key;
  LONG result;
  if (!sKey.empty()) {
    result = RegOpenKeyExA(RootOf(regHKEY), TrimKeyPath(sSection).c_str(), 0, KEY_ALL_ACCESS, key.out());
    if (result != ERROR_SUCCESS) return false;
    result = RegDeleteValueA(key.get(), ValueNameOf(sKey));
  } else {
    // A new handle to the root itself; the key path goes to the delete untrimmed.
    result = RegOpenKeyExA(RootOf(regHKEY), "", 0, KEY_ALL_ACCESS, key.out());
    if (result != ERROR_SUCCESS) return false;
    result = RegDeleteKeyA(key.get(), sSection.c_str());
  }
  return result == ERROR_SUCCESS;
}

std::string CRegister::REGGetSetting(std::int32_t regHKEY, const std::string& sSection, const std::string& sKey,
                                     const std::string& sDefault) {
  std::string bytes;
  if (!ReadValueBytes(regHKEY, sSection, sKey, bytes)) return sDefault;
  // The last byte is taken for the string's NUL and dropped, whatever it is.
  bytes.pop_back();
  return bytes;
}

bool CRegister::REGSaveSetting(std::int32_t regHKEY, const std::string& sSection, const std::string& sKey,
                               const std::string& sValue) {
  KeyHolder key;
  DWORD disposition = 0;
  LONG result = RegCreateKeyExA(RootOf(regHKEY), TrimKeyPath(sSection).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, key.out(), &disposition);
  if (result != ERROR_SUCCESS) return false;
  result = RegSetValueExA(key.get(), ValueNameOf(sKey), 0, REG_SZ, reinterpret_cast<const BYTE*>(sValue.c_str()),
                          static_cast<DWORD>(sValue.size() + 1));
  return result == ERROR_SUCCESS;
}

std::vector<std::string> CRegister::GetAllKeys(const std::int32_t& hKey, const std::string& strPath) {
  std::vector<std::string> names;
  KeyHolder key;
  // The result is not tested: a failed open leaves a null handle, whose
  // enumeration fails at once.
  RegOpenKeyA(RootOf(hKey), strPath.c_str(), key.out());
  for (DWORD index = 0;; ++index) {
    std::string buffer(255, ' ');
    if (RegEnumKeyA(key.get(), index, buffer.data(), 255) != ERROR_SUCCESS) break;
    std::size_t nul = buffer.find('\0');
    names.push_back(nul == std::string::npos ? buffer : buffer.substr(0, nul));
  }
  return names;
}

double CRegister::myREGGetSetting(std::int32_t regHKEY, const std::string& sSection, const std::string& sKey,
                                  double sDefault) {
  std::string bytes;
  if (!ReadValueBytes(regHKEY, sSection, sKey, bytes)) return sDefault;
  double number = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) number = number * 256 + static_cast<unsigned char>(bytes[i]);
  return number;
}
