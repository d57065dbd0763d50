#include "support/cRegistry.h"

#include <cstring>

#include "platform/base/runtime_error.h"
#include "platform/forms/strings.h"
#include "platform/machine/environment.h"
#include "platform/registry/advapi32.h"
#include "support/path_helpers.h"

namespace {

constexpr REGSAM kQueryAccess = 1;
constexpr REGSAM kEnumerateAccess = 8;
constexpr REGSAM kWriteAccess = 0x3F;
constexpr const char* kErrorSource = "tsy.cRegistry";

// Closes a key when the operation ends, by return or by raise.
class KeyHolder {
 public:
  KeyHolder() = default;
  ~KeyHolder() { Close(); }
  KeyHolder(const KeyHolder&) = delete;
  KeyHolder& operator=(const KeyHolder&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }
  void Close() {
    if (key_) RegCloseKey(key_);
    key_ = 0;
  }

 private:
  HKEY key_ = 0;
};

// REG_EXPAND_SZ when a "%" is followed, at least two characters on, by another.
bool HoldsExpandableName(const std::string& text) {
  auto first = text.find('%');
  return first != std::string::npos && text.find('%', first + 2) != std::string::npos;
}

LONG WriteValue(HKEY key, const std::string& name, DWORD type, const void* data, DWORD size) {
  return RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

}  // namespace

void cRegistry::Machine(const std::string& sMachine) {
  if (sMachine.size() < 3) machine_.clear();
  else machine_ = sMachine.rfind("\\\\", 0) == 0 ? sMachine : "\\\\" + sMachine;
}

bool cRegistry::KeyExists() {
  KeyHolder key;
  return RegOpenKeyExA(static_cast<HKEY>(classKey_), sectionKey_.c_str(), 0, kQueryAccess, key.out()) == ERROR_SUCCESS;
}

bool cRegistry::CreateKey() {
  KeyHolder key;
  DWORD disposition = 0;
  if (RegCreateKeyExA(static_cast<HKEY>(classKey_), sectionKey_.c_str(), 0, nullptr, 0, kWriteAccess, nullptr,
                      key.out(), &disposition) != ERROR_SUCCESS)
    Raise(kRegistryError, "Failed to create registry Key: '" + sectionKey_);
  return true;
}

bool cRegistry::DeleteKey() {
  if (RegDeleteKeyA(static_cast<HKEY>(classKey_), sectionKey_.c_str()) != ERROR_SUCCESS)
    Raise(kRegistryError, "Failed to delete registry Key: '" + RootText() + "',Section: '" + sectionKey_);
  return true;
}

bool cRegistry::DeleteValue() {
  KeyHolder key;
  if (RegOpenKeyExA(static_cast<HKEY>(classKey_), sectionKey_.c_str(), 0, kWriteAccess, key.out()) != ERROR_SUCCESS)
    Raise(kRegistryError, "Failed to open key '" + RootText() + "',Section: '" + sectionKey_ + "' for delete access");
  if (RegDeleteValueA(key.get(), valueKey_.c_str()) != ERROR_SUCCESS)
    Raise(kRegistryError, "Failed to delete registry Key: '" + RootText() + "',Section: '" + sectionKey_ +
                              "',Key: '" + valueKey_);
  return true;
}

Variant cRegistry::Value() {
  KeyHolder remote;
  HKEY root = static_cast<HKEY>(classKey_);
  if (!machine_.empty()) {
    if (RegConnectRegistryA(machine_.c_str(), root, remote.out()) != ERROR_SUCCESS) return default_;
    root = remote.get();
  }
  KeyHolder key;  // stays 0 when the open fails, so the query fails too
  RegOpenKeyExA(root, sectionKey_.c_str(), 0, kQueryAccess, key.out());

  DWORD type = 0, size = 0;
  LONG rc = RegQueryValueExA(key.get(), valueKey_.c_str(), nullptr, &type, nullptr, &size);
  if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return default_;
  valueType_ = static_cast<std::int32_t>(type);

  auto read = [&](DWORD bytes, ByteArray& buffer) {
    buffer.assign(bytes, 0);
    DWORD cb = bytes;
    return RegQueryValueExA(key.get(), valueKey_.c_str(), nullptr, nullptr, buffer.data(), &cb) == ERROR_SUCCESS;
  };
  ByteArray buffer;
  switch (type) {
    case 1:  // REG_SZ
    case 2:  // REG_EXPAND_SZ
    case 7: {  // REG_MULTI_SZ: keeps the NULs between parts and after the last
      // An empty value has no terminator to drop: it reads as "".
      if (size == 0) return std::string();
      if (!read(size, buffer)) return default_;
      std::string text(buffer.begin(), buffer.end() - 1);
      if (type == 2) return ExpandEnvStr(text);
      return text;
    }
    case 4:
    case 5: {
      // Data longer than a DWORD cannot be read into one: the default answers.
      if (!read(4, buffer)) return default_;
      std::int32_t value = static_cast<std::int32_t>(buffer[0] | buffer[1] << 8 | buffer[2] << 16 |
                                                     static_cast<std::uint32_t>(buffer[3]) << 24);
      return type == 4 ? value : CopyBytesToValue(value);
    }
    default:
      if (!read(size, buffer)) return default_;
      return buffer;
  }
}

void cRegistry::Value(const Variant& vValue) {
  KeyHolder remote;
  HKEY root = static_cast<HKEY>(classKey_);
  if (!machine_.empty()) {
    // Nothing can be written to a computer that cannot be reached: say so.
    if (RegConnectRegistryA(machine_.c_str(), root, remote.out()) != ERROR_SUCCESS)
      Raise(kRegistrySetValueError, SetValueText(vValue));
    root = remote.get();
  }
  KeyHolder key;
  DWORD disposition = 0;
  if (RegCreateKeyExA(root, sectionKey_.c_str(), 0, nullptr, 0, kWriteAccess, nullptr, key.out(), &disposition) !=
      ERROR_SUCCESS)
    Raise(kRegistryError, SetValueText(vValue));

  LONG rc = ERROR_SUCCESS;
  switch (valueType_) {
    case 1:
    case 2: {
      std::string text = platform::vb::CStr(vValue);
      DWORD type = HoldsExpandableName(text) ? 2 : 1;
      rc = WriteValue(key.get(), valueKey_, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
      break;
    }
    case 3: {
      const ByteArray* bytes = std::get_if<ByteArray>(&vValue);
      if (!bytes) throw platform::RuntimeError(kRegistryError, "", "");
      rc = WriteValue(key.get(), valueKey_, 3, bytes->data(), static_cast<DWORD>(bytes->size()));
      break;
    }
    case 4:
    case 5: {
      // Only integers are written; any other kind writes nothing and is no error.
      std::int32_t number = 0;
      if (auto* i16 = std::get_if<std::int16_t>(&vValue)) number = *i16;
      else if (auto* i32 = std::get_if<std::int32_t>(&vValue)) number = *i32;
      else break;
      rc = WriteValue(key.get(), valueKey_, 4, &number, 4);
      break;
    }
    default:
      rc = 13;
  }
  if (rc != ERROR_SUCCESS) Raise(kRegistrySetValueError, SetValueText(vValue));
}

bool cRegistry::EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount) {
  iKeyCount = 0;
  sKeyNames.assign(1, std::string());
  KeyHolder key;
  if (RegOpenKeyExA(static_cast<HKEY>(classKey_), sectionKey_.c_str(), 0, kQueryAccess, key.out()) != ERROR_SUCCESS)
    return true;
  DWORD longestName = 0;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return true;
  for (DWORD index = 0;; ++index) {
    std::string buffer(longestName + 1, '\0');
    DWORD length = longestName + 1;
    if (RegEnumValueA(key.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    ++iKeyCount;
    sKeyNames.push_back(buffer.substr(0, length));
  }
  return true;
}

bool cRegistry::EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount) {
  iSectCount = 0;
  sSect.assign(1, std::string());
  KeyHolder key;
  LONG rc = RegOpenKeyExA(static_cast<HKEY>(classKey_), sectionKey_.c_str(), 0, kEnumerateAccess, key.out());
  for (DWORD index = 0; rc == ERROR_SUCCESS; ++index) {
    std::string buffer(255, '\0');
    rc = RegEnumKeyA(key.get(), index, buffer.data(), 255);
    if (rc != ERROR_SUCCESS) break;
    ++iSectCount;
    auto nul = buffer.find('\0');
    sSect.push_back(nul == std::string::npos ? buffer : buffer.substr(0, nul));
  }
  return true;
}

void cRegistry::CreateEXEAssociation(std::string sExePath, const std::string& sClassName,
                                     const std::string& sClassDescription, const std::string& sAssociation,
                                     const std::string& sOpenMenuText, bool bSupportPrint,
                                     const std::string& sPrintMenuText, bool bSupportNew,
                                     const std::string& sNewMenuText, bool bSupportInstall,
                                     const std::string& sInstallMenuText, std::int32_t lDefaultIconIndex) {
  sExePath = platform::forms::Trim(sExePath);
  if (sExePath.empty() || sExePath.front() != '"') sExePath.insert(0, "\"");
  if (sExePath.size() < 2 || sExePath.back() != '"') sExePath += '"';
  auto command = [&](const char* option) { return sExePath + " " + option + (*option ? " " : "") + "\"%1\""; };
  auto orDefault = [](const std::string& text, const std::string& fallback) { return text.empty() ? fallback : text; };

  struct Row {
    bool when;
    std::string key;
    std::string text;
  };
  const std::string shell = sClassName + "\\shell\\";
  const Row rows[] = {
      {true, "." + sAssociation, sClassName},
      {true, sClassName, sClassDescription},
      {true, shell + "open", orDefault(sOpenMenuText, "&Open")},
      {true, shell + "open\\command", command("")},
      {bSupportPrint, shell + "print", orDefault(sPrintMenuText, "&Print")},
      {bSupportPrint, shell + "print\\command", command("/p")},
      {bSupportInstall, shell + "add", orDefault(sInstallMenuText, "&Install " + sAssociation)},
      {bSupportInstall, shell + "add\\command", command("/a")},
      {bSupportNew, shell + "new", orDefault(sNewMenuText, "&New")},
      {bSupportNew, shell + "new\\command", command("/n")},
      {lDefaultIconIndex > -1, sClassName + "\\DefaultIcon", sExePath + "," + std::to_string(lDefaultIconIndex)},
  };
  valueType_ = 1;
  for (const auto& row : rows) {
    if (!row.when) continue;
    sectionKey_ = row.key;
    valueKey_.clear();
    SetClassesValue(row.text);
  }
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& sClassName, const std::vector<Variant>& vItems) {
  if (vItems.size() % 3 != 0)
    Raise(kRegistryParameterListError,
          "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
  // File classes live under HKEY_CLASSES_ROOT: look there, whatever root an
  // earlier call left behind.
  classKey_ = static_cast<std::int32_t>(HKEY_CLASSES_ROOT);
  sectionKey_ = sClassName;
  if (!KeyExists()) Raise(kRegistryClassMissingError, "Error - attempt to create additional associations before class defined.");
  for (std::size_t i = 0; i < vItems.size(); i += 3) {
    std::string name = platform::vb::CStr(vItems[i]);
    valueType_ = 1;
    sectionKey_ = sClassName + "\\shell\\" + name;
    valueKey_.clear();
    SetClassesValue(platform::vb::CStr(vItems[i + 1]));
    sectionKey_ = sClassName + "\\shell\\" + name + "\\command";
    valueKey_.clear();
    SetClassesValue(platform::vb::CStr(vItems[i + 2]));
  }
}

Variant cRegistry::ValueEx(std::int32_t eClassKey, const std::string& sSectionKey, const std::string& sValueKey,
                           std::int32_t eValueType, const Variant& vDefault) {
  classKey_ = eClassKey;
  sectionKey_ = sSectionKey;
  valueKey_ = sValueKey;
  valueType_ = eValueType;
  default_ = vDefault;
  return Value();
}

void cRegistry::ValueEx(std::int32_t eClassKey, const std::string& sSectionKey, const std::string& sValueKey,
                        std::int32_t eValueType, const Variant& vDefault, Variant NewValue) {
  classKey_ = eClassKey;
  sectionKey_ = sSectionKey;
  valueKey_ = sValueKey;
  valueType_ = eValueType;
  default_ = vDefault;
  if (valueType_ == 1 && platform::vb::CStr(NewValue).empty()) NewValue = vDefault;
  Value(NewValue);
}

void cRegistry::SetClassesValue(const std::string& text) {
  classKey_ = static_cast<std::int32_t>(HKEY_CLASSES_ROOT);
  Value(Variant(text));
  std::string saved = sectionKey_;
  classKey_ = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);
  sectionKey_ = "SOFTWARE\\Classes\\" + saved;
  Value(Variant(text));
  sectionKey_ = saved;
}

std::int32_t cRegistry::CopyBytesToValue(std::int32_t value) {
  auto u = static_cast<std::uint32_t>(value);
  return static_cast<std::int32_t>((u >> 24) | ((u >> 8) & 0xFF00) | ((u << 8) & 0xFF0000) | (u << 24));
}

std::string cRegistry::ExpandEnvStr(const std::string& text) {
  DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::string buffer(needed, '\0');
  ExpandEnvironmentStringsA(text.c_str(), buffer.data(), needed);
  return buffer.substr(0, buffer.find('\0'));
}

std::string cRegistry::RootText() const { return std::to_string(classKey_); }

std::string cRegistry::SetValueText(const Variant& value) const {
  return "Failed to set registry value Key: '" + RootText() + "',Section: '" + sectionKey_ + "',Key: '" + valueKey_ +
         "' to value: '" + platform::vb::CStr(value) + "'";
}

void cRegistry::Raise(std::int32_t number, const std::string& description) const {
  throw platform::RuntimeError(number, kErrorSource, description);
}

// INIFile ------------------------------------------------------------------

std::string INIFile::ReadOneCharacter(const std::string& name) {
  char buffer[2] = {0, 0};
  DWORD size = 2;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
    WriteString(name, "0", 2);
    return "0";
  }
  return std::string(1, buffer[0]);
}

bool INIFile::WriteString(const std::string& name, const std::string& text, DWORD size) {
  // Never hand the registry more bytes than the text and its NUL hold.
  size = std::min<DWORD>(size, static_cast<DWORD>(text.size() + 1));
  return RegSetValueExA(key_, name.c_str(), 0, 1, reinterpret_cast<const BYTE*>(text.c_str()), size) == ERROR_SUCCESS;
}

std::int16_t INIFile::ReadFlag(const std::string& name) { return ReadOneCharacter(name) == "1" ? 1 : 0; }

bool INIFile::WriteFlag(const std::string& name, std::int16_t flag) { return WriteString(name, std::to_string(flag), 2); }

std::int16_t INIFile::ReadNumber(const std::string& name) {
  std::string digit = ReadOneCharacter(name);
  return digit[0] >= '0' && digit[0] <= '9' ? static_cast<std::int16_t>(digit[0] - '0') : 0;
}

bool INIFile::WriteNumber(const std::string& name, std::int16_t number) { return WriteFlag(name, number); }

bool INIFile::WriteText(const std::string& name, const std::string& text) {
  std::string trimmed = platform::forms::Trim(text);
  return WriteString(name, trimmed, static_cast<DWORD>(trimmed.size() + 1));
}

std::string INIFile::ReadText(const std::string& name) {
  std::string buffer(256, '\0');
  DWORD size = 256;
  if (RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS) {
    WriteString(name, "", 1);
    return {};
  }
  return TrimNullChars(buffer);
}
