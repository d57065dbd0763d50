// Open, Close and the statements on open file numbers.
#include <algorithm>
#include <cstring>

#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/runtime_file_table.h"
#include "platform/runtime/conversions.h"

namespace platform::vb {
namespace {

using detail::OpenFile;
using detail::Table;

constexpr std::int32_t kInvalidCall = 5, kBadFileNameOrNumber = 52, kBadFileMode = 54, kFileAlreadyOpen = 55,
                       kBadRecordLength = 59, kPastEnd = 62, kBadRecordNumber = 63, kTooManyFiles = 67,
                       kPathFileAccess = 75;
constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

void CheckNumber(int fileNumber) {
  if (fileNumber < 1 || fileNumber > kMaxFileNumber) RaiseRuntimeError(kBadFileNameOrNumber);
}

OpenFile& Use(int fileNumber) {
  CheckNumber(fileNumber);
  auto& file = Table().files[static_cast<std::size_t>(fileNumber)];
  if (!file) RaiseRuntimeError(kBadFileNameOrNumber);
  return *file;
}

OpenFile& UseForText(int fileNumber) {
  OpenFile& file = Use(fileNumber);
  if (!file.canRead || (file.mode != OpenMode::Input && file.mode != OpenMode::Binary))
    RaiseRuntimeError(kBadFileMode);
  return file;
}

OpenFile& UseForPrint(int fileNumber) {
  OpenFile& file = Use(fileNumber);
  if (file.mode != OpenMode::Output && file.mode != OpenMode::Append) RaiseRuntimeError(kBadFileMode);
  return file;
}

OpenFile& UseForRecords(int fileNumber) {
  OpenFile& file = Use(fileNumber);
  if (file.mode != OpenMode::Binary && file.mode != OpenMode::Random) RaiseRuntimeError(kBadFileMode);
  return file;
}

void WriteOrRaise(OpenFile& file, std::string_view bytes) {
  if (DWORD error = file.stream.Write(bytes)) detail::RaiseForWin32(error);
}

// Opens for reading and writing when allowed, else for reading: what a
// Binary or Random open without an Access clause does.
DWORD OpenEitherWay(OpenFile& file, const std::string& path) {
  DWORD first = file.stream.Open(path, GENERIC_READ | GENERIC_WRITE, kShareReadWrite, OPEN_ALWAYS);
  if (first == ERROR_SUCCESS) {
    file.canRead = file.canWrite = true;
    return ERROR_SUCCESS;
  }
  if (file.stream.Open(path, GENERIC_READ, kShareReadWrite, OPEN_EXISTING) == ERROR_SUCCESS) {
    file.canRead = true;
    return ERROR_SUCCESS;
  }
  return first;
}

DWORD OpenStream(OpenFile& file, const std::string& path, OpenMode mode, OpenAccess access) {
  auto open = [&](bool read, bool write, DWORD disposition) {
    file.canRead = read;
    file.canWrite = write;
    DWORD rights = (read ? GENERIC_READ : 0) | (write ? GENERIC_WRITE : 0);
    return file.stream.Open(path, rights, kShareReadWrite, disposition);
  };
  switch (mode) {
    case OpenMode::Input:
      if (access == OpenAccess::Write || access == OpenAccess::ReadWrite) RaiseRuntimeError(kBadFileMode);
      return open(true, false, OPEN_EXISTING);
    case OpenMode::Output:
    case OpenMode::Append: {
      if (access == OpenAccess::Read) RaiseRuntimeError(kBadFileMode);
      DWORD error = open(false, true, mode == OpenMode::Output ? CREATE_ALWAYS : OPEN_ALWAYS);
      if (error == ERROR_SUCCESS && mode == OpenMode::Append) file.stream.Seek(file.stream.Size());
      return error;
    }
    case OpenMode::Binary:
    case OpenMode::Random:
      switch (access) {
        case OpenAccess::Default:
          return OpenEitherWay(file, path);
        case OpenAccess::Read:
          return open(true, false, OPEN_EXISTING);
        case OpenAccess::Write:
          return open(false, true, OPEN_ALWAYS);
        case OpenAccess::ReadWrite:
          return open(true, true, OPEN_ALWAYS);
      }
  }
  return ERROR_INVALID_PARAMETER;
}

std::uint64_t StartOf(const OpenFile& file, std::optional<std::int64_t> position) {
  if (!position) return file.stream.position();
  if (*position < 1) RaiseRuntimeError(kBadRecordNumber, "Bad record number");
  auto index = static_cast<std::uint64_t>(*position - 1);
  return file.mode == OpenMode::Random ? index * static_cast<std::uint64_t>(file.recordLength) : index;
}

void CheckRecordSize(const OpenFile& file, std::size_t size) {
  if (file.mode == OpenMode::Random && size > static_cast<std::size_t>(file.recordLength))
    RaiseRuntimeError(kBadRecordLength, "Bad record length");
}

// After a Get or Put: the next record (Random) or the next byte (Binary).
void MovePast(OpenFile& file, std::uint64_t start, std::size_t size) {
  file.stream.Seek(start + (file.mode == OpenMode::Random ? static_cast<std::uint64_t>(file.recordLength) : size));
}

bool IsBlank(int c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(int c) { return c == '\r' || c == '\n'; }

// After an Input # item: blanks, then one comma or one line end.
void SkipItemSeparator(files::HandleStream& in) {
  while (IsBlank(in.Peek())) in.Next();
  int c = in.Peek();
  if (c == ',') {
    in.Next();
  } else if (c == '\r') {
    in.Next();
    if (in.Peek() == '\n') in.Next();
  } else if (c == '\n') {
    in.Next();
  }
}

void SkipToSeparator(files::HandleStream& in) {
  for (int c = in.Peek(); c >= 0 && c != ',' && !IsLineEnd(c); c = in.Peek()) in.Next();
}

// Reads up to (not including) `end`; false when the file ended first.
bool ReadUntil(files::HandleStream& in, char end, std::string& out) {
  for (int c = in.Next(); c >= 0; c = in.Next()) {
    if (c == end) return true;
    out += static_cast<char>(c);
  }
  return false;
}

}  // namespace

int FreeFile() {
  auto& table = Table();
  for (int n = 1; n <= kMaxFileNumber; ++n)
    if (!table.files[static_cast<std::size_t>(n)]) return n;
  RaiseRuntimeError(kTooManyFiles);
}

void Open(std::string_view path, OpenMode mode, int fileNumber, OpenAccess access, int recordLength) {
  CheckNumber(fileNumber);
  auto& slot = Table().files[static_cast<std::size_t>(fileNumber)];
  if (slot) RaiseRuntimeError(kFileAlreadyOpen);
  if (recordLength < 1 || recordLength > 32767) RaiseRuntimeError(kInvalidCall);
  detail::CheckDriveOf(path);
  auto file = std::make_unique<OpenFile>();
  file->mode = mode;
  file->recordLength = recordLength;
  if (DWORD error = OpenStream(*file, detail::CString(path), mode, access)) detail::RaiseForWin32(error);
  slot = std::move(file);
}

int Open(std::string_view path, OpenMode mode, OpenAccess access, int recordLength) {
  int fileNumber = FreeFile();
  Open(path, mode, fileNumber, access, recordLength);
  return fileNumber;
}

void Close(int fileNumber) {
  CheckNumber(fileNumber);
  Table().files[static_cast<std::size_t>(fileNumber)].reset();
}

void Close() { Table().CloseAll(); }

std::string LineInput(int fileNumber) {
  files::HandleStream& in = UseForText(fileNumber).stream;
  if (in.Peek() < 0) RaiseRuntimeError(kPastEnd);
  std::string line;
  for (int c = in.Next(); c >= 0; c = in.Next()) {
    if (c == '\r') {
      if (in.Peek() == '\n') in.Next();
      break;
    }
    line += static_cast<char>(c);
  }
  return line;
}

std::string Input(std::int64_t count, int fileNumber) {
  OpenFile& file = UseForText(fileNumber);
  if (count < 0) RaiseRuntimeError(kInvalidCall);
  std::uint64_t at = file.stream.position(), size = file.stream.Size();
  if (at > size || static_cast<std::uint64_t>(count) > size - at) RaiseRuntimeError(kPastEnd);
  std::string bytes;
  file.stream.Read(static_cast<std::size_t>(count), bytes);
  return bytes;
}

FileItem InputItem(int fileNumber) {
  files::HandleStream& in = UseForText(fileNumber).stream;
  while (IsBlank(in.Peek())) in.Next();
  int first = in.Peek();
  if (first < 0) RaiseRuntimeError(kPastEnd);
  FileItem item;
  if (first == '"' || first == '#') {
    in.Next();
    std::string inside;
    ReadUntil(in, static_cast<char>(first), inside);
    if (first == '"') {
      item = FileItem(std::move(inside));
    } else {
      item = ParseHashField(inside);
      if (item.isEmpty()) item = FileItem("#" + inside + "#");
    }
    SkipToSeparator(in);
  } else {
    std::string bare;
    for (int c = in.Peek(); c >= 0 && c != ',' && !IsLineEnd(c); c = in.Peek()) bare += static_cast<char>(in.Next());
    while (!bare.empty() && IsBlank(static_cast<unsigned char>(bare.back()))) bare.pop_back();
    if (!bare.empty()) {
      std::optional<double> number = ParseNumber(bare);
      item = number ? FileItem(*number) : FileItem(std::move(bare));
    }
  }
  SkipItemSeparator(in);
  return item;
}

std::vector<FileItem> InputItems(int fileNumber, std::size_t count) {
  std::vector<FileItem> items;
  for (std::size_t i = 0; i < count; ++i) items.push_back(InputItem(fileNumber));
  return items;
}

void Print(int fileNumber, std::initializer_list<PrintArg> items) {
  OpenFile& file = UseForPrint(fileNumber);
  constexpr std::size_t kZoneWidth = 14;
  std::string out;
  std::size_t column = file.column;
  bool endsWithSeparator = false;
  for (const PrintArg& arg : items) {
    if (const auto* separator = std::get_if<PrintSeparator>(&arg.value())) {
      endsWithSeparator = true;
      if (*separator == PrintSeparator::Zone) {
        std::size_t next = (column / kZoneWidth + 1) * kZoneWidth;
        out.append(next - column, ' ');
        column = next;
      }
      continue;
    }
    endsWithSeparator = false;
    std::string text = PrintText(std::get<FileItem>(arg.value()));
    for (char c : text) column = (c == '\r' || c == '\n') ? 0 : column + 1;
    out += text;
  }
  if (!endsWithSeparator) {
    out += "\r\n";
    column = 0;
  }
  WriteOrRaise(file, out);
  file.column = column;
}

void PrintLine(int fileNumber, std::string_view text) { Print(fileNumber, {std::string(text)}); }

void Write(int fileNumber, std::initializer_list<FileItem> items) {
  OpenFile& file = UseForPrint(fileNumber);
  std::string out;
  bool first = true;
  for (const FileItem& item : items) {
    if (!first) out += ',';
    first = false;
    out += WriteText(item);
  }
  out += "\r\n";
  WriteOrRaise(file, out);
  file.column = 0;
}

void GetBytes(int fileNumber, std::optional<std::int64_t> position, void* data, std::size_t size) {
  OpenFile& file = UseForRecords(fileNumber);
  if (!file.canRead) RaiseRuntimeError(kPathFileAccess);
  CheckRecordSize(file, size);
  std::uint64_t start = StartOf(file, position);
  // Records are read fresh: another number may have written them.
  file.stream.Refresh();
  file.stream.Seek(start);
  std::string bytes;
  std::size_t got = file.stream.Read(size, bytes);
  file.pastEnd = got < size;
  bytes.resize(size, '\0');
  if (size) std::memcpy(data, bytes.data(), size);
  MovePast(file, start, size);
}

void PutBytes(int fileNumber, std::optional<std::int64_t> position, const void* data, std::size_t size) {
  OpenFile& file = UseForRecords(fileNumber);
  if (!file.canWrite) RaiseRuntimeError(kPathFileAccess);
  CheckRecordSize(file, size);
  std::uint64_t start = StartOf(file, position);
  file.stream.Seek(start);
  WriteOrRaise(file, std::string_view(static_cast<const char*>(data), size));
  MovePast(file, start, size);
}

void Get(int fileNumber, std::int64_t position, std::string& bytes) {
  GetBytes(fileNumber, position, bytes.data(), bytes.size());
}
void Get(int fileNumber, std::string& bytes) { GetBytes(fileNumber, std::nullopt, bytes.data(), bytes.size()); }
void Put(int fileNumber, std::int64_t position, std::string_view bytes) {
  PutBytes(fileNumber, position, bytes.data(), bytes.size());
}
void Put(int fileNumber, std::string_view bytes) { PutBytes(fileNumber, std::nullopt, bytes.data(), bytes.size()); }

bool Eof(int fileNumber) {
  OpenFile& file = Use(fileNumber);
  switch (file.mode) {
    case OpenMode::Input:
      return file.stream.position() >= file.stream.Size();
    case OpenMode::Binary:
    case OpenMode::Random:
      return file.pastEnd;
    default:
      return true;
  }
}

std::int64_t Lof(int fileNumber) { return static_cast<std::int64_t>(Use(fileNumber).stream.Size()); }

std::int64_t Seek(int fileNumber) {
  OpenFile& file = Use(fileNumber);
  auto at = static_cast<std::int64_t>(file.stream.position());
  return file.mode == OpenMode::Random ? at / file.recordLength + 1 : at + 1;
}

void Seek(int fileNumber, std::int64_t position) {
  OpenFile& file = Use(fileNumber);
  file.stream.Seek(StartOf(file, position));
  file.pastEnd = false;
}

}  // namespace platform::vb
