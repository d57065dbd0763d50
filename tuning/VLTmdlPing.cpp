#include "tuning/VLTmdlPing.h"

#include <cstring>

#include "platform/base/runtime_error.h"
#include "platform/forms/forms.h"
#include "platform/net/winsock.h"
#include "platform/runtime/conversions.h"
#include "tuning/message_turns.h"

using namespace platform::forms;

namespace {

constexpr int kYieldsPerStep = 3;

// Part of a dotted address: a whole number 0..255.
bool ReadAddressPart(const std::string& text, std::uint32_t& value) {
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
    if (value > 255) return false;
  }
  return true;
}

std::int32_t DottedToLong(const std::string& host) {
  std::vector<std::string> parts = Split(host, ".");
  if (parts.size() != 4) return 0;
  std::uint32_t address = 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::uint32_t part = 0;
    if (!ReadAddressPart(parts[i], part)) return 0;
    address |= part << (8 * i);
  }
  return static_cast<std::int32_t>(address);
}

// The first address of a looked-up name, 0 when the look-up fails.
std::int32_t LookedUpToLong(const std::string& host) {
  hostent* entry = gethostbyname(host.c_str());
  if (!entry || !entry->h_addr_list || !entry->h_addr_list[0] || entry->h_length != 4) return 0;
  std::int32_t address = 0;
  std::memcpy(&address, entry->h_addr_list[0], sizeof address);
  return address;
}

// A host with a dot whose first label is not a number is a name.
bool IsHostName(const std::string& host) {
  std::size_t dot = host.find('.');
  return dot != std::string::npos && !platform::vb::IsNumeric(host.substr(0, dot));
}

// Ends the use of Windows Sockets however the ping ends.
struct SocketsInUse {
  ~SocketsInUse() {
    YieldTurns(kYieldsPerStep);
    SocketsCleanup();
  }
};

}  // namespace

std::int16_t HiByte(std::int32_t word) { return static_cast<std::int16_t>((word >> 8) & 0xFF); }
std::int16_t LoByte(std::int32_t word) { return static_cast<std::int16_t>(word & 0xFF); }

bool SocketsInitialize() {
  WSADATA data{};
  if (WSAStartup(0x0101, &data) != 0) {
    MsgBox("Windows Sockets for 32 bit Windows environments is not successfully responding.", vbOKOnly);
    return false;
  }
  std::int16_t major = LoByte(data.wVersion);
  std::int16_t minor = HiByte(data.wVersion);
  std::string prompt;
  if (major < 1 || (major == 1 && minor < 1)) {
    prompt = "Windows Sockets Version " + std::to_string(major) + "." + std::to_string(minor) +
             " is not supported by Windows Sockets for 32 bit Windows environments.";
  } else if (data.iMaxSockets < 1) {
    prompt = "This application requires a minimum of 1 supported sockets.";
  } else {
    return true;
  }
  MsgBox(prompt, vbExclamation);
  // The start-up itself succeeded: give it back, so none is left behind.
  WSACleanup();
  return false;
}

void SocketsCleanup() {
  int result = WSACleanup();
  if (result != 0) MsgBox("Windows Sockets error " + std::to_string(result) + " occurred in Cleanup.", vbExclamation);
}

std::vector<std::string> GetIPsFromHost(const std::string& hostName) {
  std::vector<std::string> addresses;
  if (!SocketsInitialize()) return addresses;
  hostent* entry = gethostbyname(hostName.c_str());
  if (entry && entry->h_addr_list) {
    for (char** at = entry->h_addr_list; *at; ++at) {
      std::string dotted;
      for (short i = 0; i < entry->h_length; ++i) {
        if (i) dotted += '.';
        dotted += std::to_string(static_cast<unsigned char>((*at)[i]));
      }
      addresses.push_back(dotted);
    }
  }
  SocketsCleanup();
  return addresses;
}

std::int32_t AddressToLong(const std::string& host) {
  return host.find('.') != std::string::npos ? DottedToLong(host) : LookedUpToLong(host);
}

std::int32_t Ping(const std::string& address, EchoReplyRecord& reply, std::int32_t timeoutMs) {
  auto destination = static_cast<IPAddr>(AddressToLong(address));
  // A text that names no address ("10.1.2", "300.1.1.1", an unknown name)
  // gives 0: no echo goes to 0.0.0.0, and the ping fails.
  if (destination == 0) {
    reply.reply.Status = IP_BAD_DESTINATION;
    return -static_cast<std::int32_t>(IP_BAD_DESTINATION);
  }
  HANDLE handle = IcmpCreateFile();
  YieldTurns(kYieldsPerStep);
  DWORD replies = IcmpSendEcho(handle, destination, kEchoRequestData, sizeof kEchoRequestData - 1, nullptr, &reply,
                               kEchoReplySize, static_cast<DWORD>(timeoutMs < 0 ? 0 : timeoutMs));
  // A call that failed without saying why (no handle, say) must not read
  // as a successful echo.
  if (replies == 0 && reply.reply.Status == IP_SUCCESS) reply.reply.Status = IP_GENERAL_FAILURE;
  std::int32_t result = replies == 0 ? -static_cast<std::int32_t>(reply.reply.Status)
                                     : static_cast<std::int32_t>(reply.reply.RoundTripTime);
  YieldTurns(kYieldsPerStep);
  if (handle != INVALID_HANDLE_VALUE) IcmpCloseHandle(handle);
  return result;
}

namespace {

bool PingSteps(const std::string& host, std::int32_t timeoutMs) {
  if (Trim(host).empty()) return false;
  YieldTurns(kYieldsPerStep);
  if (!SocketsInitialize()) return false;
  SocketsInUse sockets;
  YieldTurns(kYieldsPerStep);
  std::string target = host;
  if (IsHostName(host)) {
    YieldTurns(kYieldsPerStep);
    std::vector<std::string> addresses = GetIPsFromHost(host);
    YieldTurns(kYieldsPerStep);
    if (addresses.empty()) return false;
    target = addresses.front();
  }
  YieldTurns(kYieldsPerStep);
  EchoReplyRecord reply{};
  Ping(target, reply, timeoutMs);
  return reply.reply.Status == IP_SUCCESS;
}

}  // namespace

bool PingHost(const std::string& host, std::int32_t timeoutMs) {
  try {
    return PingSteps(host, timeoutMs);
  } catch (const platform::RuntimeError&) {
    return false;
  }
}
