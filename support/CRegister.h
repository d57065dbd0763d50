#pragma once
// Plain registry access: every operation names its root, key path and value
// name, and reports failure only through its result. No state.
#include <cstdint>
#include <string>
#include <vector>

class CRegister {
 public:
  // Deletes the value `sKey` ("*" = the default value) of `sSection`, or,
  // with an empty `sKey`, the key `sSection` itself (as passed, untrimmed).
  // True when the open and the delete both succeeded.
  bool REGDeleteSetting(std::int32_t regHKEY, const std::string& sSection, const std::string& sKey);
  // The value's bytes less the last one (its NUL), whatever the type; else
  // `sDefault`.
  std::string REGGetSetting(std::int32_t regHKEY, const std::string& sSection, const std::string& sKey,
                            const std::string& sDefault);
  // Stores `sValue` as REG_SZ with its NUL, creating missing keys. True when
  // the create and the write both succeeded.
  bool REGSaveSetting(std::int32_t regHKEY, const std::string& sSection, const std::string& sKey,
                      const std::string& sValue);
  // The names of the direct subkeys of `strPath` (as passed) below `hKey`.
  std::vector<std::string> GetAllKeys(const std::int32_t& hKey, const std::string& strPath);
  // The value's bytes as an unsigned little-endian number; else `sDefault`.
  double myREGGetSetting(std::int32_t regHKEY, const std::string& sSection, const std::string& sKey, double sDefault);

 private:
  // Drops one leading "\" and then one trailing "\".
  static std::string TrimKeyPath(const std::string& path);
  // Opens with full access (read access after a refusal), asks the data
  // size, then reads that many bytes; false when any step fails or the
  // value is empty.
  static bool ReadValueBytes(std::int32_t regHKEY, const std::string& sSection, const std::string& sKey,
                             std::string& bytes);
};
