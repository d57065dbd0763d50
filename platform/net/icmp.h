#pragma once
// Icmp.dll: one echo request at a time through an ICMP handle.
#include <cstdint>

#include "platform/base/wintypes.h"

// An IPv4 address in network order: the first octet in the lowest byte.
using IPAddr = std::uint32_t;

// The reply keeps the 32-bit layout in every build; Data and OptionsData are
// offsets from the start of the reply buffer, never host pointers.
struct IP_OPTION_INFORMATION {
  BYTE Ttl;
  BYTE Tos;
  BYTE Flags;
  BYTE OptionsSize;
  std::uint32_t OptionsData;
};

struct ICMP_ECHO_REPLY {
  IPAddr Address;
  ULONG Status;
  ULONG RoundTripTime;
  WORD DataSize;
  WORD Reserved;
  std::uint32_t Data;
  IP_OPTION_INFORMATION Options;
};
static_assert(sizeof(ICMP_ECHO_REPLY) == 28);

enum : ULONG {
  IP_SUCCESS = 0,
  IP_BUF_TOO_SMALL = 11001,
  IP_DEST_NET_UNREACHABLE = 11002,
  IP_DEST_HOST_UNREACHABLE = 11003,
  IP_REQ_TIMED_OUT = 11010,
  IP_BAD_DESTINATION = 11018,
  IP_GENERAL_FAILURE = 11050,
};

// A handle, or INVALID_HANDLE_VALUE when the test seam says so.
HANDLE IcmpCreateFile();
// FALSE with 6 for a handle that is not an open ICMP handle.
BOOL IcmpCloseHandle(HANDLE handle);
// Blocks for at most `timeout` ms. 1 with one reply written; 0 on failure,
// with the IP status as the last error and in the reply's Status. The reply
// must hold 28 + `requestSize` + 8 bytes (else 11001). Every echo that goes
// out is recorded: "IcmpSendEcho" with the address, status and round trip.
DWORD IcmpSendEcho(HANDLE handle, IPAddr destination, const void* requestData, WORD requestSize,
                   const IP_OPTION_INFORMATION* requestOptions, void* replyBuffer, DWORD replySize, DWORD timeout);
