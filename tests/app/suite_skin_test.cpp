// The Velotune suite, as the program connects it, is drawn with the skin
// the main window is drawn with: a stored skin whose files are missing
// gives the suite the first skin's colours too, as the window's.
#include <gtest/gtest.h>

#include "app/suite_connection.h"
#include "mainwindow/Form1.h"
#include "mainwindow/suite_link.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/forms.h"
#include "platform/forms/settings.h"
#include "support/temp_machine.h"
#include "tuning/VLTfrmMain.h"
#include "tuning/suite_page.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

TEST(SuiteSkinTest, TheSuiteFollowsTheSkinTheWindowIsDrawnWith) {
  const std::string skin2 = "C:\\Program Files\\Tessaly\\Skin2";
  struct Case {
    const char* stored;
    bool skin2Installed;
    const char* drawn;
    long suiteBackColor;
  };
  const Case cases[] = {
      {"Skin2", false, "Skin1", 0},
      {"Velvet", false, "Skin1", 0},
      {"Skin2", true, "Skin2", 0xFFFFFF},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.stored) + (c.skin2Installed ? " installed" : " missing"));
    TempMachine machine;
    ResetFormsRuntime();
    if (c.skin2Installed) {
      CreateDirectoryA(skin2.c_str(), nullptr);
      for (const char* file : {"\\TSY.skn", "\\TSY.swf", "\\TSY.spl"})
        machine.WriteContent(skin2 + file,
                             machine.ReadContent("C:\\Program Files\\Tessaly\\Skin" + std::string(file)).value_or(""));
    }
    SaveSetting("tsy", "skin", "skin", c.stored);
    ConnectSuite();
    Form1();
    EXPECT_EQ(DrawnSkin, c.drawn);
    EXPECT_EQ(VLTfrmMain().BackColor(), c.suiteBackColor);
    InstallSuiteWindows(nullptr);
    tuning::SetSkinNameSource(nullptr);
    ResetFormsRuntime();
  }
}

}  // namespace
}  // namespace tessaly::testing
