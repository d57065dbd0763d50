#pragma once
// The RAM optimiser's page: its settings, and the alarm timer that frees
// memory while free physical memory is below the alarm level (and the
// processor is quiet enough). Its settings live under the suite's
// RamSettings key.
#include <cstdint>
#include <optional>

#include "platform/forms/forms.h"

class VLTfrmRamConfigurationForm : public platform::forms::Form {
 public:
  VLTfrmRamConfigurationForm();

  TSY_CONTROL(CheckBox, chkSoundon);
  TSY_CONTROL(CheckBox, chkAutomatic);
  TSY_CONTROL(Label, lblAlarm);
  TSY_CONTROL(TextBox, txtAlarm);
  TSY_CONTROL(Label, lblFreeAlarm);
  TSY_CONTROL(TextBox, txtFreeAlarm);
  TSY_CONTROL(Label, lblTimeCheck);
  TSY_CONTROL(TextBox, txtTimeCheck);
  TSY_CONTROL(UpDown, updnTimeCheck);
  TSY_CONTROL(OptionButton, optPer);
  TSY_CONTROL(OptionButton, optMB);
  TSY_CONTROL(Label, lblRunOnly);
  TSY_CONTROL(TextBox, txtRunOnly);
  TSY_CONTROL(UpDown, UpDownRunOnly);
  TSY_CONTROL(Label, lblRetryOptimization);
  TSY_CONTROL(TextBox, txtRetryOptimization);
  TSY_CONTROL(UpDown, UpDownRetryOptimization);
  TSY_CONTROL(CommandButton, cmdSave);
  TSY_CONTROL(Timer, tmrAlarm);

  std::int16_t AlarmLevelMB() const { return alarmLevelMB_; }
  std::int16_t FreeAmountMB() const { return freeAmountMB_; }
  std::uint8_t CpuLimitPercent() const { return cpuLimitPercent_; }
  std::uint8_t RetryTimes() const { return retryTimes_; }
  bool SettingsChanged() const { return settingsChanged_; }
  void SetChanged(bool changed);

  void LoadRamSettings();
  void SaveRamSettings();
  void cmdSave_Click();
  void chkAutomatic_Click();
  void chkSoundon_Click();
  void txtAlarm_Change();
  void txtFreeAlarm_Change();
  void tmrAlarm_Timer();

 protected:
  void Form_Load() override;

 private:
  void Design();
  // The status page's processor usage; nothing while that page is not loaded.
  std::optional<std::int32_t> ProcessorUsage() const;

  std::int16_t alarmLevelMB_ = 0;
  std::int16_t freeAmountMB_ = 0;
  std::uint8_t cpuLimitPercent_ = 0;
  std::uint8_t retryTimes_ = 0;
  bool settingsChanged_ = false;
};

VLTfrmRamConfigurationForm& VLTfrmRamConfiguration();
