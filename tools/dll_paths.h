#pragma once
// How the DLL cleaner tells whether a path read from the registry names a
// file it found: environment strings are expanded whatever their letter
// case ("%systemroot%" is the Windows folder), a trailing type-library
// resource index ("\2") is dropped, and the two paths are compared by the
// files they name (long names or 8.3 aliases, any letter case).
#include <string>

namespace tools {

// The registered text as a path: expanded, without a resource index.
std::string RegisteredPath(const std::string& registered, const std::string& windowsDir);
// Whether a path is a full path on a drive ("X:\...").
bool IsFullPath(const std::string& path);
// Whether the two full paths name the same file.
bool SameFile(const std::string& a, const std::string& b);
// Whether a registered path may name `found`: the same file, or a bare or
// relative name (which the system would look for on its own search path)
// ending in the same file name. Unsure means yes.
bool MayBeRegisteredAs(const std::string& registered, const std::string& found);

}  // namespace tools
