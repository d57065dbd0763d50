#pragma once
// How the backup stand-in names a file inside its archive, and how a
// stored name turns back into a path it may write.
#include <optional>
#include <string>
#include <vector>

namespace platform::activex {

// "C:\Windows\x.dll" -> "C/WINDOWS/X.DLL" (UTF-8); nothing for a path that
// is not a full path on a drive.
std::optional<std::string> EntryNameOf(const std::string& windowsPath);

// The Windows path a stored entry is restored to: the recorded original
// (from the archive comment) when it names the same entry, else the entry
// name itself. Nothing when the name leaves its drive, names no mapped
// drive or holds a name no file may have.
std::optional<std::string> RestorePathOf(const std::string& entryName, const std::string& recordedPath);

// The recorded originals of an archive comment, one per line.
std::vector<std::string> RecordedPaths(const std::string& comment);
std::string RecordPaths(const std::vector<std::string>& paths);

}  // namespace platform::activex
