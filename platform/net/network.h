#pragma once
// The machine's network: the Windows Sockets start-up count, name look-up
// and echo requests, served by scripts (the default, for tests) or by the
// host (the program). Scripted, only 127.0.0.0/8 is ever really echoed.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/cp1252.h"
#include "platform/machine/machine.h"
#include "platform/net/icmp.h"

namespace platform::net {

// The scripted answer to an echo: a round-trip time, or a failure status.
struct EchoAnswer {
  ULONG status = IP_SUCCESS;
  ULONG roundTripMs = 0;
};

// What one echo request came to.
struct EchoOutcome {
  ULONG status = IP_SUCCESS;
  ULONG roundTripMs = 0;
  IPAddr from = 0;
  std::string data;
};

// The scripted outcome of the next start-ups.
struct StartupScript {
  int result = 0;                  // non-zero: the start-up fails with it
  std::optional<WORD> version;     // wVersion reported; none: the one asked for
  std::uint16_t maxSockets = 32767;
};

class Network : public MachineArea {
 public:
  explicit Network(Machine& machine) : machine_(machine) {}

  // The program's network: the host resolver and the host's ICMP.
  void UseHost() { host_ = true; }

  // Test seams.
  // `addresses` empty: the name is unknown.
  void ScriptHost(const std::string& name, std::vector<IPAddr> addresses);
  void ScriptEcho(IPAddr destination, EchoAnswer answer);
  void ScriptStartup(StartupScript script) { startup_ = script; }
  void ScriptCleanupFailure(bool fail) { cleanupFails_ = fail; }
  void ScriptIcmpCreateFailure(bool fail) { icmpCreateFails_ = fail; }

  // Used by the calls.
  const StartupScript& startup() const { return startup_; }
  bool cleanupFails() const { return cleanupFails_; }
  bool icmpCreateFails() const { return icmpCreateFails_; }
  int& startups() { return startups_; }
  // The addresses of a name that is not an address text; nullopt = unknown.
  std::optional<std::vector<IPAddr>> Lookup(const std::string& name);
  // Sends one echo (or plays its script); a scripted answer moves the
  // machine's clock by its round trip, or by `timeoutMs` for a time-out.
  EchoOutcome Echo(IPAddr destination, const std::string& data, DWORD timeoutMs);

 private:
  Machine& machine_;
  bool host_ = false;
  std::map<std::string, std::vector<IPAddr>, LessNoCase> hosts_;
  std::map<IPAddr, EchoAnswer> echoes_;
  StartupScript startup_;
  bool cleanupFails_ = false;
  bool icmpCreateFails_ = false;
  int startups_ = 0;
};

// "a.b.c.d" with four decimal parts 0..255, in network order.
std::optional<IPAddr> ParseDottedAddress(const std::string& text);
// The dotted text of an address in network order.
std::string DottedAddress(IPAddr address);
// The address of 127.0.0.1.
inline constexpr IPAddr kLoopback = 0x0100007F;

}  // namespace platform::net
