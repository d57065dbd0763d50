#pragma once
// ListView in report view: column headers, items with sub-items, keys,
// check boxes, selection and sorting.
#include <memory>
#include <unordered_map>
#include <variant>
#include <vector>

#include "platform/forms/control.h"

namespace platform::forms {

struct ColumnHeader {
  std::string Text, Tag, Key;
  float Width = 1440;
  int Index = 0;  // 1-based
};

struct ListSubItem {
  std::string Text;
  bool Bold = false;
  long ForeColor = 0;
};

class ListView;

class ListItem {
 public:
  std::string Text, Tag;
  bool Checked = false, Bold = false;
  long ForeColor = 0;
  // Given by Add and fixed: the view finds its items by it.
  const std::string& Key() const { return key_; }
  // 1-based; a sorted view puts the rows added since it last sorted in place first.
  int Index() const;
  bool Selected() const { return selected_; }
  // 1-based; outside 1..columns-1: 380.
  std::string SubItems(int i) const;
  void SubItems(int i, std::string text);
  ListSubItem& ListSubItems(int i);

 private:
  friend class ListView;
  std::string key_;
  int index_ = 0;
  bool selected_ = false;
  const ListView* view_ = nullptr;
  const std::vector<ColumnHeader>* columns_ = nullptr;
  std::vector<ListSubItem> subItems_;
};

using ItemRef = std::variant<int, std::string>;  // 1-based index or key

class ListView : public Control {
 public:
  ListView(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), ControlKind::ListView, container, index) {}

  int View() const { return view_; }
  void View(int value) { view_ = value; }
  bool Checkboxes() const { return checkboxes_; }
  void Checkboxes(bool value) { checkboxes_ = value; }
  bool FullRowSelect() const { return fullRowSelect_; }
  void FullRowSelect(bool value) { fullRowSelect_ = value; }

  // ColumnHeaders.
  ColumnHeader& AddColumn(std::optional<int> index, std::string key, std::string text, float width = 1440);
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  ColumnHeader& Column(int index);  // 1-based

  // ListItems. Appending costs the same at any size: keys are found
  // through an index, and a sorted view sorts the rows added since its last
  // sort once, when their places are next asked for.
  ListItem& Add(std::optional<int> index, std::string key, std::string text);
  ListItem& Item(const ItemRef& ref);
  int Count() const { return static_cast<int>(items_.size()); }
  void Remove(const ItemRef& ref);
  void Clear();

  // Nothing selected: null (using it raises 91 through SelectedItem()).
  ListItem* SelectedItemOrNull() const { return selected_; }
  ListItem& SelectedItem() const;
  void Select(ListItem* item);

  bool Sorted() const { return sorted_; }
  void Sorted(bool value);
  int SortKey() const { return sortKey_; }
  void SortKey(int value);
  int SortOrder() const { return sortOrder_; }
  void SortOrder(int value);
  // The item at (x, y) in twips: rows of 255 twips below a header row.
  ListItem* HitTest(float x, float y) const;

  // User actions.
  void UserClickColumn(int column);
  void UserClickItem(int index);
  void UserCheckItem(int index, bool checked);

  std::vector<std::string> Items() const override;

  Event<ColumnHeader&> ColumnClick;
  Event<ListItem&> ItemClick, ItemCheck;

  static constexpr float kRowHeight = 255;

 private:
  friend class ListItem;
  // Numbers the items from position `from` (0-based) on.
  void Reindex(std::size_t from = 0);
  void SortNow();
  // Sorts the rows added since the last sort, when there are any.
  void SortIfDue() const;

  std::vector<ColumnHeader> columns_;
  std::vector<std::unique_ptr<ListItem>> items_;
  std::unordered_map<std::string, ListItem*> byKey_;  // upper-case key -> item
  bool sortDue_ = false;
  ListItem* selected_ = nullptr;
  int view_ = 3, sortKey_ = 0, sortOrder_ = 0;
  bool checkboxes_ = false, fullRowSelect_ = false, sorted_ = false;
};

}  // namespace platform::forms
