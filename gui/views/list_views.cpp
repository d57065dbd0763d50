// List boxes (with check-box rows), combo boxes and image combos.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <memory>

#include "gui/conversions.h"
#include "gui/views/requesting_rows.h"
#include "gui/views/views.h"
#include "platform/forms/controls/combo_box.h"
#include "platform/forms/controls/file_system_lists.h"
#include "platform/forms/controls/image_controls.h"
#include "platform/forms/controls/list_box.h"

namespace tessaly::gui {
namespace {

using namespace platform::forms;

// The rows of a list as last shown: texts, ticks or selection.
struct ListRows {
  std::vector<std::string> texts;
  std::vector<bool> marked;
  int current = -1;
  bool operator==(const ListRows&) const = default;
};

class ListBoxView : public TypedView<ListBox> {
 public:
  ListBoxView(ListBox& control, QWidget* parent)
      : TypedView(control, new RequestingRows<QListWidget>(parent, false)),
        list_(static_cast<QListWidget*>(widget())) {
    list_->setUniformItemSizes(true);
    // Rows change only when the model says so: a tick or a click is a
    // request answered at the next turn. Assistive technology's action on
    // a row ticks it, or chooses it as a click would.
    static_cast<RequestingRows<QListWidget>*>(list_)->OnRequest([this](const QModelIndex& at, bool selected) {
      int row = at.row();
      if (checkRows_ || selected) Queue([row](Control& c) { c.UserClick(row); });
    });
    QObject::connect(list_, &QListWidget::itemClicked, [this](QListWidgetItem* item) {
      int row = list_->row(item);
      if (!checkRows_) Queue([row](Control& c) { c.UserClick(row); });
    });
    QObject::connect(list_, &QListWidget::itemChanged, [this](QListWidgetItem* item) {
      int row = list_->row(item);
      if (checkRows_) Queue([row](Control& c) { c.UserClick(row); });
    });
    QObject::connect(list_, &QListWidget::itemDoubleClicked, [this](QListWidgetItem*) {
      QueueOn([](ListBox& box) {
        if (box.AcceptsInput()) box.DblClick.Raise();
      });
    });
  }

 protected:
  void SyncTyped(ListBox& control) override {
    QSignalBlocker selection(list_->selectionModel());
    checkRows_ = control.Style() == 1;
    ListRows rows;
    rows.texts = control.Items();
    rows.current = control.ListIndex();
    for (int i = 0; i < control.ListCount(); ++i) rows.marked.push_back(control.Selected(i));
    // Ticks are checked against the widget: one the model refused goes back.
    if (!rows_.Changed(rows) && !TicksDiffer(rows)) return;
    while (list_->count() > static_cast<int>(rows.texts.size())) delete list_->takeItem(list_->count() - 1);
    while (list_->count() < static_cast<int>(rows.texts.size())) list_->addItem(QString());
    for (int i = 0; i < list_->count(); ++i) {
      QListWidgetItem* item = list_->item(i);
      QString text = ToQt(rows.texts[i]);
      if (item->text() != text) {
        item->setText(text);
        item->setToolTip(text);  // a row wider than the list is still readable
      }
      if (checkRows_) {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(rows.marked[i] ? Qt::Checked : Qt::Unchecked);
        item->setBackground(i == rows.current ? list_->palette().alternateBase() : QBrush());
      } else {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        bool marked = rows.marked[i];
        item->setBackground(marked ? list_->palette().highlight() : QBrush());
        item->setForeground(marked ? list_->palette().highlightedText() : QBrush());
      }
      // Selection as the program has it, so assistive technology reads it.
      SelectRow(i, !checkRows_ && rows.marked[i]);
    }
    if (rows.current >= 0 && rows.current < list_->count()) list_->scrollToItem(list_->item(rows.current));
  }

