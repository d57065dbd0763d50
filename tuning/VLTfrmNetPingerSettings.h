#pragma once
// The network pinger's page: while "Enable Pinger" is ticked (as stored) it
// sends one echo request to the chosen host every few timer minutes, to keep
// a dial-up connection from being dropped. Its settings live under the
// suite's NetPinger key.
#include <cstdint>
#include <string>

#include "platform/forms/forms.h"

class VLTfrmNetPingerSettingsForm : public platform::forms::Form {
 public:
  VLTfrmNetPingerSettingsForm();

  TSY_CONTROL(Label, lblDescription);
  TSY_CONTROL(CheckBox, chkDoPinging);
  TSY_CONTROL(Frame, frameConfiguration);
  TSY_CONTROL_IN(OptionButton, optAuto, frameConfiguration);
  TSY_CONTROL_IN(OptionButton, optManual, frameConfiguration);
  TSY_CONTROL_IN(Label, lblPingHost, frameConfiguration);
  TSY_CONTROL_IN(TextBox, txtPingHost, frameConfiguration);
  TSY_CONTROL_IN(Label, lblPingInterval, frameConfiguration);
  TSY_CONTROL_IN(ComboBox, cmbPingInterval, frameConfiguration);
  TSY_CONTROL_IN(CheckBox, chkSound, frameConfiguration);
  TSY_CONTROL(CommandButton, cmdPingNow);
  TSY_CONTROL(CommandButton, cmdSave);
  TSY_CONTROL(Timer, tmrPinger);

  // Timer ticks between pings, and ticks counted since the last one.
  std::int16_t IntervalMinutes() const { return intervalMinutes_; }
  std::int16_t TickCount() const { return tickCount_; }
  bool SettingsChanged() const { return settingsChanged_; }
  void SetChanged(bool changed);

  void chkDoPinging_Click();
  void optAuto_Click();
  void optManual_Click();
  void txtPingHost_Change();
  void cmbPingInterval_Click();
  void chkSound_Click();
  void cmdPingNow_Click();
  void cmdSave_Click();
  void tmrPinger_Timer();

 protected:
  void Form_Load() override;

 private:
  void Design();
  void LoadPingerSettings();
  void SavePingerSettings();
  // The host and interval the timer uses, from the controls as they stand.
  void TakePingerTarget();

  std::int16_t intervalMinutes_ = 0;
  std::int16_t tickCount_ = 0;
  bool settingsChanged_ = false;
  // One ping at a time: a Ping Now click or a tick while one is under way
  // (Ping Now's yields included) sends nothing more.
  bool pinging_ = false;
};

VLTfrmNetPingerSettingsForm& VLTfrmNetPingerSettings();

namespace tuning {
// The host the pinger pings (as of the last load or save) and its interval
// as list-position text.
extern std::string PingerHost;
extern std::string PingerIntervalText;
// The host pinged in automatic mode: a public web server.
inline constexpr const char* kDefaultPingHost = "www.example.com";
}  // namespace tuning
