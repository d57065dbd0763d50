// One page at a time, centred in the page area of the current skin over the
// skin background SkinFrame1; one second-level button bar at a time in the
// bar strip over SkinFrame2. The last page shown other than the result page
// is remembered in Frame_Result.Tag: a run without clean-all cleans the
// section of that page.
#include "mainwindow/Form1.h"

#include <map>

#include "platform/base/cp1252.h"

using namespace platform::forms;

namespace {

struct Area {
  float left, top, width, height;  // twips
};

struct SkinGeometry {
  const char* skin;  // lower case
  Area page, bar;
};

// The first row also serves skins of any other name, so their pages stay
// on the window.
const SkinGeometry kSkinGeometry[] = {
    {"skin1", {730, 2560, 5685, 4245}, {730, 6800, 5685, 585}},
    {"skin2", {2100, 950, 5685, 4245}, {2100, 5190, 5685, 585}},
};

const SkinGeometry& GeometryOf(const std::string& skin) {
  for (const auto& row : kSkinGeometry)
    if (platform::EqualsNoCase(skin, row.skin)) return row;
  return kSkinGeometry[0];
}

using FrameMember = Frame Form1Form::*;
using ButtonMember = CommandButton Form1Form::*;

constexpr FrameMember kPages[] = {
    &Form1Form::Frame_Windows,  &Form1Form::Frame_IE,        &Form1Form::Frame_NetScape,
    &Form1Form::Frame_Opera,    &Form1Form::Frame_AOL,       &Form1Form::Frame_MSN,
    &Form1Form::Frame_ICQ,      &Form1Form::Frame_Yahoo,     &Form1Form::Frame_Office,
    &Form1Form::Frame_HardDisk, &Form1Form::Frame_BPI,       &Form1Form::Frame_EPI,
    &Form1Form::Frame_FF,       &Form1Form::Frame_Result,    &Form1Form::Frame_Options,
    &Form1Form::Frame_About,    &Form1Form::Frame_Schedule,  &Form1Form::Frame_Programs,
    &Form1Form::Frame_StartUp,  &Form1Form::Frame_UnInstall, &Form1Form::Frame_Shred,
    &Form1Form::Frame_DLLs,     &Form1Form::Frame_DllResult, &Form1Form::Frame_DLLBackUps,
    &Form1Form::Frame_DllScan,
};

constexpr FrameMember kBars[] = {&Form1Form::Frame2_SYSTEM, &Form1Form::Frame2_BROWSERS,
                                 &Form1Form::Frame2_MESSENGERS, &Form1Form::Frame2_PLUGINS,
                                 &Form1Form::Frame2_OPTIMIZATION};

// The buttons that only switch pages, with their designed captions.
struct NavigationButton {
  ButtonMember button;
  FrameMember page;
  const char* caption;
};

const NavigationButton kNavigation[] = {
    {&Form1Form::cmd_Windows, &Form1Form::Frame_Windows, "Windows"},
    {&Form1Form::cmd_HardDisk, &Form1Form::Frame_HardDisk, "Hard Disk"},
    {&Form1Form::cmd_Office, &Form1Form::Frame_Office, "Office"},
    {&Form1Form::cmd_IE, &Form1Form::Frame_IE, "IE"},
    {&Form1Form::cmd_NetScape, &Form1Form::Frame_NetScape, "NetScape"},
    {&Form1Form::cmd_Opera, &Form1Form::Frame_Opera, "Opera"},
    {&Form1Form::cmd_AOL, &Form1Form::Frame_AOL, "AOL"},
    {&Form1Form::Command4, &Form1Form::Frame_FF, "FireFox"},
    {&Form1Form::cmd_MSN, &Form1Form::Frame_MSN, "MSN"},
    {&Form1Form::cmd_ICQ, &Form1Form::Frame_ICQ, "ICQ"},
    {&Form1Form::cmd_YAHOO, &Form1Form::Frame_Yahoo, "Yahoo"},
    {&Form1Form::cmdBuiltInPlugins, &Form1Form::Frame_BPI, "Built-In"},
    {&Form1Form::cmdExtraPlugins, &Form1Form::Frame_EPI, "Extra"},
    {&Form1Form::cmd_Programs, &Form1Form::Frame_Programs, "Programs"},
    {&Form1Form::cmd_Shred, &Form1Form::Frame_Shred, "Shredder"},
    {&Form1Form::cmd_DLLs, &Form1Form::Frame_DLLs, "DLLs"},
    {&Form1Form::cmdProgram1, &Form1Form::Frame_StartUp, "Start-Up"},
    {&Form1Form::cmdProgram2, &Form1Form::Frame_UnInstall, "UnInstall"},
    {&Form1Form::cmdStartUpBack, &Form1Form::Frame_Programs, "Back"},
    {&Form1Form::cmdUninsBack, &Form1Form::Frame_Programs, "Back"},
    {&Form1Form::cmdBack, &Form1Form::Frame_DLLs, "Back"},
    {&Form1Form::Command9, &Form1Form::Frame_DLLs, "Back"},
    {&Form1Form::cmdDllScan, &Form1Form::Frame_DllScan, "Unused"},
    {&Form1Form::cmdScanBack, &Form1Form::Frame_DLLs, "Back"},
    {&Form1Form::CmdOptions, &Form1Form::Frame_Options, "Options"},
    {&Form1Form::cmdShedule, &Form1Form::Frame_Schedule, "Schedule"},
};

// Buttons sit in a row along the top of their bar; those inside a page are
// placed again with the page's own controls, under its caption.
constexpr float kButtonLeft = 60, kButtonTop = 105, kButtonWidth = 1065, kButtonHeight = 375, kButtonGap = 60;

// Centred without clamping: a frame larger than the area starts before it.
float Centred(float start, float areaSize, float size) {
  return static_cast<float>(start + (static_cast<double>(areaSize) - size) / 2);
}

// Centres `frame` in `area`, lays `background` under it and shows both,
// the frame in front.
void ShowOver(Frame& frame, Control& background, const Area& area) {
  frame.Left(Centred(area.left, area.width, frame.Width()));
  frame.Top(Centred(area.top, area.height, frame.Height()));
  background.Left(frame.Left());
  background.Top(frame.Top());
  background.Width(frame.Width());
  background.Visible(true);
  background.ZOrder(0);
  frame.Visible(true);
  frame.ZOrder(0);
}

}  // namespace

