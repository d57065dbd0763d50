#include "gui/dialogs.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "gui/conversions.h"
#include "gui/machine_browser.h"
#include "platform/base/cp1252.h"

namespace tessaly::gui {
namespace {

using namespace platform::forms;

int g_openDialogs = 0;

struct OpenDialog {
  OpenDialog() { ++g_openDialogs; }
  ~OpenDialog() { --g_openDialogs; }
};

QMessageBox::Icon IconOf(long style) {
  switch (style & 0x70) {
    case 16: return QMessageBox::Critical;
    case 32: return QMessageBox::Question;
    case 48: return QMessageBox::Warning;
    case 64: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// The choice that closing the box means: Cancel when offered, else the
// only button, else the default (as Windows treats Escape).
std::string EscapeChoice(const AskRequest& request) {
  for (const auto& choice : request.choices)
    if (platform::EqualsNoCase(choice, "Cancel")) return choice;
  if (request.choices.empty()) return {};
  return request.choices[std::min(request.defaultChoice, request.choices.size() - 1)];
}

// A message box sizes itself to its text alone; a longer title would be cut
// ("TS... ler"). The box's grid gets a spacer as wide as the title needs.
void FitTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
  titleFont.setBold(true);
  // The frame's buttons and margins beside the title.
  constexpr int kFrameAllowance = 120;
  int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kFrameAllowance;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                grid->columnCount());
}

// A box with the request's choices as buttons (message boxes and the
// dialogs that are only a question).
AskAnswer AskWithButtons(const AskRequest& request) {
  QMessageBox box(IconOf(request.style), ToQt(request.title), ToQtLines(request.prompt), QMessageBox::NoButton,
                  QApplication::activeWindow());
  std::vector<QPushButton*> buttons;
  for (const auto& choice : request.choices) buttons.push_back(box.addButton(ToQt(choice), QMessageBox::ActionRole));
  if (buttons.empty()) buttons.push_back(box.addButton(QMessageBox::Ok));
  box.setDefaultButton(buttons[std::min(request.defaultChoice, buttons.size() - 1)]);
  std::string escape = EscapeChoice(request);
  for (std::size_t i = 0; i < request.choices.size(); ++i)
    if (request.choices[i] == escape) box.setEscapeButton(buttons[i]);
  FitTitle(box);
  box.exec();
  for (std::size_t i = 0; i < request.choices.size(); ++i)
    if (box.clickedButton() == buttons[i]) return {request.choices[i], request.defaultText};
  return {EscapeChoice(request), request.defaultText};
}

AskAnswer AskForText(const AskRequest& request) {
  bool ok = false;
  QString text = QInputDialog::getText(QApplication::activeWindow(), ToQt(request.title), ToQtLines(request.prompt),
                                       QLineEdit::Normal, ToQt(request.defaultText), &ok);
  if (!ok) return {"Cancel", ""};
  return {"OK", FromQt(text)};
}

AskAnswer AskFromMenu(const AskRequest& request) {
  QMenu menu;
  std::vector<QAction*> actions;
  for (const auto& choice : request.choices) actions.push_back(menu.addAction(ToQt(choice)));
  QAction* chosen = menu.exec(QCursor::pos());
  for (std::size_t i = 0; i < actions.size(); ++i)
    if (chosen == actions[i]) return {request.choices[i], ""};
  return {"", ""};
}

}  // namespace

AskAnswer AskWithDialog(const AskRequest& request) {
  OpenDialog open;
  switch (request.kind) {
    case AskKind::InputBox: return AskForText(request);
    case AskKind::PopupMenu: return AskFromMenu(request);
    case AskKind::FolderPicker:
    case AskKind::FileDialog: return AskForPath(request);
    default: return AskWithButtons(request);
  }
}

void InstallDialogs(std::function<void()> beforeEach) {
  Answers().SetInteractive([beforeEach = std::move(beforeEach)](const AskRequest& request) {
    if (beforeEach) beforeEach();
    return AskWithDialog(request);
  });
}
void RemoveDialogs() { Answers().SetInteractive(nullptr); }
bool DialogOpen() { return g_openDialogs > 0; }

}  // namespace tessaly::gui
