// Page switching as far as the run and the movie need it: one page shown at
// a time, the last section page remembered in Frame_Result.Tag, one button
// bar at a time. The pages' placement in the skin belongs to the pages.
#include "mainwindow/Form1.h"

using namespace platform::forms;

namespace {

std::vector<Frame*> Pages(Form1Form& f) {
  return {&f.Frame_Windows, &f.Frame_IE,        &f.Frame_NetScape,  &f.Frame_Opera,    &f.Frame_AOL,
          &f.Frame_MSN,     &f.Frame_ICQ,       &f.Frame_Yahoo,     &f.Frame_Office,   &f.Frame_HardDisk,
          &f.Frame_BPI,     &f.Frame_EPI,       &f.Frame_FF,        &f.Frame_Result,   &f.Frame_Options,
          &f.Frame_About,   &f.Frame_Schedule,  &f.Frame_Programs,  &f.Frame_StartUp,  &f.Frame_UnInstall,
          &f.Frame_Shred,   &f.Frame_DLLs,      &f.Frame_DllResult, &f.Frame_DLLBackUps};
}

std::vector<Frame*> Bars(Form1Form& f) {
  return {&f.Frame2_SYSTEM, &f.Frame2_BROWSERS, &f.Frame2_MESSENGERS, &f.Frame2_PLUGINS, &f.Frame2_OPTIMIZATION};
}

}  // namespace

void Form1Form::ShowThatFrame(Frame& frame) {
  for (Frame* page : Pages(*this)) page->Visible(false);
  if (frame.Name() != "Frame_Result") Frame_Result.Tag(frame.Name());
  frame.Visible(true);
  frame.ZOrder(0);
}

void Form1Form::ShowThatFrame2(Frame& bar) {
  for (Frame* each : Bars(*this)) each->Visible(false);
  bar.Visible(true);
  bar.ZOrder(0);
}

void Form1Form::HideAllFrames() {
  for (Frame* bar : Bars(*this)) bar->Visible(false);
}

void Form1Form::CmdAbout_Click() { ShowThatFrame(Frame_About); }
void Form1Form::CmdOptions_Click() { ShowThatFrame(Frame_Options); }
void Form1Form::cmdShedule_Click() { ShowThatFrame(Frame_Schedule); }
