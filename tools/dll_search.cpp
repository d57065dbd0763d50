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
  // Each file's first class, asked once; the rows of each class in list order.
  std::vector<std::optional<std::string>> classOf;
  std::map<std::string, std::vector<int>> rowsOfClass;
  for (int i = 1; i <= list.Count(); ++i) {
    list.Item(i).SubItems(kMarkColumn, "0");
    classOf.push_back(typeLibraries.FirstCoClass(list.Item(i).SubItems(3)));
    if (classOf.back() && !classOf.back()->empty()) rowsOfClass[*classOf.back()].push_back(i);
  }
  // A class's first row brings every later row of its class right after it.
  std::vector<const std::optional<std::string>*> scratchClass;
  auto take = [&](int i) {
    CopyRow(list.Item(i), scratch);
    scratchClass.push_back(&classOf[i - 1]);
    list.Item(i).SubItems(kMarkColumn, "1");
  };
  for (int i = 1; i <= list.Count(); ++i) {
    if (list.Item(i).SubItems(kMarkColumn) == "1") continue;
    const auto& classId = classOf[i - 1];
    if (!classId || classId->empty()) take(i);
    else
      for (int j : rowsOfClass[*classId]) take(j);
  }
  std::map<std::string, std::string> registered;  // per class, read once
  std::vector<bool> kept(scratchClass.size(), true);
  for (std::size_t row = 0; row < scratchClass.size(); ++row) {
    const auto& classId = *scratchClass[row];
    if (!classId || classId->empty()) continue;
    auto known = registered.find(*classId);
    if (known == registered.end())
      known = registered.emplace(*classId, RegisteredPath(InprocServer(*classId), windowsDir)).first;
    kept[row] = !MayBeRegisteredAs(known->second, scratch.Item(static_cast<int>(row) + 1).SubItems(3));
  }
  list.Clear();
  for (std::size_t row = 0; row < kept.size(); ++row)
    if (kept[row]) CopyRow(scratch.Item(static_cast<int>(row) + 1), list);
  scratch.Clear();
}

}  // namespace tools
