#pragma once
// Numbered backups ("001.BCK" ... "999.BCK" in the program's "VLT Backups"
// folder) of the TCP/IP values the apply writes: the date, the time, the
// system's code, then each key with its value names and the live numbers,
// an empty line standing for a value that was missing. A restore checks the
// whole file first and then writes all of it back, or nothing.
#include <optional>
#include <string>
#include <vector>

#include "platform/runtime/dates.h"

namespace tuning {

// "<program folder>\VLT Backups".
std::string BackupFolder();

// The full path of the next backup file, the folder created when missing;
// nullopt when "999.BCK" is taken. Only names ending in three digits count.
// Raises the runtime error of a folder that cannot be created.
std::optional<std::string> NextBackupFileName();

// Writes the backup of the live values of the current system's family;
// the failure's description when no file could be written.
std::optional<std::string> WriteTcpBackup();

// One backup file as the list shows it.
struct BackupFileRow {
  std::string fileName;              // base name + ".BCK"
  std::string dateText, timeText;    // "" for a damaged file
  std::optional<platform::forms::Date> date, time;
};
// The backup files in case-insensitive name order, the folder created when
// missing.
std::vector<BackupFileRow> ListBackupFiles();

enum class RestoreResult { Restored, OtherSystem, Damaged };
struct RestoreOutcome {
  RestoreResult result;
  std::string problem;  // what was wrong with a damaged file
};
// Restores the values of "<folder>\<fileName>" for the current system.
RestoreOutcome RestoreTcpBackup(const std::string& fileName);

}  // namespace tuning
