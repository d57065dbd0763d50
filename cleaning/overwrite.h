#pragma once
// Overwriting a file in place: every byte on every pass, the pattern
// repeated block by block (the last block cut to the file's end), the file
// never extended, each pass flushed to the disk before the next begins. The
// message loop gets a turn after every block.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cleaning {

// OverwriteFile's result for a file whose data another name shares (a
// hard link): nothing was written.
constexpr int kSharedData = -1;

// Overwrites `path` with passes[0], passes[1], ... in order; each pattern's
// length is that pass's block size. `length` receives the file's length.
// Returns 0, kSharedData when the opened file has more than one link (it is
// left as it is), or the runtime error number of the failing step.
int OverwriteFile(const std::string& path, const std::vector<std::string_view>& passes, std::uint64_t& length);

// Test hook: called after each pass has reached the disk, with the path and
// the pass number (from 1). Null removes it.
void SetOverwritePassObserver(std::function<void(const std::string& path, int pass)> observer);

}  // namespace cleaning
