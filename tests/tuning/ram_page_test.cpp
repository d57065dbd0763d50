// The RAM optimiser's page: settings with their ranges, and the alarm timer
// on injected memory figures and processor usage.
#include <gtest/gtest.h>

#include "monitor_fixture.h"
#include "tuning/VLTfrmRamConfiguration.h"
#include "tuning/VLTfrmSystemStatus.h"
#include "tuning/suite_settings.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;
using tuning::kRamSettingsKey;

constexpr std::uint64_t kGB = 1024 * kMB;

class RamPageTest : public MonitorPageTest {
 protected:
  // The 9x family: the usage object reads the kernel statistic, whose
  // readings the test sets one by one.
  RamPageTest() : MonitorPageTest(platform::OsKind::Win98) {}

  VLTfrmRamConfigurationForm& page() { return VLTfrmRamConfiguration(); }
  // Loads the status page (the usage object's owner) with its graphs
  // stopped, so that only the alarm reads the statistic.
  void LoadStatusPage() {
    VLTfrmSystemStatus().tmrCPU.Enabled(false);
    VLTfrmSystemStatus().tmrMemory.Enabled(false);
  }
  // The next statistic reading gives `percent` usage.
  void NextUsage(int percent) {
    idle_ += static_cast<std::uint64_t>(100 - percent);
    total_ += 100;
    facts().InjectProcessor(platform::ProcessorTimes{1, idle_, total_, 100});
  }
  void FreeMemory(std::uint64_t bytes, std::uint64_t total = 512 * kMB) {
    facts().InjectMemory(platform::MemoryFigures{total, bytes, 0, 0, 0});
  }
  // One alarm tick; the bytes each freeing pass took.
  std::vector<std::uint64_t> AlarmTick() {
    touched_.clear();
    Tick(static_cast<std::uint64_t>(page().tmrAlarm.Interval()));
    return touched_;
  }

  std::uint64_t idle_ = 1000, total_ = 2000;
};

TEST_F(RamPageTest, DefaultsAfterLoad) {
  VLTfrmRamConfigurationForm& p = page();
  EXPECT_EQ(p.AlarmLevelMB(), 250);
  EXPECT_EQ(p.FreeAmountMB(), 10);
  EXPECT_EQ(p.tmrAlarm.Interval(), 100);
  EXPECT_TRUE(p.tmrAlarm.Enabled());
  EXPECT_EQ(p.CpuLimitPercent(), 2);
  EXPECT_EQ(p.RetryTimes(), 10);
  EXPECT_EQ(p.chkAutomatic.Value(), vbUnchecked);
  EXPECT_TRUE(p.optMB.Value());
  EXPECT_FALSE(p.optPer.Value());
  EXPECT_FALSE(p.cmdSave.Enabled());
  EXPECT_FALSE(p.txtAlarm.Enabled());
  EXPECT_FALSE(p.txtFreeAlarm.Enabled());
  EXPECT_FALSE(p.updnTimeCheck.Enabled());
  EXPECT_EQ(p.lblRunOnly.Caption(), "Run ONLY if CPU-Usage is below this (0=detectyion not in use)");
  FreeMemory(1 * kMB);
  EXPECT_TRUE(AlarmTick().empty());  // not automatic: the tick does nothing
}

TEST_F(RamPageTest, TheAlarmFreesMemoryWhenFreeMemoryIsBelowTheLevel) {
  struct Case {
    const char* name;
    std::uint64_t freeBytes;
    const char* runOnly;
    const char* retries;
    int usage;
    std::size_t passes;
  } cases[] = {
      {"exactly at the level", 250 * kMB, "2", "3", 0, 0},
      {"just below", 250 * kMB - 1, "2", "3", 0, 3},
      {"usage 1 under a limit of 2", 100 * kMB, "2", "3", 1, 3},
      {"usage 2 under a limit of 2", 100 * kMB, "2", "3", 2, 0},
      {"no limit", 100 * kMB, "0", "3", 95, 3},
      {"no retries is one pass", 100 * kMB, "0", "0", 95, 1},
  };
  LoadStatusPage();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Store(kRamSettingsKey, "chkAutomatic", "1");
    Store(kRamSettingsKey, "txtRunOnly", c.runOnly);
    Store(kRamSettingsKey, "txtRetryOptimization", c.retries);
    page().LoadRamSettings();
    FreeMemory(c.freeBytes);
    NextUsage(c.usage);
    EXPECT_EQ(AlarmTick(), std::vector<std::uint64_t>(c.passes, 2 * 10 * kMB));
  }
}

