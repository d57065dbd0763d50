#pragma once
// Fixtures for the browser cleaners: a machine of either family with the
// main window loaded, the shell folders of the current user, Internet
// Explorer's cookie index, and whole-key and whole-folder snapshots.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cleaning/RegistryHelper.h"
#include "cleaning/file_actions.h"
#include "cleaning/stored_values.h"
#include "engine_fixture.h"

namespace tessaly::testing {

inline std::string OsLabel(const ::testing::TestParamInfo<platform::OsKind>& info) {
  return info.param == platform::OsKind::WinXP ? "XP" : info.param == platform::OsKind::Win98 ? "Win98" : "Other";
}

class BrowserTest : public EngineTest, public ::testing::WithParamInterface<platform::OsKind> {
 public:
  // A cookie dialog whose rows were not read whole: OK with a ticked row
  // says so and leaves the dialog open with the tick.
  template <class Dialog>
  static void ExpectOkRefusedAfterAnIncompleteLoad(Dialog& dialog) {
    dialog.lstDelete.Selected(0, true);
    dialog.cmdOK_Click();
    EXPECT_EQ(LastBox(), "The cookies on display could not be read completely, so your selection cannot be saved. "
                         "Press Refresh to read them again.");
    EXPECT_TRUE(dialog.Visible());
    EXPECT_TRUE(dialog.lstDelete.Selected(0));
  }
  BrowserTest() : EngineTest(GetParam()) { InitSystemFolders(); }

  static std::string ShellFolder(const std::string& name) {
    return ReadTraceValue(
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders+ Value`= " + name);
  }
  static std::string ShortName(const std::string& path) {
    std::string shortPath = cleaning::ShortPathOf(path);
    return shortPath.substr(shortPath.find_last_of('\\') + 1);
  }
  static std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
  }
};

// One 256-byte index block: a signature and a text area (at byte 97).
struct IndexBlock {
  std::string signature;
  std::string area;
};

// A cookie area as Internet Explorer writes it: address, NUL, file, NUL.
inline std::string CookieArea(const std::string& user, const std::string& site, const std::string& file) {
  return "Cookie:" + user + "@" + site + std::string(1, '\0') + file + std::string(1, '\0');
}

// An index: the 20480-byte header, the blocks, then `tail` extra bytes.
inline std::string IndexDat(const std::vector<IndexBlock>& blocks, std::size_t tail = 0) {
  std::string bytes(20480, '\0');
  bytes.replace(0, 21, "Client UrlCache MMF V");
  for (const auto& block : blocks) {
    std::string raw(256, '\0');
    raw.replace(0, block.signature.size(), block.signature);
    raw.replace(97, std::min<std::size_t>(block.area.size(), 159), block.area.substr(0, 159));
    bytes += raw;
  }
  return bytes + std::string(tail, 'U');
}

// Every value of a key, whole.
inline std::vector<cleaning::StoredValue> KeyExport(HKEY root, const std::string& path) {
  std::vector<cleaning::StoredValue> values;
  EXPECT_TRUE(cleaning::ReadStoredValues(root, path, values)) << path;
  return values;
}

// Every file below a folder (relative path -> content), recursively.
inline void CollectTree(const std::string& folder, const std::string& prefix,
                        std::map<std::string, std::string>& files) {
  cleaning::ForEachEntry(folder + "\\", "*", [&](const cleaning::FoundEntry& entry) {
    if (entry.isDirectory()) {
      files[prefix + entry.name + "\\"] = "";
      CollectTree(folder + "\\" + entry.name, prefix + entry.name + "\\", files);
    } else {
      files[prefix + entry.name] = EngineTest::Content(folder + "\\" + entry.name);
    }
    return true;
  });
}
inline std::map<std::string, std::string> FolderTree(const std::string& folder) {
  std::map<std::string, std::string> files;
  CollectTree(folder, "", files);
  return files;
}

}  // namespace tessaly::testing
