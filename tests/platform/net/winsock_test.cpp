#include "platform/net/winsock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/net/network.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {


using platform::net::Network;

std::vector<std::string> Addresses(const hostent* entry) {
  std::vector<std::string> dotted;
  for (char** at = entry->h_addr_list; *at; ++at) {
    IPAddr address;
    std::memcpy(&address, *at, sizeof address);
    dotted.push_back(platform::net::DottedAddress(address));
  }
  return dotted;
}

class WinsockTest : public ::testing::Test {
 protected:
  Network& network() { return machine_.machine().area<Network>(); }
  TempMachine machine_;
};

TEST_F(WinsockTest, StartUpFillsTheRecordAndCountsNestedPairs) {
  WSADATA data;
  std::memset(&data, 0xCC, sizeof data);
  ASSERT_EQ(WSAStartup(0x0101, &data), 0);
  EXPECT_EQ(data.wVersion, 0x0101);
  EXPECT_EQ(data.wHighVersion, 0x0202);
  EXPECT_STREQ(data.szDescription, "WinSock 2.0");
  EXPECT_STREQ(data.szSystemStatus, "Running");
  EXPECT_EQ(data.iMaxSockets, 32767);
  EXPECT_EQ(data.iMaxUdpDg, 65467);
  EXPECT_EQ(data.lpVendorInfo, 0u);
  ASSERT_EQ(WSAStartup(0x0101, &data), 0);
  EXPECT_EQ(WSACleanup(), 0);
  EXPECT_EQ(WSACleanup(), 0);
  EXPECT_EQ(WSACleanup(), SOCKET_ERROR);  // no start-up left
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

TEST_F(WinsockTest, ScriptedStartUpOutcomes) {
  WSADATA data{};
  network().ScriptStartup({10091, {}, 32767});
  EXPECT_EQ(WSAStartup(0x0101, &data), 10091);
  EXPECT_EQ(WSACleanup(), SOCKET_ERROR);  // the failed start-up did not count
  network().ScriptStartup({0, 0x0001, 0});
  ASSERT_EQ(WSAStartup(0x0101, &data), 0);
  EXPECT_EQ(data.wVersion, 0x0001);
  EXPECT_EQ(data.iMaxSockets, 0);
  network().ScriptCleanupFailure(true);
  EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
}

TEST_F(WinsockTest, LooksUpNamesFromTheHostsTable) {
  EXPECT_EQ(gethostbyname("localhost"), nullptr);  // before a start-up
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
  WSADATA data;
  ASSERT_EQ(WSAStartup(0x0101, &data), 0);
  network().ScriptHost("www.example.test", {0x0100000A, 0x0200000A});
  network().ScriptHost("gone.example.test", {});
  struct Case {
    const char* name;
    std::vector<std::string> addresses;  // empty: unknown
  } cases[] = {
      {"localhost", {"127.0.0.1"}},
      {"LOCALHOST", {"127.0.0.1"}},
      {"TESSALY-PC", {"127.0.0.1"}},  // the computer name
      {"www.example.test", {"10.0.0.1", "10.0.0.2"}},
      {"WWW.Example.Test", {"10.0.0.1", "10.0.0.2"}},
      {"1.2.3.4", {"1.2.3.4"}},
      {"gone.example.test", {}},
      {"nowhere", {}},  // unscripted names never reach the host resolver
      {"1.2.3.256", {}},
  };
  for (const auto& c : cases) {
    hostent* entry = gethostbyname(c.name);
    if (c.addresses.empty()) {
      EXPECT_EQ(entry, nullptr) << c.name;
      EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
      continue;
    }
    ASSERT_NE(entry, nullptr) << c.name;
    EXPECT_EQ(entry->h_addrtype, 2);
    EXPECT_EQ(entry->h_length, 4);
    EXPECT_EQ(Addresses(entry), c.addresses) << c.name;
  }
  EXPECT_EQ(WSACleanup(), 0);
}

TEST(NetworkAddresses, DottedTextsConvertBothWays) {
  struct Case {
    const char* text;
    std::optional<IPAddr> address;
  } cases[] = {
      {"1.2.3.4", 0x04030201},     {"127.0.0.1", 0x0100007F}, {"255.255.255.255", 0xFFFFFFFF},
      {"0.0.0.0", 0},              {"1.2.3", std::nullopt},   {"1.2.3.4.5", std::nullopt},
      {"1.2.3.256", std::nullopt}, {"1.2.-3.4", std::nullopt}, {"a.b.c.d", std::nullopt},
      {"1..3.4", std::nullopt},    {"", std::nullopt},        {"0001.2.3.4", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::net::ParseDottedAddress(c.text), c.address) << c.text;
    if (c.address) {
      EXPECT_EQ(platform::net::DottedAddress(*c.address), c.text);
    }
  }
}

}  // namespace
}  // namespace tessaly::testing
