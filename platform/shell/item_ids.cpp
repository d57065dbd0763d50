#include "platform/shell/item_ids.h"

#include "platform/com/com_memory.h"

struct ITEMIDLIST {
  std::string path;         // "" for a virtual item
  std::string displayName;  // the item's last name
};

namespace platform::shell {

LPITEMIDLIST NewItemIdList(std::string path, std::string displayName) {
  auto* list = new ITEMIDLIST{std::move(path), std::move(displayName)};
  com::AdoptTaskMemory(list, [](void* p) { delete static_cast<ITEMIDLIST*>(p); });
  return list;
}

bool ItemIdListPath(LPCITEMIDLIST pidl, std::string& path) {
  if (!pidl || !com::IsLiveTaskMemory(pidl)) return false;
  path = pidl->path;
  return true;
}

std::string ItemIdListName(LPCITEMIDLIST pidl) {
  if (!pidl || !com::IsLiveTaskMemory(pidl)) return {};
  return pidl->displayName;
}

}  // namespace platform::shell
