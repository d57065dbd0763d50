#include "tuning/VLTfrmSystemStatus.h"

#include <algorithm>

#include "platform/runtime/conversions.h"
#include "tuning/clsCPUUsage.h"
#include "tuning/clsCPUUsageNT.h"
#include "tuning/design_cells.h"
#include "tuning/message_turns.h"
#include "tuning/suite_page.h"
#include "tuning/suite_registry.h"

using namespace platform::forms;

namespace {

constexpr std::int32_t kSampleMs = 300;
constexpr std::int32_t kSpeedBase = 1300;
// The speed sliders stay below the base, so an interval is never below 100 ms.
constexpr std::int32_t kSpeedMax = 1200;
constexpr std::int32_t kZoomMax = 10;
constexpr int kYieldsAroundOptimize = 6;
constexpr std::int64_t kBytesPerMB = 1048576;
constexpr std::int32_t kClampedBytes = 0x7FFFFFFF;  // the most a 32-bit status reports

void SetSlider(Slider& slider, std::int32_t max, std::int32_t value) {
  slider.Min(0);
  slider.Max(max);
  slider.Value(value);
}

// Whole KB, then whole MB, as the page counts memory; a 16-bit count.
std::int16_t WholeMB(std::int32_t bytes) {
  std::int32_t kilobytes = bytes / 1024;
  return static_cast<std::int16_t>(std::clamp(kilobytes / 1024, 0, 32767));
}

}  // namespace

VLTfrmSystemStatusForm::VLTfrmSystemStatusForm() : Form("VLTfrmSystemStatus") {
  Caption("System Status");
  Design();
  frameCPUUsage.Caption("Processor usage");
  fameMemoryUsage.Caption("Memory Usage");
  lblCPUSpeed.Caption("Speed");
  lblCPUZoom.Caption("Zoom");
  lblMemorySpeed.Caption("Speed");
  lblMemoryZoom.Caption("Zoom");
  cmdOptimaize.Caption("Optimize Now");
  // Design values: 300 ms sampling, no zoom.
  SetSlider(sldCPUSpeed, kSpeedMax, kSpeedBase - kSampleMs);
  SetSlider(sldMemorySpeed, kSpeedMax, kSpeedBase - kSampleMs);
  SetSlider(sldCPUZoom, kZoomMax, 0);
  SetSlider(sldMemoryZoom, kZoomMax, 0);
  SetSlider(sldFreeMomoryReq, 0, 0);
  for (Timer* timer : {&tmrCPU, &tmrMemory}) {
    timer->Interval(kSampleMs);
    timer->Enabled(true);
  }
  TSY_ON(tmrCPU, TimerEvent, tmrCPU_Timer);
  TSY_ON(tmrMemory, TimerEvent, tmrMemory_Timer);
  TSY_ON(cmdOptimaize, Click, cmdOptimaize_Click);
  TSY_ON(sldCPUSpeed, Change, sldCPUSpeed_Change);
  TSY_ON(sldMemorySpeed, Change, sldMemorySpeed_Change);
  TSY_ON(sldCPUZoom, Change, sldCPUZoom_Change);
  TSY_ON(sldMemoryZoom, Change, sldMemoryZoom_Change);
  TSY_ON(sldFreeMomoryReq, Change, sldFreeMomoryReq_Change);
}

// Twips inside each control's container: the two graph frames one above the
// other, each with its graph and its two sliders, then the free amount.
void VLTfrmSystemStatusForm::Design() {
  Move(0, 0, 6300, 4800);
  tuning::PlaceCells({
      {frameCPUUsage, 120, 120, 6000, 1800},   {histCPU, 120, 240, 3900, 1440},
      {lblCPUSpeed, 4140, 240, 1740, 255},     {sldCPUSpeed, 4140, 510, 1740, 420},
      {lblCPUZoom, 4140, 960, 1740, 255},      {sldCPUZoom, 4140, 1230, 1740, 420},
      {fameMemoryUsage, 120, 2040, 6000, 1800}, {histMemory, 120, 240, 3900, 1440},
      {lblMemorySpeed, 4140, 240, 1740, 255},  {sldMemorySpeed, 4140, 510, 1740, 420},
      {lblMemoryZoom, 4140, 960, 1740, 255},   {sldMemoryZoom, 4140, 1230, 1740, 420},
      {sldFreeMomoryReq, 120, 3960, 3900, 420}, {lblTargetMemoryNeeded, 120, 4380, 3900, 285},
      {cmdOptimaize, 4260, 3960, 1860, 420},
  });
}

