#pragma once
// The host's side of an echo request and of a name look-up. Nothing here
// knows the emulated machine.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::net {

struct HostEchoReply {
  std::uint32_t status = 0;  // IP status (0 = success)
  std::uint32_t roundTripMs = 0;
  std::uint32_t from = 0;    // network order
  std::string data;          // the echoed data
};

// One echo request through an unprivileged ICMP datagram socket, else a raw
// socket where the process may open one, else 11050 (general failure).
HostEchoReply HostEcho(std::uint32_t destination, std::string_view data, std::uint32_t timeoutMs);
// Whether either kind of ICMP socket can be opened here.
bool HostIcmpUsable();

// The IPv4 addresses of `name` in the resolver's order, without repeats;
// nullopt when the name is unknown.
std::optional<std::vector<std::uint32_t>> ResolveOnHost(const std::string& name);

}  // namespace platform::net
