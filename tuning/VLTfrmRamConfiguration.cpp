#include "tuning/VLTfrmRamConfiguration.h"

#include <algorithm>

#include "tuning/FreeRAM.h"
#include "tuning/VLTfrmSystemStatus.h"
#include "tuning/design_cells.h"
#include "tuning/message_turns.h"
#include "tuning/stored_settings.h"
#include "tuning/whole_number.h"
#include "tuning/suite_page.h"
#include "tuning/suite_registry.h"
#include "tuning/suite_settings.h"

using namespace platform::forms;

namespace {

constexpr int kYieldsAroundPass = 14;
constexpr std::int64_t kBytesPerMB = 1048576;

// The numeric boxes: their ranges keep the page's 16-bit and byte state
// and the timer's interval valid. A stored text that is no number gives the
// default; a number out of range gives the default for the two checked
// boxes and is brought into range for the up-downs' boxes, as an up-down
// brings it.
struct NumberRule {
  std::int32_t min, max, fallback;
  bool clamps;
};
constexpr NumberRule kAlarmRule{0, 32767, 250, false};
constexpr NumberRule kFreeAmountRule{0, 1000, 10, false};
constexpr NumberRule kTimeCheckRule{1, 65535, 100, true};
constexpr NumberRule kRunOnlyRule{0, 100, 2, true};
constexpr NumberRule kRetryRule{0, 255, 10, true};

// The box's number under `rule`, written back into the box when it changed.
std::int32_t LoadedNumber(TextBox& box, const NumberRule& rule) {
  auto number = tuning::WholeNumber(box.Text());
  std::int32_t value = rule.fallback;
  if (number && *number >= rule.min && *number <= rule.max) value = *number;
  else if (number && rule.clamps) value = std::clamp(*number, rule.min, rule.max);
  if (!number || *number != value) box.Text(std::to_string(value));
  return value;
}

void SetRange(UpDown& upDown, TextBox& buddy, const NumberRule& rule) {
  upDown.Min(rule.min);
  upDown.Max(rule.max);
  upDown.BuddyControl(&buddy);
  upDown.Value(rule.fallback);
}

}  // namespace

VLTfrmRamConfigurationForm::VLTfrmRamConfigurationForm() : Form("VLTfrmRamConfiguration") {
  Caption("Ram Configuration");
  Design();
  chkSoundon.Caption("Sound on");
  chkAutomatic.Caption("Optimize automatically when Alarm level is reached");
  lblAlarm.Caption("Alarm Level (in MB):");
  lblFreeAlarm.Caption("RAM to try and free when alarm level is reached:");
  lblTimeCheck.Caption("Do check every (in Milliseconds)");
  optPer.Caption("Percentage of Free RAM");
  optMB.Caption("Free RAM in MB");
  lblRunOnly.Caption("Run ONLY if CPU-Usage is below this (0=detectyion not in use)");
  lblRetryOptimization.Caption("Times to retry optimization");
  cmdSave.Caption("&Save");
  SetRange(updnTimeCheck, txtTimeCheck, kTimeCheckRule);
  SetRange(UpDownRunOnly, txtRunOnly, kRunOnlyRule);
  SetRange(UpDownRetryOptimization, txtRetryOptimization, kRetryRule);
  tmrAlarm.Interval(100);
  tmrAlarm.Enabled(true);
  TSY_ON(chkAutomatic, Click, chkAutomatic_Click);
  TSY_ON(chkSoundon, Click, chkSoundon_Click);
  optMB.Click.Handle([this] { SetChanged(true); });
  optPer.Click.Handle([this] { SetChanged(true); });
  for (UpDown* upDown : {&updnTimeCheck, &UpDownRunOnly, &UpDownRetryOptimization})
    upDown->Change.Handle([this] { SetChanged(true); });
  TSY_ON(txtAlarm, Change, txtAlarm_Change);
  TSY_ON(txtFreeAlarm, Change, txtFreeAlarm_Change);
  TSY_ON(cmdSave, Click, cmdSave_Click);
  TSY_ON(tmrAlarm, TimerEvent, tmrAlarm_Timer);
}

