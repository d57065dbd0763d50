#include "platform/forms/controls/list_view.h"

#include <algorithm>

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"
#include "platform/forms/controls/collection_keys.h"

namespace platform::forms {

std::string ListItem::SubItems(int i) const {
  if (i < 1 || !columns_ || i >= static_cast<int>(columns_->size())) RaiseRuntimeError(380);
  return static_cast<std::size_t>(i) <= subItems_.size() ? subItems_[i - 1].Text : std::string();
}

void ListItem::SubItems(int i, std::string text) { ListSubItems(i).Text = std::move(text); }

ListSubItem& ListItem::ListSubItems(int i) {
  if (i < 1 || !columns_ || i >= static_cast<int>(columns_->size())) RaiseRuntimeError(380);
  if (subItems_.size() < static_cast<std::size_t>(i)) subItems_.resize(i);
  return subItems_[i - 1];
}

ColumnHeader& ListView::AddColumn(std::optional<int> index, std::string key, std::string text, float width) {
  int at = index ? *index - 1 : ColumnCount();
  if (at < 0 || at > ColumnCount()) RaiseIndexOutOfBounds();
  columns_.insert(columns_.begin() + at, ColumnHeader{std::move(text), "", std::move(key), width, 0});
  for (int i = 0; i < ColumnCount(); ++i) columns_[i].Index = i + 1;
  return columns_[at];
}

ColumnHeader& ListView::Column(int index) {
  if (index < 1 || index > ColumnCount()) RaiseIndexOutOfBounds();
  return columns_[index - 1];
}

ListItem& ListView::Add(std::optional<int> index, std::string key, std::string text) {
  int at = index ? *index - 1 : Count();
  if (at < 0 || at > Count()) RaiseIndexOutOfBounds();
  std::vector<std::string> keys;
  for (const auto& item : items_) keys.push_back(item->Key);
  CheckNewKey(keys, key);
  auto item = std::make_unique<ListItem>();
  item->Text = std::move(text);
  item->Key = std::move(key);
  item->columns_ = &columns_;
  ListItem& ref = *item;
  items_.insert(items_.begin() + at, std::move(item));
  if (sorted_) SortNow();
  Reindex();
  return ref;
}

ListItem& ListView::Item(const ItemRef& ref) {
  if (auto* index = std::get_if<int>(&ref)) {
    if (*index < 1 || *index > Count()) RaiseIndexOutOfBounds();
    return *items_[*index - 1];
  }
  const std::string& key = std::get<std::string>(ref);
  for (auto& item : items_)
    if (!item->Key.empty() && EqualsNoCase(item->Key, key)) return *item;
  RaiseElementNotFound();
}

void ListView::Remove(const ItemRef& ref) {
  ListItem* doomed = &Item(ref);
  if (selected_ == doomed) selected_ = nullptr;
  items_.erase(std::find_if(items_.begin(), items_.end(), [doomed](const auto& item) { return item.get() == doomed; }));
  Reindex();
}

void ListView::Clear() {
  items_.clear();
  selected_ = nullptr;
}

ListItem& ListView::SelectedItem() const {
  if (!selected_) RaiseRuntimeError(91);
  return *selected_;
}

void ListView::Select(ListItem* item) {
  if (selected_) selected_->selected_ = false;
  selected_ = item;
  if (item) item->selected_ = true;
}

void ListView::Sorted(bool value) {
  sorted_ = value;
  if (sorted_) SortNow();
}

void ListView::SortKey(int value) {
  if (value < 0) RaiseRuntimeError(380);
  sortKey_ = value;
  if (sorted_) SortNow();
}

void ListView::SortOrder(int value) {
  if (value < 0 || value > 1) RaiseRuntimeError(380);
  sortOrder_ = value;
  if (sorted_) SortNow();
}

void ListView::SortNow() {
  auto textOf = [this](const ListItem& item) -> std::string {
    if (sortKey_ == 0) return item.Text;
    return static_cast<std::size_t>(sortKey_) <= item.subItems_.size() ? item.subItems_[sortKey_ - 1].Text : "";
  };
  std::stable_sort(items_.begin(), items_.end(), [&](const auto& a, const auto& b) {
    int order = CompareNoCase(textOf(*a), textOf(*b));
    return sortOrder_ == 0 ? order < 0 : order > 0;
  });
  Reindex();
}

void ListView::Reindex() {
  for (int i = 0; i < Count(); ++i) items_[i]->index_ = i + 1;
}

ListItem* ListView::HitTest(float x, float y) const {
  if (x < 0 || y < kRowHeight) return nullptr;
  int row = static_cast<int>((y - kRowHeight) / kRowHeight);
  return row < Count() ? items_[row].get() : nullptr;
}

void ListView::UserClickColumn(int column) {
  if (AcceptsInput() && column >= 1 && column <= ColumnCount()) ColumnClick.Raise(columns_[column - 1]);
}

void ListView::UserClickItem(int index) {
  if (!AcceptsInput() || index < 1 || index > Count()) return;
  Select(items_[index - 1].get());
  ItemClick.Raise(*items_[index - 1]);
}

void ListView::UserCheckItem(int index, bool checked) {
  if (!AcceptsInput() || !checkboxes_ || index < 1 || index > Count()) return;
  ListItem& item = *items_[index - 1];
  if (item.Checked == checked) return;
  item.Checked = checked;
  ItemCheck.Raise(item);
}

std::vector<std::string> ListView::Items() const {
  std::vector<std::string> texts;
  for (const auto& item : items_) texts.push_back(item->Text);
  return texts;
}

}  // namespace platform::forms
