#pragma once
// ImageList (ListImages with Key and Tag) and ImageCombo (ComboItems).
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/controls/list_view.h"

namespace platform::forms {

struct ListImage {
  std::string Key, Tag;
  int Index = 0;  // 1-based
};

class ImageList : public Control {
 public:
  ImageList(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), ControlKind::ImageList, container, index) {}
  ListImage& Add(std::optional<int> index = {}, std::string key = {}, std::string tag = {});
  int Count() const { return static_cast<int>(images_.size()); }
  ListImage& ListImages(const ItemRef& ref);

 private:
  std::vector<ListImage> images_;
};

struct ComboItem {
  std::string Text, Key;
  int Image = 0;
  int Index = 0;  // 1-based
  bool Selected = false;
};

class ImageCombo : public Control {
 public:
  ImageCombo(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), ControlKind::ImageCombo, container, index) {}
  ComboItem& Add(std::optional<int> index, std::string key, std::string text, int image = 0);
  int Count() const { return static_cast<int>(items_.size()); }
  ComboItem& ComboItems(const ItemRef& ref);
  // Null when nothing is selected.
  ComboItem* SelectedItem();
  // Selecting by code raises nothing; the user's choice raises Click.
  void SelectedItem(ComboItem* item);
  std::string Text() const { return text_; }
  void Text(std::string value) { text_ = std::move(value); }
  std::vector<std::string> Items() const override;
  Event<> Click;

 protected:
  void OnUserClick(int item) override;

 private:
  std::vector<ComboItem> items_;
  std::string text_;
};

}  // namespace platform::forms
