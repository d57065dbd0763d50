#include "platform/forms/controls/image_controls.h"

#include "platform/base/cp1252.h"
#include "platform/forms/controls/collection_keys.h"

namespace platform::forms {
namespace {

template <class T>
std::vector<std::string> KeysOf(const std::vector<T>& entries) {
  std::vector<std::string> keys;
  for (const auto& entry : entries) keys.push_back(entry.Key);
  return keys;
}

template <class T>
void Renumber(std::vector<T>& entries) {
  for (std::size_t i = 0; i < entries.size(); ++i) entries[i].Index = static_cast<int>(i) + 1;
}

template <class T>
T& Lookup(std::vector<T>& entries, const ItemRef& ref) {
  if (auto* index = std::get_if<int>(&ref)) {
    if (*index < 1 || *index > static_cast<int>(entries.size())) RaiseIndexOutOfBounds();
    return entries[*index - 1];
  }
  for (auto& entry : entries)
    if (!entry.Key.empty() && EqualsNoCase(entry.Key, std::get<std::string>(ref))) return entry;
  RaiseElementNotFound();
}

template <class T>
T& Insert(std::vector<T>& entries, std::optional<int> index, T entry) {
  int at = index ? *index - 1 : static_cast<int>(entries.size());
  if (at < 0 || at > static_cast<int>(entries.size())) RaiseIndexOutOfBounds();
  CheckNewKey(KeysOf(entries), entry.Key);
  entries.insert(entries.begin() + at, std::move(entry));
  Renumber(entries);
  return entries[at];
}

}  // namespace

ListImage& ImageList::Add(std::optional<int> index, std::string key, std::string tag) {
  return Insert(images_, index, ListImage{std::move(key), std::move(tag), 0});
}

ListImage& ImageList::ListImages(const ItemRef& ref) { return Lookup(images_, ref); }

ComboItem& ImageCombo::Add(std::optional<int> index, std::string key, std::string text, int image) {
  return Insert(items_, index, ComboItem{std::move(text), std::move(key), image, 0, false});
}

ComboItem& ImageCombo::ComboItems(const ItemRef& ref) { return Lookup(items_, ref); }

ComboItem* ImageCombo::SelectedItem() {
  for (auto& item : items_)
    if (item.Selected) return &item;
  return nullptr;
}

void ImageCombo::SelectedItem(ComboItem* chosen) {
  for (auto& item : items_) item.Selected = &item == chosen;
  text_ = chosen ? chosen->Text : std::string();
}

void ImageCombo::OnUserClick(int item) {
  if (item < 1 || item > Count()) return;
  SelectedItem(&items_[item - 1]);
  Click.Raise();
}

std::vector<std::string> ImageCombo::Items() const {
  std::vector<std::string> texts;
  for (const auto& item : items_) texts.push_back(item.Text);
  return texts;
}

}  // namespace platform::forms
