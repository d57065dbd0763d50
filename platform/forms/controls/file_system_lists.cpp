#include "platform/forms/controls/file_system_lists.h"

#include <algorithm>
#include <set>

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/strings.h"
#include "platform/machine/machine.h"

namespace platform::forms {
namespace {

constexpr UINT kRemovable = 2, kFixed = 3, kRemote = 4, kCdRom = 5, kRamDisk = 6;

std::string CurrentDirectory() {
  char buffer[MAX_PATH + 1] = {};
  DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  return length && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

// "X:\" for a path that starts with a drive letter, "" otherwise.
std::string RootOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return {};
  return std::string{path[0], ':', '\\'};
}

// The folder without its trailing "\" (a drive root keeps it).
std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && (path.back() == '\\' || path.back() == '/') &&
         !(path.size() == 3 && path[1] == ':'))
    path.pop_back();
  if (path.size() == 2 && path[1] == ':') path += '\\';
  return path;
}

std::string Joined(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// Raises the runtime error a list box gives for a path that is no folder:
// 68 for an unmapped drive, 71 for a drive without media, 76 otherwise.
void CheckFolder(const std::string& path) {
  std::string root = RootOf(path);
  if (!root.empty() && GetDriveTypeA(root.c_str()) == DRIVE_NO_ROOT_DIR) RaiseRuntimeError(68);
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) RaiseRuntimeError(GetLastError() == ERROR_NOT_READY ? 71 : 76);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) RaiseRuntimeError(76);
}

// Each entry of folder + pattern once; "." and ".." left out.
template <class Visit>
void ForEachFound(const std::string& folder, const std::string& pattern, Visit visit) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(Joined(folder, pattern).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = data.cFileName;
    if (name != "." && name != "..") visit(name, data.dwFileAttributes);
  } while (FindNextFileA(search, &data));
  FindClose(search);
}

std::vector<std::string> InOrder(const std::set<std::string, LessNoCase>& names) {
  return std::vector<std::string>(names.begin(), names.end());
}

std::string DriveEntry(char letter) {
  const std::string root{letter, ':', '\\'};
  std::string entry{static_cast<char>(letter - 'A' + 'a'), ':'};
  switch (GetDriveTypeA(root.c_str())) {
    case kFixed:
    case kRamDisk: {
      char label[MAX_PATH + 1] = {};
      if (GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0) &&
          label[0] != '\0')
        entry += std::string(" [") + label + "]";
      break;
    }
    case kRemote: {
      const Machine* machine = CurrentMachine();
      const DriveDescription* drive = machine ? machine->description().drive(letter) : nullptr;
      if (drive && !drive->share.empty()) entry += " [" + drive->share + "]";
      break;
    }
    case kRemovable:
    case kCdRom:
    default:
      break;
  }
  return entry;
}

// The drive letter (upper case) a Drive text names: "d", "d:" or an entry.
char LetterOf(const std::string& text) {
  std::string trimmed = Trim(text);
  if (trimmed.empty()) return 0;
  char letter = UpperChar(trimmed[0]);
  if (letter < 'A' || letter > 'Z') return 0;
  if (trimmed.size() > 1 && trimmed[1] != ':') return 0;
  return letter;
}

}  // namespace

// ---- FileListBox ----

FileListBox::FileListBox(Form& form, std::string name, Control* container, std::optional<int> index)
    : ListBox(form, std::move(name), ControlKind::FileListBox, container, index), path_(CurrentDirectory()) {
  Refresh();
}

void FileListBox::Path(const std::string& path) {
  std::string folder = WithoutTrailingSlash(path);
  CheckFolder(folder);
  bool changed = !EqualsNoCase(folder, path_);
  if (changed) path_ = folder;
  Refresh();
  if (changed) PathChange.Raise();
}

void FileListBox::Pattern(const std::string& pattern) {
  std::string next = pattern.empty() ? "*.*" : pattern;
  bool changed = next != pattern_;
  pattern_ = next;
  Refresh();
  if (changed) PatternChange.Raise();
}

bool FileListBox::Shows(DWORD attributes) const {
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  if ((attributes & FILE_ATTRIBUTE_HIDDEN) && !hidden_) return false;
  if ((attributes & FILE_ATTRIBUTE_SYSTEM) && !system_) return false;
  if ((attributes & FILE_ATTRIBUTE_READONLY) && !readOnly_) return false;
  if ((attributes & FILE_ATTRIBUTE_ARCHIVE) && !archive_) return false;
  constexpr DWORD kAnyBit = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                            FILE_ATTRIBUTE_ARCHIVE;
  return (attributes & kAnyBit) || normal_;
}

