#include "forms_fixture.h"
#include "support/error_capture.h"

namespace tessaly::testing {
namespace {

class ViewsForm : public Form {
 public:
  ViewsForm() : Form("frmViews") {}
  TSY_CONTROL(ListView, lvwStartup);
  TSY_CONTROL(TreeView, tvwKeys);
  TSY_CONTROL(ImageCombo, imcDrive);
};

using CommonControls = FormsTest;


TEST_F(CommonControls, ListViewKeysAreUniqueIgnoringCaseAndNeverNumeric) {
  ViewsForm& f = DefaultInstance<ViewsForm>();
  ListView& view = f.lvwStartup;
  view.AddColumn({}, "", "Name");
  view.AddColumn({}, "", "Command");
  view.Add({}, "Run1", "Tray");
  EXPECT_EQ(ErrorOf([&] { view.Add({}, "RUN1", "Other"); }), 35602);
  EXPECT_EQ(ErrorOf([&] { view.Add({}, "12", "Other"); }), 35603);
  EXPECT_EQ(ErrorOf([&] { view.Add({}, " -1.5 ", "Other"); }), 35603);
  EXPECT_EQ(view.Count(), 1);
  view.Add({}, "", "No key");
  view.Add({}, "", "Another without key");
  view.Add({}, "12a", "Key with digits first");
  EXPECT_EQ(view.Item(std::string("run1")).Text, "Tray");
  EXPECT_EQ(ErrorOf([&] { view.Item(std::string("missing")); }), 35601);
  EXPECT_EQ(ErrorOf([&] { view.Item(9); }), 35600);
  EXPECT_EQ(ErrorOf([&] { view.Item(1).SubItems(2); }), 380);  // only one sub-item column
  EXPECT_EQ(ErrorOf([&] { view.SelectedItem(); }), 91);
}

TEST_F(CommonControls, ListViewSortsStablyBySortKeyIgnoringCase) {
  ListView& view = DefaultInstance<ViewsForm>().lvwStartup;
  view.AddColumn({}, "", "Name");
  view.AddColumn({}, "", "Where");
  const char* rows[][2] = {{"b", "HKLM"}, {"A", "hkcu"}, {"c", "HKCU"}, {"a", "HKLM"}};
  for (auto& row : rows) view.Add({}, "", row[0]).SubItems(1, row[1]);
  view.SortKey(1);
  view.Sorted(true);
  EXPECT_EQ(view.Items(), (std::vector<std::string>{"A", "c", "b", "a"}));
  EXPECT_EQ(view.Item(2).Index(), 2);
  view.SortKey(0);
  view.SortOrder(1);
  EXPECT_EQ(view.Items(), (std::vector<std::string>{"c", "b", "A", "a"}));
  EXPECT_EQ(view.HitTest(100, ListView::kRowHeight * 2 + 1), &view.Item(2));
  EXPECT_EQ(view.HitTest(100, 10), nullptr);
}

TEST_F(CommonControls, CheckedByCodeRaisesNothingButTheUserRaisesItemCheck) {
  ListView& view = DefaultInstance<ViewsForm>().lvwStartup;
  view.Checkboxes(true);
  int checks = 0;
  view.ItemCheck.Handle([&](ListItem&) { ++checks; });
  view.Add({}, "", "x").Checked = true;
  EXPECT_EQ(checks, 0);
  view.UserCheckItem(1, false);
  EXPECT_EQ(checks, 1);
  EXPECT_FALSE(view.Item(1).Checked);
}

TEST_F(CommonControls, TreeViewNodesAndImageComboItems) {
  ViewsForm& f = DefaultInstance<ViewsForm>();
  Node& root = f.tvwKeys.Add({}, 0, "root", "HKEY_CURRENT_USER");
  Node& child = f.tvwKeys.Add(ItemRef(std::string("ROOT")), tvwChild, "soft", "Software");
  EXPECT_EQ(child.Parent(), &root);
  EXPECT_EQ(root.Children(), 1);
  EXPECT_EQ(child.Index(), 2);
  EXPECT_EQ(ErrorOf([&] { f.tvwKeys.Add({}, 0, "Soft", "dup"); }), 35602);
  EXPECT_EQ(ErrorOf([&] { f.tvwKeys.Add(ItemRef(std::string("nope")), tvwChild, "", "x"); }), 35601);

  f.imcDrive.Add({}, "c", "C:", 1);
  f.imcDrive.Add({}, "d", "D:", 2);
  EXPECT_EQ(f.imcDrive.SelectedItem(), nullptr);
  int clicks = 0;
  f.imcDrive.Click.Handle([&] { ++clicks; });
  QueueClick(f.imcDrive, 2);
  RunUntilIdle();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(f.imcDrive.Text(), "D:");
  EXPECT_TRUE(f.imcDrive.ComboItems(2).Selected);
}

}  // namespace
}  // namespace tessaly::testing
