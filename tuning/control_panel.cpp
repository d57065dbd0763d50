#include "tuning/control_panel.h"

#include <string>

#include "platform/base/runtime_error.h"
#include "platform/shell/launch.h"
#include "tuning/os_version.h"

namespace tuning {

namespace {

constexpr int kShow = 5;  // SW_SHOW

// A start that fails is not the user's problem here: nothing is started.
double StartApplet(const std::string& commandLine) {
  try {
    return platform::forms::Shell(commandLine, kShow);
  } catch (const platform::RuntimeError&) {
    return 0;
  }
}

}  // namespace

double OpenInternetOptions() { return StartApplet("rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl,,0"); }

double OpenSystemProperties() { return StartApplet("rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl,,0"); }

double OpenModemSettings() { return StartApplet("rundll32.exe shell32.dll,Control_RunDLL modem.cpl"); }

double OpenNetworkSettings() {
  if (Is9xCode(OSCode)) return StartApplet("rundll32.exe shell32.dll,Control_RunDLL netcpl.cpl");
  if (IsNTCode(OSCode)) return StartApplet("rundll32.exe shell32.dll,Control_RunDLL ncpa.cpl");
  return 0;
}

}  // namespace tuning
