// wsock32: the start-up count, and look-ups into one host entry per process.
#include "platform/net/winsock.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/base/last_error.h"
#include "platform/net/network.h"

namespace {


using platform::net::Network;

Network* TheNetwork() {
  platform::Machine* machine = platform::CurrentMachine();
  return machine ? &machine->area<Network>() : nullptr;
}

void CopyText(char* target, std::size_t size, const char* text) {
  std::memset(target, 0, size);
  std::strncpy(target, text, size - 1);
}

// The entry gethostbyname returns, with the storage its pointers point into.
struct HostEntry {
  std::string name;
  std::vector<IPAddr> addresses;
  std::vector<char*> addressList;
  char* noAliases = nullptr;
  hostent entry{};

  hostent* Fill(const std::string& forName, std::vector<IPAddr> found) {
    name = forName;
    addresses = std::move(found);
    addressList.clear();
    for (IPAddr& address : addresses) addressList.push_back(reinterpret_cast<char*>(&address));
    addressList.push_back(nullptr);
    entry = hostent{name.data(), &noAliases, 2, static_cast<short>(sizeof(IPAddr)), addressList.data()};
    return &entry;
  }
};

HostEntry& LastHostEntry() {
  thread_local HostEntry entry;
  return entry;
}

}  // namespace

int WSAStartup(WORD versionRequested, WSADATA* data) {
  Network* network = TheNetwork();
  if (!data) return 10014;  // WSAEFAULT
  const platform::net::StartupScript& script = network ? network->startup() : platform::net::StartupScript{};
  std::memset(data, 0, sizeof *data);
  data->wVersion = script.version.value_or(versionRequested);
  data->wHighVersion = 0x0202;
  CopyText(data->szDescription, sizeof data->szDescription, "WinSock 2.0");
  CopyText(data->szSystemStatus, sizeof data->szSystemStatus, "Running");
  data->iMaxSockets = script.maxSockets;
  data->iMaxUdpDg = 65467;
  if (!network) return WSASYSNOTREADY;
  if (script.result != 0) return script.result;
  ++network->startups();
  return 0;
}

int WSACleanup() {
  Network* network = TheNetwork();
  if (!network || network->startups() == 0) {
    SetLastError(WSANOTINITIALISED);
    return SOCKET_ERROR;
  }
  --network->startups();
  return network->cleanupFails() ? SOCKET_ERROR : 0;
}

int WSAGetLastError() { return static_cast<int>(GetLastError()); }

hostent* gethostbyname(const char* name) {
  Network* network = TheNetwork();
  if (!network || network->startups() == 0) {
    SetLastError(WSANOTINITIALISED);
    return nullptr;
  }
  if (!name) {
    SetLastError(WSAHOST_NOT_FOUND);
    return nullptr;
  }
  std::string text(name);
  std::optional<std::vector<IPAddr>> addresses;
  if (auto dotted = platform::net::ParseDottedAddress(text)) addresses = std::vector<IPAddr>{*dotted};
  else addresses = network->Lookup(text);
  if (!addresses) {
    SetLastError(WSAHOST_NOT_FOUND);
    return nullptr;
  }
  return LastHostEntry().Fill(text, std::move(*addresses));
}
