// The program's own Run value moved between "Run" and "Run-" in both hives.
#include <gtest/gtest.h>

#include "platform/forms/forms.h"
#include "platform/registry/advapi32.h"
#include "support/CRegister.h"
#include "support/temp_machine.h"
#include "tools/WindowsStartup.h"

namespace tessaly::testing {
namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kOff = kRun + "-";
const std::int32_t kRoots[] = {static_cast<std::int32_t>(HKEY_LOCAL_MACHINE),
                               static_cast<std::int32_t>(HKEY_CURRENT_USER)};

std::string Value(std::int32_t root, const std::string& path, const std::string& name) {
  return CRegister().REGGetSetting(root, path, name, "<none>");
}

class WindowsStartupTest : public ::testing::TestWithParam<platform::OsKind> {
 protected:
  WindowsStartupTest() : machine_(GetParam()) { platform::forms::ResetFormsRuntime(); }
  void ExpectBothHives(const std::string& name, const std::string& live, const std::string& off) {
    for (std::int32_t root : kRoots) {
      SCOPED_TRACE(root);
      EXPECT_EQ(Value(root, kRun, name), live);
      EXPECT_EQ(Value(root, kOff, name), off);
    }
  }
  TempMachine machine_;
};

TEST_P(WindowsStartupTest, EnableAndDisableMoveTheValueInBothHives) {
  tools::EnableStartupEntry("a /STARTUP", "Tessaly");  // no copy under Run-: only the write
  ExpectBothHives("Tessaly", "a /STARTUP", "<none>");
  tools::DisableStartupEntry("a /STARTUP", "Tessaly");
  ExpectBothHives("Tessaly", "<none>", "a /STARTUP");
  tools::EnableStartupEntry("a /STARTRUN", "Tessaly");
  ExpectBothHives("Tessaly", "a /STARTRUN", "<none>");
}

// Titles the trace-entry form cannot name are deleted by their exact name.
TEST_P(WindowsStartupTest, ATitleWithAnEqualsSignOrBlanksIsStillMoved) {
  for (const char* title : {"Clean=Now", " Padded "}) {
    SCOPED_TRACE(title);
    tools::EnableStartupEntry("x", title);
    tools::DisableStartupEntry("x", title);
    ExpectBothHives(title, "<none>", "x");
  }
  tools::EnableStartupEntry("x", "");  // never the key's default value
  EXPECT_EQ(Value(kRoots[0], kRun, "*"), "<none>");
}

INSTANTIATE_TEST_SUITE_P(Families, WindowsStartupTest,
                         ::testing::Values(platform::OsKind::WinXP, platform::OsKind::Win98));

}  // namespace
}  // namespace tessaly::testing
