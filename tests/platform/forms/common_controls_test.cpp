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

// Keys stay found, and free again once their row is gone, through inserts
// at any place, removals and a clear; indexes follow every change.
TEST_F(CommonControls, ListViewKeysAndIndexesFollowInsertsAndRemovals) {
  ListView& view = DefaultInstance<ViewsForm>().lvwStartup;
  view.AddColumn({}, "", "Name");
  for (const char* key : {"k1", "k2", "k3"}) view.Add({}, key, std::string("row ") + key);
  view.Add(1, "first", "row first");
  view.Add(3, "", "row middle");
  EXPECT_EQ(view.Items(), (std::vector<std::string>{"row first", "row k1", "row middle", "row k2", "row k3"}));
  for (int i = 1; i <= view.Count(); ++i) EXPECT_EQ(view.Item(i).Index(), i);
  EXPECT_EQ(view.Item(std::string("K2")).Index(), 4);
  view.Remove(std::string("k1"));
  EXPECT_EQ(ErrorOf([&] { view.Item(std::string("k1")); }), 35601);
  EXPECT_EQ(view.Item(std::string("k3")).Index(), 4);
  view.Remove(1);
  EXPECT_EQ(ErrorOf([&] { view.Item(std::string("first")); }), 35601);
  view.Add({}, "K1", "row k1 again");  // its key is free again
  EXPECT_EQ(view.Item(std::string("k1")).Index(), 4);
  EXPECT_EQ(ErrorOf([&] { view.Add({}, "k3", "twice"); }), 35602);
  EXPECT_EQ(ErrorOf([&] { view.Item(std::string("")); }), 35601);
  view.Clear();
  EXPECT_EQ(ErrorOf([&] { view.Item(std::string("k2")); }), 35601);
  view.Add({}, "k2", "after clear");
  EXPECT_EQ(view.Item(std::string("k2")).Text, "after clear");
}

// Rows added to a sorted view take their places among the others, ties
// after the rows already there, whenever a place is next asked for; a view
// no longer sorted keeps the order it had.
TEST_F(CommonControls, ListViewRowsAddedWhileSortedTakeTheirPlaces) {
  ListView& view = DefaultInstance<ViewsForm>().lvwStartup;
  view.AddColumn({}, "", "Name");
  view.AddColumn({}, "", "Category");
  view.Add({}, "", "m").SubItems(1, "2");
  view.Add({}, "", "b").SubItems(1, "1");
  view.SortKey(1);
  view.Sorted(true);
  // The category, filled in after the add, is what the row sorts by.
  ListItem& late = view.Add({}, "late", "z");
  late.SubItems(1, "0");
  view.Add({}, "", "tie").SubItems(1, "2");
  EXPECT_EQ(late.Index(), 1);
  EXPECT_EQ(view.Items(), (std::vector<std::string>{"z", "b", "m", "tie"}));
  EXPECT_EQ(&view.Item(std::string("late")), &view.Item(1));
  view.Add(1, "", "a").SubItems(1, "9");  // at a place: still sorted in
  EXPECT_EQ(view.Items(), (std::vector<std::string>{"z", "b", "m", "tie", "a"}));
  view.Sorted(false);
  view.Add({}, "", "appended").SubItems(1, "0");
  EXPECT_EQ(view.Items(), (std::vector<std::string>{"z", "b", "m", "tie", "a", "appended"}));
  view.Remove(std::string("late"));
  EXPECT_EQ(view.Item(1).Text, "b");
  EXPECT_EQ(view.HitTest(100, ListView::kRowHeight + 1), &view.Item(1));
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
