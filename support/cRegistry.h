#pragma once
// The stateful registry class: set the root, key path, value name, type and
// default, then act. Values travel as variants; failures raise numbered errors
// with the source "tsy.cRegistry".
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/wintypes.h"
#include "support/variant.h"

class cRegistry {
 public:
  std::string Machine() const { return machine_; }
  // Three or more characters are stored with a leading "\\"; shorter clears.
  void Machine(const std::string& sMachine);

  bool KeyExists();
  bool CreateKey();
  bool DeleteKey();
  bool DeleteValue();
  Variant Value();
  void Value(const Variant& vValue);
  // The lists are 1-based as the runtime's arrays were: entries 1..count, index 0 unused.
  bool EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount);
  bool EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount);
  void CreateEXEAssociation(std::string sExePath, const std::string& sClassName, const std::string& sClassDescription,
                            const std::string& sAssociation, const std::string& sOpenMenuText, bool bSupportPrint,
                            const std::string& sPrintMenuText, bool bSupportNew, const std::string& sNewMenuText,
                            bool bSupportInstall, const std::string& sInstallMenuText, std::int32_t lDefaultIconIndex);
  void CreateAdditionalEXEAssociations(const std::string& sClassName, const std::vector<Variant>& vItems);

  std::int32_t ValueType() const { return valueType_; }
  void ValueType(std::int32_t eValueType) { valueType_ = eValueType; }
  std::int32_t ClassKey() const { return classKey_; }
  void ClassKey(std::int32_t eKey) { classKey_ = eKey; }
  std::string SectionKey() const { return sectionKey_; }
  void SectionKey(const std::string& sSectionKey) { sectionKey_ = sSectionKey; }
  std::string ValueKey() const { return valueKey_; }
  void ValueKey(const std::string& sValueKey) { valueKey_ = sValueKey; }
  Variant Default() const { return default_; }
  void Default(const Variant& vDefault) { default_ = vDefault; }
  Variant ValueEx(std::int32_t eClassKey, const std::string& sSectionKey, const std::string& sValueKey,
                  std::int32_t eValueType, const Variant& vDefault);
  void ValueEx(std::int32_t eClassKey, const std::string& sSectionKey, const std::string& sValueKey,
               std::int32_t eValueType, const Variant& vDefault, Variant NewValue);

  // %NAME% expanded as the machine's environment gives it (names in any case).
  static std::string ExpandEnvStr(const std::string& text);

 private:
  void SetClassesValue(const std::string& text);
  static std::int32_t CopyBytesToValue(std::int32_t value);
  std::string RootText() const;
  std::string SetValueText(const Variant& value) const;
  [[noreturn]] void Raise(std::int32_t number, const std::string& description) const;

  std::int32_t classKey_ = 0;
  std::string sectionKey_;
  std::string valueKey_;
  Variant default_;
  std::int32_t valueType_ = 0;
  std::string machine_;
};

// Errors of the class.
inline constexpr std::int32_t kRegistryError = 26001;
inline constexpr std::int32_t kRegistrySetValueError = static_cast<std::int32_t>(0x800469A9u);
inline constexpr std::int32_t kRegistryEnumerateError = static_cast<std::int32_t>(0x800469AAu);
inline constexpr std::int32_t kRegistryParameterListError = static_cast<std::int32_t>(0x800469ACu);
inline constexpr std::int32_t kRegistryClassMissingError = static_cast<std::int32_t>(0x800469ADu);

// Six string-value operations over a registry key handle that nothing sets,
// so on a real system every call fails with an invalid handle. The writers
// answer true when the write succeeded.
class INIFile {
 public:
  std::int16_t ReadFlag(const std::string& name);
  bool WriteFlag(const std::string& name, std::int16_t flag);
  std::int16_t ReadNumber(const std::string& name);
  bool WriteNumber(const std::string& name, std::int16_t number);
  bool WriteText(const std::string& name, const std::string& text);
  std::string ReadText(const std::string& name);

 private:
  std::string ReadOneCharacter(const std::string& name);
  bool WriteString(const std::string& name, const std::string& text, DWORD size);

  HKEY key_ = 0;
};
