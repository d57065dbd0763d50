#include "platform/forms/controls/combo_box.h"

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"

namespace platform::forms {

void ComboBox::OnListIndex(int index) {
  if (index >= 0) text_ = List(index);
}

std::string ComboBox::Text() const {
  if (style_ == vbComboDropdownList) return List(ListIndex());
  return text_;
}

int ComboBox::FindItem(const std::string& text) const {
  for (int i = 0; i < ListCount(); ++i)
    if (EqualsNoCase(List(i), text)) return i;
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
  if (match >= 0 && match != ListIndex()) {
    SetListIndexQuietly(match);
    Click.Raise();
  } else if (match < 0) {
    SetListIndexQuietly(-1);
  }
}

void ComboBox::Style(int style) {
  if (style < 0 || style > 2) RaiseRuntimeError(380);
  style_ = style;
}

void ComboBox::UserType(const std::string& text) {
  if (!AcceptsInput() || style_ == vbComboDropdownList) return;
  if (text == text_) return;
  text_ = text;
  SetListIndexQuietly(FindItem(text));
  Change.Raise();
}

void ComboBox::OnUserClick(int item) {
  if (item < 0 || item >= ListCount()) return;
  SetListIndexQuietly(item);
  text_ = List(item);
  Click.Raise();
}

const ControlMembers& ComboBox::Members() const {
  static const ControlMembers members = ControlMembers::Extend<ComboBox>(ListControl::Members())
      .Property("Text", &ComboBox::Text, &ComboBox::Text);
  return members;
}

}  // namespace platform::forms
