#include "tuning/VLTfrmNetPingerSettings.h"

#include <algorithm>

#include "platform/runtime/conversions.h"
#include "tuning/VLTmdlPing.h"
#include "tuning/design_cells.h"
#include "tuning/message_turns.h"
#include "tuning/stored_settings.h"
#include "tuning/whole_number.h"
#include "tuning/suite_page.h"
#include "tuning/suite_registry.h"
#include "tuning/suite_settings.h"

using namespace platform::forms;

namespace tuning {
std::string PingerHost;
std::string PingerIntervalText;
}  // namespace tuning

namespace {

constexpr int kIntervalEntries = 60;
constexpr int kDefaultIntervalPosition = 5;
constexpr std::int32_t kPingTimeoutMs = 10000;
constexpr int kYieldsBeforePingNow = 6;
constexpr const char* kAutomaticHostText = "Automatic";
// Automatic mode pings every six timer minutes, whatever the list shows.
constexpr const char* kAutomaticIntervalText = "5";

// Ticks between pings: the interval text's number of minutes plus one. One
// rule for loading and saving, so automatic mode keeps its six minutes.
std::int16_t IntervalFromText(const std::string& text) {
  return static_cast<std::int16_t>(std::clamp(static_cast<int>(platform::vb::Val(text)), 0, kIntervalEntries - 1) + 1);
}

}  // namespace

// Twips: the description and the switch, the configuration frame (its rows
// placed inside it), then the two buttons along the bottom.
void VLTfrmNetPingerSettingsForm::Design() {
  Move(0, 0, 6300, 4800);
  tuning::PlaceCells({
      {lblDescription, 120, 120, 6000, 900},   {chkDoPinging, 120, 1080, 3000, 285},
      {frameConfiguration, 120, 1440, 6000, 2520},
      {optAuto, 120, 300, 2700, 285},          {optManual, 3000, 300, 2700, 285},
      {lblPingHost, 120, 720, 1200, 285},      {txtPingHost, 1440, 720, 4320, 315},
      {lblPingInterval, 120, 1200, 1200, 285}, {cmbPingInterval, 1440, 1200, 1500, 315},
      {chkSound, 120, 1740, 4000, 285},
      {cmdPingNow, 2940, 4140, 1440, 375},     {cmdSave, 4560, 4140, 1440, 375},
  });
}

VLTfrmNetPingerSettingsForm::VLTfrmNetPingerSettingsForm() : Form("VLTfrmNetPingerSettings") {
  Caption("Ping Settings");
  lblDescription.Caption(
      "The PING utility helps to keep you from getting your modem connection disconnected by your service provider. "
      "While it is enabled it sends one echo request to the host at the chosen interval.");
  chkDoPinging.Caption("Enable Pinger");
  frameConfiguration.Caption("Configuration");
  optAuto.Caption("Automatic Mode");
  optManual.Caption("Manual Mode");
  lblPingHost.Caption("Host:");
  lblPingInterval.Caption("Interval:");
  cmbPingInterval.Style(2);
  chkSound.Caption("Play &Sound at Ping");
  cmdPingNow.Caption("Ping &Now");
  cmdSave.Caption("&Save");
  tmrPinger.Interval(65535);
  Design();
  TSY_ON(chkDoPinging, Click, chkDoPinging_Click);
  TSY_ON(optAuto, Click, optAuto_Click);
  TSY_ON(optManual, Click, optManual_Click);
  TSY_ON(txtPingHost, Change, txtPingHost_Change);
  TSY_ON(cmbPingInterval, Click, cmbPingInterval_Click);
  TSY_ON(chkSound, Click, chkSound_Click);
  TSY_ON(cmdPingNow, Click, cmdPingNow_Click);
  TSY_ON(cmdSave, Click, cmdSave_Click);
  TSY_ON(tmrPinger, TimerEvent, tmrPinger_Timer);
}

void VLTfrmNetPingerSettingsForm::SetChanged(bool changed) {
  settingsChanged_ = changed;
  cmdSave.Enabled(changed);
}

void VLTfrmNetPingerSettingsForm::Form_Load() {
  tuning::ApplySuitePageLook(*this);
  cmbPingInterval.Clear();
  for (int minutes = 1; minutes <= kIntervalEntries; ++minutes) cmbPingInterval.AddItem(std::to_string(minutes) + " min.");
  cmdSave.Enabled(false);
  LoadPingerSettings();
  tmrPinger.Enabled(chkDoPinging.Value() == vbChecked);
}

void VLTfrmNetPingerSettingsForm::TakePingerTarget() {
  if (optAuto.Value()) {
    tuning::PingerHost = tuning::kDefaultPingHost;
    tuning::PingerIntervalText = kAutomaticIntervalText;
  } else {
    tuning::PingerHost = txtPingHost.Text();
    tuning::PingerIntervalText = std::to_string(cmbPingInterval.ListIndex());
  }
  intervalMinutes_ = IntervalFromText(tuning::PingerIntervalText);
}

