#pragma once
// The four well-known folders, filled once by the main window's start-up.
#include <string>

extern std::string g_WindowsDir;
extern std::string g_SystemDir;
extern std::string g_AllUsersDir;
extern std::string g_UserProfileDir;

// Fills the four globals. On the 9x family both profile folders are the
// drive root of the Windows folder ("C:\"). A folder call that fails leaves
// its global empty: callers skip empty bases rather than clean the wrong folder.
void InitSystemFolders();
