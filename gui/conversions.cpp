#include "gui/conversions.h"

#include <algorithm>
#include <cmath>

#include "platform/base/cp1252.h"
#include "platform/forms/window_messages.h"

namespace tessaly::gui {

using platform::forms::kTwipsPerPixel;

QString ToQt(std::string_view windowsText) {
  return QString::fromStdString(platform::Cp1252ToUtf8(windowsText));
}

std::string FromQt(const QString& text) { return platform::Utf8ToCp1252Lossy(text.toStdString()); }

QString ToQtLines(std::string_view windowsText) {
  QString text = ToQt(windowsText);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

int ModelOffset(std::string_view windowsText, int widgetOffset) {
  int shown = 0;
  std::size_t at = 0;
  while (at < windowsText.size() && shown < widgetOffset) {
    at += (windowsText[at] == '\r' && at + 1 < windowsText.size() && windowsText[at + 1] == '\n') ? 2 : 1;
    ++shown;
  }
  return static_cast<int>(at);
}

namespace {

// Characters of [from, to) as a widget shows them: CR LF is one.
int ShownLength(std::string_view windowsText, std::size_t from, std::size_t to) {
  int shown = 0;
  for (std::size_t at = from; at < to; ++at)
    if (!(windowsText[at] == '\r' && at + 1 < windowsText.size() && windowsText[at + 1] == '\n')) ++shown;
  return shown;
}

std::size_t ClampedOffset(std::string_view windowsText, int modelOffset) {
  return std::min<std::size_t>(static_cast<std::size_t>(std::max(modelOffset, 0)), windowsText.size());
}

}  // namespace

int WidgetOffset(std::string_view windowsText, int modelOffset) {
  return ShownLength(windowsText, 0, ClampedOffset(windowsText, modelOffset));
}

int WidgetOffset(std::string_view windowsText, int modelOffset, int widgetLength) {
  std::size_t at = ClampedOffset(windowsText, modelOffset);
  if (at < windowsText.size() / 2) return ShownLength(windowsText, 0, at);
  return widgetLength - ShownLength(windowsText, at, windowsText.size());
}

int TwipsToPixels(float twips) {
  if (!std::isfinite(twips)) return 0;
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

float PixelsToTwips(int pixels) { return static_cast<float>(pixels) * kTwipsPerPixel; }

std::optional<QColor> ModelColor(long value) {
  if (value < 0 || (value & 0x80000000L)) return std::nullopt;
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

}  // namespace tessaly::gui
