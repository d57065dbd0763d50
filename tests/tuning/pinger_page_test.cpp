// The pinger's page: its settings, the tick schedule on a driven clock and
// the one interval rule of automatic mode.
#include <gtest/gtest.h>

#include "monitor_fixture.h"
#include "platform/net/host_icmp.h"
#include "tuning/VLTfrmNetPingerSettings.h"
#include "tuning/suite_settings.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;
using platform::net::EchoAnswer;
using tuning::kNetPingerSettingsKey;

constexpr std::uint64_t kTick = 65535;

class PingerPageTest : public MonitorPageTest {
 protected:
  PingerPageTest() {
    network().ScriptHost(tuning::kDefaultPingHost, {0x0100000A});
    network().ScriptEcho(0x0100000A, EchoAnswer{IP_SUCCESS, 30});
    network().ScriptEcho(0x04030201, EchoAnswer{IP_SUCCESS, 12});
  }
  // Stores a manual pinger for 1.2.3.4 at list position `position`.
  void StoreManual(int position, const char* enabled = "1") {
    Store(kNetPingerSettingsKey, "chkDoPinging", enabled);
    Store(kNetPingerSettingsKey, "optAuto", "False");
    Store(kNetPingerSettingsKey, "optManual", "True");
    Store(kNetPingerSettingsKey, "txtPingHost", "1.2.3.4");
    Store(kNetPingerSettingsKey, "cmbPingInterval", std::to_string(position));
  }
  VLTfrmNetPingerSettingsForm& page() { return VLTfrmNetPingerSettings(); }
  // The ticks (1-based) on which an echo went out, over `ticks` ticks.
  std::vector<int> PingTicks(int ticks) {
    std::vector<int> pinged;
    for (int tick = 1; tick <= ticks; ++tick) {
      std::size_t before = Echoed().size();
      Tick(kTick);
      if (Echoed().size() > before) pinged.push_back(tick);
    }
    return pinged;
  }
};

TEST_F(PingerPageTest, DefaultsAfterLoad) {
  VLTfrmNetPingerSettingsForm& p = page();
  EXPECT_EQ(p.chkDoPinging.Value(), vbUnchecked);
  EXPECT_TRUE(p.optAuto.Value());
  EXPECT_FALSE(p.optManual.Value());
  EXPECT_EQ(p.txtPingHost.Text(), "Automatic");
  EXPECT_FALSE(p.txtPingHost.Enabled());
  EXPECT_EQ(p.cmbPingInterval.ListIndex(), 0);
  EXPECT_FALSE(p.cmbPingInterval.Enabled());
  ASSERT_EQ(p.cmbPingInterval.ListCount(), 60);
  EXPECT_EQ(p.cmbPingInterval.List(0), "1 min.");
  EXPECT_EQ(p.cmbPingInterval.List(59), "60 min.");
  EXPECT_FALSE(p.frameConfiguration.Enabled());
  EXPECT_EQ(p.IntervalMinutes(), 6);
  EXPECT_FALSE(p.cmdSave.Enabled());
  EXPECT_FALSE(p.SettingsChanged());
  EXPECT_FALSE(p.tmrPinger.Enabled());
  EXPECT_EQ(p.tmrPinger.Interval(), 65535);
  EXPECT_EQ(tuning::PingerHost, tuning::kDefaultPingHost);
  EXPECT_EQ(p.chkDoPinging.Caption(), "Enable Pinger");
  EXPECT_EQ(p.cmdPingNow.Caption(), "Ping &Now");
  EXPECT_EQ(p.lblDescription.Caption().rfind("The PING utility helps to keep you from getting your modem connection "
                                             "disconnected by your service provider.", 0),
            0u);
  EXPECT_TRUE(PingTicks(12).empty());  // switched off: nothing is ever sent
}

TEST_F(PingerPageTest, TheTimerPingsEveryIntervalOfTicks) {
  struct Case {
    int position;
    std::vector<int> pinged;
  } cases[] = {
      {0, {1, 2, 3, 4, 5, 6, 7}},  // 1 minute: every tick
      {5, {6, 12}},                // 6 minutes: the 6th tick, then every 6
      {2, {3, 6, 9, 12}},
  };
  for (const auto& c : cases) {
    ResetFormsRuntime();
    platform::TheJournal().Clear();
    StoreManual(c.position);
    ASSERT_TRUE(page().tmrPinger.Enabled());
    EXPECT_EQ(page().IntervalMinutes(), c.position + 1);
    EXPECT_EQ(PingTicks(c.position == 0 ? 7 : 12), c.pinged) << "position " << c.position;
    for (const std::string& address : Echoed()) EXPECT_EQ(address, "1.2.3.4");
  }
}

