#pragma once
// Things that sit where a machine keeps a plain file but are not one: a
// named pipe (opening it for reading waits for a writer), a device node, a
// folder, a link that leads nowhere.
#include <filesystem>
#include <string>
#include <vector>

namespace tessaly::testing {

enum class OddFile { NamedPipe, Device, Folder, DanglingLink };

struct OddFileCase {
  OddFile kind;
  const char* name;  // for test messages
  const char* what;  // what the refusal calls it
};
const std::vector<OddFileCase>& OddFileCases();

// Replaces whatever is at `file` with `kind`; false when the host does not
// let this process make it (a device node needs the right to make one).
bool PutOddFile(const std::filesystem::path& file, OddFile kind);

}  // namespace tessaly::testing
