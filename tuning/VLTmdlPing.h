#pragma once
// Module VLTmdlPing: one ICMP echo to a host through Icmp.dll, with Windows
// Sockets for the name look-up. Everything runs on the user-interface
// thread and yields to the message loop between its steps.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/net/icmp.h"

// The reply record as passed to the ICMP library: the reply and its data
// area, 278 bytes (the record itself is padded to its alignment).
struct EchoReplyRecord {
  ICMP_ECHO_REPLY reply;
  char Data[250];
};
inline constexpr DWORD kEchoReplySize = sizeof(ICMP_ECHO_REPLY) + sizeof(EchoReplyRecord::Data);
static_assert(kEchoReplySize == 278 && sizeof(EchoReplyRecord) >= kEchoReplySize);

// The request data of every echo.
inline constexpr char kEchoRequestData[] = "Echo This";

// True exactly when an echo reply with status 0 came back within the
// time-out. Windows Sockets is always cleaned up again.
bool PingHost(const std::string& host, std::int32_t timeoutMs);
// One echo request: the round-trip time on success, else minus the reply's
// status. A failed echo always leaves a non-zero status in the reply.
std::int32_t Ping(const std::string& address, EchoReplyRecord& reply, std::int32_t timeoutMs);
// The IPv4 address in network order (first octet in the lowest byte). A
// dotted text needs exactly four whole numbers 0..255; a name without a
// dot is looked up. 0 when neither works.
std::int32_t AddressToLong(const std::string& host);
// Every IPv4 address of the name, dotted, in the look-up's order; empty when
// the look-up fails.
std::vector<std::string> GetIPsFromHost(const std::string& hostName);
// Start and end the use of Windows Sockets, with the suite's messages.
bool SocketsInitialize();
void SocketsCleanup();
std::int16_t HiByte(std::int32_t word);
std::int16_t LoByte(std::int32_t word);
