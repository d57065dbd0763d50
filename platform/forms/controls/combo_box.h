#pragma once
// ComboBox: Style 0 (free text, Change on edits) or 2 (drop-down list: Text
// is the selected item; assigning an item's text selects it, any other 383).
#include "platform/forms/controls/list_entries.h"

namespace platform::forms {

enum : int { vbComboDropdown = 0, vbComboSimple = 1, vbComboDropdownList = 2 };

class ComboBox : public ListControl {
 public:
  ComboBox(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : ListControl(form, std::move(name), ControlKind::ComboBox, container, index) {}

  std::string Text() const;
  void Text(std::string value);
  int Style() const { return style_; }
  void Style(int style);

  // The user edits the text (Style 0 and 1 only).
  void UserType(const std::string& text);

  Event<> Change;

 protected:
  const ControlMembers& Members() const override;
  void OnUserClick(int item) override;
  void OnListIndex(int index) override;
  void OnClear() override { text_.clear(); }

 private:
  int FindItem(const std::string& text) const;

  std::string text_;
  int style_ = vbComboDropdown;
};

}  // namespace platform::forms
