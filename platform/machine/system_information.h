#pragma once
// Processor and memory facts: ntdll's NtQuerySystemInformation (classes 0,
// 2 and 3, NT family only) and kernel32's GlobalMemoryStatus, served from
// the host facts.
#include "platform/base/wintypes.h"

using NTSTATUS = LONG;

constexpr NTSTATUS STATUS_SUCCESS = 0;
constexpr NTSTATUS STATUS_UNSUCCESSFUL = static_cast<NTSTATUS>(0xC0000001u);
constexpr NTSTATUS STATUS_NOT_IMPLEMENTED = static_cast<NTSTATUS>(0xC0000002u);
constexpr NTSTATUS STATUS_INVALID_INFO_CLASS = static_cast<NTSTATUS>(0xC0000003u);
constexpr NTSTATUS STATUS_INFO_LENGTH_MISMATCH = static_cast<NTSTATUS>(0xC0000004u);
constexpr NTSTATUS STATUS_ACCESS_VIOLATION = static_cast<NTSTATUS>(0xC0000005u);

enum : ULONG {
  SystemBasicInformation = 0,
  SystemPerformanceInformation = 2,
  SystemTimeOfDayInformation = 3,
};

// Lengths of the three records and the offsets the program reads.
constexpr ULONG kSystemBasicInformationLength = 44;
constexpr ULONG kSystemPerformanceInformationLength = 312;
constexpr ULONG kSystemTimeOfDayInformationLength = 32;
constexpr ULONG kNumberOfProcessorsOffset = 40;    // signed byte
constexpr ULONG kIdleProcessTimeOffset = 0;        // 64-bit, 100-ns units
constexpr ULONG kCurrentTimeOffset = 8;            // 64-bit FILETIME

// The buffer must be exactly the class's length (else 0xC0000004 with
// `returnLength` = that length); another class gives 0xC0000003, a failed
// host read 0xC0000001, the 9x family 0xC0000002.
NTSTATUS NtQuerySystemInformation(ULONG informationClass, void* buffer, ULONG length, ULONG* returnLength);

struct MEMORYSTATUS {
  DWORD dwLength;
  DWORD dwMemoryLoad;
  DWORD dwTotalPhys;
  DWORD dwAvailPhys;
  DWORD dwTotalPageFile;
  DWORD dwAvailPageFile;
  DWORD dwTotalVirtual;
  DWORD dwAvailVirtual;
};
static_assert(sizeof(MEMORYSTATUS) == 32);

// Sizes are clamped to 0x7FFFFFFF, as Windows reports them to a program that
// is not large-address-aware; the load comes from the unclamped figures.
void GlobalMemoryStatus(MEMORYSTATUS* status);
