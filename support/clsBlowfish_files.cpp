// clsBlowfish's whole-file operations.
#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"
#include "support/clsBlowfish.h"

namespace {

// Closes a file handle when the step ends.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadWholeFile(const std::string& path, clsBlowfish::ByteArray& bytes) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.valid()) return false;
  DWORD high = 0;
  DWORD size = GetFileSize(file.get(), &high);
  if (size == INVALID_FILE_SIZE || high != 0 || size == 0) return false;
  bytes.resize(size);
  DWORD read = 0;
  return ReadFile(file.get(), bytes.data(), size, &read, nullptr) && read == size;
}

bool WriteWholeFile(const std::string& path, const clsBlowfish::ByteArray& bytes) {
  bool written = false;
  {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD count = 0;
    written = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) &&
              count == bytes.size();
  }
  if (!written) DeleteFileA(path.c_str());
  return written;
}

// Puts the finished temporary file in the output's place. The old output is
// moved aside first and put back if the new one cannot take its place, so a
// failure at any step leaves the old output whole.
bool ReplaceWith(const std::string& temporary, const std::string& output) {
  if (!IsFile(output)) {
    if (MoveFileA(temporary.c_str(), output.c_str())) return true;
    DeleteFileA(temporary.c_str());
    return false;
  }
  const std::string aside = output + ".~old";
  DeleteFileA(aside.c_str());
  if (!MoveFileA(output.c_str(), aside.c_str())) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  if (!MoveFileA(temporary.c_str(), output.c_str())) {
    MoveFileA(aside.c_str(), output.c_str());
    DeleteFileA(temporary.c_str());
    return false;
  }
  DeleteFileA(aside.c_str());
  return true;
}

}  // namespace

bool clsBlowfish::TransformFile(const std::string& InFile, const std::string& OutFile, bool Overwrite,
                                const std::string& Key, bool encipher) {
  if (!IsFile(InFile)) return false;
  bool outExists = IsFile(OutFile);
  if (outExists && !Overwrite) return false;
  // A read-only output could not be replaced before either.
  if (outExists && (GetFileAttributesA(OutFile.c_str()) & FILE_ATTRIBUTE_READONLY)) return false;

  ByteArray bytes;
  if (!ReadWholeFile(InFile, bytes)) return false;
  try {
    if (encipher) EncryptByte(bytes, Key);
    else DecryptByte(bytes, Key);
  } catch (const platform::RuntimeError&) {
    return false;
  }
  const std::string temporary = OutFile + ".~new";
  if (!WriteWholeFile(temporary, bytes)) return false;
  return ReplaceWith(temporary, OutFile);
}

bool clsBlowfish::EncryptFile(const std::string& InFile, const std::string& OutFile, bool Overwrite,
                              const std::string& Key) {
  return TransformFile(InFile, OutFile, Overwrite, Key, true);
}

bool clsBlowfish::DecryptFile(const std::string& InFile, const std::string& OutFile, bool Overwrite,
                              const std::string& Key) {
  return TransformFile(InFile, OutFile, Overwrite, Key, false);
}
