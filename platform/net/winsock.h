#pragma once
// wsock32 as the pinger uses it: start-up and clean-up of Windows Sockets
// and the host-name look-up.
#include <cstddef>
#include <cstdint>

#include "platform/base/wintypes.h"

constexpr int SOCKET_ERROR = -1;
constexpr int WSASYSNOTREADY = 10091;
constexpr int WSANOTINITIALISED = 10093;
constexpr int WSAHOST_NOT_FOUND = 11001;

// The 32-bit layout (400 bytes): 0 wVersion (low byte major, high byte
// minor), 2 wHighVersion, 4 szDescription, 261 szSystemStatus, 390
// iMaxSockets, 392 iMaxUdpDg, 396 lpVendorInfo.
struct WSADATA {
  WORD wVersion;
  WORD wHighVersion;
  char szDescription[257];
  char szSystemStatus[129];
  std::uint16_t iMaxSockets;
  std::uint16_t iMaxUdpDg;
  std::uint32_t lpVendorInfo;  // a 32-bit pointer, always 0
};
static_assert(sizeof(WSADATA) == 400);
static_assert(offsetof(WSADATA, iMaxSockets) == 390 && offsetof(WSADATA, lpVendorInfo) == 396);

// The addresses in h_addr_list are 4 bytes each, in network order.
struct hostent {
  char* h_name;
  char** h_aliases;
  short h_addrtype;
  short h_length;
  char** h_addr_list;
};

// 0 and one more start-up; or the scripted failure. The record is filled
// either way.
int WSAStartup(WORD versionRequested, WSADATA* data);
// 0 and one start-up fewer; SOCKET_ERROR with 10093 without a start-up.
int WSACleanup();
int WSAGetLastError();
// NULL with 10093 before a start-up and with 11001 for an unknown name. The
// entry stays valid until the next look-up.
hostent* gethostbyname(const char* name);
