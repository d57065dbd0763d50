#pragma once
// The system status page: running graphs of processor usage and of free
// physical memory, and "Optimize Now", which frees a chosen amount of memory
// at once. The page owns the processor-usage object that the RAM optimiser
// also asks.
#include <cstdint>
#include <memory>

#include "platform/activex/graph.h"
#include "platform/forms/forms.h"
#include "tuning/FreeRAM.h"
#include "tuning/cpu_usage.h"

class VLTfrmSystemStatusForm : public platform::forms::Form {
 public:
  VLTfrmSystemStatusForm();

  TSY_CONTROL(Frame, frameCPUUsage);
  platform::activex::Histogram histCPU{*this, "histCPU", &frameCPUUsage};
  TSY_CONTROL_IN(Label, lblCPUSpeed, frameCPUUsage);
  TSY_CONTROL_IN(Slider, sldCPUSpeed, frameCPUUsage);
  TSY_CONTROL_IN(Label, lblCPUZoom, frameCPUUsage);
  TSY_CONTROL_IN(Slider, sldCPUZoom, frameCPUUsage);
  TSY_CONTROL(Frame, fameMemoryUsage);
  platform::activex::Histogram histMemory{*this, "histMemory", &fameMemoryUsage};
  TSY_CONTROL_IN(Label, lblMemorySpeed, fameMemoryUsage);
  TSY_CONTROL_IN(Slider, sldMemorySpeed, fameMemoryUsage);
  TSY_CONTROL_IN(Label, lblMemoryZoom, fameMemoryUsage);
  TSY_CONTROL_IN(Slider, sldMemoryZoom, fameMemoryUsage);
  TSY_CONTROL(Slider, sldFreeMomoryReq);
  TSY_CONTROL(Label, lblTargetMemoryNeeded);
  TSY_CONTROL(CommandButton, cmdOptimaize);
  TSY_CONTROL(Timer, tmrCPU);
  TSY_CONTROL(Timer, tmrMemory);

  // The processor-usage object (the 9x or the NT kind); null before load.
  CpuUsageObject* UsageObject() const { return usage_.get(); }
  // Total physical memory in whole MB, as taken at load.
  std::int16_t TotalMB() const { return totalMB_; }

  void tmrCPU_Timer();
  void tmrMemory_Timer();
  void cmdOptimaize_Click();
  void sldCPUSpeed_Change();
  void sldMemorySpeed_Change();
  void sldCPUZoom_Change();
  void sldMemoryZoom_Change();
  void sldFreeMomoryReq_Change();

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;

 private:
  void Design();
  void InitMemorySlider();

  std::unique_ptr<CpuUsageObject> usage_;
  FreeRAM ram_;
  std::int16_t totalMB_ = 0;
};

VLTfrmSystemStatusForm& VLTfrmSystemStatus();
