#pragma once
// What list boxes and combo boxes share: their entries, the insertion rule,
// the list index and NewIndex, kept by one implementation.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/control.h"

namespace platform::forms {

struct ListEntry {
  std::string text;
  bool selected = false;
  std::int32_t itemData = 0;
};

class ListControl : public Control {
 public:
  // At `index` when given (outside 0..ListCount: 5), else in sorted order
  // (after equal texts) when Sorted, else at the end; NewIndex is where.
  void AddItem(std::string text, std::optional<int> index = {});
  // Outside the list: 5. The list index follows its entry (-1 when it was
  // the one removed); NewIndex becomes -1.
  void RemoveItem(int index);
  void Clear();
  std::string List(int index) const;  // outside the list: ""
  void List(int index, std::string text);  // outside the list: 380
  int ListCount() const { return static_cast<int>(entries_.size()); }
  int ListIndex() const { return listIndex_; }
  // -1..ListCount-1 (else 380, so 0 on an empty list is 380); a real
  // change raises Click.
  void ListIndex(int index);
  bool Sorted() const { return sorted_; }
  void Sorted(bool sorted) { sorted_ = sorted; }
  int NewIndex() const { return newIndex_; }
  std::int32_t ItemData(int index) const;  // outside the list: 380
  void ItemData(int index, std::int32_t value);

  std::vector<std::string> Items() const override;
  const ControlMembers& Members() const override;
  Event<> Click;

 protected:
  using Control::Control;
  // Called when ListIndex changes to `index`, before Click; and when the
  // entries are cleared.
  virtual void OnListIndex(int index) {}
  virtual void OnClear() {}
  // Replaces every entry (file and folder lists re-read themselves).
  void ReplaceEntries(const std::vector<std::string>& texts);
  std::vector<ListEntry>& entries() { return entries_; }
  const std::vector<ListEntry>& entries() const { return entries_; }
  // Moves the list index without raising anything.
  void SetListIndexQuietly(int index) { listIndex_ = index; }

 private:
  ListEntry& EntryAt(int index);  // outside the list: 380

  std::vector<ListEntry> entries_;
  int listIndex_ = -1, newIndex_ = -1;
  bool sorted_ = false;
};

}  // namespace platform::forms
