#pragma once
// What the model keeps and what Qt draws: Windows-1252 text, twips, colours.
#include <QColor>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly::gui {

QString ToQt(std::string_view windowsText);
std::string FromQt(const QString& text);
// Multi-line model text ends its lines with CR LF; a widget shows LF.
QString ToQtLines(std::string_view windowsText);
// The model offset of a widget offset in ToQtLines(windowsText).
int ModelOffset(std::string_view windowsText, int widgetOffset);
// The widget offset of a model offset (the inverse of ModelOffset).
int WidgetOffset(std::string_view windowsText, int modelOffset);
// The same, knowing the shown text's length: an offset near the end (where
// a log keeps its caret) is counted back from there.
int WidgetOffset(std::string_view windowsText, int modelOffset, int widgetLength);

int TwipsToPixels(float twips);
float PixelsToTwips(int pixels);

// A colour the model sets (0x00BBGGRR); system colours (high bit set) have
// no fixed value: the widget keeps its palette's.
std::optional<QColor> ModelColor(long value);

// "&&" shows one "&", a single "&" marks an access key: the same in Qt.
inline QString Caption(std::string_view windowsText) { return ToQt(windowsText); }

}  // namespace tessaly::gui
