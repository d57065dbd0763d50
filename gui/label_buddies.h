#pragma once
// A label the form places just before a field (on its left in the same row,
// or right above it) names that field. It becomes the field's buddy, so
// assistive technology reads the label as the field's name and follows the
// label's relation to it.
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <optional>
#include <vector>

class QLabel;

namespace tessaly::gui {

// For each field, the label that names it: the nearest one ending at most
// a short gap before the field's left edge beside it, or above its top
// edge over it. A label names one field at most.
std::vector<std::optional<std::size_t>> NamingLabels(const std::vector<QRect>& labels,
                                                     const std::vector<QRect>& fields);

// Binds the shown labels of every container under `root` to the shown
// fields (text boxes, lists, combo boxes) they name, and unbinds the rest.
void BindLabelBuddies(QWidget* root);

// Sets what a label shows. Qt reads "&" in a bound label as an access key,
// so the text is kept aside and doubled there: the label shows it as is.
// Only labels shown this way name fields.
void ShowLabelText(QLabel* label, const QString& text);
QString ShownLabelText(const QLabel* label);

}  // namespace tessaly::gui
