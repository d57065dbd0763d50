#include "gui/label_buddies.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>
#include <climits>

namespace tessaly::gui {
namespace {

constexpr int kGapBeside = 16;  // pixels between a label's end and its field
constexpr int kGapAbove = 8;
constexpr char kShownText[] = "tessalyShownText";

bool Overlap(int a1, int a2, int b1, int b2) { return a1 <= b2 && b1 <= a2; }

// How far the label ends before the field, when it stands where a label
// naming it would; none otherwise.
std::optional<int> GapBefore(const QRect& label, const QRect& field) {
  int beside = field.left() - label.right() - 1;
  int centre = label.center().y();
  if (beside >= 0 && beside <= kGapBeside && centre >= field.top() && centre <= field.bottom()) return beside;
  int above = field.top() - label.bottom() - 1;
  if (above >= 0 && above <= kGapAbove && Overlap(label.left(), label.right(), field.left(), field.right()) &&
      label.left() <= field.left() + kGapBeside)
    return above;
  return std::nullopt;
}

bool IsField(const QWidget* widget) {
  return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
         qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractItemView*>(widget) ||
         qobject_cast<const QAbstractSpinBox*>(widget);
}

void Bind(QLabel* label, QWidget* field) {
  if (label->buddy() == field) return;
  QString shown = ShownLabelText(label);
  label->setBuddy(field);
  ShowLabelText(label, shown);
}

void BindChildrenOf(QWidget* container) {
  std::vector<QLabel*> labels;
  std::vector<QWidget*> fields;
  for (QObject* child : container->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (!widget || widget->isWindow()) continue;
    BindChildrenOf(widget);
    if (widget->isHidden()) continue;
    // Only the labels of label controls name fields (a fallback view is a
    // QLabel too).
    auto* label = qobject_cast<QLabel*>(widget);
    if (label && label->property(kShownText).isValid()) labels.push_back(label);
    else if (IsField(widget)) fields.push_back(widget);
  }
  std::vector<QRect> labelRects, fieldRects;
  for (QLabel* label : labels) labelRects.push_back(label->geometry());
  for (QWidget* field : fields) fieldRects.push_back(field->geometry());
  std::vector<std::optional<std::size_t>> naming = NamingLabels(labelRects, fieldRects);
  std::vector<QWidget*> buddyOf(labels.size(), nullptr);
  for (std::size_t f = 0; f < fields.size(); ++f)
    if (naming[f]) buddyOf[*naming[f]] = fields[f];
  for (std::size_t l = 0; l < labels.size(); ++l) Bind(labels[l], buddyOf[l]);
}

}  // namespace

std::vector<std::optional<std::size_t>> NamingLabels(const std::vector<QRect>& labels,
                                                     const std::vector<QRect>& fields) {
  struct Pair {
    int gap;
    std::size_t field, label;
  };
  std::vector<Pair> pairs;
  for (std::size_t f = 0; f < fields.size(); ++f)
    for (std::size_t l = 0; l < labels.size(); ++l)
      if (std::optional<int> gap = GapBefore(labels[l], fields[f])) pairs.push_back({*gap, f, l});
  // Closest pairs first, so a label between two fields names the nearer.
  std::stable_sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) { return a.gap < b.gap; });
  std::vector<std::optional<std::size_t>> naming(fields.size());
  std::vector<bool> used(labels.size(), false);
  for (const Pair& pair : pairs) {
    if (naming[pair.field] || used[pair.label]) continue;
    naming[pair.field] = pair.label;
    used[pair.label] = true;
  }
  return naming;
}

void BindLabelBuddies(QWidget* root) {
  if (root) BindChildrenOf(root);
}

QString ShownLabelText(const QLabel* label) {
  QVariant kept = label->property(kShownText);
  return kept.isValid() ? kept.toString() : label->text();
}

void ShowLabelText(QLabel* label, const QString& text) {
  label->setProperty(kShownText, text);
  QString shown = label->buddy() ? QString(text).replace('&', "&&") : text;
  if (label->text() != shown) label->setText(shown);
}

}  // namespace tessaly::gui
