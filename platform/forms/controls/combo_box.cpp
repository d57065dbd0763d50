#include "platform/forms/controls/combo_box.h"

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"

namespace platform::forms {

void ComboBox::AddItem(std::string text, std::optional<int> index) {
  int position = InsertPosition(entries_, text, index, sorted_);
  entries_.insert(entries_.begin() + position, ListEntry{std::move(text)});
  if (listIndex_ >= position) ++listIndex_;
  newIndex_ = position;
}

void ComboBox::RemoveItem(int index) {
  CheckEntryIndex(entries_, index);
  entries_.erase(entries_.begin() + index);
  if (listIndex_ == index) listIndex_ = -1;
  else if (listIndex_ > index) --listIndex_;
}

void ComboBox::Clear() {
  entries_.clear();
  listIndex_ = -1;
  newIndex_ = -1;
  text_.clear();
}

std::string ComboBox::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  return entries_[index].text;
}

void ComboBox::ListIndex(int index) {
  if (index < -1 || index >= ListCount()) RaiseRuntimeError(380);
  if (index == listIndex_) return;
  listIndex_ = index;
  if (index >= 0) text_ = entries_[index].text;
  Click.Raise();
}

std::string ComboBox::Text() const {
  if (style_ == vbComboDropdownList) return List(listIndex_);
  return text_;
}

int ComboBox::FindItem(const std::string& text) const {
  for (int i = 0; i < ListCount(); ++i)
    if (EqualsNoCase(entries_[i].text, text)) return i;
  return -1;
}

void ComboBox::Text(std::string value) {
  int match = FindItem(value);
  if (style_ == vbComboDropdownList) {
    if (match < 0) RaiseRuntimeError(383);
    ListIndex(match);
    return;
  }
  bool changed = value != text_;
  text_ = std::move(value);
  if (changed) Change.Raise();
  if (match >= 0 && match != listIndex_) {
    listIndex_ = match;
    Click.Raise();
  } else if (match < 0) {
    listIndex_ = -1;
  }
}

void ComboBox::Style(int style) {
  if (style < 0 || style > 2) RaiseRuntimeError(380);
  style_ = style;
}

std::int32_t ComboBox::ItemData(int index) const {
  if (index < 0 || index >= ListCount()) RaiseRuntimeError(380);
  return entries_[index].itemData;
}

void ComboBox::ItemData(int index, std::int32_t value) {
  if (index < 0 || index >= ListCount()) RaiseRuntimeError(380);
  entries_[index].itemData = value;
}

void ComboBox::UserType(const std::string& text) {
  if (!AcceptsInput() || style_ == vbComboDropdownList) return;
  if (text == text_) return;
  text_ = text;
  listIndex_ = FindItem(text);
  Change.Raise();
}

void ComboBox::OnUserClick(int item) {
  if (item < 0 || item >= ListCount()) return;
  listIndex_ = item;
  text_ = entries_[item].text;
  Click.Raise();
}

bool ComboBox::GetNamed(std::string_view property, Property& value) const {
  if (property == "Text") return value = Text(), true;
  if (property == "ListIndex") return value = std::int32_t{listIndex_}, true;
  if (property == "ListCount") return value = std::int32_t{ListCount()}, true;
  return false;
}

bool ComboBox::LetNamed(std::string_view property, const Property& value) {
  if (property == "Text") return Text(PropertyToText(value)), true;
  if (property == "ListIndex") return ListIndex(PropertyToLong(value)), true;
  return false;
}

}  // namespace platform::forms