TEST_F(RamPageTest, TheAmountComesFromTheBoxAsItStands) {
  LoadStatusPage();
  Store(kRamSettingsKey, "chkAutomatic", "1");
  Store(kRamSettingsKey, "txtRetryOptimization", "2");
  Store(kRamSettingsKey, "txtRunOnly", "0");
  page().LoadRamSettings();
  page().txtFreeAlarm.Text("25");  // typed, not saved
  EXPECT_EQ(page().FreeAmountMB(), 10);
  FreeMemory(10 * kMB);
  EXPECT_EQ(AlarmTick(), (std::vector<std::uint64_t>{2 * 25 * kMB, 2 * 25 * kMB}));
}

TEST_F(RamPageTest, WithoutTheStatusPageOnlyAnUnlimitedRunGoesAhead) {
  Store(kRamSettingsKey, "chkAutomatic", "1");
  Store(kRamSettingsKey, "txtRetryOptimization", "1");
  FreeMemory(10 * kMB);
  EXPECT_TRUE(AlarmTick().empty());  // the usage is unknown
  page().txtRunOnly.Text("0");
  page().cmdSave_Click();
  EXPECT_EQ(AlarmTick().size(), 1u);
}

TEST_F(RamPageTest, SizesAboveTwoGigabytesNeitherOverflowNorRaiseTheAlarm) {
  LoadStatusPage();
  Store(kRamSettingsKey, "chkAutomatic", "1");
  Store(kRamSettingsKey, "txtRunOnly", "0");
  Store(kRamSettingsKey, "txtRetryOptimization", "1");
  Store(kRamSettingsKey, "txtFreeAlarm", "1000");
  page().LoadRamSettings();
  FreeMemory(3 * kGB, 8 * kGB);  // seen as just under 2 GB free
  EXPECT_TRUE(AlarmTick().empty());
  FreeMemory(20 * kGB, 24 * kGB);
  EXPECT_TRUE(AlarmTick().empty());
  page().txtAlarm.Text("32767");
  page().cmdSave_Click();
  EXPECT_EQ(page().AlarmLevelMB(), 32767);
  EXPECT_EQ(AlarmTick(), (std::vector<std::uint64_t>{2 * 1000 * kMB}));  // 2,097,152,000 bytes
}

TEST_F(RamPageTest, StoredValuesOutOfRangeGiveTheDefaultsOrTheirLimits) {
  struct Case {
    const char* name;
    const char* stored;
    const char* shown;
  } cases[] = {
      {"txtAlarm", "40000", "250"},  {"txtAlarm", "abc", "250"},        {"txtAlarm", "-5", "250"},
      {"txtAlarm", "32767", "32767"}, {"txtFreeAlarm", "1001", "10"},    {"txtFreeAlarm", "1000", "1000"},
      {"txtTimeCheck", "0", "1"},     {"txtTimeCheck", "70000", "65535"}, {"txtTimeCheck", "x", "100"},
      {"txtRunOnly", "150", "100"},   {"txtRetryOptimization", "300", "255"},
      {"txtRetryOptimization", "-1", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " = " + c.stored);
    ResetFormsRuntime();
    Store(kRamSettingsKey, c.name, c.stored);
    auto* box = static_cast<TextBox*>(page().FindControl(c.name));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Text(), c.shown);
    EXPECT_FALSE(page().cmdSave.Enabled());
    Store(kRamSettingsKey, c.name, box->Text());  // back to a fitting value for the next case
  }
  ResetFormsRuntime();
  Store(kRamSettingsKey, "txtTimeCheck", "0");
  Store(kRamSettingsKey, "txtRunOnly", "999");
  Store(kRamSettingsKey, "txtRetryOptimization", "1000");
  EXPECT_EQ(page().tmrAlarm.Interval(), 1);
  EXPECT_EQ(page().CpuLimitPercent(), 100);
  EXPECT_EQ(page().RetryTimes(), 255);
}

