// Icmp.dll: handles are kernel objects; each echo goes through the machine's
// network and is written into the caller's buffer in the 32-bit layout.
#include "platform/net/icmp.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "platform/base/journal.h"
#include "platform/base/kernel_handles.h"
#include "platform/base/last_error.h"
#include "platform/net/network.h"

namespace {

using platform::net::EchoOutcome;
using platform::net::Network;

class IcmpHandle : public platform::KernelObject {};

constexpr DWORD kReplyOverhead = sizeof(ICMP_ECHO_REPLY) + 8;  // the reply and an ICMP header
constexpr BYTE kReplyTtl = 128;

DWORD Fail(ULONG status, void* reply, DWORD replySize) {
  if (reply && replySize >= offsetof(ICMP_ECHO_REPLY, RoundTripTime))
    std::memcpy(static_cast<char*>(reply) + offsetof(ICMP_ECHO_REPLY, Status), &status, sizeof status);
  SetLastError(status);
  return 0;
}

void WriteReply(const EchoOutcome& outcome, void* buffer, DWORD size) {
  ICMP_ECHO_REPLY reply{};
  DWORD room = size - static_cast<DWORD>(sizeof reply);
  auto dataSize = static_cast<WORD>(std::min<std::size_t>(outcome.data.size(), room));
  reply.Address = outcome.from;
  reply.Status = IP_SUCCESS;
  reply.RoundTripTime = outcome.roundTripMs;
  reply.DataSize = dataSize;
  reply.Data = sizeof reply;
  reply.Options.Ttl = kReplyTtl;
  std::memcpy(buffer, &reply, sizeof reply);
  std::memcpy(static_cast<char*>(buffer) + sizeof reply, outcome.data.data(), dataSize);
}

}  // namespace

HANDLE IcmpCreateFile() {
  platform::Machine* machine = platform::CurrentMachine();
  if (!machine || machine->area<Network>().icmpCreateFails()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  return platform::RegisterKernelObject(std::make_unique<IcmpHandle>());
}

BOOL IcmpCloseHandle(HANDLE handle) {
  if (!platform::LookupKernelObjectAs<IcmpHandle>(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  platform::ReleaseKernelObject(handle);
  return TRUE;
}

DWORD IcmpSendEcho(HANDLE handle, IPAddr destination, const void* requestData, WORD requestSize,
                   const IP_OPTION_INFORMATION*, void* replyBuffer, DWORD replySize, DWORD timeout) {
  platform::Machine* machine = platform::CurrentMachine();
  if (!machine || !platform::LookupKernelObjectAs<IcmpHandle>(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (!replyBuffer || (!requestData && requestSize)) return Fail(ERROR_INVALID_PARAMETER, replyBuffer, replySize);
  if (replySize < kReplyOverhead + requestSize) return Fail(IP_BUF_TOO_SMALL, replyBuffer, replySize);
  std::string data = requestSize ? std::string(static_cast<const char*>(requestData), requestSize) : std::string();
  EchoOutcome outcome = machine->area<Network>().Echo(destination, data, timeout);
  platform::TheJournal().Record("IcmpSendEcho", {platform::net::DottedAddress(destination),
                                                std::to_string(outcome.status), std::to_string(outcome.roundTripMs)});
  if (outcome.status != IP_SUCCESS) return Fail(outcome.status, replyBuffer, replySize);
  WriteReply(outcome, replyBuffer, replySize);
  return 1;
}
