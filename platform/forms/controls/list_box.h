#pragma once
// ListBox, including the check-box style (Style 1: ticked = Selected).
#include "platform/forms/control.h"
#include "platform/forms/controls/list_entries.h"

namespace platform::forms {

class ListBox : public Control {
 public:
  ListBox(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : ListBox(form, std::move(name), ControlKind::ListBox, container, index) {}

  void AddItem(std::string text, std::optional<int> index = {});
  void RemoveItem(int index);  // outside the list: 5
  void Clear();
  std::string List(int index) const;  // outside the list: ""
  void List(int index, std::string text);
  int ListCount() const { return static_cast<int>(entries_.size()); }
  int ListIndex() const { return listIndex_; }
  // -1..ListCount-1 (else 380); a real change raises Click.
  void ListIndex(int index);
  bool Selected(int index) const;  // outside the list: 380
  // A real change raises Click (the check-box style raises ItemCheck first).
  void Selected(int index, bool selected);
  int SelCount() const;
  std::string Text() const { return List(listIndex_); }
  int Style() const { return style_; }
  void Style(int style);  // 0 standard, 1 check boxes
  int MultiSelect() const { return multiSelect_; }
  void MultiSelect(int mode);  // 0 none, 1 simple, 2 extended
  bool Sorted() const { return sorted_; }
  void Sorted(bool sorted) { sorted_ = sorted; }
  int NewIndex() const { return newIndex_; }
  std::int32_t ItemData(int index) const;
  void ItemData(int index, std::int32_t value);
  // Kept from LB_SETHORIZONTALEXTENT (pixels).
  std::int32_t HorizontalExtent() const { return horizontalExtent_; }

  std::vector<std::string> Items() const override { return EntryTexts(entries_); }
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  Event<> Click, DblClick;
  Event<int> ItemCheck;  // Item

 protected:
  ListBox(Form& form, std::string name, ControlKind kind, Control* container, std::optional<int> index)
      : Control(form, std::move(name), kind, container, index) {}
  bool GetNamed(std::string_view property, Property& value) const override;
  bool LetNamed(std::string_view property, const Property& value) override;
  void OnUserClick(int item) override;
  // Replaces every entry (file and folder lists re-read themselves).
  void ReplaceEntries(const std::vector<std::string>& texts);

 private:
  bool singleSelection() const { return style_ == 0 && multiSelect_ == 0; }

  std::vector<ListEntry> entries_;
  int listIndex_ = -1, newIndex_ = -1, style_ = 0, multiSelect_ = 0;
  bool sorted_ = false;
  std::int32_t horizontalExtent_ = 0;
};

}  // namespace platform::forms