TEST_F(RamPageTest, TypedLevelsOutsideTheirRangesArePutBack) {
  struct Case {
    TextBox& box;
    const char* typed;
    const char* shown;
  } cases[] = {
      {page().txtAlarm, "abc", "250"},     {page().txtAlarm, "-5", "250"},     {page().txtAlarm, "40000", "250"},
      {page().txtAlarm, "300", "300"},     {page().txtFreeAlarm, "1001", "10"}, {page().txtFreeAlarm, "1000", "1000"},
      {page().txtFreeAlarm, "-1", "10"},
  };
  for (const auto& c : cases) {
    page().SetChanged(false);
    c.box.Text(c.typed);
    EXPECT_EQ(c.box.Text(), c.shown) << c.typed;
    EXPECT_TRUE(page().SettingsChanged());
  }
  EXPECT_EQ(page().AlarmLevelMB(), 250);  // the level stays as loaded until a save
}

TEST_F(RamPageTest, ASaveTakesEffectAtOnce) {
  page().chkAutomatic.Value(vbChecked);
  page().chkSoundon.Value(vbChecked);
  page().txtAlarm.Text("300");
  page().txtTimeCheck.Text("250");
  page().txtRetryOptimization.Text("4");
  page().optPer.Value(true);
  EXPECT_TRUE(page().cmdSave.Enabled());
  page().cmdSave_Click();
  EXPECT_FALSE(page().cmdSave.Enabled());
  EXPECT_EQ(page().AlarmLevelMB(), 300);
  EXPECT_EQ(page().tmrAlarm.Interval(), 250);
  EXPECT_EQ(page().RetryTimes(), 4);
  const char* expected[][2] = {
      {"chkSoundon", "1"},   {"chkAutomatic", "1"}, {"txtAlarm", "300"},  {"txtFreeAlarm", "10"},
      {"txtTimeCheck", "250"}, {"optPer", "True"},  {"optMB", "False"},   {"txtRunOnly", "2"},
      {"txtRetryOptimization", "4"},
  };
  for (const auto& row : expected) EXPECT_EQ(Stored(kRamSettingsKey, row[0]), row[1]) << row[0];
}

TEST_F(RamPageTest, TheBoxesFollowTheirCheckBoxes) {
  page().chkAutomatic.Value(vbChecked);
  EXPECT_TRUE(page().txtFreeAlarm.Enabled());
  EXPECT_TRUE(page().txtTimeCheck.Enabled());
  EXPECT_TRUE(page().updnTimeCheck.Enabled());
  EXPECT_FALSE(page().txtAlarm.Enabled());
  page().chkSoundon.Value(vbChecked);
  EXPECT_TRUE(page().txtAlarm.Enabled());
  page().chkAutomatic.Value(vbUnchecked);
  EXPECT_FALSE(page().txtFreeAlarm.Enabled());
  EXPECT_FALSE(page().updnTimeCheck.Enabled());
  EXPECT_TRUE(page().SettingsChanged());
}

TEST_F(RamPageTest, TheAlarmNeverReentersItself) {
  LoadStatusPage();
  Store(kRamSettingsKey, "chkAutomatic", "1");
  Store(kRamSettingsKey, "txtRunOnly", "0");
  Store(kRamSettingsKey, "txtRetryOptimization", "3");
  page().LoadRamSettings();
  FreeMemory(10 * kMB);
  // Each yield inside the run lets more than a whole interval pass.
  for (std::uint64_t turn = YieldCount() + 1; turn < YieldCount() + 200; ++turn)
    AtYield(turn, [this] { machine_.clock().Advance(150); });
  EXPECT_EQ(AlarmTick().size(), 3u);
}

}  // namespace
}  // namespace tessaly::testing
