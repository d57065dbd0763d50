#pragma once
// The twelve sections of a cleaning run, in run order: the page that makes a
// section take part, its status label, log title, progress tag and boxes.
#include <array>

#include "mainwindow/Form1.h"

struct CleanSectionInfo {
  CleanSection section;
  const char* frame;  // the page whose section runs when clean-all is clear
  const char* label;
  const char* title;
  const char* tag;  // "" = no progress counter
  // The item boxes; null for a section run as one item without a box.
  platform::forms::ControlArray<platform::forms::CheckBox> Form1Form::*boxes;
};

inline constexpr int kCustomFileItem = 2;  // of the hard-disk section

extern const std::array<CleanSectionInfo, 12> kCleanSections;