TEST_F(PingerPageTest, ASaveWithAShorterIntervalPingsOnTheNextTick) {
  StoreManual(5);
  ASSERT_TRUE(page().tmrPinger.Enabled());
  EXPECT_TRUE(PingTicks(4).empty());
  EXPECT_EQ(page().TickCount(), 4);
  page().cmbPingInterval.ListIndex(1);
  page().cmdSave_Click();
  EXPECT_EQ(page().IntervalMinutes(), 2);
  EXPECT_EQ(page().TickCount(), 4);  // not reset by the save
  EXPECT_EQ(PingTicks(3), (std::vector<int>{1, 3}));
}

TEST_F(PingerPageTest, AutomaticModeKeepsSixMinutesAfterASaveAndAReload) {
  Store(kNetPingerSettingsKey, "chkDoPinging", "1");
  EXPECT_EQ(page().IntervalMinutes(), 6);
  page().cmdSave_Click();
  EXPECT_EQ(page().IntervalMinutes(), 6);
  EXPECT_EQ(Stored(kNetPingerSettingsKey, "txtPingHost"), "Automatic");
  EXPECT_EQ(Stored(kNetPingerSettingsKey, "cmbPingInterval"), "0");
  EXPECT_EQ(Stored(kNetPingerSettingsKey, "optAuto"), "True");
  EXPECT_EQ(PingTicks(12), (std::vector<int>{6, 12}));
  EXPECT_EQ(Echoed(), (std::vector<std::string>{"10.0.0.1", "10.0.0.1"}));  // the built-in host

  Unload(page());
  EXPECT_EQ(page().IntervalMinutes(), 6);
  EXPECT_TRUE(page().tmrPinger.Enabled());
}

TEST_F(PingerPageTest, EditsTakeEffectOnlyWhenSaved) {
  StoreManual(0);
  page().txtPingHost.Text("9.9.9.9");
  EXPECT_TRUE(page().cmdSave.Enabled());
  page().chkDoPinging.Value(vbUnchecked);  // unticked but not saved: the timer keeps running
  EXPECT_TRUE(page().tmrPinger.Enabled());
  EXPECT_FALSE(page().frameConfiguration.Enabled());
  page().cmdPingNow_Click();
  EXPECT_EQ(Echoed(), (std::vector<std::string>{"1.2.3.4"}));  // the host as of the last load
  page().cmdSave_Click();
  EXPECT_FALSE(page().tmrPinger.Enabled());
  EXPECT_FALSE(page().cmdSave.Enabled());
  EXPECT_EQ(tuning::PingerHost, "9.9.9.9");
  EXPECT_EQ(Stored(kNetPingerSettingsKey, "chkDoPinging"), "0");
  EXPECT_EQ(Stored(kNetPingerSettingsKey, "txtPingHost"), "9.9.9.9");
  EXPECT_EQ(Stored(kNetPingerSettingsKey, "optManual"), "True");
  EXPECT_EQ(Stored(kNetPingerSettingsKey, "chkSound"), "0");
}

TEST_F(PingerPageTest, SwitchingModesSetsTheHostBoxAndTheList) {
  page().optManual.Value(true);
  EXPECT_EQ(page().txtPingHost.Text(), tuning::kDefaultPingHost);
  EXPECT_TRUE(page().txtPingHost.Enabled());
  EXPECT_TRUE(page().cmbPingInterval.Enabled());
  EXPECT_TRUE(page().SettingsChanged());
  page().cmbPingInterval.ListIndex(9);
  page().optAuto.Value(true);
  EXPECT_EQ(page().txtPingHost.Text(), "Automatic");
  EXPECT_EQ(page().cmbPingInterval.ListIndex(), 0);
  EXPECT_FALSE(page().txtPingHost.Enabled());
}

