#pragma once
// The Velotune suite as the main window reaches it: its window, opened by
// the suite button, and its advanced page, whose captions the caption
// export writes. The suite stands beside the main window, so the program
// installs it before the main window loads (app/), tests install their own;
// without one the suite button opens nothing.
#include <memory>

#include "platform/forms/form.h"

class SuiteWindows {
 public:
  virtual ~SuiteWindows() = default;
  // Shows the suite window modeless and without owner (one instance, kept).
  virtual void ShowSuite() {}
  // The advanced page, loaded on first use; null without a suite.
  virtual platform::forms::Form* AdvancedModePage() { return nullptr; }
};

void InstallSuiteWindows(std::shared_ptr<SuiteWindows> suite);
SuiteWindows& InstalledSuiteWindows();
