// The texts of extra plug-in rows: what the editor builds and parses back,
// and how the runner reads a stored folder row.
#include <gtest/gtest.h>

#include "mainwindow/plugins/plugin_rows.h"

namespace {

TEST(ExtraPluginRowsTest, TheEditorBuildsEachRowFormFromTrimmedFields) {
  struct Case {
    std::string built, expected;
  } cases[] = {
      {ValueRow("HKey_Local_Machine", "Software\\Tool", "LastFile"),
       "HKey_Local_Machine\\Software\\Tool+ Value`= LastFile"},
      {KeyRow("HKey_Local_Machine", "Software\\Tool", "Recent"),
       "HKey_Local_Machine\\Software\\Tool\\Recent- TSYRegKey"},
      {KeyRow(" HKey_Current_User ", " \\Software\\Tool\\ ", " Recent "),
       "HKey_Current_User\\Software\\Tool\\Recent- TSYRegKey"},
      {ValueRow("HKey_Current_User", "Software\\Tool\\", "X"), "HKey_Current_User\\Software\\Tool+ Value`= X"},
      {DetectRow("HKey_Local_Machine", "Software", "Tool"), "HKey_Local_Machine\\Software\\Tool"},
      {DetectRow("HKey_Local_Machine", "Software\\Tool\\", ""), "HKey_Local_Machine\\Software\\Tool"},
      {PatternRow("C:\\Temp", "*.log"), "C:\\Temp\\+ Value`= *.log"},
      {PatternRow("C:\\Temp\\", " index.dat "), "C:\\Temp\\+ Value`= index.dat"},
      {FileRow("C:\\Temp", "a.txt"), "C:\\Temp\\a.txt"},
      {FileRow("%APP%\\", "\\settings.ini"), "%APP%\\settings.ini"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.built, c.expected);
}

// A row parsed into the fields and added again is the row itself.
TEST(ExtraPluginRowsTest, RegistryRowsSurviveAClickAndAnAdd) {
  const char* rows[] = {
      "HKey_Local_Machine\\Software\\Tool\\Recent- TSYRegKey",
      "HKey_Current_User\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
      "{75048700-EF1F-11D0-9888-006097DEACF9}\\Count- TSYRegKey",
      "HKey_Local_Machine\\Software\\Tool+ Value`= LastFile",
      "HKey_Users\\.DEFAULT\\Software\\My-Tool\\Sub-Key+ Value`= Last-File",
  };
  for (const char* row : rows) {
    RegistryFields fields = ParseRegistryRow(row);
    std::string root = kRegistryRoots[fields.root];
    EXPECT_EQ(fields.value ? ValueRow(root, fields.path, fields.name) : KeyRow(root, fields.path, fields.name), row);
  }
  // A value row with a trailing "\" in its path comes back without it.
  RegistryFields trailing = ParseRegistryRow("HKey_Current_User\\Software\\Tool\\+ Value`= X");
  EXPECT_EQ(ValueRow(kRegistryRoots[trailing.root], trailing.path, trailing.name),
            "HKey_Current_User\\Software\\Tool+ Value`= X");
  // The root is matched at the start only, in any case.
  RegistryFields upper = ParseRegistryRow("HKEY_USERS\\S-1-5\\HKey_Local_Machine- TSYRegKey");
  EXPECT_EQ(upper.root, 4);
  EXPECT_EQ(upper.path, "S-1-5");
  EXPECT_EQ(upper.name, "HKey_Local_Machine");
  for (const char* empty : {"", "  ", "tsy-empty."}) {
    RegistryFields fields = ParseRegistryRow(empty);
    EXPECT_EQ(fields.root, kDefaultRoot);
    EXPECT_TRUE(fields.path.empty() && fields.name.empty() && !fields.value);
  }
}

TEST(ExtraPluginRowsTest, FolderRowsSurviveAClickAndAnAdd) {
  const char* rows[] = {"C:\\Temp\\+ Value`= *.log", "C:\\Temp\\+ Value`= index.dat", "C:\\Temp\\a.txt",
                        "%APP%\\logs\\+ Value`= *.*"};
  for (const char* row : rows) {
    FolderFields fields = ParseFolderRow(row);
    EXPECT_EQ(fields.pattern ? PatternRow(fields.folder, fields.filePattern) : FileRow(fields.folder, fields.fileName),
              row);
  }
  FolderFields marked = ParseFolderRow("C:\\Temp\\[tsy-all-sub-folders]+ Value`= *.tmp");
  EXPECT_TRUE(marked.pattern && marked.subfolders);
  EXPECT_EQ(marked.folder, "C:\\Temp\\");
  EXPECT_EQ(marked.filePattern, "*.tmp");
}

TEST(ExtraPluginRowsTest, TheRunnerSplitsAStoredFolderRowAtItsSeparators) {
  StoredFolderRow pattern = SplitStoredFolderRow("C:\\Temp\\+ Value`= *.log+ Value`= ignored");
  EXPECT_EQ(pattern.folder, "C:\\Temp\\");
  EXPECT_EQ(pattern.pattern, "*.log");
  EXPECT_FALSE(pattern.singleFile);
  StoredFolderRow file = SplitStoredFolderRow("C:\\Temp\\a.txt");
  EXPECT_EQ(file.folder, "C:\\Temp\\a.txt");
  EXPECT_TRUE(file.singleFile);
}

TEST(ExtraPluginRowsTest, MacrosExpandExactlyAndTheProfileOnesNotOn9x) {
  MacroFolders nt{false, "C:\\Documents and Settings\\All Users", "C:\\Documents and Settings\\Ann", "D:\\WINNT"};
  MacroFolders win98{true, "C:\\", "C:\\", "C:\\WINDOWS"};
  struct Case {
    const char* path;
    const MacroFolders& folders;
    const char* expanded;
  } cases[] = {
      {"%PF%\\Tool\\Logs", nt, "D:\\Program Files\\Tool\\Logs"},
      {"%CUP%\\Tool;%CUP%", nt, "C:\\Documents and Settings\\Ann\\Tool;C:\\Documents and Settings\\Ann"},
      {"%AUP%\\Tool", nt, "C:\\Documents and Settings\\All Users\\Tool"},
      {"%CUP%\\Tool", win98, "%CUP%\\Tool"},
      {"%PF%\\Tool", win98, "C:\\Program Files\\Tool"},
      {"%pf%\\Tool", nt, "%pf%\\Tool"},
      {"%APP%\\logs", nt, "%APP%\\logs"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandFolderMacros(c.path, c.folders), c.expanded) << c.path;
}

TEST(ExtraPluginRowsTest, TheAppFolderIsTheFolderOfTheNamedFile) {
  auto exists = [](const std::string& folder) { return folder == "C:\\Tools\\Bare"; };
  struct Case {
    const char* data;
    std::optional<std::string> folder;
  } cases[] = {
      {"C:\\Tools\\App\\bin\\app.exe", "C:\\Tools\\App\\bin"},
      {"D:\\My.Apps\\x.exe", "D:\\My.Apps"},
      {"C:\\Tools\\App.old\\bin\\app.exe", "C:\\Tools\\App.old\\bin"},
      {"\"C:\\Program Files\\Tool\\tool.exe\" /quiet", "C:\\Program Files\\Tool"},
      {"C:\\Tools\\tool.exe /s", "C:\\Tools"},
      {"C:\\Tools\\Bare", "C:\\Tools\\Bare"},
      {"C:\\Tools\\Missing", std::nullopt},
      {"app.exe", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(AppFolderFromData(c.data, exists), c.folder) << c.data;
}

TEST(ExtraPluginRowsTest, OnlyAFullPathBelowARootMayBeWalked) {
  struct Case {
    const char* folder;
    bool walkable;
  } cases[] = {
      {"C:\\Temp", true},         {"C:\\Temp\\", true},    {"D:\\My.Apps\\logs\\", true},
      {"", false},                {"\\", false},           {"C:", false},
      {"C:\\", false},            {"D:\\\\", false},       {"Temp\\", false},
      {"0\\", false},             {"\\\\server\\share", false}, {"%CUP%\\Tool", false},
      {"C:\\%APP%\\logs", false}, {"C:\\Temp\\..\\", false}, {"C:\\Temp\\\\x", false},
  };
  for (const auto& c : cases) EXPECT_EQ(WalkProblem(c.folder).empty(), c.walkable) << c.folder;
}

TEST(ExtraPluginRowsTest, StoredCountsAreLeadingDigitsWithinTheCap) {
  struct Case {
    const char* text;
    int cap, count;
  } cases[] = {{"2", 10, 2}, {" 3 ", 10, 3}, {"abc", 10, 0}, {"-4", 10, 0}, {"2000000000", 10, 10},
               {"7x", 10, 7}, {"", 10, 0},   {"0", 10, 0}};
  for (const auto& c : cases) EXPECT_EQ(StoredRowCount(c.text, c.cap), c.count) << c.text;
}

TEST(ExtraPluginRowsTest, BlankAndPlaceholderRowsAreEmpty) {
  for (const char* row : {"", "   ", "TSY-EMPTY.", " tsy-empty. "}) EXPECT_TRUE(IsEmptyRow(row)) << row;
  for (const char* row : {"0", "TSY-EMPTY", "C:\\x"}) EXPECT_FALSE(IsEmptyRow(row)) << row;
}

}  // namespace
