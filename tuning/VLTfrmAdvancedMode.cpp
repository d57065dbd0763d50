#include "tuning/VLTfrmAdvancedMode.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/runtime/conversions.h"
#include "tuning/suite_page.h"
#include "tuning/tcp_apply.h"
#include "tuning/tcp_profile.h"
#include "tuning/whole_number.h"

using namespace platform::forms;
using tuning::CurrentProfile;

namespace {

constexpr std::int32_t kMaxLong = 2147483647;
constexpr double kMaxRWIN = 1073741823;

constexpr std::array<const char*, 8> kStepCaptions = {
    "Step 1 of 8 : Connection type",
    "Step 2 of 8 : MTU Settings",
    "Step 3 of 8 : Other MTU Settings",
    "Step 4 of 8 : RWIN Settings",
    "Step 5 of 8 : TTL && IE Optimization",
    "Step 6 of 8 :  Keep Alive Settigns",
    "Step 7 of 8 :  SYN Flood Attack Settings && NDI Cache",
    "Step 8 of 8 : ICMP Redirect Attack Setting",
};

constexpr std::array<const char*, 4> kConnectionTypes = {
    "Dial Up Connection (Modem).", "Cable Modem.", "Digital  Subscriber Line (DSL).", "LAN Connection(Ethernet).",
};

// MTU and MSS recommended per connection type, with their label texts.
struct Recommendation {
  std::int32_t mtu, mss;
  const char *mtuText, *mssText;
};
constexpr std::array<Recommendation, 4> kRecommendations = {{
    {576, 536, "576 Byte", "536 Byte"},
    {1500, 1460, "1500 Byte", "1460 Byte"},
    {1492, 1452, "1492 Byte", "1452Byte"},
    {1500, 1460, "1500 Byte", "1460 Byte"},
}};

const char* const kNdiItems[] = {"0", "2", "4", "8", "16", "32", "64"};

// What each step's fields hold, beside them.
const std::pair<Label VLTfrmAdvancedModeForm::*, const char*> kFieldLabels[] = {
    {&VLTfrmAdvancedModeForm::lblBlackHoleText, "Black hole detection"},
    {&VLTfrmAdvancedModeForm::lblMTUDiscoveryText, "Path MTU discovery"},
    {&VLTfrmAdvancedModeForm::lblMSSRWINText, "MSS"},
    {&VLTfrmAdvancedModeForm::lblMultiplierText, "Multiplier"},
    {&VLTfrmAdvancedModeForm::lblScaleFactorText, "Scale factor"},
    {&VLTfrmAdvancedModeForm::lblRwinRecom, "Recommended RWIN size"},
    {&VLTfrmAdvancedModeForm::lblTTLText, "TTL"},
    {&VLTfrmAdvancedModeForm::lblHTTP10Text, "HTTP 1.0 connections"},
    {&VLTfrmAdvancedModeForm::lblHTTP11Text, "HTTP 1.1 connections"},
    {&VLTfrmAdvancedModeForm::lblKeepAliveTimeText, "Keep alive time (ms)"},
    {&VLTfrmAdvancedModeForm::lblKeepAliveIntervalText, "Keep alive interval (ms)"},
    {&VLTfrmAdvancedModeForm::lblSYNText, "SYN attack protection"},
    {&VLTfrmAdvancedModeForm::lblNDIText, "NDI cache size"},
    {&VLTfrmAdvancedModeForm::lblICMPText, "ICMP redirects"},
};

bool KnownType(int type) { return type >= 0 && type < 4; }

}  // namespace

