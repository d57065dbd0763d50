#pragma once
// The text of an INI file as the profile calls see it: parsing a file's bytes
// (Windows-1252) into sections and keys, and edits that rewrite only the
// lines they change. Pure functions; no file access.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform::profile {

struct IniLine {
  enum class Kind { Blank, Comment, Section, Key };

  std::size_t begin = 0;      // offset of the line's first byte
  std::size_t length = 0;     // bytes before the line end
  std::size_t endLength = 0;  // 2 for CR LF, 1 for LF or CR, 0 at the end of a file without one
  Kind kind = Kind::Blank;
  std::string name;   // section name or key name, trimmed
  std::string value;  // key value, trimmed, one pair of quotes removed

  std::size_t end() const { return begin + length + endLength; }
};

struct IniSection {
  std::string name;
  std::size_t header = 0;         // index of its "[name]" line
  std::size_t end = 0;            // index one past its last line
  std::vector<std::size_t> keys;  // indexes of its key lines, in file order
};

// Keeps a view of the bytes: they must outlive the document.
class IniDocument {
 public:
  explicit IniDocument(std::string_view bytes);

  const std::vector<IniLine>& lines() const { return lines_; }
  // The first section or key of that name (case-insensitive, blanks around the
  // name ignored); null when there is none.
  const IniSection* FindSection(std::string_view name) const;
  const IniLine* FindKey(const IniSection& section, std::string_view key) const;

  // Names in file order; a repeated name is listed once, as first written.
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(const IniSection& section) const;
  // The section's key lines as written, without their line ends.
  std::vector<std::string> KeyLines(const IniSection& section) const;

 private:
  std::string_view bytes_;
  std::vector<IniLine> lines_;
  std::vector<IniSection> sections_;
  std::unordered_map<std::string, std::size_t> firstSection_;  // upper-case name -> its first section
};

// Edits. Each returns the file's new bytes; every line the edit does not
// change is kept byte for byte, new lines end in CR LF.

// Replaces the first line of `key` with "key=value", else appends it after the
// section's last key line, else appends the section at the end of the file.
std::string SetIniValue(std::string_view bytes, std::string_view section, std::string_view key,
                        std::string_view value);
// Removes the first line of `key`.
std::string RemoveIniKey(std::string_view bytes, std::string_view section, std::string_view key);
// Removes the section's header and every line up to the next section.
std::string RemoveIniSection(std::string_view bytes, std::string_view section);
// Replaces the section's key lines with `lines` (one "key=value" text each),
// creating the section at the end when it is missing.
std::string ReplaceIniSection(std::string_view bytes, std::string_view section,
                              const std::vector<std::string>& lines);

}  // namespace platform::profile
