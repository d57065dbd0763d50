// The shredder page: lists of files and folders shredded through the
// engine, and a drive shredded whole (with the offer to format it) or in
// its free space only. One shred at a time: a stop click only raises the
// stop request, and the closing steps run once, when the running loop
// returns.
#include <algorithm>
#include <vector>

#include "mainwindow/Form1.h"
#include "mainwindow/chosen_files.h"
#include "mainwindow/free_space_fill.h"
#include "mainwindow/page_texts.h"
#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/runtime_files.h"
#include "platform/machine/sysinfo.h"
#include "platform/shell/shell32.h"
#include "support/folder_browse.h"

using namespace platform::forms;

namespace {

constexpr std::int32_t kMultiSelectExplorer = 0x80200;
constexpr int kHourglass = 11, kDefaultPointer = 0;
constexpr std::int32_t kFileStyle = 0, kFolderStyle = 3;
constexpr UINT kRemovableDrive = 2, kFixedDrive = 3;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A listed file that is gone counts 0 bytes.
std::uint64_t LengthOf(const std::string& path) {
  try {
    return static_cast<std::uint64_t>(platform::vb::FileLen(path));
  } catch (const platform::RuntimeError&) {
    return 0;
  }
}

// The message tail naming what could not be shredded.
std::string FailureNote(int failed) {
  if (failed == 0) return "";
  return "\r\n" + std::to_string(failed) + (failed == 1 ? " Item" : " Items") + " Could Not Be Shredded";
}

std::string SavingText(double bytes) { return "\r\nSaving " + SingleText(bytes) + " Bytes"; }

bool ListHolds(const ListBox& list, const std::string& text) {
  for (int i = 0; i < list.ListCount(); ++i)
    if (list.List(i) == text) return true;
  return false;
}

void RemoveSelectedRows(ListBox& list) {
  for (int row = list.ListCount() - 1; row >= 0; --row)
    if (list.Selected(row)) list.RemoveItem(row);
}

char UpperDriveLetter(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' ? platform::ToUpper(std::string(1, path[0]))[0] : '\0';
}

std::string WindowsFolder() {
  char buffer[MAX_PATH] = {};
  UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
  return length && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

// The drive of the running system or of the program itself.
bool HoldsSystemOrProgram(char letter) {
  return letter == UpperDriveLetter(WindowsFolder()) || letter == UpperDriveLetter(App.Path());
}

// What is left directly in a folder.
int EntriesLeftIn(const std::string& root) {
  int count = 0;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((root + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") ++count;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

}  // namespace

void Form1Form::WireShredderPage() {
  Frame_Shred.Caption("Shred");
  for (CommandButton* add : {&cmdShredFileAdd, &cmdShredFolderAdd}) add->Caption("Add");
  for (CommandButton* remove : {&cmdShredFileDelete, &cmdShredFolderDelete}) remove->Caption("Delete");
  cmdShredFiles.Caption("Shred Files");
  cmdShredFolders.Caption("Shred Folders");
  chkShredFreeSpace.Caption("Shred Free Space Only");
  cmdShredDrive.Caption("Shred Drive");
  lstShredFiles.MultiSelect(2);
  lstShredFolders.MultiSelect(2);
  cmdShredFiles.Enabled(false);
  cmdShredFolders.Enabled(false);
  ShredProg.Visible(false);
  DirShred.Visible(false);
  FileShred.Visible(false);
  // Hidden and system files are shredded too, not left for the folder removal.
  FileShred.Hidden(true);
  FileShred.System(true);

  TSY_ON(cmdShredFileAdd, Click, cmdShredFileAdd_Click);
  TSY_ON(cmdShredFileDelete, Click, cmdShredFileDelete_Click);
  TSY_ON(cmdShredFiles, Click, cmdShredFiles_Click);
  TSY_ON(cmdShredFolderAdd, Click, cmdShredFolderAdd_Click);
  TSY_ON(cmdShredFolderDelete, Click, cmdShredFolderDelete_Click);
  TSY_ON(cmdShredFolders, Click, cmdShredFolders_Click);
  TSY_ON(cmdShredDrive, Click, cmdShredDrive_Click);
  TSY_ON(Drv, Change, Drv_Change);
}

// --- the lists ---

void Form1Form::cmdShredFileAdd_Click() {
  cmdg.Flags = kMultiSelectExplorer;
  cmdg.FileName = "";
  cmdg.ShowOpen();
  std::vector<std::string> files = ChosenFiles(cmdg.FileName);
  if (files.empty()) return;
  bool single = cmdg.FileName.find('\0') == std::string::npos;
  if (single && ListHolds(lstShredFiles, files[0])) return;
  for (const std::string& file : files) lstShredFiles.AddItem(file);
  cmdShredFiles.Enabled(lstShredFiles.ListCount() > 0);
}

void Form1Form::cmdShredFileDelete_Click() {
  RemoveSelectedRows(lstShredFiles);
  cmdShredFiles.Enabled(lstShredFiles.ListCount() > 0);
}

void Form1Form::cmdShredFolderAdd_Click() {
  std::string folder = BrowseForFolderPath(hWnd());
  if (folder.empty() || ListHolds(lstShredFolders, folder)) return;
  lstShredFolders.AddItem(folder);
  cmdShredFolders.Enabled(lstShredFolders.ListCount() > 0);
}

void Form1Form::cmdShredFolderDelete_Click() {
  RemoveSelectedRows(lstShredFolders);
  cmdShredFolders.Enabled(lstShredFolders.ListCount() > 0);
}

// --- shared steps of every shred ---

void Form1Form::SetShredControls(bool enabled, CommandButton* except) {
  for (Control* control : std::initializer_list<Control*>{&cmdShredFolders, &cmdShredFiles, &cmdShredFolderAdd,
                                                          &cmdShredFolderDelete, &cmdShredFileAdd, &cmdShredFileDelete,
                                                          &cmdShredDrive, &Drv, &chkShredFreeSpace})
    if (control != except) control->Enabled(enabled);
}

void Form1Form::SetShredProgress(double done, double total) {
  // Nothing to shred leaves the bar as it is.
  if (total != 0) ShredProg.Value(static_cast<float>(100 * done / total));
}

void Form1Form::BeginShred(CommandButton* toggle) {
  shredRunning_ = true;
  shredToggle_ = toggle;
  if (toggle) {
    toggle->Caption("Stop Shred");
    toggle->Refresh();
  }
  ShredProg.Value(0);
  ShredProg.Visible(true);
  SetShredControls(false, toggle);
  StopShredNow = false;
  MousePointer(kHourglass);
  HideAllFrames();
}

void Form1Form::EndShred(CommandButton* toggle, const char* caption) {
  if (toggle) {
    toggle->Caption(caption);
    toggle->Refresh();
  }
  MousePointer(kDefaultPointer);
  StopShredNow = true;
  ShowThatFrame2(Frame2_OPTIMIZATION);
  SetShredControls(true, toggle);
  ShredProg.Visible(false);
  shredToggle_ = nullptr;
  shredRunning_ = false;
}

// --- files and folders ---

void Form1Form::cmdShredFiles_Click() {
  if (shredRunning_) {
    if (shredToggle_ == &cmdShredFiles) StopShredNow = true;
    return;
  }
  BeginShred(&cmdShredFiles);
  ShredProg.Style(kFileStyle);
  ShredBytesTotal = 0;
  for (int row = lstShredFiles.ListCount() - 1; row >= 0; --row)
    ShredBytesTotal += static_cast<double>(LengthOf(lstShredFiles.List(row)));
  ShredBytesDone = 0;
  double saved = 0;
  int failed = 0;
  bool stopped = false;
  OnErrorResumeNext guard;
  for (int row = lstShredFiles.ListCount() - 1; row >= 0; --row) {
    if (StopShredNow) {
      stopped = true;
      break;
    }
    DoEvents();
    std::string path = lstShredFiles.List(row);
    std::uint64_t length = LengthOf(path);
    ShredBytesDone += static_cast<double>(length);
    std::int64_t bytes = 0;
    guard([&] { bytes = engine_->ShredFile(path); });
    if (Exists(path)) {
      ++failed;
    } else {
      saved += static_cast<double>(bytes);
      lstShredFiles.RemoveItem(row);
    }
    SetShredProgress(ShredBytesDone, ShredBytesTotal);
  }
  if (stopped) {
    MsgBox("Shredding Files Is Stopped!" + SavingText(saved) + FailureNote(failed), vbOKOnly);
  } else {
    ShredProg.Value(100);
    MsgBox("Shredding Files Is Successfully Finished!" + SavingText(saved) + FailureNote(failed), vbOKOnly);
  }
  cmdShredFiles.Enabled(lstShredFiles.ListCount() > 0);
  EndShred(&cmdShredFiles, "Shred Files");
}

void Form1Form::cmdShredFolders_Click() {
  if (shredRunning_) {
    if (shredToggle_ == &cmdShredFolders) StopShredNow = true;
    return;
  }
  BeginShred(&cmdShredFolders);
  ShredProg.Style(kFolderStyle);
  // The walker's bar has nothing to measure against in a folder shred.
  ShredBytesTotal = ShredBytesDone = 0;
  double saved = 0;
  int failed = 0;
  bool stopped = false;
  OnErrorResumeNext guard;
  for (int row = lstShredFolders.ListCount() - 1; row >= 0; --row) {
    if (StopShredNow) {
      stopped = true;
      break;
    }
    DoEvents();
    std::string folder = lstShredFolders.List(row);
    std::int64_t bytes = 0;
    guard([&] { bytes = engine_->ShredFolder(folder); });
    saved += static_cast<double>(bytes);
    if (Exists(folder)) ++failed;
    else lstShredFolders.RemoveItem(row);
  }
  if (stopped) {
    MsgBox("Shredding Folders Is Stopped!" + SavingText(saved) + FailureNote(failed), vbOKOnly);
  } else {
    MsgBox("Shredding Folders Is Successfully Finished!" + SavingText(saved) + FailureNote(failed), vbOKOnly);
  }
  cmdShredFolders.Enabled(lstShredFolders.ListCount() > 0);
  ShredProg.Value(100);
  EndShred(&cmdShredFolders, "Shred Folders");
}

// --- a drive ---

void Form1Form::cmdShredDrive_Click() {
  if (shredRunning_) return;
  std::string entry = Drv.Drive();
  if (entry.size() < 2) return;
  std::string root = entry.substr(0, 2) + "\\";
  bool freeSpaceOnly = chkShredFreeSpace.Value() == vbChecked;
  if (!freeSpaceOnly && HoldsSystemOrProgram(UpperDriveLetter(root))) {
    MsgBox("The drive " + root.substr(0, 2) +
               " holds Windows or this program and cannot be shredded.\r\nOnly its free space can be shredded.",
           vbOKOnly);
    return;
  }
  if (MsgBox("All data on the selected drive will be lost. Continue?", vbYesNo) != vbYes) return;
  BeginShred(nullptr);
  ShredProg.Style(kFileStyle);
  OnErrorResumeNext guard;
  if (freeSpaceOnly) guard([&] { ShredDriveFreeSpace(root); });
  else guard([&] { ShredWholeDrive(root); });
  ShredProg.Value(0);
  EndShred(nullptr, nullptr);
}

void Form1Form::ShredDriveFreeSpace(const std::string& root) {
  FreeSpaceFill fill(root);
  fill.Run([this](double percent) {
    DoEvents();
    ShredProg.Value(static_cast<float>(percent));
  });
  ShredProg.Value(100);
  if (fill.Succeeded()) {
    MsgBox("Shred Free Space Is Successfully Finished!", vbOKOnly);
  } else {
    MsgBox("Shred Free Space Is Not Finished!\r\nThe free space of " + root.substr(0, 2) +
               " could not be filled" + FailureNote(fill.UndeletedFiles()),
           vbOKOnly);
  }
}

void Form1Form::ShredWholeDrive(const std::string& root) {
  ULARGE_INTEGER available{}, total{}, free{};
  ShredBytesTotal = GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free)
                        ? static_cast<float>(total.QuadPart - free.QuadPart)
                        : 0;
  ShredBytesDone = 0;
  engine_->ShredDriveRoot(root);
  ShredProg.Value(0);
  ShredProg.Visible(false);
  int left = EntriesLeftIn(root);
  std::string outcome = left == 0 ? "Shred Drive Is Successfully Finished!" : "Shred Drive Is Finished!" + FailureNote(left);
  int answer = MsgBox(outcome +
                          "\r\n\r\nDo you want to format this drive?\r\n"
                          "[Formatting is recommended to delete the system files].",
                      vbYesNo);
  if (answer == vbYes) SHFormatDrive(hWnd(), static_cast<UINT>(UpperDriveLetter(root) - 'A'), 0, 1);
}

void Form1Form::Drv_Change() {
  auto fixedOrRemovable = [&](int index) {
    std::string entry = Drv.List(index).substr(0, 2);
    UINT type = GetDriveTypeA(entry.c_str());
    return type == kFixedDrive || type == kRemovableDrive;
  };
  int current = Drv.ListIndex();
  if (current < 0 || fixedOrRemovable(current)) return;
  // Back to the nearest fixed or removable entry before; none: left as is.
  for (int index = current - 1; index >= 0; --index) {
    if (fixedOrRemovable(index)) {
      Drv.Drive(Drv.List(index));
      return;
    }
  }
}

// --- the folder shred over the hidden lists ---

void Form1Form::MakeItNormal(const std::string& path) { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); }

void Form1Form::MyDelFile(const std::string& path) {
  OnErrorResumeNext guard;
  // A folder the lists cannot show is left alone: their old rows belong
  // to another folder.
  try {
    DirShred.Path(path);
  } catch (const platform::RuntimeError&) {
    return;
  }
  std::vector<std::string> subfolders;
  for (int i = 0; i < DirShred.ListCount(); ++i) subfolders.push_back(DirShred.List(i));
  for (auto folder = subfolders.rbegin(); folder != subfolders.rend(); ++folder) MyDelFile(*folder);
  try {
    FileShred.Path(path);
  } catch (const platform::RuntimeError&) {
    return;
  }
  for (int i = FileShred.ListCount() - 1; i >= 0; --i) {
    std::string file = path + "\\" + FileShred.List(i);
    MakeItNormal(file);
    guard([&] { ShredBytesDone += static_cast<double>(engine_->ShredFile(file)); });
    SetShredProgress(ShredBytesDone, ShredBytesTotal);
  }
  MakeItNormal(path);
  RemoveDirectoryA(path.c_str());
  ShredBytesDone += 100000;
}
