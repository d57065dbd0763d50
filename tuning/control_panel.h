#pragma once
// The Control Panel applets the suite's "System Settings" buttons open,
// started through rundll32. Each returns the started program's task id, or
// 0 when nothing was started (no applet for the system, or the start failed).
namespace tuning {

double OpenInternetOptions();
double OpenSystemProperties();
double OpenModemSettings();
// netcpl.cpl on the 9x family, ncpa.cpl on the NT family, by OSCode.
double OpenNetworkSettings();

}  // namespace tuning
