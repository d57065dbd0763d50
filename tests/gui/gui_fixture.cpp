#include "gui_fixture.h"

#include "gui/label_buddies.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace tessaly::testing {
namespace {

void CollectTreeTexts(const QTreeWidgetItem* item, QStringList& texts) {
  for (int c = 0; c < item->columnCount(); ++c) texts << item->text(c);
  for (int i = 0; i < item->childCount(); ++i) CollectTreeTexts(item->child(i), texts);
}

}  // namespace

QtReady::QtReady() {
  // Qt must be told its platform before the application exists.
  static QApplication* application = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  (void)application;
  ResetFormsRuntime();
}

GuiTest::~GuiTest() { ResetFormsRuntime(); }

void GuiTest::Turn() {
  DoEvents();
  renderer_.Sync();
}

QWidget* GuiTest::Widget(const Control& control) { return renderer_.WidgetOf(control); }

void GuiTest::Screenshot(const Form& form, const std::string& name) {
  QWidget* window = renderer_.WindowOf(form);
  ASSERT_NE(window, nullptr);
  QDir().mkpath(TESSALY_SCREENSHOT_DIR);
  QString path = QString(TESSALY_SCREENSHOT_DIR) + "/" + QString::fromStdString(name) + ".png";
  ASSERT_TRUE(window->grab().save(path)) << path.toStdString();
}

QStringList ShownWindows() {
  QStringList titles;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible() && qobject_cast<QMainWindow*>(widget)) titles << widget->windowTitle();
  titles.sort();
  return titles;
}

QStringList ShownTexts(const QWidget* widget) {
  QStringList texts;
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) texts << button->text();
  if (auto* label = qobject_cast<const QLabel*>(widget)) texts << gui::ShownLabelText(label);
  if (auto* group = qobject_cast<const QGroupBox*>(widget)) texts << group->title();
  if (auto* line = qobject_cast<const QLineEdit*>(widget)) texts << line->text();
  if (auto* lines = qobject_cast<const QPlainTextEdit*>(widget)) texts << lines->toPlainText();
  if (auto* list = qobject_cast<const QListWidget*>(widget))
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  if (auto* combo = qobject_cast<const QComboBox*>(widget)) {
    texts << combo->currentText();
    for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
  }
  if (auto* tree = qobject_cast<const QTreeWidget*>(widget)) {
    for (int c = 0; c < tree->columnCount(); ++c) texts << tree->headerItem()->text(c);
    for (int i = 0; i < tree->topLevelItemCount(); ++i) CollectTreeTexts(tree->topLevelItem(i), texts);
  }
  return texts;
}

QStringList ModelTexts(Control& control) {
  QStringList texts;
  if (control.IsKind(ControlKind::Label)) texts << QString::fromStdString(static_cast<Label&>(control).ShownCaption());
  else if (!control.WindowText().empty() || control.IsKind(ControlKind::TextBox))
    texts << QString::fromStdString(control.WindowText()).replace("\r\n", "\n");
  for (const auto& item : control.Items()) texts << QString::fromStdString(item);
  return texts;
}

bool ShownByModel(const Control& control) {
  for (const Control* at = &control; at; at = at->Container())
    if (!at->Visible()) return false;
  return true;
}

namespace {
// Menus are drawn in the menu bar; other windowless kinds but labels draw nothing.
bool DrawsNothing(const Control& control) {
  return control.IsKind(ControlKind::Menu) || (!control.windowed() && !control.IsKind(ControlKind::Label));
}
}  // namespace

void ExpectDrawnAsModel(gui::Renderer& renderer, const Form& form) {
  for (Control* control : form.Controls()) {
    SCOPED_TRACE(control->Name() + (control->IndexIfArray() ? "(" + std::to_string(control->Index()) + ")" : ""));
    QWidget* widget = renderer.WidgetOf(*control);
    if (DrawsNothing(*control)) {
      EXPECT_EQ(widget, nullptr);
      continue;
    }
    ASSERT_NE(widget, nullptr);
    bool shown = ShownByModel(*control);
    EXPECT_EQ(widget->isVisible(), shown);
    if (!shown) continue;
    QStringList drawn = ShownTexts(widget);
    for (const QString& text : ModelTexts(*control))
      EXPECT_TRUE(drawn.contains(text)) << text.toStdString() << " not in " << drawn.join(" | ").toStdString();
  }
}

