// Drive types, the drive list, volume facts and free space, all from the
// machine's drive table and the stored files (never from the host).
#include <algorithm>
#include <cstring>

#include "platform/base/cp1252.h"
#include "platform/files/call_result.h"
#include "platform/files/kernel32_files.h"

namespace platform::files {
namespace {

// "X:" or "X:\" (any case), NULL = the current drive; 0 when malformed.
char DriveOfRoot(FileSystem& fs, LPCSTR root) {
  if (!root) return fs.currentDrive();
  std::string_view text(root);
  bool letter = !text.empty() && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
  if (!letter || text.size() < 2 || text[1] != ':') return 0;
  if (text.size() == 2 || (text.size() == 3 && (text[2] == '\\' || text[2] == '/'))) return UpperChar(text[0]);
  return 0;
}

// The drive of a root text, or the Win32 error (123 malformed, 3 unmapped,
// 21 without media).
DWORD ReadyDrive(FileSystem& fs, LPCSTR root, const DriveDescription*& drive) {
  char letter = DriveOfRoot(fs, root);
  if (!letter) return ERROR_INVALID_NAME;
  drive = fs.machine().description().drive(letter);
  if (!drive) return ERROR_PATH_NOT_FOUND;
  if (!drive->mediaPresent) return ERROR_NOT_READY;
  return ERROR_SUCCESS;
}

std::vector<char> MappedLetters(FileSystem& fs) {
  std::vector<char> letters;
  for (const auto& drive : fs.machine().description().drives) letters.push_back(drive.letter);
  std::sort(letters.begin(), letters.end());
  return letters;
}

std::uint64_t FreeBytes(FileSystem& fs, const DriveDescription& drive) {
  std::uint64_t used = fs.UsedBytes(drive.letter);
  return used >= drive.capacity ? 0 : drive.capacity - used;
}

}  // namespace
}  // namespace platform::files

using namespace platform::files;

UINT GetDriveTypeA(LPCSTR rootPathName) {
  FileSystem* fs = CurrentFileSystem();
  if (!fs) return DRIVE_UNKNOWN;
  char letter = DriveOfRoot(*fs, rootPathName);
  if (!letter) return DRIVE_UNKNOWN;
  const auto* drive = fs->machine().description().drive(letter);
  return drive ? static_cast<UINT>(drive->type) : DRIVE_NO_ROOT_DIR;
}

DWORD GetLogicalDrives() {
  FileSystem* fs = CurrentFileSystem();
  if (!fs) return 0;
  DWORD mask = 0;
  for (char letter : MappedLetters(*fs)) mask |= 1u << (letter - 'A');
  return mask;
}

DWORD GetLogicalDriveStringsA(DWORD size, LPSTR buffer) {
  FileSystem* fs = CurrentFileSystem();
  if (!fs) {
    SetLastError(ERROR_NOT_READY);
    return 0;
  }
  std::string text;
  for (char letter : MappedLetters(*fs)) {
    text += letter;
    text += ":\\";
    text += '\0';
  }
  // The list ends with one more NUL, not counted in the returned length.
  if (!buffer || text.size() + 1 > size) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return static_cast<DWORD>(text.size());
}

BOOL GetVolumeInformationA(LPCSTR rootPathName, LPSTR volumeName, DWORD volumeNameSize, DWORD* serialNumber,
                           DWORD* maximumComponentLength, DWORD* fileSystemFlags, LPSTR fileSystemName,
                           DWORD fileSystemNameSize) {
  return RunBoolCall([&](FileSystem& fs) -> DWORD {
    const platform::DriveDescription* drive = nullptr;
    if (DWORD error = ReadyDrive(fs, rootPathName, drive)) return error;
    if ((volumeName && drive->label.size() + 1 > volumeNameSize) ||
        (fileSystemName && drive->fileSystem.size() + 1 > fileSystemNameSize))
      return ERROR_INSUFFICIENT_BUFFER;
    if (volumeName) CopyOut(drive->label, volumeName, volumeNameSize);
    if (fileSystemName) CopyOut(drive->fileSystem, fileSystemName, fileSystemNameSize);
    if (serialNumber) *serialNumber = drive->serial;
    if (maximumComponentLength) *maximumComponentLength = 255;
    if (fileSystemFlags) *fileSystemFlags = FILE_CASE_PRESERVED_NAMES;
    return ERROR_SUCCESS;
  });
}

BOOL GetDiskFreeSpaceA(LPCSTR rootPathName, DWORD* sectorsPerCluster, DWORD* bytesPerSector,
                       DWORD* numberOfFreeClusters, DWORD* totalNumberOfClusters) {
  return RunBoolCall([&](FileSystem& fs) -> DWORD {
    const platform::DriveDescription* drive = nullptr;
    if (DWORD error = ReadyDrive(fs, rootPathName, drive)) return error;
    constexpr std::uint64_t kSector = 512;
    std::uint64_t cluster = drive->clusterSize;
    std::uint64_t total = drive->capacity / cluster;
    std::uint64_t free = FreeBytes(fs, *drive) / cluster;
    if (!fs.machine().isNt()) {
      // The 9x call cannot report more than 2 GB - 32 KB either way.
      std::uint64_t cap = ((1ull << 31) - 32768) / cluster;
      total = std::min(total, cap);
      free = std::min(free, cap);
    }
    total = std::min<std::uint64_t>(total, 0xFFFFFFFFu);
    free = std::min<std::uint64_t>(free, 0xFFFFFFFFu);
    if (sectorsPerCluster) *sectorsPerCluster = static_cast<DWORD>(cluster / kSector);
    if (bytesPerSector) *bytesPerSector = static_cast<DWORD>(kSector);
    if (numberOfFreeClusters) *numberOfFreeClusters = static_cast<DWORD>(free);
    if (totalNumberOfClusters) *totalNumberOfClusters = static_cast<DWORD>(total);
    return ERROR_SUCCESS;
  });
}

BOOL GetDiskFreeSpaceExA(LPCSTR directoryName, PULARGE_INTEGER freeBytesAvailableToCaller,
                         PULARGE_INTEGER totalNumberOfBytes, PULARGE_INTEGER totalNumberOfFreeBytes) {
  return RunBoolCall([&](FileSystem& fs) -> DWORD {
    // Any folder of the drive names it.
    char root[3] = {0, ':', 0};
    if (directoryName) {
      Resolved r;
      if (DWORD error = fs.Resolve(directoryName, r)) return error;
      root[0] = r.drive();
    }
    const platform::DriveDescription* drive = nullptr;
    if (DWORD error = ReadyDrive(fs, directoryName ? root : nullptr, drive)) return error;
    std::uint64_t free = FreeBytes(fs, *drive);
    if (freeBytesAvailableToCaller) freeBytesAvailableToCaller->QuadPart = free;
    if (totalNumberOfBytes) totalNumberOfBytes->QuadPart = drive->capacity;
    if (totalNumberOfFreeBytes) totalNumberOfFreeBytes->QuadPart = free;
    return ERROR_SUCCESS;
  });
}
