// A label placed just before a field names it for assistive technology:
// the field's accessible name is the label's caption and the label's
// relation points at the field; labels elsewhere name nothing.
#include <QAccessible>
#include <QLabel>

#include "gui/label_buddies.h"
#include "gui_fixture.h"
#include "platform/forms/controls/combo_box.h"

namespace tessaly::testing {
namespace {

TEST(NamingLabels, TheNearestLabelBesideOrAboveAFieldNamesIt) {
  const QRect field(100, 50, 120, 20);
  struct Case {
    const char* what;
    QRect label;
    bool names;
  } cases[] = {
      {"beside, touching", QRect(20, 52, 80, 16), true},
      {"beside, a small gap", QRect(10, 50, 80, 20), true},
      {"beside, too far", QRect(0, 50, 60, 20), false},
      {"beside, another row", QRect(20, 80, 70, 16), false},
      {"above, touching", QRect(100, 30, 120, 20), true},
      {"above, indented a little", QRect(110, 30, 60, 16), true},
      {"above, too high", QRect(100, 10, 120, 20), false},
      {"above, beyond its right end", QRect(240, 30, 60, 16), false},
      {"below", QRect(100, 72, 120, 16), false},
      {"after it", QRect(222, 50, 60, 20), false},
      {"over it", QRect(110, 52, 40, 16), false},
  };
  for (const Case& c : cases) {
    auto naming = gui::NamingLabels({c.label}, {field});
    EXPECT_EQ(naming[0].has_value(), c.names) << c.what;
  }
  // A label between two fields names the nearer; a field takes one label.
  auto naming = gui::NamingLabels({QRect(0, 0, 90, 20), QRect(0, 30, 98, 20)},
                                  {QRect(100, 0, 50, 20), QRect(104, 22, 50, 20), QRect(100, 30, 50, 20)});
  EXPECT_EQ(naming[0], std::optional<std::size_t>(0));
  EXPECT_EQ(naming[1], std::nullopt);
  EXPECT_EQ(naming[2], std::optional<std::size_t>(1));
}

class Entry : public Form {
 public:
  Entry() : Form("Entry") {
    Caption("Entry");
    Move(0, 0, 6000, 4000);
    lblName.Caption("&Name:");
    lblName.Move(120, 120, 900, 255);
    txtName.Move(1080, 90, 2400, 315);
    lblSave.Caption("Save && exit");
    lblSave.Move(120, 600, 900, 255);
    txtSave.Move(1080, 570, 2400, 315);
    lblDrives.Caption("Drives");
    lblDrives.Move(120, 1080, 2000, 255);
    cmbDrive.Move(120, 1350, 2000, 315);
    lblNote.Caption("Not a field's name");
    lblNote.Move(3600, 1080, 2000, 255);
    txtOther.Move(120, 2400, 2400, 315);
  }
  TSY_CONTROL(Label, lblName);
  TSY_CONTROL(TextBox, txtName);
  TSY_CONTROL(Label, lblSave);
  TSY_CONTROL(TextBox, txtSave);
  TSY_CONTROL(Label, lblDrives);
  TSY_CONTROL(ComboBox, cmbDrive);
  TSY_CONTROL(Label, lblNote);
  TSY_CONTROL(TextBox, txtOther);
};

class LabelBuddiesTest : public GuiTest {
 protected:
  LabelBuddiesTest() {
    form_.Load();
    form_.Show();
    renderer_.Sync();
  }
  QLabel* LabelOf(const Control& control) { return qobject_cast<QLabel*>(Widget(control)); }
  static QString AccessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
  }
  // The widgets the label's accessible relation says it labels.
  static std::vector<QObject*> Labelled(QWidget* label) {
    std::vector<QObject*> objects;
    for (const auto& [other, relation] : QAccessible::queryAccessibleInterface(label)->relations(QAccessible::Labelled))
      objects.push_back(other->object());
    return objects;
  }

  Entry form_;
};

TEST_F(LabelBuddiesTest, ALabelBesideOrAboveAFieldNamesItAndShowsItsCaptionUnchanged) {
  EXPECT_EQ(LabelOf(form_.lblName)->buddy(), Widget(form_.txtName));
  EXPECT_EQ(AccessibleName(Widget(form_.txtName)), "Name:");
  EXPECT_EQ(Labelled(Widget(form_.lblName)), std::vector<QObject*>{Widget(form_.txtName)});
  EXPECT_EQ(LabelOf(form_.lblDrives)->buddy(), Widget(form_.cmbDrive));
  EXPECT_EQ(Labelled(Widget(form_.lblDrives)), std::vector<QObject*>{Widget(form_.cmbDrive)});
  // "&&" still shows one "&", and so does the name read from it.
  EXPECT_EQ(LabelOf(form_.lblSave)->buddy(), Widget(form_.txtSave));
  EXPECT_EQ(gui::ShownLabelText(LabelOf(form_.lblSave)), "Save & exit");
  EXPECT_EQ(AccessibleName(Widget(form_.txtSave)), "Save & exit");
  EXPECT_EQ(AccessibleName(Widget(form_.lblSave)), "Save & exit");
  // Nothing beside: no name, no relation.
  EXPECT_EQ(LabelOf(form_.lblNote)->buddy(), nullptr);
  EXPECT_EQ(AccessibleName(Widget(form_.txtOther)), "");
  ExpectDrawnAsModel(renderer_, form_);
}

TEST_F(LabelBuddiesTest, BindingsFollowTheControlsWhenTheyMoveOrHide) {
  form_.lblNote.Move(120, 2430, 900, 255);  // moved beside the other box
  form_.txtOther.Move(1080, 2400, 2400, 315);
  renderer_.Sync();
  EXPECT_EQ(LabelOf(form_.lblNote)->buddy(), Widget(form_.txtOther));
  EXPECT_EQ(AccessibleName(Widget(form_.txtOther)), "Not a field's name");
  form_.txtSave.Visible(false);
  renderer_.Sync();
  EXPECT_EQ(LabelOf(form_.lblSave)->buddy(), nullptr);
  EXPECT_EQ(LabelOf(form_.lblSave)->text(), "Save & exit") << "unbound, the text is shown as it is";
  form_.lblName.Caption("Full &name:");
  renderer_.Sync();
  EXPECT_EQ(AccessibleName(Widget(form_.txtName)), "Full name:");
}

}  // namespace
}  // namespace tessaly::testing
