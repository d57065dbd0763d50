// The pinger's module over the scripted network: how a host is read, what
// is sent, the Winsock messages, and that every start-up is given back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/net/network.h"
#include "platform/net/winsock.h"
#include "support/temp_machine.h"
#include "tuning/VLTmdlPing.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;
using platform::net::EchoAnswer;
using platform::net::Network;

class PingModuleTest : public ::testing::Test {
 protected:
  PingModuleTest() {
    ResetFormsRuntime();
    platform::TheJournal().Clear();
    network().ScriptHost("www.x.y", {0x0900000A, 0x0800000A});
    network().ScriptEcho(0x0900000A, EchoAnswer{IP_SUCCESS, 20});
    network().ScriptEcho(0x04030201, EchoAnswer{IP_SUCCESS, 5});
    network().ScriptEcho(platform::net::kLoopback, EchoAnswer{IP_SUCCESS, 1});
  }
  ~PingModuleTest() override { ResetFormsRuntime(); }
  Network& network() { return machine_.machine().area<Network>(); }
  std::vector<std::string> Echoed() {
    std::vector<std::string> sent;
    for (const auto& entry : platform::TheJournal().Of("IcmpSendEcho")) sent.push_back(entry.args[0]);
    return sent;
  }
  std::vector<std::string> Boxes() {
    std::vector<std::string> prompts;
    for (const auto& record : Answers().records()) prompts.push_back(record.request.prompt);
    return prompts;
  }
  TempMachine machine_;
};

TEST_F(PingModuleTest, ClassifiesTheHostAndPingsTheRightAddress) {
  struct Case {
    const char* host;
    bool result;
    std::vector<std::string> echoed;
  } cases[] = {
      {"localhost", true, {"127.0.0.1"}},        // a name without a dot: looked up by AddressToLong
      {"1.2.3.4", true, {"1.2.3.4"}},            // an address: no look-up
      {"10.1.2", false, {}},                     // three parts: address 0, nothing sent
      {"300.1.1.1", false, {}},                  // a part beyond a byte: address 0, nothing sent
      {"0.0.0.0", false, {}},
      {"10.example.com", false, {}},             // a numeric first label is an address, and not one
      {"   ", false, {}},                         // nothing to ping: no Winsock call
      {"www.x.y", true, {"10.0.0.9"}},           // a name: its first address
      {"nowhere.x.y", false, {}},                // an unknown name: nothing sent
      {"1.2.3.999", false, {}},                  // a part beyond a byte gives address 0
      {"nowhere", false, {}},                    // a name without a dot that no look-up knows
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.host);
    platform::TheJournal().Clear();
    EXPECT_EQ(PingHost(c.host, 10000), c.result);
    EXPECT_EQ(Echoed(), c.echoed);
    EXPECT_EQ(network().startups(), 0);  // every start-up given back
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(PingModuleTest, PingGivesTheRoundTripOrTheNegatedStatus) {
  network().ScriptEcho(0x0200000A, EchoAnswer{IP_REQ_TIMED_OUT, 0});
  network().ScriptEcho(0x0300000A, EchoAnswer{IP_DEST_HOST_UNREACHABLE, 0});
  struct Case {
    const char* address;
    std::int32_t result;
  } cases[] = {{"1.2.3.4", 5},       {"10.0.0.2", -11010}, {"10.0.0.3", -11003},
               {"10.0.0.77", -11050}, {"10.1.2", -11018},   {"300.1.1.1", -11018}};
  for (const auto& c : cases) {
    EchoReplyRecord reply{};
    EXPECT_EQ(Ping(c.address, reply, 10000), c.result) << c.address;
    EXPECT_EQ(reply.reply.Status, c.result > 0 ? 0u : static_cast<ULONG>(-c.result));
  }
  EXPECT_EQ(PingHost("10.0.0.2", 10000), false);
}

TEST_F(PingModuleTest, AFailedEchoNeverReadsAsSuccess) {
  network().ScriptIcmpCreateFailure(true);
  EchoReplyRecord reply{};
  EXPECT_EQ(Ping("1.2.3.4", reply, 10000), -11050);
  EXPECT_FALSE(PingHost("1.2.3.4", 10000));
  EXPECT_TRUE(Echoed().empty());
  EXPECT_EQ(network().startups(), 0);
}

TEST_F(PingModuleTest, AddressToLongTakesFourBytesOrLooksTheNameUp) {
  struct Case {
    const char* host;
    std::int32_t address;
  } cases[] = {
      {"1.2.3.4", 0x04030201},   {"255.255.255.255", -1}, {"0.0.0.0", 0},          {"10.0.0.1", 0x0100000A},
      {"1.2.3.256", 0},          {"1.2.-3.4", 0},         {"1.2.3.4x", 0},         {"a.b.c.d", 0},
      {"1.2.3", 0},              {"1.2.3.4.5", 0},        {"1..3.4", 0},           {" 1.2.3.4", 0},
      {"localhost", 0x0100007F}, {"nowhere", 0},
  };
  ASSERT_TRUE(SocketsInitialize());
  for (const auto& c : cases) EXPECT_EQ(AddressToLong(c.host), c.address) << c.host;
  SocketsCleanup();
  EXPECT_EQ(network().startups(), 0);
}

TEST_F(PingModuleTest, GetIPsFromHostListsEveryAddressInOrder) {
  EXPECT_EQ(GetIPsFromHost("www.x.y"), (std::vector<std::string>{"10.0.0.9", "10.0.0.8"}));
  EXPECT_TRUE(GetIPsFromHost("nowhere.x.y").empty());
  EXPECT_EQ(network().startups(), 0);
  EXPECT_EQ(HiByte(0x0201), 2);
  EXPECT_EQ(LoByte(0x0201), 1);
}

TEST_F(PingModuleTest, WinsockFailuresShowTheirMessages) {
  struct Case {
    platform::net::StartupScript startup;
    bool cleanupFails;
    bool result;
    std::vector<std::string> boxes;
  } cases[] = {
      {{10091, {}, 32767}, false, false,
       {"Windows Sockets for 32 bit Windows environments is not successfully responding."}},
      {{0, 0x0001, 32767}, false, false,
       {"Windows Sockets Version 1.0 is not supported by Windows Sockets for 32 bit Windows environments."}},
      {{0, 0x0100, 32767}, false, false,
       {"Windows Sockets Version 0.1 is not supported by Windows Sockets for 32 bit Windows environments."}},
      {{0, 0x0202, 32767}, false, true, {}},
      {{0, {}, 0}, false, false, {"This application requires a minimum of 1 supported sockets."}},
      {{0, {}, 32767}, true, true, {"Windows Sockets error -1 occurred in Cleanup."}},
  };
  for (const auto& c : cases) {
    Answers().ClearRecords();
    network().ScriptStartup(c.startup);
    network().ScriptCleanupFailure(c.cleanupFails);
    EXPECT_EQ(PingHost("1.2.3.4", 10000), c.result);
    EXPECT_EQ(Boxes(), c.boxes);
    EXPECT_EQ(network().startups(), 0);
  }
  const auto& records = Answers().records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].request.style, vbExclamation);
}

TEST_F(PingModuleTest, TheStepsYieldToTheMessageLoop) {
  std::uint64_t before = YieldCount();
  EXPECT_TRUE(PingHost("www.x.y", 10000));
  // Three yields around each step of a ping by name: eight in all.
  EXPECT_EQ(YieldCount() - before, 3u * 8);
}

}  // namespace
}  // namespace tessaly::testing
