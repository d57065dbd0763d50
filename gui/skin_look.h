#pragma once
// The skin control's looks as Qt draws them. A whole-skin application
// dresses a form in its "Form" object and its controls in their kind's
// object ("Button", "Check", "Radio", "Frame", "Static"); a named object
// applied to a window dresses that window alone, later applications over
// earlier ones. Values a look does not set keep the widget's own.
#include <QColor>
#include <QString>
#include <QWidget>
#include <map>
#include <optional>
#include <string>

#include "platform/activex/skin.h"

namespace tessaly::gui {

struct SkinLook {
  std::optional<QColor> back, fore;
  QString fontName;
  int fontSize = 0;  // points; 0 keeps the widget's
  bool bold = false;
  bool rounded = false;  // the window's outline ("Shape=rounded")

  // Values set in `over` replace this look's.
  void Merge(const SkinLook& over);
  // One text per distinct look, to see when a widget must be dressed again.
  std::string Signature() const;
};

// The look one object of a skin describes: BackColor and ForeColor as
// "#RRGGBB", FontName, FontSize, FontBold (1 or 0), Shape.
SkinLook LookOf(const platform::activex::SkinObject& object);

// Sets the look's colours (window and button roles) and font on a widget;
// its children inherit what they do not set themselves.
void DressWidget(QWidget* widget, const SkinLook& look);
// How disabled text of colour `text` is drawn on `background`.
QColor Greyed(const QColor& text, const QColor& background);
// The colour drawn at `alpha` over whatever lies under it.
QColor HalfSeen(QColor color, double alpha = 0.5);

class SkinLooks {
 public:
  // What the skin controls of every loaded form have applied so far.
  static SkinLooks Gather();

  SkinLook OfWindow(HWND window) const;
  // The look of a control on the form whose window is `form`.
  SkinLook OfControl(const platform::forms::Control& control, HWND form) const;

 private:
  SkinLook Applied(HWND window) const;

  std::map<HWND, const platform::activex::Skin*> wholeSkin_;
  std::map<HWND, SkinLook> applied_;
};

}  // namespace tessaly::gui
