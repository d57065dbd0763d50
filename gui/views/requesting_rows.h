#pragma once
// Item views whose rows assistive technology acts on. Its action on a row
// ("Toggle") selects or clears the row through the selection model itself,
// not through the user's clicks or keys: such a change comes to the view as
// a request on the row (tick it, or choose it), and the model's own state is
// applied over it at the next look.
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <functional>

namespace tessaly::gui {

template <class Base>
class RequestingRows : public Base {
 public:
  // `userSelects`: the user's clicks and keys select one row as Qt does,
  // and only a row assistive technology selects is a request (choosing one
  // row clears the others). Otherwise only the model selects, and each
  // action selects or clears just the row acted on: both are requests.
  RequestingRows(QWidget* parent, bool userSelects) : Base(parent), userSelects_(userSelects) {
    this->setSelectionMode(userSelects ? QAbstractItemView::SingleSelection : QAbstractItemView::MultiSelection);
    QObject::connect(this->selectionModel(), &QItemSelectionModel::selectionChanged,
                     [this](const QItemSelection& selected, const QItemSelection& deselected) {
                       if (user_ || !onRequest_) return;
                       Request(selected, true);
                       if (!userSelects_) Request(deselected, false);
                     });
  }
  // `request(row, selected)`, the row as the view's model numbers it.
  void OnRequest(std::function<void(const QModelIndex&, bool)> request) { onRequest_ = std::move(request); }

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override {
    return userSelects_ ? Base::selectionCommand(index, event) : QItemSelectionModel::NoUpdate;
  }
  void mousePressEvent(QMouseEvent* event) override { ByUser([&] { Base::mousePressEvent(event); }); }
  void mouseMoveEvent(QMouseEvent* event) override { ByUser([&] { Base::mouseMoveEvent(event); }); }
  void mouseReleaseEvent(QMouseEvent* event) override { ByUser([&] { Base::mouseReleaseEvent(event); }); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { ByUser([&] { Base::mouseDoubleClickEvent(event); }); }
  void keyPressEvent(QKeyEvent* event) override { ByUser([&] { Base::keyPressEvent(event); }); }
  void focusInEvent(QFocusEvent* event) override { ByUser([&] { Base::focusInEvent(event); }); }

 private:
  void ByUser(const std::function<void()>& handle) {
    bool was = user_;
    user_ = true;
    handle();
    user_ = was;
  }
  // One request per row, whichever of its cells was acted on.
  void Request(const QItemSelection& change, bool selected) {
    QModelIndexList rows;
    for (const QModelIndex& index : change.indexes()) {
      QModelIndex first = index.siblingAtColumn(0);
      if (rows.contains(first)) continue;
      rows.append(first);
      onRequest_(first, selected);
    }
  }

  bool userSelects_;
  bool user_ = false;
  std::function<void(const QModelIndex&, bool)> onRequest_;
};

}  // namespace tessaly::gui
