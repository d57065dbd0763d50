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

}  // namespace
}  // namespace tessaly::testing
