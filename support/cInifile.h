#pragma once
// An INI file as an object: set path, Section, Key and Default, then read or
// write Value or work on the whole section or file. Every text goes to the
// profile calls unchanged; an absent text (nullopt) goes as a null pointer,
// which the profile calls give their own meanings (null path: WIN.INI; null
// section: list the sections; null key: list or remove the section).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/form_position.h"

class cInifile {
 public:
  using Text = std::optional<std::string>;

  std::int32_t LastReturnCode() const { return lastReturnCode_; }
  bool Success() const { return lastReturnCode_ != 0; }

  const Text& Default() const { return default_; }
  void SetDefault(Text sDefault) { default_ = std::move(sDefault); }
  const Text& path() const { return path_; }
  void SetPath(Text sPath) { path_ = std::move(sPath); }
  const Text& Key() const { return key_; }
  void SetKey(Text sKey) { key_ = std::move(sKey); }
  const Text& Section() const { return section_; }
  void SetSection(Text sSection) { section_ = std::move(sSection); }

  // The current key's value through a 255-character buffer: at most 254
  // characters; Default when the key or file is missing.
  std::string Value() const;
  // Writes the value with every NUL taken out; the result goes to
  // LastReturnCode.
  void SetValue(std::string_view sValue);
  void DeleteKey();
  void DeleteSection();

  // The current section's key names, each followed by NUL (8192 buffer).
  std::string INISection() const;
  // Replaces the current section's key lines with `sSection` ("key=value"
  // texts separated by NULs); the section itself stays.
  void SetINISection(std::string_view sSection);
  // The file's section names, each followed by NUL (8192 buffer).
  std::string Sections() const;

  // Lists into a 1-based array: element 0 of the vector is unused and the
  // names sit at 1..iCount; with no names the vector is empty. Current
  // section: every piece, empty ones too; all sections: empty pieces skipped.
  void EnumerateCurrentSection(std::vector<std::string>& sKey, std::int32_t& iCount) const;
  void EnumerateAllSections(std::vector<std::string>& sSections, std::int32_t& iCount) const;

  // Stores and restores a window's state, place and size under the keys
  // "Maximised", "Left", "Top", "Width", "Height" of the current section.
  // Any runtime error (overflow included) is caught: Key and Default are put
  // back and LastReturnCode becomes 0.
  void SaveFormPosition(const FormPositionTarget& frmThis);
  void LoadFormPosition(FormPositionTarget& frmThis, std::int32_t lMinWidth = 3000, std::int32_t lMinHeight = 3000);

  // The text as a Long (nearest, half to even), or lDefault when it is not one.
  static std::int32_t CLngDefault(std::string_view sString, std::int32_t lDefault = 0);

 private:
  // The first n characters of a `size`-character buffer of blanks, n being
  // the count the profile read returns.
  std::string Read(const char* section, const char* key, std::uint32_t size) const;
  void Write(const char* key, const char* value);

  Text path_;
  Text key_;
  Text section_;
  Text default_;
  std::int32_t lastReturnCode_ = 0;
};

// The built-in plug-in catalogue's instance, created on first use by
// PluginIni(). It is never given a path, so it reads WIN.INI.
extern std::unique_ptr<cInifile> g_PluginIni;
cInifile& PluginIni();
