// clsBlowfish's whole-file operations.
#include "platform/base/runtime_error.h"
#include "platform/files/kernel32_files.h"
#include "support/clsBlowfish.h"
#include "support/whole_files.h"

bool clsBlowfish::TransformFile(const std::string& InFile, const std::string& OutFile, bool Overwrite,
                                const std::string& Key, bool encipher) {
  if (!IsPlainFile(InFile)) return false;
  bool outExists = IsPlainFile(OutFile);
  if (outExists && !Overwrite) return false;
  // A read-only output could not be replaced before either.
  if (outExists && (GetFileAttributesA(OutFile.c_str()) & FILE_ATTRIBUTE_READONLY)) return false;

  ByteArray bytes;
  // An empty input gives no file (the layout needs at least the head).
  if (!ReadWholeFile(InFile, bytes) || bytes.empty()) return false;
  try {
    if (encipher) EncryptByte(bytes, Key);
    else DecryptByte(bytes, Key);
  } catch (const platform::RuntimeError&) {
    return false;
  }
  const std::string temporary = OutFile + ".~new";
  if (!WriteWholeFile(temporary, bytes)) return false;
  return ReplaceFileWith(temporary, OutFile);
}

bool clsBlowfish::EncryptFile(const std::string& InFile, const std::string& OutFile, bool Overwrite,
                              const std::string& Key) {
  return TransformFile(InFile, OutFile, Overwrite, Key, true);
}

bool clsBlowfish::DecryptFile(const std::string& InFile, const std::string& OutFile, bool Overwrite,
                              const std::string& Key) {
  return TransformFile(InFile, OutFile, Overwrite, Key, false);
}