VLTfrmAdvancedModeForm::VLTfrmAdvancedModeForm() : Form("VLTfrmAdvancedMode") {
  Design();
  valueBoxes_ = {
      {&txtMTUValue, [] { return CurrentProfile.MTU; }, 0, kMaxLong, "MTU"},
      {&txtMSSValue, [] { return CurrentProfile.MSS; }, 0, kMaxLong, "MSS"},
      // A TTL of 0 or 256 is no TTL.
      {&txtTTLValue, [] { return CurrentProfile.TTL; }, 1, 255, "TTL"},
      {&txtHTTP10Value, [] { return CurrentProfile.MaxConnectionsPer1_0Server; }, 4, kMaxLong, "HTTP 1.0"},
      {&txtHTTP11Value, [] { return CurrentProfile.MaxConnectionsPerServer; }, 2, kMaxLong, "HTTP 1.1"},
      {&txtKeepAliveTimeValue, [] { return CurrentProfile.KeepAliveTime; }, 0, kMaxLong, "Keep Alive"},
      {&txtKeepAliveIntervalValue, [] { return CurrentProfile.KeepAliveInterval; }, 0, kMaxLong,
       "Keep Alive Interval"},
      {&txtSYNValue, [] { return static_cast<std::int32_t>(CurrentProfile.SYNAttackProtect); }, 0, 2, "SYN"},
  };
  for (const ValueBox& box : valueBoxes_) box.box->Change.Handle([this, &box] { ValueBoxChanged(box); });
  cmdNextPage.Click.Handle([this] { cmdNextPage_Click(); });
  cmdPrevPage.Click.Handle([this] { cmdPrevPage_Click(); });
  TSY_ON_ARRAY(optConnType, Click, optConnType_Click);
  chkBlackHoleValue.Click.Handle([this] { chkBlackHoleValue_Click(); });
  chkMTUDisconver.Click.Handle([this] { chkMTUDisconver_Click(); });
  chkICMPValue.Click.Handle([this] { chkICMPValue_Click(); });
  cmbNDI.Click.Handle([this] { cmbNDI_Click(); });
  txtMultiplier.Change.Handle([this] { txtMultiplier_Change(); });
}

void VLTfrmAdvancedModeForm::Design() {
  Move(0, 0, 6300, 4800);
  for (int i = 0; i < 8; ++i) {
    frmWizardPages(i).Caption(kStepCaptions[i]);
    frmWizardPages(i).Move(120, 120, 6000, 3900);
  }
  frmConnectionType.Caption("Connection Type");
  frmConnectionType.Move(120, 300, 5760, 1700);
  for (int i = 0; i < 4; ++i) {
    optConnType(i).Caption(kConnectionTypes[i]);
    optConnType(i).Move(120, 300 + i * 320, 5400, 285);
  }
  optConnType(0).Value(true);
  lblMTURecom.Caption("Recommended MTU size");
  lblMSSRecom.Caption("Recommended MSS size");
  for (const auto& [label, caption] : kFieldLabels) (this->*label).Caption(caption);
  chkBlackHoleValue.Caption("Enable It?");
  chkMTUDisconver.Caption("Disable it??");
  chkICMPValue.Caption("Enable It?");
  txtScaleFactor.Text("4");
  txtTTLValue.Text("64");
  txtHTTP10Value.Text("20");
  txtHTTP11Value.Text("20");
  txtKeepAliveTimeValue.Text("7200000");
  txtKeepAliveIntervalValue.Text("1000");
  txtSYNValue.Text("2");
  updwnDescision.Min(0);
  updwnDescision.Max(2);
  updwnDescision.BuddyControl(&txtSYNValue);
  for (const char* item : kNdiItems) cmbNDI.AddItem(item);
  cmdPrevPage.Caption("<<Back");
  cmdNextPage.Caption("Next>>");
  cmdPrevPage.Enabled(false);
  cmdPrevPage.Move(3000, 4140, 1440, 375);
  cmdNextPage.Move(4560, 4140, 1440, 375);
  // Each step's fields in rows: label column, then the field.
  struct Row {
    Control* control;
    int row;
    float left, width;
  };
  // A label names each field, the recommendation follows it.
  constexpr float kField = 2640, kAfter = 3960;
  const Row rows[] = {
      {&lblMTURecom, 0, 120, 2400},           {&txtMTUValue, 0, kField, 1200},     {&lblMTURecValue, 0, kAfter, 1800},
      {&lblMSSRecom, 1, 120, 2400},           {&txtMSSValue, 1, kField, 1200},     {&lblMSSRecVaklue, 1, kAfter, 1800},
      {&lblBlackHoleText, 0, 120, 2400},     {&chkBlackHoleValue, 0, kField, 3000},
      {&lblMTUDiscoveryText, 1, 120, 2400},  {&chkMTUDisconver, 1, kField, 3000},
      {&lblMSSRWINText, 0, 120, 2400},       {&txtMSSRWINValue, 0, kField, 1200},
      {&lblMultiplierText, 1, 120, 2400},    {&txtMultiplier, 1, kField, 900},
      {&lblScaleFactorText, 2, 120, 2400},   {&txtScaleFactor, 2, kField, 900},
      {&lblRwinRecom, 3, 120, 2400},         {&txtRWIN, 3, kField, 1200},         {&lblRWINRecValue, 3, kAfter, 1800},
      {&lblTTLText, 0, 120, 2400},           {&txtTTLValue, 0, kField, 1200},
      {&lblHTTP10Text, 1, 120, 2400},        {&txtHTTP10Value, 1, kField, 1200},
      {&lblHTTP11Text, 2, 120, 2400},        {&txtHTTP11Value, 2, kField, 1200},
      {&lblKeepAliveTimeText, 0, 120, 2400}, {&txtKeepAliveTimeValue, 0, kField, 1800},
      {&lblKeepAliveIntervalText, 1, 120, 2400}, {&txtKeepAliveIntervalValue, 1, kField, 1800},
      {&lblSYNText, 0, 120, 2400},           {&txtSYNValue, 0, kField, 900},      {&updwnDescision, 0, kField + 900, 255},
      {&lblNDIText, 1, 120, 2400},           {&cmbNDI, 1, kField, 1200},
      {&lblICMPText, 0, 120, 2400},          {&chkICMPValue, 0, kField, 3000},
  };
  for (const Row& row : rows) row.control->Move(row.left, 360 + row.row * 420, row.width, 315);
}

