#pragma once
// The advanced page: eight steps that build the TCP/IP settings from the
// connection type and the user's corrections, then apply them.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/forms.h"

class VLTfrmAdvancedModeForm : public platform::forms::Form {
 public:
  VLTfrmAdvancedModeForm();

  TSY_CONTROL_ARRAY(Frame, frmWizardPages, 8);
  // Step 1: the connection type.
  TSY_CONTROL_IN(Frame, frmConnectionType, frmWizardPages(0));
  TSY_CONTROL_ARRAY_IN(OptionButton, optConnType, 4, frmConnectionType);
  // Step 2: MTU and MSS.
  TSY_CONTROL_IN(Label, lblMTURecom, frmWizardPages(1));
  TSY_CONTROL_IN(TextBox, txtMTUValue, frmWizardPages(1));
  TSY_CONTROL_IN(Label, lblMTURecValue, frmWizardPages(1));
  TSY_CONTROL_IN(Label, lblMSSRecom, frmWizardPages(1));
  TSY_CONTROL_IN(TextBox, txtMSSValue, frmWizardPages(1));
  TSY_CONTROL_IN(Label, lblMSSRecVaklue, frmWizardPages(1));
  // Step 3: path MTU.
  TSY_CONTROL_IN(Label, lblBlackHoleText, frmWizardPages(2));
  TSY_CONTROL_IN(CheckBox, chkBlackHoleValue, frmWizardPages(2));
  TSY_CONTROL_IN(Label, lblMTUDiscoveryText, frmWizardPages(2));
  TSY_CONTROL_IN(CheckBox, chkMTUDisconver, frmWizardPages(2));
  // Step 4: the receive window.
  TSY_CONTROL_IN(Label, lblMSSRWINText, frmWizardPages(3));
  TSY_CONTROL_IN(TextBox, txtMSSRWINValue, frmWizardPages(3));
  TSY_CONTROL_IN(Label, lblMultiplierText, frmWizardPages(3));
  TSY_CONTROL_IN(TextBox, txtMultiplier, frmWizardPages(3));
  TSY_CONTROL_IN(Label, lblScaleFactorText, frmWizardPages(3));
  TSY_CONTROL_IN(TextBox, txtScaleFactor, frmWizardPages(3));
  TSY_CONTROL_IN(Label, lblRwinRecom, frmWizardPages(3));
  TSY_CONTROL_IN(TextBox, txtRWIN, frmWizardPages(3));
  TSY_CONTROL_IN(Label, lblRWINRecValue, frmWizardPages(3));
  // Step 5: TTL and the browser's connections.
  TSY_CONTROL_IN(Label, lblTTLText, frmWizardPages(4));
  TSY_CONTROL_IN(TextBox, txtTTLValue, frmWizardPages(4));
  TSY_CONTROL_IN(Label, lblHTTP10Text, frmWizardPages(4));
  TSY_CONTROL_IN(TextBox, txtHTTP10Value, frmWizardPages(4));
  TSY_CONTROL_IN(Label, lblHTTP11Text, frmWizardPages(4));
  TSY_CONTROL_IN(TextBox, txtHTTP11Value, frmWizardPages(4));
  // Step 6: keep-alive.
  TSY_CONTROL_IN(Label, lblKeepAliveTimeText, frmWizardPages(5));
  TSY_CONTROL_IN(TextBox, txtKeepAliveTimeValue, frmWizardPages(5));
  TSY_CONTROL_IN(Label, lblKeepAliveIntervalText, frmWizardPages(5));
  TSY_CONTROL_IN(TextBox, txtKeepAliveIntervalValue, frmWizardPages(5));
  // Step 7: SYN flood protection and the NDI cache.
  TSY_CONTROL_IN(Label, lblSYNText, frmWizardPages(6));
  TSY_CONTROL_IN(TextBox, txtSYNValue, frmWizardPages(6));
  TSY_CONTROL_IN(UpDown, updwnDescision, frmWizardPages(6));
  TSY_CONTROL_IN(Label, lblNDIText, frmWizardPages(6));
  TSY_CONTROL_IN(ComboBox, cmbNDI, frmWizardPages(6));
  // Step 8: ICMP redirects.
  TSY_CONTROL_IN(Label, lblICMPText, frmWizardPages(7));
  TSY_CONTROL_IN(CheckBox, chkICMPValue, frmWizardPages(7));
  TSY_CONTROL(CommandButton, cmdPrevPage);
  TSY_CONTROL(CommandButton, cmdNextPage);

  int CurrentPage = 0;     // 0..7 the steps, 8 finishing
  int ConnectionType = 0;  // the optConnType chosen

  void cmdNextPage_Click();
  void cmdPrevPage_Click();
  void optConnType_Click(int Index) { ConnectionType = Index; }
  void chkBlackHoleValue_Click();
  void chkMTUDisconver_Click();
  void chkICMPValue_Click();
  void cmbNDI_Click();
  void txtMultiplier_Change();

 protected:
  void Form_Load() override;

 private:
  // A number box: the record's field it shows and the range it accepts.
  struct ValueBox {
    platform::forms::TextBox* box;
    std::int32_t (*field)();
    std::int32_t min, max;
    const char* name;  // in refusal messages
  };
  void Design();
  void ShowWizardPage(int index);
  void ArriveAt(int page);
  // Finishing: false (with a message) when a box holds no valid number.
  bool Finish();
  // Puts the record's value back into a box whose text is out of its range.
  void ValueBoxChanged(const ValueBox& box);
  // The multiplier for the connection type ("Error" for an unknown type).
  std::string DefaultMultiplier() const;
  void ComputeRWIN();

  std::vector<ValueBox> valueBoxes_;
  bool puttingBack_ = false;  // a handler is rewriting a box itself
};

VLTfrmAdvancedModeForm& VLTfrmAdvancedMode();
