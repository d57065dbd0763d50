#include "mainwindow/suite_link.h"

namespace {
std::shared_ptr<SuiteWindows>& Installed() {
  static auto* suite = new std::shared_ptr<SuiteWindows>(std::make_shared<SuiteWindows>());
  return *suite;
}
}  // namespace

void InstallSuiteWindows(std::shared_ptr<SuiteWindows> suite) {
  Installed() = suite ? std::move(suite) : std::make_shared<SuiteWindows>();
}

SuiteWindows& InstalledSuiteWindows() { return *Installed(); }
