#pragma once
// Whole-file reads and writes over the kernel32 file calls, and putting a
// finished file in another's place so that a failure at any step leaves the
// old one whole.
#include <cstdint>
#include <string>
#include <vector>

using FileBytes = std::vector<std::uint8_t>;

bool IsPlainFile(const std::string& path);
// The whole file (an empty file gives no bytes); false when it cannot be read.
bool ReadWholeFile(const std::string& path, FileBytes& bytes);
// Creates or truncates the file and writes the bytes; a failed write leaves
// no file behind.
bool WriteWholeFile(const std::string& path, const FileBytes& bytes);
// The name the old output is kept under while `temporary` takes its place.
std::string SetAsideName(const std::string& output);
// Moves `temporary` over `output`. The old output is set aside first and
// put back when the new one cannot take its place; the aside copy is
// removed once the new output stands.
bool ReplaceFileWith(const std::string& temporary, const std::string& output);
