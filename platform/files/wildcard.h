#pragma once
// The one wildcard matcher of the layer: every search (FindFirstFileA, Dir,
// Kill, list boxes, FSO deletes) matches with it.
#include <string_view>

namespace platform::files {

// "*" any run; "?" one character, or none at the end or before a dot; "*"
// and "*.*" match everything; a trailing "." matches names without an
// extension. Case is ignored.
bool MatchesPattern(std::string_view pattern, std::string_view name);

// A name matches when its long name or its alias ("" = none) matches.
bool MatchesEntry(std::string_view pattern, std::string_view longName, std::string_view alias);

}  // namespace platform::files
