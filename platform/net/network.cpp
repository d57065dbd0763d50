#include "platform/net/network.h"

#include <charconv>

#include "platform/net/host_icmp.h"

namespace platform::net {
namespace {

bool IsLoopback(IPAddr address) { return (address & 0xFF) == 127; }

}  // namespace

std::optional<IPAddr> ParseDottedAddress(const std::string& text) {
  IPAddr address = 0;
  std::size_t at = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (at >= text.size() || text[at] != '.') return std::nullopt;
      ++at;
    }
    std::size_t end = at;
    while (end < text.size() && end - at < 4 && text[end] >= '0' && text[end] <= '9') ++end;
    unsigned value = 256;
    if (end == at || end - at > 3 || std::from_chars(text.data() + at, text.data() + end, value).ec != std::errc() ||
        value > 255)
      return std::nullopt;
    address |= static_cast<IPAddr>(value) << (8 * part);
    at = end;
  }
  if (at != text.size()) return std::nullopt;
  return address;
}

std::string DottedAddress(IPAddr address) {
  std::string text;
  for (int part = 0; part < 4; ++part) {
    if (part) text += '.';
    text += std::to_string((address >> (8 * part)) & 0xFF);
  }
  return text;
}

void Network::ScriptHost(const std::string& name, std::vector<IPAddr> addresses) {
  hosts_[name] = std::move(addresses);
}

void Network::ScriptEcho(IPAddr destination, EchoAnswer answer) { echoes_[destination] = answer; }

std::optional<std::vector<IPAddr>> Network::Lookup(const std::string& name) {
  if (EqualsNoCase(name, "localhost") || EqualsNoCase(name, machine_.description().computerName))
    return std::vector<IPAddr>{kLoopback};
  if (host_) return ResolveOnHost(Cp1252ToUtf8(name));
  auto found = hosts_.find(name);
  if (found == hosts_.end() || found->second.empty()) return std::nullopt;
  return found->second;
}

EchoOutcome Network::Echo(IPAddr destination, const std::string& data, DWORD timeoutMs) {
  EchoOutcome outcome;
  auto scripted = echoes_.find(destination);
  if (scripted != echoes_.end()) {
    outcome.status = scripted->second.status;
    bool timedOut = outcome.status == IP_REQ_TIMED_OUT;
    machine_.clock().Sleep(timedOut ? timeoutMs : scripted->second.roundTripMs);
    if (outcome.status == IP_SUCCESS) {
      outcome.roundTripMs = scripted->second.roundTripMs;
      outcome.from = destination;
      outcome.data = data;
    }
    return outcome;
  }
  if (!host_ && !IsLoopback(destination)) {
    outcome.status = IP_GENERAL_FAILURE;
    return outcome;
  }
  HostEchoReply reply = HostEcho(destination, data, timeoutMs);
  outcome.status = reply.status;
  outcome.roundTripMs = reply.roundTripMs;
  outcome.from = reply.from;
  outcome.data = std::move(reply.data);
  return outcome;
}

}  // namespace platform::net
