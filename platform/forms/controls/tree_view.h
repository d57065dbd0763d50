#pragma once
// TreeView: nodes in add order (1-based), related to a relative node.
#include <memory>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/controls/list_view.h"

namespace platform::forms {

enum : int { tvwFirst = 0, tvwLast = 1, tvwNext = 2, tvwPrevious = 3, tvwChild = 4 };

class Node {
 public:
  std::string Text, Key, Tag;
  int Image = 0;
  bool Checked = false;
  int Index() const { return index_; }
  Node* Parent() const { return parent_; }
  int Children() const { return children_; }

 private:
  friend class TreeView;
  int index_ = 0;
  Node* parent_ = nullptr;
  int children_ = 0;
};

class TreeView : public Control {
 public:
  TreeView(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), ControlKind::TreeView, container, index) {}
  bool Checkboxes() const { return checkboxes_; }
  void Checkboxes(bool value) { checkboxes_ = value; }

  // Nodes.Add: a child of `relative` with tvwChild, else a sibling of it (a
  // root without a relative). A missing relative raises 35601.
  Node& Add(std::optional<ItemRef> relative, int relationship, std::string key, std::string text, int image = 0);
  Node& Item(const ItemRef& ref);
  int Count() const { return static_cast<int>(nodes_.size()); }
  void Clear() { nodes_.clear(); }
  // The user ticks a node's box (NodeCheck).
  void UserCheckNode(int index, bool checked);

  std::vector<std::string> Items() const override;
  Event<Node&> NodeCheck, NodeClick;

 private:
  std::vector<std::unique_ptr<Node>> nodes_;  // add order
  bool checkboxes_ = false;
};

}  // namespace platform::forms
