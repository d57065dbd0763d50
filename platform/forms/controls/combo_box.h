#pragma once
// ComboBox: Style 0 (free text, Change on edits) or 2 (drop-down list: Text
// is the selected item; assigning an item's text selects it, any other 383).
#include "platform/forms/control.h"
#include "platform/forms/controls/list_entries.h"

namespace platform::forms {

enum : int { vbComboDropdown = 0, vbComboSimple = 1, vbComboDropdownList = 2 };

class ComboBox : public Control {
 public:
  ComboBox(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), ControlKind::ComboBox, container, index) {}

  void AddItem(std::string text, std::optional<int> index = {});
  void RemoveItem(int index);  // outside the list: 5
  void Clear();
  std::string List(int index) const;  // outside the list: ""
  int ListCount() const { return static_cast<int>(entries_.size()); }
  int ListIndex() const { return listIndex_; }
  // -1..ListCount-1, else 380 (so 0 on an empty list is 380); Click on a change.
  void ListIndex(int index);
  std::string Text() const;
  void Text(std::string value);
  int Style() const { return style_; }
  void Style(int style);
  bool Sorted() const { return sorted_; }
  void Sorted(bool sorted) { sorted_ = sorted; }
  int NewIndex() const { return newIndex_; }
  std::int32_t ItemData(int index) const;
  void ItemData(int index, std::int32_t value);

  // The user edits the text (Style 0 and 1 only).
  void UserType(const std::string& text);

  std::vector<std::string> Items() const override { return EntryTexts(entries_); }
  Event<> Click, Change;

 protected:
  bool GetNamed(std::string_view property, Property& value) const override;
  bool LetNamed(std::string_view property, const Property& value) override;
  void OnUserClick(int item) override;

 private:
  int FindItem(const std::string& text) const;

  std::vector<ListEntry> entries_;
  std::string text_;
  int listIndex_ = -1, newIndex_ = -1, style_ = vbComboDropdown;
  bool sorted_ = false;
};

}  // namespace platform::forms