// Twips: the two check boxes, then one row a setting with its label on the
// left and its box (and up-down) on the right.
void VLTfrmRamConfigurationForm::Design() {
  Move(0, 0, 6300, 4800);
  tuning::PlaceCells({
      {chkSoundon, 120, 120, 6000, 285},          {chkAutomatic, 120, 420, 6000, 285},
      {lblAlarm, 120, 780, 3900, 285},            {txtAlarm, 4140, 780, 1200, 315},
      {lblFreeAlarm, 120, 1200, 3900, 480},       {txtFreeAlarm, 4140, 1200, 1200, 315},
      {lblTimeCheck, 120, 1740, 3900, 285},       {txtTimeCheck, 4140, 1740, 1200, 315},
      {updnTimeCheck, 5340, 1740, 255, 315},      {optPer, 120, 2160, 2900, 285},
      {optMB, 3120, 2160, 2900, 285},             {lblRunOnly, 120, 2580, 3900, 480},
      {txtRunOnly, 4140, 2580, 1200, 315},        {UpDownRunOnly, 5340, 2580, 255, 315},
      {lblRetryOptimization, 120, 3180, 3900, 285}, {txtRetryOptimization, 4140, 3180, 1200, 315},
      {UpDownRetryOptimization, 5340, 3180, 255, 315}, {cmdSave, 4560, 4140, 1440, 375},
  });
}

void VLTfrmRamConfigurationForm::SetChanged(bool changed) {
  settingsChanged_ = changed;
  cmdSave.Enabled(changed);
}

void VLTfrmRamConfigurationForm::Form_Load() {
  tuning::ApplySuitePageLook(*this);
  LoadRamSettings();
}

void VLTfrmRamConfigurationForm::LoadRamSettings() {
  using tuning::GetSettingHKLM;
  using tuning::kRamSettingsKey;
  chkSoundon.Value(tuning::StoredCheckValue(kRamSettingsKey, chkSoundon.Name()));
  chkAutomatic.Value(tuning::StoredCheckValue(kRamSettingsKey, chkAutomatic.Name()));
  // Loaded values that do not fit give the defaults before any check runs.
  struct Box {
    TextBox& box;
    const NumberRule& rule;
  } boxes[] = {{txtAlarm, kAlarmRule}, {txtFreeAlarm, kFreeAmountRule}, {txtTimeCheck, kTimeCheckRule},
               {txtRunOnly, kRunOnlyRule}, {txtRetryOptimization, kRetryRule}};
  alarmLevelMB_ = kAlarmRule.fallback;
  freeAmountMB_ = kFreeAmountRule.fallback;
  for (const auto& entry : boxes) {
    entry.box.Text(GetSettingHKLM(kRamSettingsKey, entry.box.Name(), std::to_string(entry.rule.fallback)));
    LoadedNumber(entry.box, entry.rule);
  }
  bool percent = tuning::StoredBoolean(kRamSettingsKey, optPer.Name(), false);
  bool megabytes = tuning::StoredBoolean(kRamSettingsKey, optMB.Name(), true);
  if (percent == megabytes) percent = false, megabytes = true;
  optPer.Value(percent);
  optMB.Value(megabytes);
  alarmLevelMB_ = static_cast<std::int16_t>(LoadedNumber(txtAlarm, kAlarmRule));
  freeAmountMB_ = static_cast<std::int16_t>(LoadedNumber(txtFreeAlarm, kFreeAmountRule));
  chkAutomatic_Click();
  chkSoundon_Click();
  tmrAlarm.Interval(updnTimeCheck.Value());
  cpuLimitPercent_ = static_cast<std::uint8_t>(UpDownRunOnly.Value());
  retryTimes_ = static_cast<std::uint8_t>(UpDownRetryOptimization.Value());
  SetChanged(false);
}

