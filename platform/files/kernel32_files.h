#pragma once
// kernel32 file and disk calls with their Windows signatures and meanings,
// over the bound machine's drive folders.
#include "platform/base/kernel_handles.h"
#include "platform/base/last_error.h"
#include "platform/base/wintypes.h"
#include "platform/files/file_attributes.h"

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 1;
constexpr DWORD FILE_SHARE_WRITE = 2;
constexpr DWORD FILE_SHARE_DELETE = 4;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 1;
constexpr DWORD MOVEFILE_COPY_ALLOWED = 2;
constexpr DWORD MOVEFILE_DELAY_UNTIL_REBOOT = 4;

constexpr UINT DRIVE_UNKNOWN = 0;
constexpr UINT DRIVE_NO_ROOT_DIR = 1;
constexpr DWORD FILE_CASE_PRESERVED_NAMES = 2;

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  char cFileName[MAX_PATH];
  char cAlternateFileName[14];
};
using LPWIN32_FIND_DATAA = WIN32_FIND_DATAA*;

struct OVERLAPPED;

union ULARGE_INTEGER {
  struct {
    DWORD LowPart;
    DWORD HighPart;
  } u;
  ULONGLONG QuadPart;
};
using PULARGE_INTEGER = ULARGE_INTEGER*;

// Searches
HANDLE FindFirstFileA(LPCSTR fileName, LPWIN32_FIND_DATAA findData);
BOOL FindNextFileA(HANDLE findFile, LPWIN32_FIND_DATAA findData);
BOOL FindClose(HANDLE findFile);

// Attributes and names
DWORD GetFileAttributesA(LPCSTR fileName);
BOOL SetFileAttributesA(LPCSTR fileName, DWORD attributes);
DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size);

// Folders
BOOL CreateDirectoryA(LPCSTR pathName, LPSECURITY_ATTRIBUTES securityAttributes);
BOOL RemoveDirectoryA(LPCSTR pathName);
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);
BOOL SetCurrentDirectoryA(LPCSTR pathName);
DWORD GetTempPathA(DWORD size, LPSTR buffer);

// Deleting, moving, copying
BOOL DeleteFileA(LPCSTR fileName);
BOOL MoveFileA(LPCSTR existingFileName, LPCSTR newFileName);
BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags);
BOOL CopyFileA(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists);

// File contents (handles close with CloseHandle)
HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES securityAttributes,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, void* buffer, DWORD bytesToRead, DWORD* bytesRead, OVERLAPPED* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytesToWrite, DWORD* bytesWritten, OVERLAPPED* overlapped);
DWORD SetFilePointer(HANDLE file, LONG distanceToMove, LONG* distanceToMoveHigh, DWORD moveMethod);
DWORD GetFileSize(HANDLE file, DWORD* fileSizeHigh);
BOOL SetEndOfFile(HANDLE file);
// Writes the file's data through to the disk.
BOOL FlushFileBuffers(HANDLE file);

struct BY_HANDLE_FILE_INFORMATION {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD dwVolumeSerialNumber;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD nNumberOfLinks;
  DWORD nFileIndexHigh;
  DWORD nFileIndexLow;
};
// The facts of the open file itself (the link count is the descriptor's,
// not that of a name looked up again).
BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION* information);

// Drives
UINT GetDriveTypeA(LPCSTR rootPathName);
DWORD GetLogicalDrives();
DWORD GetLogicalDriveStringsA(DWORD size, LPSTR buffer);
BOOL GetVolumeInformationA(LPCSTR rootPathName, LPSTR volumeName, DWORD volumeNameSize, DWORD* serialNumber,
                           DWORD* maximumComponentLength, DWORD* fileSystemFlags, LPSTR fileSystemName,
                           DWORD fileSystemNameSize);
BOOL GetDiskFreeSpaceA(LPCSTR rootPathName, DWORD* sectorsPerCluster, DWORD* bytesPerSector,
                       DWORD* numberOfFreeClusters, DWORD* totalNumberOfClusters);
BOOL GetDiskFreeSpaceExA(LPCSTR directoryName, PULARGE_INTEGER freeBytesAvailableToCaller,
                         PULARGE_INTEGER totalNumberOfBytes, PULARGE_INTEGER totalNumberOfFreeBytes);
