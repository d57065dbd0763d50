#pragma once
// A list box that widens its horizontal scroll extent to its widest item
// and keeps the view scrolled to the right. Nothing creates one yet.
#include <string>

#include "platform/forms/controls/list_box.h"

class CLBHScroll {
 public:
  // Keeps the list box, clears it and forgets the widest width.
  void Init(platform::forms::ListBox& listBox);
  void AddItem(const std::string& itemText);

 private:
  platform::forms::ListBox* listBox_ = nullptr;
  float widest_ = 0;  // twips
};