void VLTfrmSystemStatusForm::Form_Load() {
  tuning::ApplySuitePageLook(*this);
  if (tuning::IsNTPlatform()) usage_ = std::make_unique<clsCPUUsageNT>();
  else usage_ = std::make_unique<clsCPUUsage>();
  usage_->Initialize();
  InitMemorySlider();
  sldFreeMomoryReq_Change();
}

// The 9x statistic runs until it is stopped: stop it with the page.
void VLTfrmSystemStatusForm::Form_Unload(int&) {
  if (usage_) usage_->Terminate();
}

void VLTfrmSystemStatusForm::InitMemorySlider() {
  totalMB_ = WholeMB(ram_.GetTotalPhysical());
  sldFreeMomoryReq.Min(0);
  sldFreeMomoryReq.Max(totalMB_);
}

void VLTfrmSystemStatusForm::tmrCPU_Timer() {
  if (!usage_) return;
  histCPU.Value(usage_->Query());
  frameCPUUsage.Caption("Processor usage (" + platform::vb::CStr(histCPU.Value()) + "%).");
}

void VLTfrmSystemStatusForm::tmrMemory_Timer() {
  if (totalMB_ <= 0) return;  // nothing to divide by: the tick ends
  double freeMB = WholeMB(ram_.GetFreePhysical());
  // Past 2 GB the total stops at the clamp, and so does a free amount past
  // it: their ratio says nothing of the host. The memory load, worked out
  // from the true figures, gives the free part of the clamped total.
  if (ram_.GetTotalPhysical() >= kClampedBytes) freeMB = totalMB_ * (100.0 - ram_.GetMemoryLoad()) / 100;
  histMemory.Value(freeMB / totalMB_ * 100);
  fameMemoryUsage.Caption("Memory Usage (" + platform::vb::CStr(histMemory.Value()) + "%).");
}

void VLTfrmSystemStatusForm::cmdOptimaize_Click() {
  YieldTurns(kYieldsAroundOptimize);
  MousePointer(11);
  ram_.FreeUpMemory(static_cast<std::int64_t>(sldFreeMomoryReq.Value()) * kBytesPerMB);
  MousePointer(0);
  YieldTurns(kYieldsAroundOptimize);
}

void VLTfrmSystemStatusForm::sldCPUSpeed_Change() { tmrCPU.Interval(std::max(1, kSpeedBase - sldCPUSpeed.Value())); }
void VLTfrmSystemStatusForm::sldMemorySpeed_Change() {
  tmrMemory.Interval(std::max(1, kSpeedBase - sldMemorySpeed.Value()));
}
void VLTfrmSystemStatusForm::sldCPUZoom_Change() { histCPU.Zoom(sldCPUZoom.Value()); }
void VLTfrmSystemStatusForm::sldMemoryZoom_Change() { histMemory.Zoom(sldMemoryZoom.Value()); }

void VLTfrmSystemStatusForm::sldFreeMomoryReq_Change() {
  std::string amount = std::to_string(sldFreeMomoryReq.Value());
  sldFreeMomoryReq.ToolTipText(amount + " MB to free when Optimize is clicked");
  lblTargetMemoryNeeded.Caption("Target Level Of RAM " + amount + "MB.");
}

VLTfrmSystemStatusForm& VLTfrmSystemStatus() { return DefaultInstance<VLTfrmSystemStatusForm>(); }