 private:
  // Ticks or selection the widget shows that the model does not hold.
  bool TicksDiffer(const ListRows& rows) const {
    if (list_->count() != static_cast<int>(rows.marked.size())) return false;
    for (int i = 0; i < list_->count(); ++i) {
      bool selected = list_->selectionModel()->isSelected(list_->model()->index(i, 0));
      if (selected != (!checkRows_ && rows.marked[i])) return true;
      if (checkRows_ && (list_->item(i)->checkState() == Qt::Checked) != rows.marked[i]) return true;
    }
    return false;
  }
  // Only a row whose selection differs is told: each call is a merge over
  // the selection's ranges, and a sync looks at every row.
  void SelectRow(int row, bool selected) {
    QModelIndex index = list_->model()->index(row, 0);
    if (list_->selectionModel()->isSelected(index) == selected) return;
    list_->selectionModel()->select(index, selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
  }

  QListWidget* list_;
  bool checkRows_ = false;
  Applied<ListRows> rows_;
};

// A drop-down's items: its list opens wide enough for the longest one, and
// each item's whole text is also its tool tip.
void ShowComboItems(QComboBox* combo, const std::vector<std::string>& items) {
  combo->clear();
  for (const auto& item : items) {
    QString text = ToQt(item);
    combo->addItem(text);
    combo->setItemData(combo->count() - 1, text, Qt::ToolTipRole);
  }
  QAbstractItemView* list = combo->view();
  list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() + 4);
}

// Combo boxes and image combos: the items, the chosen one, and (style 0)
// free text.
class ComboView : public ControlView {
 public:
  ComboView(Control& control, QWidget* parent)
      : ControlView(control, new QComboBox(parent)), combo_(static_cast<QComboBox*>(widget())) {
    // The model's item numbers: 0-based for combo boxes, 1-based for image combos.
    int base = control.IsKind(ControlKind::ImageCombo) ? 1 : 0;
    QObject::connect(combo_, &QComboBox::activated, [this, base](int row) {
      // The chosen item's text came first; the choice is a click, not an edit.
      if (textEdit_) *textEdit_ = false;
      Queue([row, base](Control& c) { c.UserClick(row + base); });
    });
  }

 protected:
  void SyncKind(Control& control) override {
    std::vector<std::string> items = control.Items();
    int current = -1;
    std::string text;
    bool editable = false;
    if (control.IsKind(ControlKind::ComboBox)) {
      auto& combo = static_cast<ComboBox&>(control);
      current = combo.ListIndex();
      text = combo.Text();
      editable = combo.Style() != vbComboDropdownList;
    } else {
      auto& combo = static_cast<ImageCombo&>(control);
      if (ComboItem* selected = combo.SelectedItem()) current = selected->Index - 1;
      text = combo.Text();
    }
    if (editable_.Changed(editable)) {
      combo_->setEditable(editable);
      if (editable) {
        // As on Windows: no completion typed ahead, no item added by Enter.
        combo_->setCompleter(nullptr);
        combo_->setInsertPolicy(QComboBox::NoInsert);
        // Typed or set through the accessibility interface alike; the
        // model's own text comes with the field's signals blocked.
        QObject::connect(combo_->lineEdit(), &QLineEdit::textChanged, [this](const QString& now) {
          std::string typed = FromQt(now);
          auto edit = textEdit_ = std::make_shared<bool>(true);
          QueueOn<ComboBox>([typed, edit](ComboBox& box) {
            if (*edit) box.UserType(typed);
          });
        });
      }
    }
    QSignalBlocker field(combo_->lineEdit());
    if (items_.Changed(items)) {
      ShowComboItems(combo_, items);
      current_ = {};
    }
    if (current_.Changed(current)) combo_->setCurrentIndex(current);
    if (editable && text_.Changed(text) && combo_->currentText() != ToQt(text)) combo_->setEditText(ToQt(text));
  }

 private:
  template <class C>
  void QueueOn(std::function<void(C&)> action) const {
    Queue([action](Control& control) { action(static_cast<C&>(control)); });
  }

  QComboBox* combo_;
  // The last text change waiting for its turn; a choice from the list
  // that follows it withdraws it.
  std::shared_ptr<bool> textEdit_;
  Applied<bool> editable_;
  Applied<std::vector<std::string>> items_;
  Applied<int> current_;
  Applied<std::string> text_;
};

// A drive list box is drawn as Windows draws it: a drop-down showing the
// selected drive; choosing another selects it as the program's Drive would.
class DriveListView : public TypedView<DriveListBox> {
 public:
  DriveListView(DriveListBox& control, QWidget* parent)
      : TypedView(control, new QComboBox(parent)), combo_(static_cast<QComboBox*>(widget())) {
    QObject::connect(combo_, &QComboBox::activated, [this](int row) {
      QueueOn([row](DriveListBox& box) {
        if (box.AcceptsInput() && row < box.ListCount()) box.Drive(box.List(row));
      });
    });
  }

 protected:
  void SyncTyped(DriveListBox& control) override {
    if (items_.Changed(control.Items())) ShowComboItems(combo_, control.Items());
    // Against the widget: a choice the model did not take goes back.
    if (combo_->currentIndex() != control.ListIndex()) combo_->setCurrentIndex(control.ListIndex());
  }

 private:
  QComboBox* combo_;
  Applied<std::vector<std::string>> items_;
};

}  // namespace

std::unique_ptr<ControlView> MakeListView(Control& control, QWidget* parent) {
  if (auto* drives = dynamic_cast<DriveListBox*>(&control)) return std::make_unique<DriveListView>(*drives, parent);
  if (auto* list = dynamic_cast<ListBox*>(&control)) return std::make_unique<ListBoxView>(*list, parent);
  if (control.IsKind(ControlKind::ComboBox) || control.IsKind(ControlKind::ImageCombo))
    return std::make_unique<ComboView>(control, parent);
  return nullptr;
}

}  // namespace tessaly::gui
