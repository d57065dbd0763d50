#pragma once
// The texts of an extra plug-in's rows: the registry and folder rows the
// editor builds and parses back, and the folder rows as the runner reads
// them (split, macros, the folder a row may walk). Pure text work.
#include <array>
#include <functional>
#include <optional>
#include <string>

inline constexpr const char* kRowSeparator = "+ Value`= ";
inline constexpr const char* kKeyEnding = "- TSYRegKey";
inline constexpr const char* kContentsEnding = "- TSYRegSubKeys";
inline constexpr const char* kPlaceholderRow = "TSY-EMPTY.";
inline constexpr const char* kAllSubfoldersMarker = "[TSY-ALL-SUB-FOLDERS]";

// The editor's root names, in the order of its root combo.
inline constexpr std::array<const char*, 7> kRegistryRoots = {
    "HKey_Classes_Root", "HKey_Local_Machine",    "HKey_Current_Config",  "HKey_Current_User",
    "HKey_Users",        "HKey_Dyn_Data",         "HKey_Performance_Data"};
inline constexpr int kDefaultRoot = 3;

// Blank after trimming, or the placeholder row.
bool IsEmptyRow(const std::string& row);

// Registry rows from the editor's fields; every part is trimmed first.
std::string KeyRow(const std::string& root, const std::string& path, const std::string& name);
std::string ValueRow(const std::string& root, const std::string& path, const std::string& name);
// The detection key: root, path and name with no ending, as the key test
// opens it.
std::string DetectRow(const std::string& root, const std::string& path, const std::string& name);

struct RegistryFields {
  int root = kDefaultRoot;  // index into kRegistryRoots
  std::string path, name;
  bool value = false;  // a value row ("Value") or a key row ("Key")
};
// A registry row back into the fields: the known ending is taken off, the
// root is the text before the first "\" and the name the last part of the
// path (the value name for a value row). Empty and placeholder rows give
// the defaults.
RegistryFields ParseRegistryRow(const std::string& row);

// Folder rows from the editor's fields: a pattern row covers the folder's
// tree; a file row names one file.
std::string PatternRow(const std::string& folder, const std::string& pattern);
std::string FileRow(const std::string& folder, const std::string& fileName);

struct FolderFields {
  bool pattern = false;  // a pattern row, else a file row
  std::string folder, fileName, filePattern;
  bool subfolders = false;  // the row carried the all-subfolders marker
};
// A folder row back into the fields: a row with the separator is a pattern
// row (whatever its pattern looks like), any other a file row.
FolderFields ParseFolderRow(const std::string& row);

// A stored folder row as the runner takes it: the folder before the first
// separator and the pattern up to a second one; a row without a separator
// names one file.
struct StoredFolderRow {
  std::string folder, pattern;
  bool singleFile = false;  // folder holds the file's whole path
};
StoredFolderRow SplitStoredFolderRow(const std::string& row);

// The folders the macros stand for. On the 9x family the profile macros
// stay unexpanded.
struct MacroFolders {
  bool win9x = false;
  std::string allUsers, userProfile, windows;
};
// "%AUP%", then "%CUP%", then "%PF%", each exact-case and everywhere.
std::string ExpandFolderMacros(const std::string& path, const MacroFolders& folders);
// The folder "%APP%" stands for, from the data of the plug-in's APP value:
// the folder holding the named file (quotes and switches taken off). Data
// naming no file is used only when it is an existing folder.
std::optional<std::string> AppFolderFromData(const std::string& data,
                                             const std::function<bool(const std::string&)>& folderExists);
// Why a cleaning walk may not start at `folder` as it is spelt; "" when it
// may: a full path below a drive root, with no macro left in it and no "..".
// This reads the text only; the engine's folder guard judges the folder it
// resolves to. `what` names the path in the reason.
std::string WalkProblem(const std::string& folder, const char* what = "folder");
// Why the runner does not hand a stored row over, its macros expanded into
// `folder` (the file's whole path for a file row); "" when it goes on to
// the engine's folder guard.
std::string RowProblem(const StoredFolderRow& row, const std::string& folder);
// The count a plug-in stores in RC or FC: its leading digits, 0 when there
// are none or the text is negative, never above `cap`.
int StoredRowCount(const std::string& text, int cap);