void Form1Form::DesignPages() {
  const Area& page = kSkinGeometry[0].page;
  const Area& bar = kSkinGeometry[0].bar;
  for (FrameMember each : kPages) (this->*each).Move(page.left, page.top, page.width, page.height);
  for (FrameMember each : kBars) (this->*each).Move(bar.left, bar.top, bar.width, bar.height);
  // The backgrounds are as tall as what they lie under.
  SkinFrame1.Height(page.height);
  SkinFrame2.Height(bar.height);
  Frame_BPI.Caption("Bulit In plug-ins");
  lstBPI.Move(120, 360, 5445, 3240);
  chkBIPSelectAll.Move(120, 3720, 1815, 315);
  chkBIPSelectAll.Caption("Select All");
  chkBIPSelectAll.ToolTipText("Select / De-select all plugins");
  TSY_ON(chkBIPSelectAll, Click, chkBIPSelectAll_Click);

  // Each container lays its buttons out in table order.
  std::map<const Control*, int> nextSlot;
  for (const auto& row : kNavigation) {
    CommandButton& button = this->*row.button;
    int slot = nextSlot[button.Container()]++;
    button.Move(kButtonLeft + slot * (kButtonWidth + kButtonGap), kButtonTop, kButtonWidth, kButtonHeight);
    button.Caption(row.caption);
    FrameMember target = row.page;
    button.Click.Handle([this, target] { ShowThatFrame(this->*target); });
  }
  CmdOptions.Visible(false);
  cmdShedule.Visible(false);
  DesignPageControls();
}

void Form1Form::ShowThatFrame(Frame& frame) {
  const SkinGeometry& geometry = GeometryOf(DrawnSkin);
  for (FrameMember each : kPages) (this->*each).Visible(false);
  if (frame.Name() != "Frame_Result") Frame_Result.Tag(frame.Name());
  ShowOver(frame, SkinFrame1, geometry.page);
}

void Form1Form::ShowThatFrame2(Frame& bar) {
  const SkinGeometry& geometry = GeometryOf(DrawnSkin);
  for (FrameMember each : kBars) (this->*each).Visible(false);
  ShowOver(bar, SkinFrame2, geometry.bar);
}

void Form1Form::HideAllFrames() {
  for (FrameMember each : kBars) (this->*each).Visible(false);
}

void Form1Form::CmdOptions_Click() { ShowThatFrame(Frame_Options); }
void Form1Form::cmdShedule_Click() { ShowThatFrame(Frame_Schedule); }

// A greyed box counts as ticked.
void Form1Form::chkBIPSelectAll_Click() {
  bool select = chkBIPSelectAll.Value() != vbUnchecked;
  for (int i = 0; i < lstBPI.ListCount(); ++i) lstBPI.Selected(i, select);
}
