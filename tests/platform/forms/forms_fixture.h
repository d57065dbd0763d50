#pragma once
// A bound temporary machine with a fresh forms runtime, and a small form
// with one control of each common kind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "support/temp_machine.h"

namespace tessaly::testing {

using namespace platform::forms;

class TestForm : public Form {
 public:
  TestForm() : Form("frmTest") {
    TSY_ON(chkBleach, Click, chkBleach_Click);
    TSY_ON(optA, Click, optA_Click);
    TSY_ON(optB, Click, optB_Click);
    TSY_ON(txtResult, Change, txtResult_Change);
    TSY_ON(lstBPI, Click, lstBPI_Click);
    TSY_ON(lstBPI, ItemCheck, lstBPI_ItemCheck);
    TSY_ON(cmbShredder, Click, cmbShredder_Click);
    TSY_ON(cmdGo, Click, cmdGo_Click);
    TSY_ON(tmrPoll, TimerEvent, tmrPoll_Timer);
    TSY_ON(sldLevel, Change, sldLevel_Change);
    TSY_ON_ARRAY(chkIE, Click, chkIE_Click);
    lstBPI.Style(1);
  }

  TSY_CONTROL(CheckBox, chkBleach);
  TSY_CONTROL(Frame, fraMode);
  TSY_CONTROL_IN(OptionButton, optA, fraMode);
  TSY_CONTROL_IN(OptionButton, optB, fraMode);
  TSY_CONTROL(OptionButton, optOutside);
  TSY_CONTROL(TextBox, txtResult);
  TSY_CONTROL(ListBox, lstBPI);
  TSY_CONTROL(ComboBox, cmbShredder);
  TSY_CONTROL_ARRAY(CheckBox, chkIE, 7);
  TSY_CONTROL(CommandButton, cmdGo);
  TSY_CONTROL(Label, lblInfo);
  TSY_CONTROL(Timer, tmrPoll);
  TSY_CONTROL(Slider, sldLevel);
  TSY_CONTROL(Menu, mnuTray);
  TSY_CONTROL_IN(Menu, mnuOpen, mnuTray);
  TSY_CONTROL_IN(Menu, mnuSep, mnuTray);
  TSY_CONTROL_IN(Menu, mnuExit, mnuTray);

  std::vector<std::string> log;
  std::function<void()> onGo;  // what cmdGo_Click does besides logging
  std::function<void()> onTimer;
  int variable = 0;
  static inline int loads = 0;

  void Form_Load() override {
    ++loads;
    log.push_back("Load");
  }
  void Form_QueryUnload(int& Cancel, int UnloadMode) override {
    log.push_back("QueryUnload " + std::to_string(UnloadMode));
    Cancel = cancelUnload;
  }
  void Form_Unload(int& Cancel) override { log.push_back("Unload"); }
  int cancelUnload = 0;

  void chkBleach_Click() { log.push_back("chkBleach_Click"); }
  void optA_Click() { log.push_back("optA_Click"); }
  void optB_Click() { log.push_back("optB_Click"); }
  void txtResult_Change() { log.push_back("txtResult_Change"); }
  void lstBPI_Click() { log.push_back("lstBPI_Click"); }
  void lstBPI_ItemCheck(int item) { log.push_back("lstBPI_ItemCheck " + std::to_string(item)); }
  void cmbShredder_Click() { log.push_back("cmbShredder_Click"); }
  void cmdGo_Click() {
    log.push_back("cmdGo_Click");
    if (onGo) onGo();
  }
  void tmrPoll_Timer() {
    log.push_back("tmrPoll_Timer");
    if (onTimer) onTimer();
  }
  void sldLevel_Change() { log.push_back("sldLevel_Change"); }
  void chkIE_Click(int index) { log.push_back("chkIE_Click " + std::to_string(index)); }
};

inline TestForm& frmTest() { return DefaultInstance<TestForm>(); }

class FormsTest : public ::testing::Test {
 protected:
  FormsTest() {
    ResetFormsRuntime();
    TestForm::loads = 0;
  }
  ~FormsTest() override { ResetFormsRuntime(); }

  TempMachine machine_;
};

}  // namespace tessaly::testing
