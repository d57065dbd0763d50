#include "platform/net/host_icmp.h"

#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace platform::net {
namespace {

constexpr std::uint32_t kGeneralFailure = 11050;
constexpr std::uint32_t kNetUnreachable = 11002;
constexpr std::uint32_t kHostUnreachable = 11003;
constexpr std::uint32_t kTimedOut = 11010;
constexpr unsigned char kEchoReply = 0;
constexpr unsigned char kDestinationUnreachable = 3;
constexpr unsigned char kEchoRequest = 8;
constexpr std::size_t kIcmpHeader = 8;

class IcmpSocket {
 public:
  IcmpSocket() {
    fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd_ < 0) {
      fd_ = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
      raw_ = fd_ >= 0;
    }
  }
  ~IcmpSocket() {
    if (fd_ >= 0) close(fd_);
  }
  IcmpSocket(const IcmpSocket&) = delete;
  IcmpSocket& operator=(const IcmpSocket&) = delete;

  bool open() const { return fd_ >= 0; }
  // A raw socket sees IP headers and every ICMP message of the host; a
  // datagram socket only the replies to its own requests.
  bool raw() const { return raw_; }
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
  bool raw_ = false;
};

std::uint16_t Checksum(const unsigned char* bytes, std::size_t size) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i + 1 < size; i += 2) sum += static_cast<std::uint32_t>(bytes[i] << 8 | bytes[i + 1]);
  if (size % 2) sum += static_cast<std::uint32_t>(bytes[size - 1] << 8);
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint16_t>(~sum);
}

std::uint16_t Read16(const unsigned char* bytes) { return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]); }

std::string Request(std::uint16_t id, std::uint16_t sequence, std::string_view data) {
  std::string packet(kIcmpHeader, '\0');
  packet[0] = static_cast<char>(kEchoRequest);
  packet[4] = static_cast<char>(id >> 8);
  packet[5] = static_cast<char>(id & 0xFF);
  packet[6] = static_cast<char>(sequence >> 8);
  packet[7] = static_cast<char>(sequence & 0xFF);
  packet += data;
  std::uint16_t sum = Checksum(reinterpret_cast<const unsigned char*>(packet.data()), packet.size());
  packet[2] = static_cast<char>(sum >> 8);
  packet[3] = static_cast<char>(sum & 0xFF);
  return packet;
}

std::uint32_t StatusOfSendError(int error) {
  if (error == ENETUNREACH) return kNetUnreachable;
  if (error == EHOSTUNREACH) return kHostUnreachable;
  return kGeneralFailure;
}

// What one received packet says about our request: nothing (another
// packet), a reply, or an unreachable report.
struct Verdict {
  bool ours = false;
  std::uint32_t status = 0;
  std::string data;
};

Verdict Judge(const unsigned char* packet, std::size_t size, bool raw, std::uint16_t id, std::uint16_t sequence) {
  Verdict verdict;
  if (raw) {
    if (size < 20) return verdict;
    std::size_t ipHeader = static_cast<std::size_t>(packet[0] & 0x0F) * 4;
    if (size < ipHeader + kIcmpHeader) return verdict;
    packet += ipHeader;
    size -= ipHeader;
  }
  if (size < kIcmpHeader) return verdict;
  // A datagram socket's requests carry the kernel's identifier, and only
  // its own replies reach it.
  bool idMatches = !raw || Read16(packet + 4) == id;
  if (packet[0] == kEchoReply && idMatches && Read16(packet + 6) == sequence) {
    verdict.ours = true;
    verdict.data.assign(reinterpret_cast<const char*>(packet + kIcmpHeader), size - kIcmpHeader);
    return verdict;
  }
  if (raw && packet[0] == kDestinationUnreachable && size >= kIcmpHeader + 20 + kIcmpHeader) {
    const unsigned char* original = packet + kIcmpHeader;
    std::size_t originalHeader = static_cast<std::size_t>(original[0] & 0x0F) * 4;
    if (size < kIcmpHeader + originalHeader + kIcmpHeader) return verdict;
    const unsigned char* request = original + originalHeader;
    if (request[0] == kEchoRequest && Read16(request + 4) == id && Read16(request + 6) == sequence) {
      verdict.ours = true;
      verdict.status = packet[1] == 0 ? kNetUnreachable : kHostUnreachable;
    }
  }
  return verdict;
}

std::atomic<std::uint16_t> nextSequence{1};

}  // namespace

HostEchoReply HostEcho(std::uint32_t destination, std::string_view data, std::uint32_t timeoutMs) {
  HostEchoReply reply;
  IcmpSocket socket;
  if (!socket.open()) {
    reply.status = kGeneralFailure;
    return reply;
  }
  auto id = static_cast<std::uint16_t>(getpid() & 0xFFFF);
  std::uint16_t sequence = nextSequence++;
  std::string packet = Request(id, sequence, data);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = destination;
  using Clock = std::chrono::steady_clock;
  auto start = Clock::now();
  auto deadline = start + std::chrono::milliseconds(timeoutMs);
  if (sendto(socket.fd(), packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0) {
    reply.status = StatusOfSendError(errno);
    return reply;
  }
  unsigned char buffer[65536];
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    pollfd waiting{socket.fd(), POLLIN, 0};
    int ready = poll(&waiting, 1, static_cast<int>(std::min<long long>(left, 1 << 30)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    sockaddr_in from{};
    socklen_t fromSize = sizeof from;
    ssize_t got = recvfrom(socket.fd(), buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (got < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      break;
    }
    Verdict verdict = Judge(buffer, static_cast<std::size_t>(got), socket.raw(), id, sequence);
    if (!verdict.ours) continue;
    reply.status = verdict.status;
    reply.from = from.sin_addr.s_addr;
    reply.data = std::move(verdict.data);
    reply.roundTripMs =
        static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
    return reply;
  }
  reply.status = kTimedOut;
  return reply;
}

bool HostIcmpUsable() { return IcmpSocket().open(); }

std::optional<std::vector<std::uint32_t>> ResolveOnHost(const std::string& name) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || !found) return std::nullopt;
  std::vector<std::uint32_t> addresses;
  for (addrinfo* at = found; at; at = at->ai_next) {
    if (at->ai_family != AF_INET || !at->ai_addr) continue;
    std::uint32_t address = reinterpret_cast<const sockaddr_in*>(at->ai_addr)->sin_addr.s_addr;
    if (std::find(addresses.begin(), addresses.end(), address) == addresses.end()) addresses.push_back(address);
  }
  freeaddrinfo(found);
  if (addresses.empty()) return std::nullopt;
  return addresses;
}

}  // namespace platform::net
