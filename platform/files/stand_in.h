#pragma once
// Stand-in binaries: program and library files of a machine are never run
// or loaded; their identity is a first line
//   MZ-STANDIN version=5.1.2600.0 typelib={...} coclass={...},{...} module=name
// ended by CR LF. Every reader of those fields (file versions, type
// libraries, COM activation) goes through here.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/wintypes.h"

namespace platform::files {

inline constexpr std::string_view kStandInMagic = "MZ-STANDIN";
// Only the first line counts; it is never longer than this.
inline constexpr std::size_t kStandInLineLimit = 4096;

struct StandInHeader {
  // Every key=value field of the line; keys in lower case, values as written.
  std::map<std::string, std::string> fields;

  // "a.b.c.d" when the version field has that form, else "".
  std::string version() const;
  std::string typelib() const;
  // The coclass field split at ",".
  std::vector<std::string> coclasses() const;
  std::string module() const;
  std::string field(std::string_view key) const;
};

// The header of a file's first bytes, or nothing when they do not begin
// with the stand-in line.
std::optional<StandInHeader> ParseStandInHeader(std::string_view firstBytes);

// Reads the header of a file on the bound machine: 0 and the header
// (nothing for a plain file), or the Win32 error of opening it.
DWORD ReadStandInHeader(std::string_view windowsPath, std::optional<StandInHeader>& header);

// The text of a stand-in's first line (for builders and tests), with CR LF.
std::string StandInLine(const std::vector<std::pair<std::string, std::string>>& fields);

}  // namespace platform::files
