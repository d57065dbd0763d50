#pragma once
// Reads the target path of a shell-link (.lnk) file: the link information's
// local base path followed by its common path suffix.
#include <optional>
#include <string>
#include <string_view>

namespace cleaning {

// The target path ("" when the link names no path: shell-namespace items,
// installer-advertised shortcuts); nullopt when the bytes are not a shell
// link or are cut short.
std::optional<std::string> ShellLinkTarget(std::string_view bytes);

// The target of the shortcut file at `path`; nullopt when it cannot be read
// or is not a shell link.
std::optional<std::string> ReadShortcutTarget(const std::string& path);

}  // namespace cleaning
