#pragma once
// Host files of the hives: read whole, written atomically (temporary file in
// the same folder, fsync, rename, fsync of the folder), so that a crash at
// any moment leaves the old file or the new one.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::registry {

// The file's bytes; nullopt when it does not exist. Throws MachineError when
// it exists but cannot be read.
std::optional<std::string> ReadHiveFile(const std::filesystem::path& file);

// Replaces `file` with `content` atomically. Throws MachineError on a host
// failure; the old file is then unchanged.
void WriteHiveFileAtomically(const std::filesystem::path& file, std::string_view content);

// The temporary file a write goes through before the rename.
std::filesystem::path HiveTemporaryFile(const std::filesystem::path& file);

namespace testing {
// Makes the next hive write stop after `bytes` bytes of the temporary file,
// as if the process died there: nothing is renamed, the partial temporary
// file stays, and the write throws MachineError. nullopt clears the fault.
void FailNextHiveWriteAfter(std::optional<std::size_t> bytes);
}  // namespace testing

}  // namespace platform::registry
