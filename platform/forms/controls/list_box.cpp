#include "platform/forms/controls/list_box.h"

#include <algorithm>

#include "platform/base/journal.h"
#include "platform/base/runtime_error.h"
#include "platform/forms/window_messages.h"

namespace platform::forms {

void ListBox::AddItem(std::string text, std::optional<int> index) {
  int position = InsertPosition(entries_, text, index, sorted_);
  entries_.insert(entries_.begin() + position, ListEntry{std::move(text)});
  if (listIndex_ >= position) ++listIndex_;
  newIndex_ = position;
}

void ListBox::RemoveItem(int index) {
  CheckEntryIndex(entries_, index);
  entries_.erase(entries_.begin() + index);
  if (listIndex_ == index) listIndex_ = -1;
  else if (listIndex_ > index) --listIndex_;
  newIndex_ = -1;
}

void ListBox::Clear() {
  entries_.clear();
  listIndex_ = -1;
  newIndex_ = -1;
}

std::string ListBox::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  return entries_[index].text;
}

void ListBox::List(int index, std::string text) {
  if (index < 0 || index >= ListCount()) RaiseRuntimeError(380);
  entries_[index].text = std::move(text);
}

void ListBox::ListIndex(int index) {
  if (index < -1 || index >= ListCount()) RaiseRuntimeError(380);
  if (index == listIndex_) return;
  listIndex_ = index;
  Click.Raise();
}

bool ListBox::Selected(int index) const {
  if (index < 0 || index >= ListCount()) RaiseRuntimeError(380);
  return singleSelection() ? index == listIndex_ : entries_[index].selected;
}

void ListBox::Selected(int index, bool selected) {
  if (index < 0 || index >= ListCount()) RaiseRuntimeError(380);
  if (singleSelection()) {
    if (selected) ListIndex(index);
    else if (index == listIndex_) ListIndex(-1);
    return;
  }
  if (entries_[index].selected == selected) return;
  entries_[index].selected = selected;
  if (style_ == 1) ItemCheck.Raise(index);
  Click.Raise();
}

int ListBox::SelCount() const {
  if (singleSelection()) return listIndex_ >= 0 ? 1 : 0;
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                        [](const ListEntry& entry) { return entry.selected; }));
}

void ListBox::Style(int style) {
  if (style < 0 || style > 1) RaiseRuntimeError(380);
  style_ = style;
}

void ListBox::MultiSelect(int mode) {
  if (mode < 0 || mode > 2) RaiseRuntimeError(380);
  multiSelect_ = mode;
}

std::int32_t ListBox::ItemData(int index) const {
  if (index < 0 || index >= ListCount()) RaiseRuntimeError(380);
  return entries_[index].itemData;
}

void ListBox::ItemData(int index, std::int32_t value) {
  if (index < 0 || index >= ListCount()) RaiseRuntimeError(380);
  entries_[index].itemData = value;
}

void ListBox::ReplaceEntries(const std::vector<std::string>& texts) {
  entries_.clear();
  for (const auto& text : texts) entries_.push_back(ListEntry{text});
  listIndex_ = -1;
  newIndex_ = -1;
}

void ListBox::OnUserClick(int item) {
  if (item < 0 || item >= ListCount()) return;
  if (style_ == 1) {
    listIndex_ = item;
    Selected(item, !entries_[item].selected);
    return;
  }
  if (singleSelection()) {
    listIndex_ = item;
  } else {
    listIndex_ = item;
    entries_[item].selected = !entries_[item].selected;
  }
  Click.Raise();
}

LRESULT ListBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == LB_SETHORIZONTALEXTENT) {
    horizontalExtent_ = static_cast<std::int32_t>(wParam);
    TheJournal().Record("WindowMessage", {HexText(window()), HexText(message), std::to_string(wParam),
                                           std::to_string(lParam)});
    return 0;
  }
  return Control::OnMessage(message, wParam, lParam);
}

bool ListBox::GetNamed(std::string_view property, Property& value) const {
  if (property == "Text") return value = Text(), true;
  if (property == "ListIndex") return value = std::int32_t{listIndex_}, true;
  if (property == "ListCount") return value = std::int32_t{ListCount()}, true;
  return false;
}

bool ListBox::LetNamed(std::string_view property, const Property& value) {
  if (property == "ListIndex") return ListIndex(PropertyToLong(value)), true;
  return false;
}

}  // namespace platform::forms
