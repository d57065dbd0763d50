#include "gui/tray_icons.h"

#include <QPainter>
#include <QPixmap>
#include <set>

#include "gui/conversions.h"
#include "platform/forms/user32.h"
#include "platform/shell/tray.h"

namespace tessaly::gui {
namespace {

// The program's icon handles carry no picture: every icon is drawn alike.
QIcon ProgramIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0x1E, 0x2A, 0x38));
  painter.setPen(QPen(QColor(0xC0, 0x39, 0x2B), 2));
  painter.drawRoundedRect(QRectF(1, 1, 30, 30), 7, 7);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(20);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, "T");
  return QIcon(pixmap);
}

}  // namespace

std::vector<UINT> TrayMessages(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger: return {WM_LBUTTONDOWN, WM_LBUTTONUP};
    // Qt reports the first click of a double click as a click of its own.
    case QSystemTrayIcon::DoubleClick: return {WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    case QSystemTrayIcon::Context: return {WM_RBUTTONDOWN, WM_RBUTTONUP};
    default: return {};
  }
}

TrayIcons::~TrayIcons() = default;

void TrayIcons::Sync() {
  std::set<std::pair<HWND, UINT>> live;
  for (const auto& icon : platform::shell::TrayIcons()) {
    if (!IsWindow(icon.window)) continue;  // left behind by an earlier process
    auto key = std::make_pair(icon.window, icon.id);
    live.insert(key);
    auto& drawn = icons_[key];
    if (!drawn) {
      drawn = std::make_unique<QSystemTrayIcon>(ProgramIcon());
      QObject::connect(drawn.get(), &QSystemTrayIcon::activated,
                       [window = icon.window, id = icon.id](QSystemTrayIcon::ActivationReason reason) {
                         for (UINT message : TrayMessages(reason)) platform::shell::ClickTrayIcon(window, id, message);
                       });
      drawn->show();
    }
    QString tip = ToQt(icon.tip);
    if (drawn->toolTip() != tip) drawn->setToolTip(tip);
  }
  std::erase_if(icons_, [&](const auto& entry) { return !live.contains(entry.first); });
}

QSystemTrayIcon* TrayIcons::Find(HWND window, UINT id) const {
  auto it = icons_.find({window, id});
  return it == icons_.end() ? nullptr : it->second.get();
}

}  // namespace tessaly::gui
