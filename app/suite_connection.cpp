#include "app/suite_connection.h"

#include "mainwindow/Form1.h"
#include "mainwindow/suite_link.h"
#include "tuning/VLTfrmAdvancedMode.h"
#include "tuning/VLTfrmMain.h"
#include "tuning/suite_page.h"

namespace {

class Suite : public SuiteWindows {
 public:
  void ShowSuite() override { VLTfrmMain().Show(); }
  platform::forms::Form* AdvancedModePage() override { return &VLTfrmAdvancedMode(); }
};

}  // namespace

void ConnectSuite() {
  InstallSuiteWindows(std::make_shared<Suite>());
  tuning::SetSkinNameSource([] { return DrawnSkin; });
}