void VLTfrmAdvancedModeForm::Form_Load() {
  tuning::ApplySuitePageLook(*this, tuning::PageCaptions::Design);
  frmWizardPages(0).ZOrder(0);
  ShowWizardPage(0);
  cmbNDI.ListIndex(0);
}

void VLTfrmAdvancedModeForm::ShowWizardPage(int index) {
  for (Frame* page : frmWizardPages.Members()) {
    page->Visible(false);
    if (page->Index() == index) page->Visible(true);
  }
}

void VLTfrmAdvancedModeForm::cmdNextPage_Click() {
  CurrentPage = std::min(CurrentPage + 1, 8);
  if (CurrentPage == 8) {
    if (!Finish()) CurrentPage = 7;
    return;
  }
  ArriveAt(CurrentPage);
  frmWizardPages(CurrentPage).ZOrder(0);
  ShowWizardPage(CurrentPage);
  cmdPrevPage.Enabled(true);
}

void VLTfrmAdvancedModeForm::ArriveAt(int page) {
  tuning::TcpProfile& p = CurrentProfile;
  switch (page) {
    case 1: {
      if (!KnownType(ConnectionType)) return void(MsgBox("Error", vbOKOnly));
      const Recommendation& r = kRecommendations[ConnectionType];
      txtMTUValue.Text(std::to_string(r.mtu));
      txtMSSValue.Text(std::to_string(r.mss));
      lblMTURecValue.Caption(r.mtuText);
      lblMSSRecVaklue.Caption(r.mssText);
      p.MTU = r.mtu;
      p.MSS = r.mss;
      break;
    }
    case 2:
      p.PMTUDiscovery = true;
      p.PMTUBlackHoleDetect = false;
      break;
    case 3: {
      txtMSSRWINValue.Text(std::to_string(p.MSS));
      if (!KnownType(ConnectionType)) return void(MsgBox("Error", vbOKOnly));
      txtMultiplier.Text(DefaultMultiplier());
      ComputeRWIN();
      if (auto rwin = tuning::WholeNumber(txtRWIN.Text())) p.RWIN = *rwin;
      lblRWINRecValue.Caption(std::to_string(p.RWIN) + "Bytes");
      break;
    }
    case 4:
      p.TTL = 64;
      p.MaxConnectionsPer1_0Server = 20;
      p.MaxConnectionsPerServer = 20;
      break;
    case 5:
      p.KeepAliveTime = 7200000;
      p.KeepAliveInterval = 1000;
      break;
    case 6:
      p.SYNAttackProtect = 2;
      p.NDICacheSize = 0;
      break;
    case 7:
      p.EnableICMPRedirects = false;
      cmdNextPage.Caption("Finish");
      break;
  }
}