void FileListBox::Refresh() {
  std::set<std::string, LessNoCase> names;
  if (!path_.empty()) {
    for (const auto& part : Split(pattern_, ";")) {
      std::string one = Trim(part);
      ForEachFound(path_, one.empty() ? "*.*" : one, [&](const std::string& name, DWORD attributes) {
        if (Shows(attributes)) names.insert(name);
      });
    }
  }
  ReplaceEntries(InOrder(names));
}

const ControlMembers& FileListBox::Members() const {
  static const ControlMembers members = ControlMembers::Extend<FileListBox>(ListBox::Members())
      .Property("Path", &FileListBox::Path, &FileListBox::Path)
      .Property("Pattern", &FileListBox::Pattern, &FileListBox::Pattern);
  return members;
}

// ---- DirListBox ----

DirListBox::DirListBox(Form& form, std::string name, Control* container, std::optional<int> index)
    : ListBox(form, std::move(name), ControlKind::DirListBox, container, index), path_(CurrentDirectory()) {
  Refresh();
}

void DirListBox::Path(const std::string& path) {
  std::string folder = WithoutTrailingSlash(path);
  CheckFolder(folder);
  bool changed = !EqualsNoCase(folder, path_);
  if (changed) path_ = folder;
  Refresh();
  if (changed) Change.Raise();
}

std::string DirListBox::List(int index) const {
  if (index >= 0) return ListBox::List(index);
  std::string folder = path_;
  for (int up = -1; up > index; --up) {
    if (folder.size() <= 3) return {};
    std::size_t cut = folder.find_last_of('\\');
    if (cut == std::string::npos) return {};
    folder = WithoutTrailingSlash(folder.substr(0, cut + 1));
  }
  return folder;
}

void DirListBox::Refresh() {
  std::set<std::string, LessNoCase> folders;
  if (!path_.empty())
    ForEachFound(path_, "*", [&](const std::string& name, DWORD attributes) {
      if (attributes & FILE_ATTRIBUTE_DIRECTORY) folders.insert(Joined(path_, name));
    });
  ReplaceEntries(InOrder(folders));
}

const ControlMembers& DirListBox::Members() const {
  static const ControlMembers members = ControlMembers::Extend<DirListBox>(ListBox::Members())
      .Property("Path", &DirListBox::Path, &DirListBox::Path);
  return members;
}

// ---- DriveListBox ----

DriveListBox::DriveListBox(Form& form, std::string name, Control* container, std::optional<int> index)
    : ListBox(form, std::move(name), ControlKind::DriveListBox, container, index) {
  Refresh();
  std::string current = CurrentDirectory();
  int entry = current.empty() ? -1 : EntryOf(UpperChar(current[0]));
  if (entry >= 0) ListBox::ListIndex(entry);
}

void DriveListBox::Refresh() {
  char selected = LetterOf(Text());
  std::vector<std::string> entries;
  char buffer[26 * 4 + 2] = {};
  DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
  if (length && length < sizeof buffer)
    for (const char* root = buffer; *root; root += std::char_traits<char>::length(root) + 1)
      entries.push_back(DriveEntry(UpperChar(root[0])));
  ReplaceEntries(entries);
  int entry = selected ? EntryOf(selected) : -1;
  if (entry >= 0) ListBox::ListIndex(entry);
}

int DriveListBox::EntryOf(char letter) const {
  for (int i = 0; i < ListCount(); ++i)
    if (UpperChar(List(i)[0]) == letter) return i;
  return -1;
}

void DriveListBox::Drive(const std::string& drive) {
  char letter = LetterOf(drive);
  std::string root{letter, ':', '\\'};
  if (!letter || GetDriveTypeA(root.c_str()) == DRIVE_NO_ROOT_DIR) RaiseRuntimeError(68);
  int entry = EntryOf(letter);
  if (entry < 0) RaiseRuntimeError(68);  // mapped after the list was filled
  if (entry == ListIndex()) return;
  ListBox::ListIndex(entry);
  Change.Raise();
}

const ControlMembers& DriveListBox::Members() const {
  static const ControlMembers members = ControlMembers::Extend<DriveListBox>(ListBox::Members())
      .Property("Drive", &DriveListBox::Drive, &DriveListBox::Drive);
  return members;
}

}  // namespace platform::forms
