#include "platform/forms/controls/list_box.h"

#include <algorithm>

#include "platform/base/journal.h"
#include "platform/base/runtime_error.h"
#include "platform/forms/window_messages.h"

namespace platform::forms {

bool ListBox::Selected(int index) const {
  if (index < 0 || index >= ListCount()) RaiseRuntimeError(380);
  return singleSelection() ? index == ListIndex() : entries()[index].selected;
}

void ListBox::Selected(int index, bool selected) {
  if (index < 0 || index >= ListCount()) RaiseRuntimeError(380);
  if (singleSelection()) {
    if (selected) ListIndex(index);
    else if (index == ListIndex()) ListIndex(-1);
    return;
  }
  if (entries()[index].selected == selected) return;
  entries()[index].selected = selected;
  if (style_ == 1) ItemCheck.Raise(index);
  Click.Raise();
}

int ListBox::SelCount() const {
  if (singleSelection()) return ListIndex() >= 0 ? 1 : 0;
  return static_cast<int>(std::count_if(entries().begin(), entries().end(),
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

void ListBox::OnUserClick(int item) {
  if (item < 0 || item >= ListCount()) return;
  SetListIndexQuietly(item);
  if (style_ == 1) {
    Selected(item, !entries()[item].selected);
    return;
  }
  if (!singleSelection()) entries()[item].selected = !entries()[item].selected;
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

const ControlMembers& ListBox::Members() const {
  static const ControlMembers members = ControlMembers::Extend<ListBox>(ListControl::Members())
      .Property("Text", &ListBox::Text);
  return members;
}

}  // namespace platform::forms
