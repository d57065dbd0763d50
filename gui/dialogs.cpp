#include "gui/dialogs.h"

#include <QApplication>
#include <QCursor>
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

void InstallDialogs() { Answers().SetInteractive(AskWithDialog); }
void RemoveDialogs() { Answers().SetInteractive(nullptr); }
bool DialogOpen() { return g_openDialogs > 0; }

}  // namespace tessaly::gui
