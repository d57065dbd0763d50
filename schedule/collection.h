#pragma once
// The runtime's Collection as the library's classes use it: 1-based
// positions, optional keys (case ignored), and For Each enumeration.
#include <optional>
#include <string>
#include <vector>

#include "platform/com/com_object.h"
#include "platform/com/unknown.h"
#include "schedule/schedule_interfaces.h"

namespace schedule {

template <typename T>
class Collection {
 public:
  using Ptr = platform::com::ComPtr<T>;

  long size() const { return static_cast<long>(items_.size()); }
  void Add(Ptr item, std::u16string key = {}) { items_.push_back({std::move(item), std::move(key)}); }
  void Clear() { items_.clear(); }
  // Null outside 1..size.
  T* At(long position) const {
    if (position < 1 || position > size()) return nullptr;
    return items_[position - 1].item.get();
  }
  bool RemoveAt(long position) {
    if (position < 1 || position > size()) return false;
    items_.erase(items_.begin() + (position - 1));
    return true;
  }
  // Position of the member with `key`, 0 when none.
  long Find(const std::u16string& key) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
      if (!key.empty() && EqualKeys(items_[i].key, key)) return static_cast<long>(i + 1);
    return 0;
  }
  std::vector<Ptr> Items() const {
    std::vector<Ptr> all;
    for (const auto& entry : items_) all.push_back(entry.item);
    return all;
  }

 private:
  static bool EqualKeys(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      char16_t x = a[i] >= u'a' && a[i] <= u'z' ? a[i] - 32 : a[i];
      char16_t y = b[i] >= u'a' && b[i] <= u'z' ? b[i] - 32 : b[i];
      if (x != y) return false;
    }
    return true;
  }
  struct Entry {
    Ptr item;
    std::u16string key;
  };
  std::vector<Entry> items_;
};

// For Each over a snapshot of a collection's members.
class ObjectEnumerator final : public platform::com::ComObject<IEnumVARIANT> {
 public:
  explicit ObjectEnumerator(std::vector<platform::com::ComPtr<IDispatch>> items, std::size_t position = 0)
      : items_(std::move(items)), position_(position) {}

  HRESULT QueryInterface(REFIID iid, void** object) override;
  HRESULT Next(ULONG count, VARIANT* items, ULONG* fetched) override;
  HRESULT Skip(ULONG count) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumVARIANT** copy) override;

 private:
  std::vector<platform::com::ComPtr<IDispatch>> items_;
  std::size_t position_;
};

template <typename T>
HRESULT NewEnumOf(const Collection<T>& collection, IUnknown** enumerator) {
  if (!enumerator) return E_POINTER;
  std::vector<platform::com::ComPtr<IDispatch>> items;
  for (auto& item : collection.Items()) items.push_back(platform::com::ComPtr<IDispatch>::Share(item.get()));
  *enumerator = static_cast<IEnumVARIANT*>(new ObjectEnumerator(std::move(items)));
  return S_OK;
}

}  // namespace schedule