bool VLTfrmAdvancedModeForm::Finish() {
  std::array<std::int32_t, 8> numbers{};
  for (std::size_t i = 0; i < valueBoxes_.size(); ++i) {
    const ValueBox& box = valueBoxes_[i];
    auto number = tuning::WholeNumber(box.box->Text());
    if (!number || *number < box.min || *number > box.max) {
      MsgBox("Error: " + std::string(box.name) + " must be a whole number from " + std::to_string(box.min) +
                 " to " + std::to_string(box.max) + ".",
             vbOKOnly | vbExclamation);
      return false;
    }
    numbers[i] = *number;
  }
  auto rwin = tuning::WholeNumber(txtRWIN.Text());
  if (!rwin || *rwin < 1 || *rwin > kMaxRWIN) {
    MsgBox("Error: RWIN must be a whole number from 1 to 1073741823.", vbOKOnly | vbExclamation);
    return false;
  }
  tuning::TcpProfile& p = CurrentProfile;
  p.MTU = numbers[0];
  p.MSS = numbers[1];
  p.TTL = numbers[2];
  p.MaxConnectionsPer1_0Server = numbers[3];
  p.MaxConnectionsPerServer = numbers[4];
  p.KeepAliveTime = numbers[5];
  p.KeepAliveInterval = numbers[6];
  p.SYNAttackProtect = static_cast<std::int16_t>(numbers[7]);
  p.RWIN = *rwin;
  // What the boxes show is what is applied.
  p.PMTUBlackHoleDetect = chkBlackHoleValue.Value() == vbChecked;
  p.PMTUDiscovery = chkMTUDisconver.Value() != vbChecked;
  p.EnableICMPRedirects = chkICMPValue.Value() == vbChecked;
  p.NDICacheSize = static_cast<std::int32_t>(platform::vb::Val(cmbNDI.Text()));
  tuning::ApplyTcpSettings();
  cmdNextPage.Enabled(false);
  return true;
}

void VLTfrmAdvancedModeForm::cmdPrevPage_Click() {
  CurrentPage = std::max(CurrentPage - 1, 0);
  if (CurrentPage == 0) cmdPrevPage.Enabled(false);
  if (CurrentPage == 7) cmdNextPage.Enabled(true);
  frmWizardPages(CurrentPage).ZOrder(0);
  ShowWizardPage(CurrentPage);
  // Step 8's next click finishes, so its button says so.
  cmdNextPage.Caption(CurrentPage == 7 ? "Finish" : "Next>>");
}

void VLTfrmAdvancedModeForm::chkBlackHoleValue_Click() {
  CurrentProfile.PMTUBlackHoleDetect = chkBlackHoleValue.Value() == vbChecked;
}

void VLTfrmAdvancedModeForm::chkMTUDisconver_Click() {
  CurrentProfile.PMTUDiscovery = chkMTUDisconver.Value() != vbChecked;
}

void VLTfrmAdvancedModeForm::chkICMPValue_Click() {
  CurrentProfile.EnableICMPRedirects = chkICMPValue.Value() == vbChecked;
}

void VLTfrmAdvancedModeForm::cmbNDI_Click() {
  CurrentProfile.NDICacheSize = static_cast<std::int32_t>(platform::vb::Val(cmbNDI.Text()));
}

void VLTfrmAdvancedModeForm::ValueBoxChanged(const ValueBox& box) {
  if (puttingBack_) return;
  auto number = tuning::WholeNumber(box.box->Text());
  bool accepted = number && *number >= box.min && *number <= box.max;
  if (accepted) {
    if (box.box == &txtSYNValue) CurrentProfile.SYNAttackProtect = static_cast<std::int16_t>(*number);
    return;
  }
  puttingBack_ = true;
  box.box->Text(std::to_string(box.field()));
  puttingBack_ = false;
}

std::string VLTfrmAdvancedModeForm::DefaultMultiplier() const {
  if (!KnownType(ConnectionType)) return "Error";
  return ConnectionType == 0 ? "3" : "44";
}

void VLTfrmAdvancedModeForm::ComputeRWIN() {
  double rwin = CurrentProfile.MSS * platform::vb::Val(txtMultiplier.Text()) * platform::vb::Val(txtScaleFactor.Text());
  puttingBack_ = true;
  txtRWIN.Text(platform::vb::CStr(rwin));
  puttingBack_ = false;
}

void VLTfrmAdvancedModeForm::txtMultiplier_Change() {
  if (puttingBack_) return;
  puttingBack_ = true;
  if (!tuning::WholeNumber(txtMultiplier.Text())) txtMultiplier.Text(DefaultMultiplier());
  puttingBack_ = false;
  if (!KnownType(ConnectionType)) return;
  ComputeRWIN();
  double rwin = platform::vb::Val(txtRWIN.Text());
  if (CurrentProfile.MSS > rwin || rwin > kMaxRWIN) {
    // Back to the type's multiplier, computed once: a scale factor of 0
    // leaves RWIN 0 rather than resetting for ever.
    puttingBack_ = true;
    txtMultiplier.Text(DefaultMultiplier());
    puttingBack_ = false;
    ComputeRWIN();
  }
}

VLTfrmAdvancedModeForm& VLTfrmAdvancedMode() { return DefaultInstance<VLTfrmAdvancedModeForm>(); }
