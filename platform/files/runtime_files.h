#pragma once
// The runtime's file statements over the emulated machine. Each statement
// has the C++ name it reads as in program code:
//
//   Open p For Input As #f          Open(p, OpenMode::Input, f)  or  f = Open(p, OpenMode::Input)
//   Open p For Binary Access Read   Open(p, OpenMode::Binary, f, OpenAccess::Read)
//   Open p For Random As #f Len = n Open(p, OpenMode::Random, f, OpenAccess::Default, n)
//   Close #f / Close                Close(f) / Close()
//   FreeFile                        FreeFile()
//   Line Input #f, s                s = LineInput(f)
//   s = Input(n, #f)                s = Input(n, f)
//   Input #f, a, b                  a = InputItem(f); b = InputItem(f)   (or InputItems(f, 2))
//   Print #f, a; b, c;              Print(f, {a, Join, b, Zone, c, Join})
//   Print #f, s                     PrintLine(f, s)
//   Write #f, a, b                  Write(f, {a, b})
//   Get #f, pos, v / Get #f, , v    Get(f, pos, v) / Get(f, v)
//   Put #f, pos, v / Put #f, , v    Put(f, pos, v) / Put(f, v)
//   EOF(f), LOF(f), Seek(f)         Eof(f), Lof(f), Seek(f)
//   Seek #f, pos                    Seek(f, pos)
//   FileLen(p), Kill p              FileLen(p), Kill(p)
//   Name a As b, FileCopy a, b      Name(a, b), FileCopy(a, b)
//   MkDir, RmDir, ChDir, ChDrive    MkDir(p), RmDir(p), ChDir(p), ChDrive(d)
//   CurDir[(d)], Dir(p, a), Dir     CurDir(d = ""), Dir(p, a), Dir()
//   GetAttr, SetAttr, FileDateTime  GetAttr(p), SetAttr(p, a), FileDateTime(p)
//
// Failures raise platform::RuntimeError. A path on an unmapped (or invalid)
// drive raises 68; other Win32 failures map as RuntimeErrorForWin32 says
// (2->53, 3->76, 5->75, 19/32->70, 21->71, 112->61, 123->52 ...), with the
// statement-specific rows noted below. File numbers are 1-511; a number
// outside gives 52, opening an open number 55, using a closed one 52.
// Open files and the Dir state belong to the process (the bound machine's
// run); a restart of the machine closes them.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "platform/files/file_attributes.h"
#include "platform/files/runtime_file_items.h"

namespace platform::vb {

enum class OpenMode { Input, Output, Append, Binary, Random };
// Without an Access clause, Binary and Random try read/write, then read
// only (a later Put then gives 75); Input reads, Output and Append write.
enum class OpenAccess { Default, Read, Write, ReadWrite };

inline constexpr int kMaxFileNumber = 511;
inline constexpr int kDefaultRecordLength = 128;

// The lowest free file number; 67 when all are taken.
int FreeFile();

// Input: the file must exist (53). Output/Append: create or truncate /
// append; a read-only file 75. Binary/Random: create a missing file.
// Open failures: missing folder 76, unmapped drive 68, no media 71, a
// folder or denied access 75, held by another process or write-protected
// media 70, invalid name 52.
void Open(std::string_view path, OpenMode mode, int fileNumber, OpenAccess access = OpenAccess::Default,
          int recordLength = kDefaultRecordLength);
// Opens on FreeFile()'s number and returns it.
int Open(std::string_view path, OpenMode mode, OpenAccess access = OpenAccess::Default,
         int recordLength = kDefaultRecordLength);

// Closes one number (a number that is not open is left alone, as the
// runtime does) / every open number.
void Close(int fileNumber);
void Close();

// A line ends at CR or CR LF (both consumed); a lone LF stays in the line;
// a last line without an end is returned; at the end 62. Input and Binary.
std::string LineInput(int fileNumber);
// `count` bytes; fewer left: 62 (nothing consumed). Input and Binary.
std::string Input(std::int64_t count, int fileNumber);
// The next comma- or line-separated item: "text" (no escapes), a bare
// number (Double), #date#, #TRUE#/#FALSE#, other bare text as text, an empty
// field as Empty. At the end 62.
FileItem InputItem(int fileNumber);
std::vector<FileItem> InputItems(int fileNumber, std::size_t count);

// Print #: ";" joins, "," moves to the next 14-column zone; CR LF at the
// end unless the list ends in a separator. Output and Append (else 54).
enum class PrintSeparator { Join, Zone };
inline constexpr PrintSeparator Join = PrintSeparator::Join;  // ";"
inline constexpr PrintSeparator Zone = PrintSeparator::Zone;  // ","

class PrintArg {
 public:
  PrintArg(PrintSeparator separator) : value_(separator) {}
  template <typename T, typename = std::enable_if_t<std::is_constructible_v<FileItem, T&&>>>
  PrintArg(T&& item) : value_(FileItem(std::forward<T>(item))) {}
  const std::variant<FileItem, PrintSeparator>& value() const { return value_; }

