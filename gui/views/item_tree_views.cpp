// List views (report view: columns, check boxes, sub-items) and tree views.
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "gui/conversions.h"
#include "gui/views/requesting_rows.h"
#include "gui/views/views.h"
#include "platform/forms/controls/list_view.h"
#include "platform/forms/controls/tree_view.h"

namespace tessaly::gui {
namespace {

using namespace platform::forms;

struct ColumnState {
  std::string text;
  float width = 0;
  bool operator==(const ColumnState&) const = default;
};

struct RowState {
  std::vector<std::string> cells;
  bool checked = false, bold = false, selected = false;
  long foreColor = 0;
  bool operator==(const RowState&) const = default;
};

// A tick the widget shows that the model does not hold: the user's (by
// pointer, key or the accessibility interface) that the model refused or has
// not taken yet. It goes back to the model's at the next look.
bool TickDiffers(const QTreeWidgetItem* item, bool checkboxes, bool checked) {
  return checkboxes && item->checkState(0) != (checked ? Qt::Checked : Qt::Unchecked);
}

void ApplyCheck(QTreeWidgetItem* item, bool checkboxes, bool checked) {
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (checkboxes) {
    item->setFlags(flags | Qt::ItemIsUserCheckable);
    item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
  } else {
    item->setFlags(flags);
    item->setData(0, Qt::CheckStateRole, QVariant());
  }
}

// The user's ticks: Qt has changed the box already; the model gets the
// request, and its answer shows at the next sync.
template <class OnCheck>
void ConnectChecks(QTreeWidget* tree, OnCheck onCheck) {
  QObject::connect(tree, &QTreeWidget::itemChanged, [onCheck](QTreeWidgetItem* item, int column) {
    if (column != 0 || !(item->flags() & Qt::ItemIsUserCheckable)) return;
    onCheck(item->data(0, Qt::UserRole).toInt(), item->checkState(0) == Qt::Checked);
  });
}

class ListViewView : public TypedView<ListView> {
 public:
  ListViewView(ListView& control, QWidget* parent)
      : TypedView(control, new RequestingRows<QTreeWidget>(parent, false)),
        tree_(static_cast<QTreeWidget*>(widget())) {
    tree_->setRootIsDecorated(false);
    tree_->setUniformRowHeights(true);
    // Assistive technology's action on a row ticks it, or chooses it as a
    // click would.
    static_cast<RequestingRows<QTreeWidget>*>(tree_)->OnRequest([this](const QModelIndex& at, bool selected) {
      int index = tree_->itemFromIndex(at)->data(0, Qt::UserRole).toInt();
      QueueOn([index, selected](ListView& view) {
        if (index < 1 || index > view.Count()) return;
        if (view.Checkboxes()) view.UserCheckItem(index, !view.Item(index).Checked);
        else if (selected) view.UserClickItem(index);
      });
    });
    QObject::connect(tree_->header(), &QHeaderView::sectionClicked, [this](int section) {
      QueueOn([section](ListView& view) { view.UserClickColumn(section + 1); });
    });
    QObject::connect(tree_, &QTreeWidget::itemClicked, [this](QTreeWidgetItem* item, int) {
      int index = item->data(0, Qt::UserRole).toInt();
      QueueOn([index](ListView& view) { view.UserClickItem(index); });
    });
    ConnectChecks(tree_, [this](int index, bool checked) {
      QueueOn([index, checked](ListView& view) { view.UserCheckItem(index, checked); });
    });
  }

 protected:
  void SyncTyped(ListView& control) override {
    QSignalBlocker selection(tree_->selectionModel());
    std::vector<ColumnState> columns;
    for (int c = 1; c <= control.ColumnCount(); ++c)
      columns.push_back({control.Column(c).Text, control.Column(c).Width});
    if (columns.empty()) columns.push_back({"", control.Width()});
    if (columns_.Changed(columns)) {
      tree_->setColumnCount(static_cast<int>(columns.size()));
      QStringList headers;
      for (const auto& column : columns) headers << ToQt(column.text);
      tree_->setHeaderLabels(headers);
      tree_->setHeaderHidden(control.ColumnCount() == 0);
      for (int c = 0; c < static_cast<int>(columns.size()); ++c)
        tree_->setColumnWidth(c, TwipsToPixels(columns[c].width));
    }
    bool checkboxes = control.Checkboxes();
    bool checkboxesChanged = checkboxes_.Changed(checkboxes);
    rows_.resize(control.Count());
    while (tree_->topLevelItemCount() > control.Count()) delete tree_->takeTopLevelItem(tree_->topLevelItemCount() - 1);
    while (tree_->topLevelItemCount() < control.Count()) tree_->addTopLevelItem(new QTreeWidgetItem);
    for (int i = 1; i <= control.Count(); ++i) {
      ListItem& item = control.Item(i);
      RowState row{{item.Text}, item.Checked, item.Bold, item.Selected(), item.ForeColor};
      for (int c = 1; c < control.ColumnCount(); ++c) row.cells.push_back(item.SubItems(c));
      QTreeWidgetItem* widgetItem = tree_->topLevelItem(i - 1);
      bool changed = rows_[i - 1].Changed(row);
      if (!changed && !checkboxesChanged && !TickDiffers(widgetItem, checkboxes, row.checked) &&
          widgetItem->isSelected() == row.selected)
        continue;
      widgetItem->setData(0, Qt::UserRole, i);
      // Selection as the program has it, so assistive technology reads it.
      if (widgetItem->isSelected() != row.selected) widgetItem->setSelected(row.selected);
      for (int c = 0; c < static_cast<int>(row.cells.size()); ++c) widgetItem->setText(c, ToQt(row.cells[c]));
      ApplyCheck(widgetItem, checkboxes, row.checked);
      QFont font = tree_->font();
      font.setBold(row.bold);
      QBrush fore = ModelColor(row.foreColor) && row.foreColor != 0 ? QBrush(*ModelColor(row.foreColor)) : QBrush();
      QBrush back = row.selected ? tree_->palette().highlight() : QBrush();
      if (row.selected) fore = tree_->palette().highlightedText();
      for (int c = 0; c < tree_->columnCount(); ++c) {
        widgetItem->setFont(c, font);
        widgetItem->setForeground(c, fore);
        widgetItem->setBackground(c, back);
      }
    }
  }

