#include "platform/forms/controls/list_entries.h"

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"

namespace platform::forms {

void ListControl::AddItem(std::string text, std::optional<int> index) {
  int count = ListCount();
  int position = count;
  if (index) {
    if (*index < 0 || *index > count) RaiseRuntimeError(5);
    position = *index;
  } else if (sorted_) {
    position = 0;
    while (position < count && CompareNoCase(entries_[position].text, text) <= 0) ++position;
  }
  entries_.insert(entries_.begin() + position, ListEntry{std::move(text)});
  if (listIndex_ >= position) ++listIndex_;
  newIndex_ = position;
}

void ListControl::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) RaiseRuntimeError(5);
  entries_.erase(entries_.begin() + index);
  if (listIndex_ == index) listIndex_ = -1;
  else if (listIndex_ > index) --listIndex_;
  newIndex_ = -1;
}

void ListControl::Clear() {
  entries_.clear();
  listIndex_ = -1;
  newIndex_ = -1;
  OnClear();
}

std::string ListControl::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  return entries_[index].text;
}

void ListControl::List(int index, std::string text) { EntryAt(index).text = std::move(text); }

void ListControl::ListIndex(int index) {
  if (index < -1 || index >= ListCount()) RaiseRuntimeError(380);
  if (index == listIndex_) return;
  listIndex_ = index;
  OnListIndex(index);
  Click.Raise();
}

ListEntry& ListControl::EntryAt(int index) {
  if (index < 0 || index >= ListCount()) RaiseRuntimeError(380);
  return entries_[index];
}

std::int32_t ListControl::ItemData(int index) const { return const_cast<ListControl*>(this)->EntryAt(index).itemData; }

void ListControl::ItemData(int index, std::int32_t value) { EntryAt(index).itemData = value; }

std::vector<std::string> ListControl::Items() const {
  std::vector<std::string> texts;
  texts.reserve(entries_.size());
  for (const auto& entry : entries_) texts.push_back(entry.text);
  return texts;
}

void ListControl::ReplaceEntries(const std::vector<std::string>& texts) {
  entries_.clear();
  for (const auto& text : texts) entries_.push_back(ListEntry{text});
  listIndex_ = -1;
  newIndex_ = -1;
}

const ControlMembers& ListControl::Members() const {
  static const ControlMembers members = ControlMembers::Extend<ListControl>(Control::Members())
      .Property("ListIndex", &ListControl::ListIndex, &ListControl::ListIndex)
      .Property("ListCount", &ListControl::ListCount);
  return members;
}

}  // namespace platform::forms
