// The folder guard compares folders as the file layer resolves them: every
// spelling of a guarded folder is refused, a folder below one is not.
#include <gtest/gtest.h>

#include "cleaning/protected_folders.h"
#include "engine_fixture.h"

namespace tessaly::testing {
namespace {

TEST_F(EngineTest, EverySpellingOfAGuardedFolderIsRefusedAndAFolderBelowIsCleaned) {
  Put("C:\\Program Files\\App\\cache\\page.htm", "cached");
  Put("C:\\Program Files\\App\\app.exe", "program");
  const char* const refused[] = {
      "C:\\Program Files",       "C:\\PROGRA~1",          "c:\\program files",     "C:\\Program Files.",
      "C:\\Program Files ",      "C:/Program Files",      "C:\\\\Program Files\\\\", "C:\\WINDOWS\\..\\Program Files",
      "C:\\Program Files\\.",    "C:\\PROGRA~1\\Tessaly", "C:\\Documents and Settings", "C:\\DOCUME~1\\ALLUSE~1",
      "C:\\WINDOWS\\system32\\..", "C:\\.",               "C:/",                   "C:\\Program Files\\Tessaly\\.."};
  for (const char* folder : refused) {
    SCOPED_TRACE(folder);
    EXPECT_NE(cleaning::FolderRefusal(folder), "");
    std::string path = folder;
    Delete().DeleteFolder(path, "*.*");
    EXPECT_TRUE(Exists("C:\\Program Files\\App\\app.exe"));
  }
  std::string below = "C:\\PROGRA~1\\App\\cache";
  EXPECT_EQ(cleaning::FolderRefusal(below), "");
  Delete().DeleteFolder(below, "*.*");
  EXPECT_FALSE(Exists("C:\\Program Files\\App\\cache\\page.htm"));
  EXPECT_TRUE(Exists("C:\\Program Files\\App\\app.exe"));
}

// The reason names what the spelling resolves to, so a log line tells the
// user which folder the row really meant.
TEST_F(EngineTest, ARefusalNamesTheFolderTheSpellingResolvesTo) {
  struct Case {
    const char* folder;
    const char* reason;
  } cases[] = {
      {"C:\\. .", "it is a drive root"},
      {"C:\\WINDOWS.", "it is the Windows folder"},
      {"c:\\windows\\SYSTEM32. ", "it is the system folder"},
      {"%WINDIR%", "it is the Windows folder"},
      {"%SystemRoot%\\system32\\", "it is the system folder"},
      {"C:\\Program Files\\Tessaly.", "it is the program's folder"},
      {"C:\\DOCUME~1", "it contains the All Users profile"},
      {"C:\\Documents and Settings\\User.", "it is the user profile"},
      {"C:\\Documents and Settings\\All Users\\.", "it is the All Users profile"},
      {"Temp", "it is not a full folder path"},
      {"C:\\Temp\\Missing\\..\\..", "it is a drive root"},
  };
  for (const auto& c : cases) EXPECT_EQ(cleaning::FolderRefusal(c.folder), c.reason) << c.folder;
}

// A file alone is refused only directly in a root or in the Windows, system
// or program folder; deeper files and files elsewhere may go.
TEST_F(EngineTest, AFileIsRefusedOnlyDirectlyInTheRootOrAProgramFolder) {
  Put("C:\\readme.txt");
  struct Case {
    const char* path;
    const char* reason;
  } cases[] = {
      {"C:\\readme.txt", "it is in a drive root"},
      {"C:\\WINDOWS\\..\\readme.txt", "it is in a drive root"},
      {"C:\\WINDOWS.\\WIN.INI", "it is in the Windows folder"},
      {"%WINDIR%\\win.ini", "it is in the Windows folder"},
      {"C:\\WINDOWS\\SYSTEM32. \\rundll32.exe", "it is in the system folder"},
      {"C:\\PROGRA~1\\Tessaly\\Schedule.dll", "it is in the program's folder"},
      {"C:\\WINDOWS\\system32", "it is in the Windows folder"},
      {"readme.txt", "it is not a full file path"},
      {"C:\\WINDOWS\\Temp\\a.tmp", ""},
      {"C:\\WINDOWS\\system32\\drivers\\etc\\hosts.bak", ""},
      {"C:\\Program Files\\App\\app.log", ""},
      {"C:\\Documents and Settings\\User\\letter.doc", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(cleaning::FileRefusal(c.path), c.reason) << c.path;
  EXPECT_FALSE(cleaning::MayDeleteFile("C:\\readme.txt"));
  EXPECT_NE(Log().find("\tFile not deleted C:\\readme.txt: it is in a drive root\r\n"), std::string::npos) << Log();
  EXPECT_TRUE(Exists("C:\\readme.txt"));
}

}  // namespace
}  // namespace tessaly::testing