void VLTfrmNetPingerSettingsForm::LoadPingerSettings() {
  using tuning::kNetPingerSettingsKey;
  chkDoPinging.Value(tuning::StoredCheckValue(kNetPingerSettingsKey, chkDoPinging.Name()));
  bool automatic = tuning::StoredBoolean(kNetPingerSettingsKey, optAuto.Name(), true);
  bool manual = tuning::StoredBoolean(kNetPingerSettingsKey, optManual.Name(), false);
  if (automatic == manual) automatic = true, manual = false;  // exactly one of the pair
  optAuto.Value(automatic);
  optManual.Value(manual);
  txtPingHost.Text(tuning::GetSettingHKLM(kNetPingerSettingsKey, txtPingHost.Name(), tuning::kDefaultPingHost));
  auto position = tuning::WholeNumber(tuning::GetSettingHKLM(kNetPingerSettingsKey, cmbPingInterval.Name(),
                                                            std::to_string(kDefaultIntervalPosition)));
  cmbPingInterval.ListIndex(std::clamp(position.value_or(kDefaultIntervalPosition), 0, kIntervalEntries - 1));
  chkSound.Value(tuning::StoredCheckValue(kNetPingerSettingsKey, chkSound.Name()));
  if (automatic) {
    txtPingHost.Enabled(false);
    txtPingHost.Text(kAutomaticHostText);
    cmbPingInterval.Enabled(false);
    cmbPingInterval.ListIndex(0);
  } else {
    txtPingHost.Enabled(true);
    cmbPingInterval.Enabled(true);
  }
  TakePingerTarget();
  chkDoPinging_Click();
  SetChanged(false);
}

void VLTfrmNetPingerSettingsForm::SavePingerSettings() {
  using tuning::kNetPingerSettingsKey;
  using tuning::SaveSettingHKLM;
  SaveSettingHKLM(kNetPingerSettingsKey, chkDoPinging.Name(), std::to_string(chkDoPinging.Value()));
  SaveSettingHKLM(kNetPingerSettingsKey, optAuto.Name(), optAuto.Value() ? "True" : "False");
  SaveSettingHKLM(kNetPingerSettingsKey, optManual.Name(), optManual.Value() ? "True" : "False");
  SaveSettingHKLM(kNetPingerSettingsKey, txtPingHost.Name(), txtPingHost.Text());
  SaveSettingHKLM(kNetPingerSettingsKey, cmbPingInterval.Name(), std::to_string(cmbPingInterval.ListIndex()));
  SaveSettingHKLM(kNetPingerSettingsKey, chkSound.Name(), std::to_string(chkSound.Value()));
  TakePingerTarget();
  tmrPinger.Enabled(chkDoPinging.Value() == vbChecked);
}

void VLTfrmNetPingerSettingsForm::chkDoPinging_Click() {
  bool ticked = chkDoPinging.Value() == vbChecked;
  frameConfiguration.Enabled(ticked);
  if (ticked) cmdSave.Enabled(true);
  SetChanged(true);
}

void VLTfrmNetPingerSettingsForm::optAuto_Click() {
  SetChanged(true);
  txtPingHost.Enabled(false);
  cmbPingInterval.Enabled(false);
  txtPingHost.Text(kAutomaticHostText);
  cmbPingInterval.ListIndex(0);
}

void VLTfrmNetPingerSettingsForm::optManual_Click() {
  SetChanged(true);
  txtPingHost.Text(tuning::kDefaultPingHost);
  txtPingHost.Enabled(true);
  cmbPingInterval.Enabled(true);
}

void VLTfrmNetPingerSettingsForm::txtPingHost_Change() { SetChanged(true); }
void VLTfrmNetPingerSettingsForm::cmbPingInterval_Click() { SetChanged(true); }
void VLTfrmNetPingerSettingsForm::chkSound_Click() { SetChanged(true); }

void VLTfrmNetPingerSettingsForm::cmdSave_Click() {
  SetChanged(false);
  SavePingerSettings();
}

namespace {

// Marks a ping as under way for as long as it lives.
class PingUnderWay {
 public:
  explicit PingUnderWay(bool& flag) : flag_(flag) { flag_ = true; }
  ~PingUnderWay() { flag_ = false; }
  PingUnderWay(const PingUnderWay&) = delete;
  PingUnderWay& operator=(const PingUnderWay&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void VLTfrmNetPingerSettingsForm::cmdPingNow_Click() {
  if (pinging_) return;
  PingUnderWay underWay(pinging_);
  YieldTurns(kYieldsBeforePingNow);
  PingHost(tuning::PingerHost, kPingTimeoutMs);
}

void VLTfrmNetPingerSettingsForm::tmrPinger_Timer() {
  if (tickCount_ >= intervalMinutes_ - 1) {
    tickCount_ = 0;
    if (pinging_) return;  // a ping is already on its way
    PingUnderWay underWay(pinging_);
    PingHost(tuning::PingerHost, kPingTimeoutMs);
  } else {
    ++tickCount_;
  }
}

VLTfrmNetPingerSettingsForm& VLTfrmNetPingerSettings() { return DefaultInstance<VLTfrmNetPingerSettingsForm>(); }
