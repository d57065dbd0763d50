#include "platform/forms/controls/tree_view.h"

#include "platform/base/cp1252.h"
#include "platform/forms/controls/collection_keys.h"

namespace platform::forms {

Node& TreeView::Add(std::optional<ItemRef> relative, int relationship, std::string key, std::string text,
                    int image) {
  Node* parent = nullptr;
  if (relative) {
    Node& related = Item(*relative);
    parent = relationship == tvwChild ? &related : related.parent_;
  }
  std::vector<std::string> keys;
  for (const auto& node : nodes_) keys.push_back(node->Key);
  CheckNewKey(keys, key);
  auto node = std::make_unique<Node>();
  node->Text = std::move(text);
  node->Key = std::move(key);
  node->Image = image;
  node->parent_ = parent;
  node->index_ = Count() + 1;
  if (parent) ++parent->children_;
  nodes_.push_back(std::move(node));
  return *nodes_.back();
}

Node& TreeView::Item(const ItemRef& ref) {
  if (auto* index = std::get_if<int>(&ref)) {
    if (*index < 1 || *index > Count()) RaiseIndexOutOfBounds();
    return *nodes_[*index - 1];
  }
  for (auto& node : nodes_)
    if (!node->Key.empty() && EqualsNoCase(node->Key, std::get<std::string>(ref))) return *node;
  RaiseElementNotFound();
}

void TreeView::UserCheckNode(int index, bool checked) {
  if (!AcceptsInput() || !checkboxes_ || index < 1 || index > Count()) return;
  Node& node = *nodes_[index - 1];
  if (node.Checked == checked) return;
  node.Checked = checked;
  NodeCheck.Raise(node);
}

std::vector<std::string> TreeView::Items() const {
  std::vector<std::string> texts;
  for (const auto& node : nodes_) texts.push_back(node->Text);
  return texts;
}

}  // namespace platform::forms
