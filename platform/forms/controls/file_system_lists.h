#pragma once
// The list boxes that show the machine's drives, folders and files. They
// read the files area through its Win32 calls when their Path, Pattern or
// Drive is set, or on Refresh, never on their own; so a drive mapped after
// a drive list was filled shows only after Refresh.
#include <string>

#include "platform/forms/controls/list_box.h"

namespace platform::forms {

// FileListBox: the long names of the files (never folders) of Path that
// match Pattern, sorted. A hidden file shows only with Hidden, a system file
// only with System, a read-only file only with ReadOnly, an archived file
// only with Archive, a file with none of those bits only with Normal.
class FileListBox : public ListBox {
 public:
  FileListBox(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {});

  // Starts at the current directory.
  const std::string& Path() const { return path_; }
  // A missing folder or a file 76, an unmapped drive 68, a drive without
  // media 71; the list is left as it was. A trailing "\" is fine.
  void Path(const std::string& path);
  const std::string& Pattern() const { return pattern_; }
  // ";"-separated patterns; "" lists every file.
  void Pattern(const std::string& pattern);
  bool Archive() const { return archive_; }
  void Archive(bool on) { archive_ = on, Refresh(); }
  bool Normal() const { return normal_; }
  void Normal(bool on) { normal_ = on, Refresh(); }
  bool ReadOnly() const { return readOnly_; }
  void ReadOnly(bool on) { readOnly_ = on, Refresh(); }
  bool Hidden() const { return hidden_; }
  void Hidden(bool on) { hidden_ = on, Refresh(); }
  bool System() const { return system_; }
  void System(bool on) { system_ = on, Refresh(); }
  // Reads the folder again (a folder gone since leaves the list empty).
  void Refresh();

  Event<> PathChange, PatternChange;

 protected:
  const ControlMembers& Members() const override;

 private:
  using ListBox::AddItem;
  using ListBox::Clear;
  using ListBox::RemoveItem;
  bool Shows(DWORD attributes) const;

  std::string path_, pattern_ = "*.*";
  bool archive_ = true, normal_ = true, readOnly_ = true, hidden_ = false, system_ = false;
};

// DirListBox: List(0 .. ListCount-1) are the full paths of Path's
// subfolders, sorted; List(-1) is Path itself, List(-2) its parent and so on
// up to the root ("" beyond it).
class DirListBox : public ListBox {
 public:
  DirListBox(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {});

  const std::string& Path() const { return path_; }
  // Errors as FileListBox's Path; a real change raises Change.
  void Path(const std::string& path);
  std::string List(int index) const;
  void Refresh();

  Event<> Change;

 protected:
  const ControlMembers& Members() const override;

 private:
  using ListBox::AddItem;
  using ListBox::Clear;
  using ListBox::RemoveItem;

  std::string path_;
};

// DriveListBox: one entry per mapped drive in letter order, lower-case:
// fixed and RAM drives "c: [LABEL]" ("c:" without a label), network drives
// "x: [\\server\share]", removable and CD-ROM drives "a:". Filled when
// created; later drive changes show after Refresh.
class DriveListBox : public ListBox {
 public:
  DriveListBox(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {});

  // The selected entry (the current drive's at first).
  std::string Drive() const { return Text(); }
  // "d", "d:" or an entry's text: selects that drive's entry and raises
  // Change when it differs; an unmapped drive 68.
  void Drive(const std::string& drive);
  void Refresh();

  Event<> Change;

 protected:
  const ControlMembers& Members() const override;

 private:
  using ListBox::AddItem;
  using ListBox::Clear;
  using ListBox::RemoveItem;
  int EntryOf(char letter) const;
};

}  // namespace platform::forms