void VLTfrmRamConfigurationForm::SaveRamSettings() {
  using tuning::kRamSettingsKey;
  using tuning::SaveSettingHKLM;
  SaveSettingHKLM(kRamSettingsKey, chkSoundon.Name(), std::to_string(chkSoundon.Value()));
  SaveSettingHKLM(kRamSettingsKey, chkAutomatic.Name(), std::to_string(chkAutomatic.Value()));
  for (TextBox* box : {&txtAlarm, &txtFreeAlarm, &txtTimeCheck})
    SaveSettingHKLM(kRamSettingsKey, box->Name(), box->Text());
  SaveSettingHKLM(kRamSettingsKey, optPer.Name(), tuning::BooleanText(optPer.Value()));
  SaveSettingHKLM(kRamSettingsKey, optMB.Name(), tuning::BooleanText(optMB.Value()));
  for (TextBox* box : {&txtRunOnly, &txtRetryOptimization}) SaveSettingHKLM(kRamSettingsKey, box->Name(), box->Text());
  SetChanged(false);
}

void VLTfrmRamConfigurationForm::cmdSave_Click() {
  SaveRamSettings();
  LoadRamSettings();
}

void VLTfrmRamConfigurationForm::chkAutomatic_Click() {
  bool ticked = chkAutomatic.Value() == vbChecked;
  txtFreeAlarm.Enabled(ticked);
  txtTimeCheck.Enabled(ticked);
  updnTimeCheck.Enabled(ticked);
  SetChanged(true);
}

void VLTfrmRamConfigurationForm::chkSoundon_Click() {
  txtAlarm.Enabled(chkSoundon.Value() == vbChecked);
  SetChanged(true);
}

void VLTfrmRamConfigurationForm::txtAlarm_Change() {
  LoadedNumber(txtAlarm, {kAlarmRule.min, kAlarmRule.max, alarmLevelMB_, false});
  SetChanged(true);
}

void VLTfrmRamConfigurationForm::txtFreeAlarm_Change() {
  LoadedNumber(txtFreeAlarm, {kFreeAmountRule.min, kFreeAmountRule.max, freeAmountMB_, false});
  SetChanged(true);
}

std::optional<std::int32_t> VLTfrmRamConfigurationForm::ProcessorUsage() const {
  if (!IsLoaded<VLTfrmSystemStatusForm>()) return std::nullopt;
  CpuUsageObject* usage = VLTfrmSystemStatus().UsageObject();
  if (!usage) return std::nullopt;
  return usage->Query();
}

void VLTfrmRamConfigurationForm::tmrAlarm_Timer() {
  FreeRAM ram;
  double freeMB = ram.GetFreePhysical() / static_cast<double>(kBytesPerMB);
  if (chkAutomatic.Value() != vbChecked || !(freeMB < alarmLevelMB_)) return;
  YieldTurns(kYieldsAroundPass);
  std::int64_t amount = tuning::WholeNumber(txtFreeAlarm.Text()).value_or(freeAmountMB_) * kBytesPerMB;
  std::optional<std::int32_t> usage = ProcessorUsage();
  // Without the status page the usage is unknown: only an unlimited run goes ahead.
  bool quietEnough = cpuLimitPercent_ == 0 || (usage && cpuLimitPercent_ > *usage);
  if (!quietEnough) return;
  int passes = retryTimes_ == 0 ? 1 : retryTimes_;
  for (int pass = 0; pass < passes; ++pass) {
    YieldTurns(kYieldsAroundPass);
    ram.FreeUpMemory(amount);
    YieldTurns(kYieldsAroundPass);
  }
}

VLTfrmRamConfigurationForm& VLTfrmRamConfiguration() { return DefaultInstance<VLTfrmRamConfigurationForm>(); }
