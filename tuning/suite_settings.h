#pragma once
// Where the suite keeps its settings: one key per page under
// HKEY_LOCAL_MACHINE "SOFTWARE\DMW\Velotune\Settings", one REG_SZ value per
// control, named after the control.
namespace tuning {

inline constexpr const char* kVelotuneKey = "SOFTWARE\\DMW\\Velotune";
inline constexpr const char* kMainSettingsKey = "SOFTWARE\\DMW\\Velotune\\Settings\\MainSettings";
inline constexpr const char* kNetPingerSettingsKey = "SOFTWARE\\DMW\\Velotune\\Settings\\NetPinger";
inline constexpr const char* kRamSettingsKey = "SOFTWARE\\DMW\\Velotune\\Settings\\RamSettings";

// The suite's start-with-Windows entry under HKEY_CURRENT_USER.
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValueName = "Velotuner";

}  // namespace tuning