TEST_F(PingerPageTest, StoredValuesThatDoNotConvertGiveTheDefaults) {
  struct Case {
    const char* doPinging;
    const char* automatic;
    const char* manual;
    const char* position;
    int checked;
    bool automaticMode;
    int listIndex;
  } cases[] = {
      {"x", "maybe", "", "abc", vbUnchecked, true, 0},
      {"1", "FALSE", "true", "99", vbChecked, false, 59},
      {"2", "False", "TRUE", "-4", vbGrayed, false, 0},
      {"7", "False", "False", "3", vbUnchecked, true, 0},  // neither option: automatic
      {"1", "false", "true", "abc", vbChecked, false, 5},
  };
  for (const auto& c : cases) {
    ResetFormsRuntime();
    Store(kNetPingerSettingsKey, "chkDoPinging", c.doPinging);
    Store(kNetPingerSettingsKey, "optAuto", c.automatic);
    Store(kNetPingerSettingsKey, "optManual", c.manual);
    Store(kNetPingerSettingsKey, "cmbPingInterval", c.position);
    SCOPED_TRACE(std::string(c.doPinging) + "/" + c.automatic + "/" + c.manual + "/" + c.position);
    EXPECT_EQ(page().chkDoPinging.Value(), c.checked);
    EXPECT_EQ(page().optAuto.Value(), c.automaticMode);
    EXPECT_EQ(page().optManual.Value(), !c.automaticMode);
    EXPECT_EQ(page().cmbPingInterval.ListIndex(), c.listIndex);
    EXPECT_EQ(page().IntervalMinutes(), c.automaticMode ? 6 : c.listIndex + 1);
    EXPECT_FALSE(page().cmdSave.Enabled());
  }
}

TEST_F(PingerPageTest, FailedPingsDropTheirResultAndLeaveNothingOpen) {
  network().ScriptEcho(0x0200000A, EchoAnswer{IP_REQ_TIMED_OUT, 0});
  StoreManual(0);
  Store(kNetPingerSettingsKey, "txtPingHost", "10.0.0.2");
  ASSERT_TRUE(page().tmrPinger.Enabled());
  std::uint64_t before = machine_.clock().TickMs();
  Tick(kTick);
  ASSERT_EQ(platform::TheJournal().Of("IcmpSendEcho").size(), 1u);
  EXPECT_EQ(platform::TheJournal().Of("IcmpSendEcho")[0].args[1], "11010");
  EXPECT_EQ(machine_.clock().TickMs() - before, kTick + 10000);  // the echo waited its whole time-out
  page().txtPingHost.Text("unknown.example.test");
  page().cmdSave_Click();
  Tick(kTick);
  EXPECT_EQ(platform::TheJournal().Of("IcmpSendEcho").size(), 1u);  // an unknown name sends nothing
  EXPECT_EQ(network().startups(), 0);
  EXPECT_TRUE(Answers().records().empty());
}

TEST_F(PingerPageTest, PingNowDuringATimerPingNeverNests) {
  StoreManual(0);
  ASSERT_TRUE(page().tmrPinger.Enabled());
  int deepest = 0;
  // While the timer's ping yields, the user clicks Ping Now each turn (the
  // first turn is the one that runs the timer).
  for (std::uint64_t turn = YieldCount() + 2; turn < YieldCount() + 40; ++turn)
    AtYield(turn, [&] {
      deepest = std::max(deepest, network().startups());
      QueueClick(page().cmdPingNow);
    });
  Tick(kTick);
  EXPECT_EQ(Echoed().size(), 1u);
  EXPECT_EQ(deepest, 1);  // one Winsock start-up at a time
  EXPECT_EQ(network().startups(), 0);
}

TEST_F(PingerPageTest, ClicksDuringPingNowAreDropped) {
  StoreManual(0, "0");
  QueueClick(page().cmdPingNow);
  for (std::uint64_t turn = YieldCount() + 2; turn < YieldCount() + 40; ++turn)
    AtYield(turn, [&] { QueueClick(page().cmdPingNow); });
  DoEvents();
  EXPECT_EQ(Echoed().size(), 1u);
}

TEST_F(PingerPageTest, PingsTheRealLoopbackWithItsRoundTrip) {
  if (!platform::net::HostIcmpUsable())
    GTEST_SKIP() << "this host allows no ICMP socket (neither net.ipv4.ping_group_range nor CAP_NET_RAW)";
  StoreManual(1);
  Store(kNetPingerSettingsKey, "txtPingHost", "127.0.0.1");
  ASSERT_TRUE(page().tmrPinger.Enabled());
  EXPECT_EQ(PingTicks(4), (std::vector<int>{2, 4}));
  for (const auto& entry : platform::TheJournal().Of("IcmpSendEcho")) {
    EXPECT_EQ(entry.args[0], "127.0.0.1");
    EXPECT_EQ(entry.args[1], "0");                   // answered
    EXPECT_LT(std::stoul(entry.args[2]), 10000ul);  // a real round trip
  }
}

}  // namespace
}  // namespace tessaly::testing