 private:
  std::variant<FileItem, PrintSeparator> value_;
};

void Print(int fileNumber, std::initializer_list<PrintArg> items = {});
void PrintLine(int fileNumber, std::string_view text);
// Write #: items joined by ","; CR LF at the end. Output and Append.
void Write(int fileNumber, std::initializer_list<FileItem> items);

// Get/Put: Binary positions are 1-based bytes, Random positions 1-based
// records of the open's record length; without a position, the current
// one. Get past the end fills the rest with zero bytes and sets EOF; Put
// past the end extends the file with zero bytes. A position below 1: 63;
// a record longer than a Random file's record length: 59.
// A string moves its own length in raw bytes; a record its raw bytes.
void Get(int fileNumber, std::int64_t position, std::string& bytes);
void Get(int fileNumber, std::string& bytes);
void Put(int fileNumber, std::int64_t position, std::string_view bytes);
void Put(int fileNumber, std::string_view bytes);
// The raw form of both (no position = the current one).
void GetBytes(int fileNumber, std::optional<std::int64_t> position, void* data, std::size_t size);
void PutBytes(int fileNumber, std::optional<std::int64_t> position, const void* data, std::size_t size);

template <typename Record>
using IfRecord = std::enable_if_t<std::is_trivially_copyable_v<Record> && !std::is_pointer_v<Record> &&
                                   !std::is_array_v<Record> && !std::is_same_v<Record, std::string_view>>;

template <typename Record, typename = IfRecord<Record>>
void Get(int fileNumber, std::int64_t position, Record& record) {
  GetBytes(fileNumber, position, &record, sizeof record);
}
template <typename Record, typename = IfRecord<Record>>
void Get(int fileNumber, Record& record) {
  GetBytes(fileNumber, std::nullopt, &record, sizeof record);
}
template <typename Record, typename = IfRecord<Record>>
void Put(int fileNumber, std::int64_t position, const Record& record) {
  PutBytes(fileNumber, position, &record, sizeof record);
}
template <typename Record, typename = IfRecord<Record>>
void Put(int fileNumber, const Record& record) {
  PutBytes(fileNumber, std::nullopt, &record, sizeof record);
}

// Input: no data remains. Binary/Random: the last Get read past the end.
// Output/Append: always True.
bool Eof(int fileNumber);
// Exact 64-bit length.
std::int64_t Lof(int fileNumber);
// The next position (1-based byte, or record in Random mode) / moves there.
std::int64_t Seek(int fileNumber);
void Seek(int fileNumber, std::int64_t position);

// Exact 64-bit length of a file (a folder: 0); missing 53.
std::int64_t FileLen(std::string_view path);
// Deletes files only, wildcards in the last component. Nothing matched 53,
// read-only 75, held 70, in-use image 75, missing folder 76. Stops at the
// first failure; what was deleted stays deleted.
void Kill(std::string_view pattern);
// Rename or move; `b` exists 58, `a` missing 53.
void Name(std::string_view from, std::string_view to);
// Overwrites `to` (read-only 75); a source held deny-all 70.
void FileCopy(std::string_view from, std::string_view to);
// Exists 75, parent missing 76.
void MkDir(std::string_view path);
// Not empty 75, missing 76.
void RmDir(std::string_view path);
// Changes that drive's current directory, not the current drive; missing 76.
void ChDir(std::string_view path);
// The first letter names the drive ("" does nothing); unmapped 68, no media 71.
void ChDrive(std::string_view drive);
// The drive's current directory ("" = the current drive); unmapped 68.
std::string CurDir(std::string_view drive = "");

// Dir attribute bits.
// vbVolume has no file attribute: it asks Dir for the volume label.
inline constexpr int vbNormal = 0, vbReadOnly = FILE_ATTRIBUTE_READONLY, vbHidden = FILE_ATTRIBUTE_HIDDEN,
                     vbSystem = FILE_ATTRIBUTE_SYSTEM, vbVolume = 8, vbDirectory = FILE_ATTRIBUTE_DIRECTORY,
                     vbArchive = FILE_ATTRIBUTE_ARCHIVE;
// The first matching name ("" at the end, when nothing matches or the
// folder is missing). attrs 0 gives files neither hidden nor system; 2 adds
// hidden, 4 system, 16 folders ("." and ".." outside roots); 8 gives the
// volume label. A folder path ending in "\" lists it. One state per process.
std::string Dir(std::string_view pattern, int attributes = vbNormal);
// The next name of the last Dir(pattern); 5 when there is no search.
std::string Dir();

// Attributes as the files area reports them; missing 53.
std::int32_t GetAttr(std::string_view path);
// Sets R, H, S, A (0 clears them); missing 53.
void SetAttr(std::string_view path, std::int32_t attributes);
// Last-write time in local time; missing 53.
forms::Date FileDateTime(std::string_view path);

}  // namespace platform::vb
