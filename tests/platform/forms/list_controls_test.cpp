#include "forms_fixture.h"
#include "support/error_capture.h"

namespace tessaly::testing {
namespace {

using ListControls = FormsTest;


TEST_F(ListControls, ListBoxErrorRules) {
  ListBox& list = frmTest().lstBPI;
  list.Style(0);
  list.AddItem("b");
  list.AddItem("a");
  EXPECT_EQ(list.List(5), "");
  EXPECT_EQ(list.List(-1), "");
  EXPECT_EQ(ErrorOf([&] { list.ListIndex(2); }), 380);
  EXPECT_EQ(ErrorOf([&] { list.ListIndex(-2); }), 380);
  EXPECT_EQ(ErrorOf([&] { list.RemoveItem(2); }), 5);
  EXPECT_EQ(ErrorOf([&] { list.AddItem("x", 4); }), 5);
  EXPECT_EQ(ErrorOf([&] { list.Selected(2); }), 380);
  list.ListIndex(1);
  EXPECT_EQ(list.Text(), "a");
  list.AddItem("first", 0);
  EXPECT_EQ(list.ListIndex(), 2);  // the selection follows its item
  list.RemoveItem(2);
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ListControls, SortedInsertionAndNewIndex) {
  ListBox& list = frmTest().lstBPI;
  list.Sorted(true);
  for (const char* name : {"Winamp", "acdsee", "ICQ", "\xC1udio", "Kazaa"}) list.AddItem(name);
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"acdsee", "ICQ", "Kazaa", "Winamp", "\xC1udio"}));
  list.AddItem("icq");
  EXPECT_EQ(list.NewIndex(), 2);  // after the equal text
}

TEST_F(ListControls, CheckBoxStyleTicksAreSelectionWithoutALimit) {
  TestForm& f = frmTest();
  ListBox& list = f.lstBPI;
  for (int i = 0; i < 40000; ++i) list.AddItem("p" + std::to_string(i));
  EXPECT_EQ(list.ListCount(), 40000);
  list.Selected(0, true);
  list.Selected(39999, true);
  EXPECT_EQ(list.SelCount(), 2);
  EXPECT_EQ(list.ListIndex(), -1);  // ticks do not move the list index
  f.log.clear();
  QueueClick(list, 5);
  RunUntilIdle();
  EXPECT_TRUE(list.Selected(5));
  EXPECT_EQ(list.ListIndex(), 5);
  EXPECT_EQ(f.log, (std::vector<std::string>{"lstBPI_ItemCheck 5", "lstBPI_Click"}));
}

TEST_F(ListControls, ComboBoxStylesAndErrors) {
  ComboBox& combo = frmTest().cmbShredder;
  EXPECT_EQ(ErrorOf([&] { combo.ListIndex(0); }), 380);  // empty list
  for (int i = 1; i <= 9; ++i) combo.AddItem(std::to_string(i));
  combo.Text("3 passes");
  EXPECT_EQ(combo.Text(), "3 passes");
  EXPECT_EQ(combo.ListIndex(), -1);
  combo.ListIndex(6);
  EXPECT_EQ(combo.Text(), "7");

  combo.Style(vbComboDropdownList);
  combo.Clear();
  combo.AddItem("English");
  combo.AddItem("Deutsch");
  EXPECT_EQ(combo.Text(), "");
  combo.Text("DEUTSCH");
  EXPECT_EQ(combo.ListIndex(), 1);
  EXPECT_EQ(combo.Text(), "Deutsch");
  EXPECT_EQ(ErrorOf([&] { combo.Text("Français"); }), 383);
  EXPECT_EQ(combo.ListIndex(), 1);
  EXPECT_EQ(ErrorOf([&] { combo.ListIndex(2); }), 380);
}

}  // namespace
}  // namespace tessaly::testing
