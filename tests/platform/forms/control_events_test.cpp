#include "forms_fixture.h"

namespace tessaly::testing {
namespace {

using ControlEvents = FormsTest;

// Each change made by code raises its event only when the value really
// changes; assigning the current value raises nothing.
TEST_F(ControlEvents, CodeChangesRaiseTheEventOnlyOnARealChange) {
  TestForm& f = frmTest();
  f.cmbShredder.AddItem("1");
  f.cmbShredder.AddItem("2");
  f.lstBPI.AddItem("ACDSee");
  f.lstBPI.AddItem("Morpheous");
  f.log.clear();

  struct Case {
    const char* what;
    std::function<void()> action;
    std::vector<std::string> events;
  };
  std::vector<Case> cases = {
      {"check 0->1", [&] { f.chkBleach.Value(1); }, {"chkBleach_Click"}},
      {"check 1->1", [&] { f.chkBleach.Value(1); }, {}},
      {"check 1->2", [&] { f.chkBleach.Value(2); }, {"chkBleach_Click"}},
      {"option A", [&] { f.optA.Value(true); }, {"optA_Click"}},
      {"option A again", [&] { f.optA.Value(true); }, {}},
      {"option B clears A silently", [&] { f.optB.Value(true); }, {"optB_Click"}},
      {"text", [&] { f.txtResult.Text("x"); }, {"txtResult_Change"}},
      {"same text", [&] { f.txtResult.Text("x"); }, {}},
      {"tick item 1", [&] { f.lstBPI.Selected(1, true); }, {"lstBPI_ItemCheck 1", "lstBPI_Click"}},
      {"tick item 1 again", [&] { f.lstBPI.Selected(1, true); }, {}},
      {"list index", [&] { f.lstBPI.ListIndex(0); }, {"lstBPI_Click"}},
      {"same list index", [&] { f.lstBPI.ListIndex(0); }, {}},
      {"combo text picks an item", [&] { f.cmbShredder.Text("2"); }, {"cmbShredder_Click"}},
      {"combo index unchanged", [&] { f.cmbShredder.ListIndex(1); }, {}},
      {"slider", [&] { f.sldLevel.Value(4); }, {"sldLevel_Change"}},
      {"slider same", [&] { f.sldLevel.Value(4); }, {}},
      {"array member", [&] { f.chkIE(3).Value(1); }, {"chkIE_Click 3"}},
  };
  for (auto& c : cases) {
    f.log.clear();
    c.action();
    EXPECT_EQ(f.log, c.events) << c.what;
  }
  EXPECT_FALSE(f.optA.Value());
  EXPECT_FALSE(f.optOutside.Value());
}

TEST_F(ControlEvents, OptionGroupsArePerContainer) {
  TestForm& f = frmTest();
  f.optOutside.Value(true);
  f.optA.Value(true);
  EXPECT_TRUE(f.optOutside.Value());
  f.optB.Value(true);
  EXPECT_FALSE(f.optA.Value());
  EXPECT_TRUE(f.optOutside.Value());
}

TEST_F(ControlEvents, CheckBoxRejectsOtherValuesUnchanged) {
  TestForm& f = frmTest();
  f.chkBleach.Value(2);
  for (int bad : {3, -1, 255}) {
    try {
      f.chkBleach.Value(bad);
      ADD_FAILURE() << bad;
    } catch (const platform::RuntimeError& error) {
      EXPECT_EQ(error.number(), 380);
    }
    EXPECT_EQ(f.chkBleach.Value(), 2);
  }
}

TEST_F(ControlEvents, ArraysPassIndexAndRaiseTheirErrors) {
  TestForm& f = frmTest();
  EXPECT_EQ(f.chkIE.Count(), 7);
  EXPECT_EQ(f.chkIE.LBound(), 0);
  EXPECT_EQ(f.chkIE.UBound(), 6);
  EXPECT_EQ(f.chkIE(4).Index(), 4);

  auto errorOf = [](const std::function<void()>& action) {
    try {
      action();
    } catch (const platform::RuntimeError& error) {
      return error.number();
    }
    return 0;
  };
  EXPECT_EQ(errorOf([&] { f.chkIE(7); }), 340);
  EXPECT_EQ(errorOf([&] { f.chkBleach.Index(); }), 343);
  EXPECT_EQ(errorOf([&] { f.chkBleach.Get("Index"); }), 343);
  EXPECT_EQ(errorOf([&] { f.lblInfo.Get("Value"); }), 438);
  EXPECT_EQ(errorOf([&] { f.lblInfo.hWnd(); }), 438);
  EXPECT_EQ(errorOf([&] { f.tmrPoll.hWnd(); }), 438);
  EXPECT_EQ(errorOf([&] { f.txtResult.Let("Caption", std::string("x")); }), 438);

  f.chkIE.Load(9);  // a member loaded later gets the array's handler
  f.log.clear();
  f.chkIE(9).Value(1);
  EXPECT_EQ(f.log, std::vector<std::string>{"chkIE_Click 9"});
  EXPECT_EQ(f.chkIE.UBound(), 9);
  EXPECT_EQ(errorOf([&] { f.chkIE(8); }), 340);

  f.chkIE(2).Let("Value", std::int32_t{1});
  EXPECT_EQ(std::get<std::int32_t>(f.chkIE(2).Get("Value")), 1);
  EXPECT_TRUE(f.chkIE(2).IsKind(ControlKind::CheckBox));
  EXPECT_FALSE(f.lblInfo.IsKind(ControlKind::CheckBox));
}

TEST_F(ControlEvents, UserClicksOnDisabledContainersAreIgnored) {
  TestForm& f = frmTest();
  f.fraMode.Enabled(false);
  QueueClick(f.optA);
  RunUntilIdle();
  EXPECT_FALSE(f.optA.Value());
  EXPECT_TRUE(f.optA.Enabled());  // its own Enabled stays
  f.fraMode.Enabled(true);
  QueueClick(f.optA);
  QueueClick(f.chkBleach);
  RunUntilIdle();
  EXPECT_TRUE(f.optA.Value());
  EXPECT_EQ(f.chkBleach.Value(), 1);
}

TEST_F(ControlEvents, TypingPassesKeyPressAndRespectsMaxLength) {
  TestForm& f = frmTest();
  f.txtResult.KeyPress.Handle([](int& key) {
    if (key == 'x') key = 0;
  });
  f.txtResult.MaxLength(4);
  QueueTyping(f.txtResult, "abxcde");
  RunUntilIdle();
  EXPECT_EQ(f.txtResult.Text(), "abcd");
  EXPECT_EQ(f.txtResult.SelStart(), 4);
  f.txtResult.Text(std::string(100000, 'a'));  // code is not limited
  EXPECT_EQ(f.txtResult.Text().size(), 100000u);
  f.txtResult.SelStart(200000);
  EXPECT_EQ(f.txtResult.SelStart(), 100000);
}

TEST_F(ControlEvents, UpDownFollowsItsBuddy) {
  TestForm& f = frmTest();
  auto owner = std::make_unique<UpDown>(f, "udPasses");  // a control added at run time
  UpDown& spin = *owner;
  spin.Min(1);
  spin.Max(9);
  spin.BuddyControl(&f.txtResult);
  f.txtResult.Text("5 passes");
  EXPECT_EQ(spin.Value(), 5);
  f.txtResult.Text("42");
  EXPECT_EQ(spin.Value(), 9);
  f.txtResult.Text("many");
  EXPECT_EQ(spin.Value(), 9);
  spin.Value(3);
  EXPECT_EQ(f.txtResult.Text(), "3");
  EXPECT_THROW(spin.Value(10), platform::RuntimeError);
}

}  // namespace
}  // namespace tessaly::testing
