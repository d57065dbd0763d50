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
  // A place among sorted rows counts among them as they now stand.
  if (index) SortIfDue();
  int at = index ? *index - 1 : Count();
  if (at < 0 || at > Count()) RaiseIndexOutOfBounds();
  std::string upperKey = ToUpper(key);
  CheckNewKey(key, !key.empty() && byKey_.count(upperKey) != 0);
  auto item = std::make_unique<ListItem>();
  item->Text = std::move(text);
  item->key_ = std::move(key);
  item->view_ = this;
  item->columns_ = &columns_;
  ListItem& ref = *item;
  items_.insert(items_.begin() + at, std::move(item));
  if (!ref.key_.empty()) byKey_.emplace(std::move(upperKey), &ref);
  Reindex(static_cast<std::size_t>(at));
  if (sorted_) sortDue_ = true;
  return ref;
}

ListItem& ListView::Item(const ItemRef& ref) {
  if (auto* index = std::get_if<int>(&ref)) {
    if (*index < 1 || *index > Count()) RaiseIndexOutOfBounds();
    SortIfDue();
    return *items_[*index - 1];
  }
  const std::string& key = std::get<std::string>(ref);
  auto found = byKey_.find(ToUpper(key));
  if (key.empty() || found == byKey_.end()) RaiseElementNotFound();
  return *found->second;
}

void ListView::Remove(const ItemRef& ref) {
  ListItem* doomed = &Item(ref);
  if (selected_ == doomed) selected_ = nullptr;
  if (!doomed->key_.empty()) byKey_.erase(ToUpper(doomed->key_));
  SortIfDue();
  auto at = std::find_if(items_.begin(), items_.end(), [doomed](const auto& item) { return item.get() == doomed; });
  std::size_t from = static_cast<std::size_t>(at - items_.begin());
  items_.erase(at);
  Reindex(from);
}

void ListView::Clear() {
  items_.clear();
  byKey_.clear();
  selected_ = nullptr;
  sortDue_ = false;
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

// Rows added while sorted keep the places that order gave them.
void ListView::Sorted(bool value) {
  SortIfDue();
  sorted_ = value;
  if (sorted_) SortNow();
}

void ListView::SortKey(int value) {
  if (value < 0) RaiseRuntimeError(380);
  SortIfDue();
  sortKey_ = value;
  if (sorted_) SortNow();
}

void ListView::SortOrder(int value) {
  if (value < 0 || value > 1) RaiseRuntimeError(380);
  SortIfDue();
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
  sortDue_ = false;
  Reindex();
}

void ListView::SortIfDue() const {
  // Sorting moves rows but changes no row: the view stays the same view.
  if (sortDue_) const_cast<ListView*>(this)->SortNow();
}

int ListItem::Index() const {
  if (view_) view_->SortIfDue();
  return index_;
}

void ListView::Reindex(std::size_t from) {
  for (std::size_t i = from; i < items_.size(); ++i) items_[i]->index_ = static_cast<int>(i) + 1;
}

ListItem* ListView::HitTest(float x, float y) const {
  if (x < 0 || y < kRowHeight) return nullptr;
  SortIfDue();
  int row = static_cast<int>((y - kRowHeight) / kRowHeight);
  return row < Count() ? items_[row].get() : nullptr;
}

void ListView::UserClickColumn(int column) {
  if (AcceptsInput() && column >= 1 && column <= ColumnCount()) ColumnClick.Raise(columns_[column - 1]);
}

void ListView::UserClickItem(int index) {
  if (!AcceptsInput() || index < 1 || index > Count()) return;
  SortIfDue();
  Select(items_[index - 1].get());
  ItemClick.Raise(*items_[index - 1]);
}

void ListView::UserCheckItem(int index, bool checked) {
  if (!AcceptsInput() || !checkboxes_ || index < 1 || index > Count()) return;
  SortIfDue();
  ListItem& item = *items_[index - 1];
  if (item.Checked == checked) return;
  item.Checked = checked;
  ItemCheck.Raise(item);
}

std::vector<std::string> ListView::Items() const {
  SortIfDue();
  std::vector<std::string> texts;
  for (const auto& item : items_) texts.push_back(item->Text);
  return texts;
}

}  // namespace platform::forms
