#include "tools/dll_search.h"

#include <map>
#include <optional>

#include "platform/base/cp1252.h"
#include "platform/files/kernel32_files.h"
#include "platform/registry/advapi32.h"
#include "support/CRegister.h"
#include "tools/dll_paths.h"

namespace tools {
namespace {

using platform::forms::ListItem;
using platform::forms::ListView;

constexpr UINT kNoRootDrive = 1, kFixedDrive = 3;
constexpr int kDriveImage = 2;
constexpr int kMarkColumn = 4;

void CopyRow(const ListItem& row, ListView& to) {
  ListItem& copy = to.Add(std::nullopt, "", row.Text);
  for (int i = 1; i <= 3; ++i) copy.SubItems(i, row.SubItems(i));
}

std::string InprocServer(const std::string& classId) {
  CRegister registry;
  return registry.REGGetSetting(static_cast<std::int32_t>(HKEY_CLASSES_ROOT),
                                "CLSID\\" + classId + "\\InprocServer32", "", "");
}

}  // namespace

void LoadDllDrives(const platform::forms::DriveListBox& drives, platform::forms::TreeView& tree) {
  tree.Clear();
  for (int i = 0; i < drives.ListCount(); ++i) {
    std::string entry = platform::ToUpper(drives.List(i));
    if (entry.empty()) continue;
    std::string root = entry.substr(0, 1) + ":\\";
    UINT type = GetDriveTypeA(root.c_str());
    if (type != kFixedDrive && type != kNoRootDrive) continue;
    platform::forms::Node& drive = tree.Add(std::nullopt, 0, root, entry, kDriveImage);
    tree.Add(drive.Index(), platform::forms::tvwChild, "", "");
  }
}

std::vector<std::string> CheckedDllDriveRoots(platform::forms::TreeView& tree) {
  std::vector<std::string> roots;
  for (int i = 1; i <= tree.Count(); ++i) {
    platform::forms::Node& node = tree.Item(i);
    if (node.Checked && !node.Parent() && node.Text.size() >= 2) roots.push_back(node.Text.substr(0, 2) + "\\");
  }
  return roots;
}

void DropRegisteredServers(ListView& list, ListView& scratch, TypeLibraryClient& typeLibraries,
                           const std::string& windowsDir) {
  // Each file's first class, asked once.
  std::vector<std::optional<std::string>> classOf;
  for (int i = 1; i <= list.Count(); ++i) {
    list.Item(i).SubItems(kMarkColumn, "0");
    classOf.push_back(typeLibraries.FirstCoClass(list.Item(i).SubItems(3)));
  }
  std::vector<std::optional<std::string>> scratchClass;
  for (int i = 1; i <= list.Count(); ++i) {
    if (list.Item(i).SubItems(kMarkColumn) == "1") continue;
    CopyRow(list.Item(i), scratch);
    scratchClass.push_back(classOf[i - 1]);
    list.Item(i).SubItems(kMarkColumn, "1");
    if (!classOf[i - 1] || classOf[i - 1]->empty()) continue;
    for (int j = i + 1; j <= list.Count(); ++j) {
      if (list.Item(j).SubItems(kMarkColumn) == "1" || classOf[j - 1] != classOf[i - 1]) continue;
      CopyRow(list.Item(j), scratch);
      scratchClass.push_back(classOf[j - 1]);
      list.Item(j).SubItems(kMarkColumn, "1");
    }
  }
  std::map<std::string, std::string> registered;  // per class, read once
  for (int row = scratch.Count(); row >= 1; --row) {
    const auto& classId = scratchClass[row - 1];
    if (!classId || classId->empty()) continue;
    auto known = registered.find(*classId);
    if (known == registered.end())
      known = registered.emplace(*classId, RegisteredPath(InprocServer(*classId), windowsDir)).first;
    if (MayBeRegisteredAs(known->second, scratch.Item(row).SubItems(3))) scratch.Remove(row);
  }
  list.Clear();
  for (int i = 1; i <= scratch.Count(); ++i) CopyRow(scratch.Item(i), list);
  scratch.Clear();
}

}  // namespace tools
