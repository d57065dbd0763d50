#pragma once
// Short forms of the registry calls for tests.
#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "platform/registry/advapi32.h"

namespace tessaly::testing {

// Bytes with embedded NULs from a literal: Bytes("a\0b") has 3 bytes.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

inline HKEY CreateKey(HKEY root, const char* path, DWORD options = REG_OPTION_NON_VOLATILE) {
  HKEY key = 0;
  EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS)
      << path;
  return key;
}

inline LONG SetValue(HKEY key, const char* name, DWORD type, const std::string& data) {
  return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
}

inline LONG SetString(HKEY key, const char* name, const std::string& text) {
  return SetValue(key, name, REG_SZ, text + std::string(1, '\0'));
}

struct TypedData {
  DWORD type = 0;
  std::string data;
  bool operator==(const TypedData&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TypedData& value) {
  out << "type " << value.type << ", bytes";
  for (unsigned char c : value.data) out << ' ' << std::hex << static_cast<int>(c) << std::dec;
  return out;
}

// The value read through the two-call pattern; nullopt when any call fails.
inline std::optional<TypedData> QueryValue(HKEY root, const char* path, const char* name) {
  HKEY key = 0;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  TypedData value;
  DWORD size = 0;
  std::optional<TypedData> result;
  if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
    value.data.assign(size, '\0');
    if (RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(value.data.data()), &size) ==
        ERROR_SUCCESS)
      result = value;
  }
  RegCloseKey(key);
  return result;
}

inline bool KeyExists(HKEY root, const char* path) {
  HKEY key = 0;
  LONG result = RegOpenKeyExA(root, path, 0, KEY_READ, &key);
  if (result == ERROR_SUCCESS) RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

}  // namespace tessaly::testing
