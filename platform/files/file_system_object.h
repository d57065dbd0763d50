#pragma once
// Scripting.FileSystemObject and its Drive, File, Folder and TextStream
// objects as plain C++ objects over the bound machine (a COM runtime may wrap
// them). Failures raise platform::RuntimeError with the object's numbers:
// missing file 53, missing folder 76, exists 58, read-only / held / in use /
// write-protected 70, no media 71, full 61, invalid name 52, an unmapped
// drive 68 (the ...Exists tests answer False instead).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/runtime/dates.h"

namespace platform::files {
class HandleStream;
}

namespace platform::scripting {

// Drive.DriveType numbering (not GetDriveTypeA's).
enum class DriveKind { Unknown = 0, Removable = 1, Fixed = 2, Network = 3, CdRom = 4, RamDisk = 5 };

class Drive {
 public:
  explicit Drive(char letter) : letter_(letter) {}
  std::string DriveLetter() const { return std::string(1, letter_); }
  std::string Path() const { return std::string{letter_, ':'}; }
  DriveKind DriveType() const;
  bool IsReady() const;
  // Without media these raise 71.
  std::string VolumeName() const;
  std::string FileSystem() const;
  std::uint64_t TotalSize() const;
  std::uint64_t FreeSpace() const;
  std::uint64_t AvailableSpace() const;

 private:
  char letter_;
};

// A file or folder by its full path ("C:\Dir\Name", stored spelling). The
// properties are read when asked; an entry gone since raises 53 / 76.
class File {
 public:
  explicit File(std::string path) : path_(std::move(path)) {}
  std::string Name() const;
  const std::string& Path() const { return path_; }
  std::uint64_t Size() const;
  std::uint32_t Attributes() const;
  forms::Date DateLastModified() const;

 private:
  std::string path_;
};

class Folder {
 public:
  explicit Folder(std::string path) : path_(std::move(path)) {}
  std::string Name() const;  // "" for a drive root
  const std::string& Path() const { return path_; }
  // The bytes of every file below it.
  std::uint64_t Size() const;
  std::uint32_t Attributes() const;
  forms::Date DateLastModified() const;

 private:
  std::string path_;
};

enum class IOMode { ForReading = 1, ForWriting = 2, ForAppending = 8 };
enum class Tristate { UseDefault = -2, True = -1, False = 0 };

// A text file open for reading, writing or appending, ANSI (the program's
// bytes unchanged) or Unicode (UTF-16LE with a byte-order mark). Reading a
// stream open for writing, or writing one open for reading, raises 54; so
// does any use after Close. A failed write raises and the stream stays open.
class TextStream {
 public:
  TextStream(std::unique_ptr<files::HandleStream> stream, IOMode mode, bool unicode);
  TextStream(TextStream&&) noexcept;
  TextStream& operator=(TextStream&&) noexcept;
  ~TextStream();

  void Write(std::string_view text);
  void WriteLine(std::string_view text = "");
  // A line ends at LF or CR LF; at the end 62.
  std::string ReadLine();
  // Up to `count` characters; at the end 62.
  std::string Read(std::int64_t count);
  // The rest; 62 on an empty file or at the end.
  std::string ReadAll();
  bool AtEndOfStream();
  void Close();

 private:
  files::HandleStream& Reading();
  files::HandleStream& Writing();
  // The next character, or -1 at the end.
  int NextChar(files::HandleStream& in);
  int PeekChar(files::HandleStream& in);

  std::unique_ptr<files::HandleStream> stream_;
  IOMode mode_;
  bool unicode_;
};

class FileSystemObject {
 public:
  // True only for an existing file / folder ("" and wildcards: False;
  // FolderExists accepts a trailing "\").
  bool FileExists(std::string_view path) const;
  bool FolderExists(std::string_view path) const;
  // "c", "c:" and "c:\" alike.
  bool DriveExists(std::string_view drive) const;
  Drive GetDrive(std::string_view drive) const;
  File GetFile(std::string_view path) const;
  Folder GetFolder(std::string_view path) const;
  // "a.b.c.d" from a stand-in header, "" for a file without one; missing 53.
  std::string GetFileVersion(std::string_view path) const;
  // One level; exists 58, parent missing 76.
  Folder CreateFolder(std::string_view path) const;
  // Wildcards in the last component; folders never match; nothing matched
  // 53. Stops at the first failure; what was deleted stays deleted.
  void DeleteFile(std::string_view pattern, bool force = false) const;
  // Recursive. Trailing "\" or missing 76; a drive root 70 before anything
  // is touched; a read-only item without force 70 (what was deleted stays
  // deleted).
  void DeleteFolder(std::string_view pattern, bool force = false) const;
  // A destination ending in "\" is a folder; exists without overwrite 58,
  // read-only destination 70. Wildcards in the source copy into a folder.
  void CopyFile(std::string_view source, std::string_view destination, bool overwrite = true) const;
  TextStream CreateTextFile(std::string_view path, bool overwrite = true, bool unicode = false) const;
  TextStream OpenTextFile(std::string_view path, IOMode mode = IOMode::ForReading, bool create = false,
                          Tristate format = Tristate::False) const;
};

}  // namespace platform::scripting