Gallery::Gallery() : Form("frmGallery") {
  Caption("Tessaly gallery");
  Move(0, 0, 9600, 7800);
  mnuFile.Caption("&File");
  mnuOpen.Caption("&Open");
  mnuSep.Caption("-");
  mnuExit.Caption("E&xit");
  mnuTray.Caption("Tray");
  mnuTray.Visible(false);
  mnuRestore.Caption("Restore");

  lblTitle.Caption("Clean && shred");
  lblTitle.Move(120, 120, 4200, 255);
  cmdGo.Caption("&Clean now");
  cmdGo.Move(120, 480, 1800, 420);
  chkBleach.Caption("Bleach free space");
  chkBleach.Move(2040, 540, 2400, 300);
  chkBleach.Value(vbGrayed);

  fraMode.Caption("Mode");
  fraMode.Move(120, 1020, 4320, 2100);
  optQuick.Caption("Quick");
  optQuick.Move(120, 300, 1800, 300);
  optDeep.Caption("Deep");
  optDeep.Move(2160, 300, 1800, 300);
  optDeep.Value(true);
  const char* browsers[] = {"History", "Cookies", "Cache"};
  for (int i = 0; i < 3; ++i) {
    chkIE(i).Caption(browsers[i]);
    chkIE(i).Move(120, 720 + i * 420, 3600, 300);
  }
  chkIE(1).Value(vbChecked);

  txtName.Text("C:\\WINDOWS\\TEMP");
  txtName.Move(120, 3240, 4320, 330);
  txtLog.MultiLine(true);
  txtLog.Text("Started\r\nRemoved 3 files");
  txtLog.Move(120, 3690, 4320, 900);

  lstPlain.AddItem("alpha");
  lstPlain.AddItem("beta");
  lstPlain.ListIndex(1);
  lstPlain.Move(120, 4710, 2100, 900);
  lstChecks.Style(1);
  for (const char* item : {"Recent documents", "Run history", "Find history"}) lstChecks.AddItem(item);
  lstChecks.Selected(0, true);
  lstChecks.Move(2340, 4710, 2100, 900);

  cmbMode.Style(vbComboDropdownList);
  cmbMode.AddItem("Simple");
  cmbMode.AddItem("DoD 5220.22-M");
  cmbMode.ListIndex(1);
  cmbMode.Move(4680, 120, 2400, 315);
  icbDrive.Add({}, "c", "C:");
  icbDrive.Add({}, "d", "D:");
  icbDrive.SelectedItem(&icbDrive.ComboItems(1));
  icbDrive.Move(7200, 120, 1200, 315);

  lvwFiles.Checkboxes(true);
  lvwFiles.AddColumn({}, "name", "File", 1800);
  lvwFiles.AddColumn({}, "size", "Size", 900);
  lvwFiles.Add({}, "a", "index.dat").SubItems(1, "16 KB");
  lvwFiles.Add({}, "b", "cookies.txt").SubItems(1, "2 KB");
  lvwFiles.Item(2).Checked = true;
  lvwFiles.Move(4680, 600, 3600, 1500);

  Node& root = tvwKeys.Add({}, 0, "hkcu", "HKEY_CURRENT_USER");
  tvwKeys.Add(ItemRef{root.Key}, tvwChild, "soft", "Software");
  tvwKeys.Checkboxes(true);
  tvwKeys.Move(4680, 2220, 3600, 1200);

  sldLevel.Max(10);
  sldLevel.Value(4);
  sldLevel.Move(4680, 3540, 3600, 450);
  txtPasses.Move(4680, 4110, 900, 330);
  updPasses.BuddyControl(&txtPasses);
  updPasses.Min(1);
  updPasses.Max(35);
  updPasses.Value(3);
  updPasses.Move(5580, 4110, 255, 330);
  picLogo.Move(6120, 4110, 2160, 1500);

  cmdHidden.Caption("Hidden");
  cmdHidden.Visible(false);
  cmdHidden.Move(4680, 4710, 1200, 375);
  tmrPoll.Interval(1000);
}

Unplaced::Unplaced() : Form("frmUnplaced") {
  Caption("No geometry");
  lblHello.Caption("A form whose controls have no geometry");
  cmdOK.Caption("OK");
  chkOne.Caption("Remember the choice");
  fraGroup.Caption("Group");
  optA.Caption("First");
  optB.Caption("Second");
  txtValue.Text("some text");
  lstItems.AddItem("one");
  lstItems.AddItem("two");
  for (int i = 0; i < 3; ++i) cmdPage(i).Caption("Page " + std::to_string(i + 1));
}

}  // namespace tessaly::testing
