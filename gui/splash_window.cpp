#include "gui/splash_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/conversions.h"
#include "platform/activex/description_file.h"
#include "platform/activex/splash.h"
#include "platform/base/cp1252.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime_state.h"

namespace tessaly::gui {
namespace {

using platform::activex::DescriptionSection;
using platform::activex::Splash;

std::optional<QColor> HexColor(const DescriptionSection& section, std::string_view key) {
  std::string value = section.ValueOr(key, "");
  QColor color(QString::fromStdString(value));
  if (!value.starts_with('#') || !color.isValid()) return std::nullopt;
  return color;
}

QLabel* TextLine(const std::string& text, int pointSize, bool bold) {
  auto* label = new QLabel(ToQt(text));
  label->setAlignment(Qt::AlignCenter);
  label->setTextFormat(Qt::PlainText);
  QFont font = label->font();
  font.setPointSize(pointSize);
  font.setBold(bold);
  label->setFont(font);
  return label;
}

QWidget* OpenSplash(const Splash& splash, const DescriptionSection& description) {
  auto* window = new QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  window->setObjectName(ToQt(splash.Name()));
  window->setAttribute(Qt::WA_DeleteOnClose);
  QPalette palette = window->palette();
  if (auto back = HexColor(description, "BackColor")) palette.setColor(QPalette::Window, *back);
  if (auto fore = HexColor(description, "ForeColor")) palette.setColor(QPalette::WindowText, *fore);
  window->setPalette(palette);
  window->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(window);
  layout->addStretch();
  layout->addWidget(TextLine(description.ValueOr("Caption", ""), 22, true));
  layout->addWidget(TextLine(description.ValueOr("Text", ""), 10, false));
  layout->addStretch();
  window->resize(360, 200);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    window->move(screen->geometry().center() - window->rect().center());
  window->show();
  int ms = std::atoi(description.ValueOr("Time", std::to_string(kDefaultSplashMs)).c_str());
  QTimer::singleShot(ms > 0 ? ms : kDefaultSplashMs, window, &QWidget::close);
  return window;
}

}  // namespace

SplashWindows::~SplashWindows() {
  for (auto& window : windows_) delete window.data();
}

void SplashWindows::CloseAll() {
  for (auto& window : windows_)
    if (window) window->close();
  windows_.clear();
}

void SplashWindows::Sync() {
  for (platform::forms::Form* form : platform::forms::runtime::LoadedForms())
    for (platform::forms::Control* control : form->Controls()) {
      if (!control->IsKind(platform::forms::ControlKind::Splash)) continue;
      const auto& splash = static_cast<const Splash&>(*control);
      if (!splash.shown() || !opened_.insert(splash.serial()).second) continue;
      auto sections = platform::activex::ReadDescription(splash.Path());
      if (!sections) continue;
      for (const auto& section : *sections)
        if (platform::EqualsNoCase(section.name, "Splash")) {
          windows_.emplace_back(OpenSplash(splash, section));
          break;
        }
    }
}

}  // namespace tessaly::gui
