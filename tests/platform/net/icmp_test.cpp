#include "platform/net/icmp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/base/journal.h"
#include "platform/base/last_error.h"
#include "platform/net/host_icmp.h"
#include "platform/net/network.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using platform::net::EchoAnswer;
using platform::net::kLoopback;
using platform::net::Network;

constexpr char kRequest[] = "Echo This";
constexpr DWORD kReplySize = 278;

struct ReplyBuffer {
  unsigned char bytes[kReplySize];
  ICMP_ECHO_REPLY header() const {
    ICMP_ECHO_REPLY reply;
    std::memcpy(&reply, bytes, sizeof reply);
    return reply;
  }
};

class IcmpTest : public ::testing::Test {
 protected:
  IcmpTest() { platform::TheJournal().Clear(); }
  Network& network() { return machine_.machine().area<Network>(); }
  DWORD Send(IPAddr destination, ReplyBuffer& reply, DWORD timeout = 10000) {
    HANDLE handle = IcmpCreateFile();
    EXPECT_NE(handle, INVALID_HANDLE_VALUE);
    std::memset(reply.bytes, 0, sizeof reply.bytes);
    DWORD result = IcmpSendEcho(handle, destination, kRequest, 9, nullptr, reply.bytes, kReplySize, timeout);
    DWORD error = GetLastError();
    EXPECT_EQ(IcmpCloseHandle(handle), TRUE);
    SetLastError(error);
    return result;
  }
  TempMachine machine_;
};

TEST_F(IcmpTest, ScriptedAnswersFillTheReplyOrReportTheirStatus) {
  network().ScriptEcho(0x0100000A, EchoAnswer{IP_SUCCESS, 42});
  network().ScriptEcho(0x0200000A, EchoAnswer{IP_REQ_TIMED_OUT, 0});
  network().ScriptEcho(0x0300000A, EchoAnswer{IP_DEST_HOST_UNREACHABLE, 0});
  network().ScriptEcho(0x0400000A, EchoAnswer{IP_DEST_NET_UNREACHABLE, 0});
  ReplyBuffer reply;
  std::uint64_t before = machine_.clock().TickMs();
  ASSERT_EQ(Send(0x0100000A, reply), 1u);
  ICMP_ECHO_REPLY header = reply.header();
  EXPECT_EQ(header.Address, 0x0100000Au);
  EXPECT_EQ(header.Status, IP_SUCCESS);
  EXPECT_EQ(header.RoundTripTime, 42u);
  EXPECT_EQ(header.DataSize, 9);
  EXPECT_EQ(header.Data, 28u);
  EXPECT_EQ(header.Options.Ttl, 128);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(reply.bytes + header.Data), header.DataSize), kRequest);
  EXPECT_EQ(machine_.clock().TickMs() - before, 42u);

  struct Case {
    IPAddr destination;
    ULONG status;
    std::uint64_t clockMoves;
  } failures[] = {
      {0x0200000A, IP_REQ_TIMED_OUT, 3000},      // a time-out waits the whole time-out
      {0x0300000A, IP_DEST_HOST_UNREACHABLE, 0},
      {0x0400000A, IP_DEST_NET_UNREACHABLE, 0},
      {0x0500000A, IP_GENERAL_FAILURE, 0},       // unscripted and not loopback: never sent
  };
  for (const auto& c : failures) {
    before = machine_.clock().TickMs();
    EXPECT_EQ(Send(c.destination, reply, 3000), 0u);
    EXPECT_EQ(GetLastError(), c.status);
    EXPECT_EQ(reply.header().Status, c.status);
    EXPECT_EQ(machine_.clock().TickMs() - before, c.clockMoves);
  }
  auto sent = platform::TheJournal().Of("IcmpSendEcho");
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(sent[0].args, (std::vector<std::string>{"10.0.0.1", "0", "42"}));
  EXPECT_EQ(sent[1].args, (std::vector<std::string>{"10.0.0.2", "11010", "0"}));
}

TEST_F(IcmpTest, RefusesBadHandlesParametersAndShortBuffers) {
  ReplyBuffer reply;
  HANDLE handle = IcmpCreateFile();
  EXPECT_EQ(IcmpSendEcho(reinterpret_cast<HANDLE>(0x1234), kLoopback, kRequest, 9, nullptr, reply.bytes, 278, 10), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(IcmpSendEcho(handle, kLoopback, nullptr, 9, nullptr, reply.bytes, 278, 10), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(IcmpSendEcho(handle, kLoopback, kRequest, 9, nullptr, nullptr, 278, 10), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  // 28 + 9 + 8 = 45 bytes at least; the short buffer is not written past its size.
  std::memset(reply.bytes, 0xAB, sizeof reply.bytes);
  EXPECT_EQ(IcmpSendEcho(handle, kLoopback, kRequest, 9, nullptr, reply.bytes, 44, 10), 0u);
  EXPECT_EQ(GetLastError(), IP_BUF_TOO_SMALL);
  EXPECT_EQ(reply.header().Status, IP_BUF_TOO_SMALL);
  EXPECT_EQ(reply.bytes[44], 0xAB);
  EXPECT_TRUE(platform::TheJournal().Of("IcmpSendEcho").empty());  // nothing was sent
  EXPECT_EQ(IcmpCloseHandle(handle), TRUE);
  EXPECT_EQ(IcmpCloseHandle(handle), FALSE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  network().ScriptIcmpCreateFailure(true);
  EXPECT_EQ(IcmpCreateFile(), INVALID_HANDLE_VALUE);
}

TEST_F(IcmpTest, EchoesTheRealLoopback) {
  if (!platform::net::HostIcmpUsable())
    GTEST_SKIP() << "this host allows no ICMP socket (neither net.ipv4.ping_group_range nor CAP_NET_RAW)";
  ReplyBuffer reply;
  ASSERT_EQ(Send(kLoopback, reply, 5000), 1u) << GetLastError();
  ICMP_ECHO_REPLY header = reply.header();
  EXPECT_EQ(header.Status, IP_SUCCESS);
  EXPECT_EQ(header.Address, kLoopback);
  EXPECT_LT(header.RoundTripTime, 5000u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(reply.bytes + header.Data), header.DataSize), kRequest);
}

}  // namespace
}  // namespace tessaly::testing
