#pragma once
// ListBox, including the check-box style (Style 1: ticked = Selected).
#include "platform/forms/controls/list_entries.h"

namespace platform::forms {

class ListBox : public ListControl {
 public:
  ListBox(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : ListBox(form, std::move(name), ControlKind::ListBox, container, index) {}

  bool Selected(int index) const;  // outside the list: 380
  // A real change raises Click (the check-box style raises ItemCheck first).
  void Selected(int index, bool selected);
  int SelCount() const;
  std::string Text() const { return List(ListIndex()); }
  int Style() const { return style_; }
  void Style(int style);  // 0 standard, 1 check boxes
  int MultiSelect() const { return multiSelect_; }
  void MultiSelect(int mode);  // 0 none, 1 simple, 2 extended
  // Kept from LB_SETHORIZONTALEXTENT (pixels).
  std::int32_t HorizontalExtent() const { return horizontalExtent_; }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  Event<> DblClick;
  Event<int> ItemCheck;  // Item

 protected:
  ListBox(Form& form, std::string name, ControlKind kind, Control* container, std::optional<int> index)
      : ListControl(form, std::move(name), kind, container, index) {}
  const ControlMembers& Members() const override;
  void OnUserClick(int item) override;

 private:
  bool singleSelection() const { return style_ == 0 && multiSelect_ == 0; }

  int style_ = 0, multiSelect_ = 0;
  std::int32_t horizontalExtent_ = 0;
};

}  // namespace platform::forms
