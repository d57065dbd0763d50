// List boxes and combo boxes keep their entries through one model: the same
// calls give the same entries, list index, NewIndex and errors on both.
#include "forms_fixture.h"
#include "support/error_capture.h"

namespace tessaly::testing {
namespace {

class ListsForm : public Form {
 public:
  ListsForm() : Form("frmLists") {}
  TSY_CONTROL(ListBox, lstPlain);
  TSY_CONTROL(ComboBox, cmbPlain);
  ListBox& control(ListBox*) { return lstPlain; }
  ComboBox& control(ComboBox*) { return cmbPlain; }
};

template <typename List>
class ListEntriesTest : public FormsTest {
 protected:
  List& list() { return DefaultInstance<ListsForm>().control(static_cast<List*>(nullptr)); }
};

using ListKinds = ::testing::Types<ListBox, ComboBox>;
TYPED_TEST_SUITE(ListEntriesTest, ListKinds);

TYPED_TEST(ListEntriesTest, AddItemAndRemoveItemKeepIndexAndNewIndex) {
  auto& list = this->list();
  int clicks = 0;
  list.Click.Handle([&] { ++clicks; });
  list.AddItem("b");
  list.AddItem("d");
  EXPECT_EQ(list.NewIndex(), 1);
  list.AddItem("a", 0);
  EXPECT_EQ(list.NewIndex(), 0);
  list.ListIndex(2);
  EXPECT_EQ(clicks, 1);
  list.ListIndex(2);  // the same index raises nothing
  EXPECT_EQ(clicks, 1);
  list.AddItem("c", 2);
  EXPECT_EQ(list.ListIndex(), 3);  // the selection follows its entry
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "b", "c", "d"}));

  list.RemoveItem(0);
  EXPECT_EQ(list.NewIndex(), -1);  // no entry was added since
  EXPECT_EQ(list.ListIndex(), 2);
  list.RemoveItem(2);
  EXPECT_EQ(list.ListIndex(), -1);  // the selected entry went
  EXPECT_EQ(list.ListCount(), 2);
  EXPECT_EQ(clicks, 1);  // moving the index with its entry raises nothing

  list.AddItem("z");
  list.Clear();
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.NewIndex(), -1);
  EXPECT_EQ(list.ListIndex(), -1);
}

TYPED_TEST(ListEntriesTest, SortedInsertionItemDataAndErrors) {
  auto& list = this->list();
  list.Sorted(true);
  for (const char* name : {"Winamp", "acdsee", "ICQ", "Kazaa"}) list.AddItem(name);
  list.AddItem("icq");
  EXPECT_EQ(list.NewIndex(), 2);  // after the equal text, case ignored
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"acdsee", "ICQ", "icq", "Kazaa", "Winamp"}));
  list.ItemData(1, 77);
  EXPECT_EQ(list.ItemData(1), 77);
  list.List(4, "XMMS");
  EXPECT_EQ(list.List(4), "XMMS");

  EXPECT_EQ(list.List(5), "");
  EXPECT_EQ(list.List(-1), "");
  EXPECT_EQ(ErrorOf([&] { list.RemoveItem(5); }), 5);
  EXPECT_EQ(ErrorOf([&] { list.RemoveItem(-1); }), 5);
  EXPECT_EQ(ErrorOf([&] { list.AddItem("x", 7); }), 5);
  EXPECT_EQ(ErrorOf([&] { list.ListIndex(5); }), 380);
  EXPECT_EQ(ErrorOf([&] { list.ListIndex(-2); }), 380);
  EXPECT_EQ(ErrorOf([&] { list.ItemData(5); }), 380);
  EXPECT_EQ(ErrorOf([&] { list.List(5, "x"); }), 380);
  EXPECT_EQ(list.ListCount(), 5);
}

}  // namespace
}  // namespace tessaly::testing