 private:
  QTreeWidget* tree_;
  Applied<std::vector<ColumnState>> columns_;
  Applied<bool> checkboxes_;
  std::vector<Applied<RowState>> rows_;
};

struct NodeState {
  std::string text;
  int parent = 0;
  bool checked = false;
  bool operator==(const NodeState&) const = default;
};

class TreeViewView : public TypedView<TreeView> {
 public:
  TreeViewView(TreeView& control, QWidget* parent)
      : TypedView(control, new RequestingRows<QTreeWidget>(parent, true)),
        tree_(static_cast<QTreeWidget*>(widget())) {
    tree_->setHeaderHidden(true);
    static_cast<RequestingRows<QTreeWidget>*>(tree_)->OnRequest([this](const QModelIndex& at, bool selected) {
      (void)selected;  // only a choice comes here
      int index = tree_->itemFromIndex(at)->data(0, Qt::UserRole).toInt();
      QueueOn([index](TreeView& view) {
        if (!view.AcceptsInput() || index < 1 || index > view.Count()) return;
        if (view.Checkboxes()) view.UserCheckNode(index, !view.Item(index).Checked);
        else view.NodeClick.Raise(view.Item(index));
      });
      // A ticked row does not stay chosen: the next action on it ticks again.
      if (checkboxesShown_)
        QTimer::singleShot(0, tree_, [tree = tree_] {
          QSignalBlocker quiet(tree->selectionModel());
          tree->clearSelection();
          tree->viewport()->update();
        });
    });
    ConnectChecks(tree_, [this](int index, bool checked) {
      QueueOn([index, checked](TreeView& view) { view.UserCheckNode(index, checked); });
    });
    QObject::connect(tree_, &QTreeWidget::itemClicked, [this](QTreeWidgetItem* item, int) {
      int index = item->data(0, Qt::UserRole).toInt();
      QueueOn([index](TreeView& view) {
        if (view.AcceptsInput() && index >= 1 && index <= view.Count()) view.NodeClick.Raise(view.Item(index));
      });
    });
  }

 protected:
  // Trees are small: any change rebuilds the whole tree.
  void SyncTyped(TreeView& control) override {
    QSignalBlocker selection(tree_->selectionModel());
    std::vector<NodeState> nodes;
    for (int i = 1; i <= control.Count(); ++i) {
      Node& node = control.Item(i);
      nodes.push_back({node.Text, node.Parent() ? node.Parent()->Index() : 0, node.Checked});
    }
    bool checkboxes = control.Checkboxes();
    checkboxesShown_ = checkboxes;
    bool nodesChanged = nodes_.Changed(nodes);
    bool checkboxesChanged = checkboxes_.Changed(checkboxes);
    if (!nodesChanged && !checkboxesChanged && !TicksDiffer(nodes, checkboxes)) return;
    tree_->clear();
    std::vector<QTreeWidgetItem*> items;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      int parent = nodes[i].parent;
      auto* item = parent >= 1 && parent <= static_cast<int>(i) ? new QTreeWidgetItem(items[parent - 1])
                                                                  : new QTreeWidgetItem(tree_);
      item->setText(0, ToQt(nodes[i].text));
      item->setData(0, Qt::UserRole, static_cast<int>(i + 1));
      ApplyCheck(item, checkboxes, nodes[i].checked);
      items.push_back(item);
    }
    tree_->expandAll();
  }

 private:
  bool TicksDiffer(const std::vector<NodeState>& nodes, bool checkboxes) const {
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
      int index = (*it)->data(0, Qt::UserRole).toInt();
      if (index >= 1 && index <= static_cast<int>(nodes.size()) &&
          TickDiffers(*it, checkboxes, nodes[index - 1].checked))
        return true;
    }
    return false;
  }

  QTreeWidget* tree_;
  bool checkboxesShown_ = false;
  Applied<std::vector<NodeState>> nodes_;
  Applied<bool> checkboxes_;
};

}  // namespace

std::unique_ptr<ControlView> MakeItemTreeView(Control& control, QWidget* parent) {
  switch (control.kind()) {
    case ControlKind::ListView: return std::make_unique<ListViewView>(static_cast<ListView&>(control), parent);
    case ControlKind::TreeView: return std::make_unique<TreeViewView>(static_cast<TreeView&>(control), parent);
    default: return nullptr;
  }
}

}  // namespace tessaly::gui
