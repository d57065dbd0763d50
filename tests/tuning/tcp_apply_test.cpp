// The eight presets written into a 9x and an NT machine with two adapters:
// exactly the stack's values of each family, with "-1" deleting, and
// nothing else in the registry changed (the backup is a file).
#include <gtest/gtest.h>

#include "suite_fixture.h"
#include "tuning/tcp_apply.h"
#include "tuning/tcp_backup.h"

namespace tessaly::testing {
namespace {

using platform::OsKind;
using tuning::ApplyTcpSettings;
using tuning::ApplyResult;
using tuning::Presets;
using Changed = std::map<std::string, std::optional<TypedData>>;

// The presets as the window's table gives them.
struct PresetValues {
  long mss, mtu, rwin, ttl, keepAliveTime, keepAliveInterval, per1_0Server, perServer;
};
const PresetValues kPresetTable[] = {
    {536, 576, 4288, 128, 600000, 1000, 16, 8},       {536, 576, -1, 128, 600000, 1000, 16, 8},
    {-1, -1, -1, 128, 600000, 1000, 16, 8},           {536, 576, 5432, 64, 7200000, 1000, 20, 20},
    {1460, 1500, 256960, 64, 7200000, 1000, 20, 20},  {1452, 1492, 255552, 64, 7200000, 1000, 20, 20},
    {1460, 1500, 256960, 32, 6400000, 1000, 20, 20},  {1500, 1500, 8192, 32, 3600000, 1000, 2, 4},
};

const std::string kMstcp = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP|";
const std::string kNetTrans = "HKLM\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\";
const std::string kNdi = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";
const std::string kTcpip = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters|";
const std::string kInterfaces = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
const std::string kServices = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\";

// Sets `entry` to `data`, or deletes it, relative to `before`.
void Expect(Changed& changes, const RegistrySnapshot& before, const std::string& given,
            std::optional<TypedData> data) {
  std::string entry = Entry(given.substr(0, given.find('|')), given.substr(given.find('|') + 1));
  auto it = before.find(entry);
  bool existed = it != before.end();
  if (data ? (existed && it->second == *data) : !existed) return;  // no change
  changes[entry] = data;
}

Changed Expected9x(const PresetValues& p, const RegistrySnapshot& before) {
  Changed changes;
  auto sz = [](long v) { return Sz(std::to_string(v)); };
  auto unless = [&](bool remove, long v) { return remove ? std::nullopt : std::optional<TypedData>(sz(v)); };
  Expect(changes, before, kMstcp + "SackOpts", sz(1));
  Expect(changes, before, kMstcp + "Tcp1323Opts", sz(1));
  Expect(changes, before, kMstcp + "DefaultTTL", sz(p.ttl));
  Expect(changes, before, kMstcp + "DefaultRcvWindow", unless(p.rwin == -1, p.rwin));
  Expect(changes, before, kMstcp + "GlobalMaxTcpWindowSize", unless(p.rwin == -1, p.rwin));
  Expect(changes, before, kMstcp + "PMTUBlackHoleDetect", sz(0));
  Expect(changes, before, kMstcp + "PMTUDiscovery", sz(1));
  Expect(changes, before, kMstcp + "KeepAliveTime", sz(p.keepAliveTime));
  Expect(changes, before, kMstcp + "KeepAliveInterval", sz(p.keepAliveInterval));
  const std::string ie = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings|";
  Expect(changes, before, ie + "MaxConnectionsPer1_0Server", sz(p.per1_0Server));
  Expect(changes, before, ie + "MaxConnectionsPerServer", sz(p.perServer));
  // The key and its parents are new on a 9x machine without NWLink.
  for (std::string key = kNdi; key != "HKLM\\System\\CurrentControlSet\\Services\\VxD"; key.erase(key.rfind('\\')))
    Expect(changes, before, key + "|", TypedData{0xFFFFFFFF, ""});
  Expect(changes, before, kNdi + "|", sz(0));
  for (const char* adapter : {"0000", "0001"}) {
    Expect(changes, before, kNetTrans + adapter + "|MaxMTU", unless(p.mtu == -1, p.mtu));
    Expect(changes, before, kNetTrans + adapter + "|MaxMSS", unless(p.mtu == -1, p.mss));
  }
  return changes;
}

Changed ExpectedNT(const PresetValues& p, const RegistrySnapshot& before) {
  Changed changes;
  auto dw = [](long v) { return Dword(static_cast<std::uint32_t>(v)); };
  auto unless = [&](bool remove, long v) { return remove ? std::nullopt : std::optional<TypedData>(dw(v)); };
  Expect(changes, before, kTcpip + "SackOpts", dw(1));
  Expect(changes, before, kTcpip + "Tcp1323Opts", dw(1));
  Expect(changes, before, kTcpip + "TcpMaxDupAcks", dw(2));
  Expect(changes, before, kTcpip + "DefaultReceiveWindow", dw(8192));
  Expect(changes, before, kTcpip + "DefaultTTL", dw(p.ttl));
  Expect(changes, before, kTcpip + "GlobalMaxTcpWindowSize", unless(p.rwin == -1, p.rwin));
  Expect(changes, before, kTcpip + "TcpWindowSize", unless(p.rwin == -1, p.rwin));
  Expect(changes, before, kTcpip + "EnablePMTUBHDetect", dw(0));
  Expect(changes, before, kTcpip + "EnablePMTUDiscovery", dw(1));
  Expect(changes, before, kTcpip + "KeepAliveTime", dw(p.keepAliveTime));
  Expect(changes, before, kTcpip + "KeepAliveInterval", dw(p.keepAliveInterval));
  Expect(changes, before, kTcpip + "SYNAttackProtect", dw(2));
  Expect(changes, before, kTcpip + "EnableICMPRedirects", dw(0));
  const std::string ie = "HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings|";
  Expect(changes, before, ie + "MaxConnectionsPer1_0Server", dw(p.per1_0Server));
  Expect(changes, before, ie + "MaxConnectionsPerServer", dw(p.perServer));
  Expect(changes, before, kNdi + "|", dw(0));
  for (const char* adapter : {"{11111111-AAAA}", "{22222222-BBBB}"})
    for (const std::string& key : {kInterfaces + adapter, kServices + adapter + "\\Parameters\\Tcpip"}) {
      Expect(changes, before, key + "|MTU", unless(p.mtu == -1, p.mtu));
      Expect(changes, before, key + "|MSS", unless(p.mtu == -1, p.mss));
    }
  return changes;
}

class TcpApplyTest : public SuiteTest {};

TEST_F(TcpApplyTest, EachPresetWritesExactlyTheFamilysValues) {
  struct Family {
    OsKind os;
    Changed (*expected)(const PresetValues&, const RegistrySnapshot&);
  };
  for (const Family& family : {Family{OsKind::Win98, Expected9x}, Family{OsKind::WinXP, ExpectedNT}}) {
    for (int k = 0; k < tuning::kPresetCount; ++k) {
      SCOPED_TRACE(platform::OsKindName(family.os) + " preset " + std::to_string(k));
      UseMachine(family.os);
      RegistrySnapshot before = Snapshot();
      ASSERT_EQ(ApplyTcpSettings(Presets[k]), ApplyResult::Applied);
      EXPECT_EQ(Changes(before, Snapshot()), family.expected(kPresetTable[k], before));
    }
  }
}

TEST_F(TcpApplyTest, MtuDecidesForTheMss) {
  struct Case {
    OsKind os;
    long mtu, mss;
    std::optional<TypedData> mss0000;  // the first adapter's MSS afterwards
  };
  const Case cases[] = {
      {OsKind::Win98, -1, 536, std::nullopt},
      {OsKind::Win98, 576, -1, Sz("-1")},
      {OsKind::WinXP, -1, 536, std::nullopt},
      {OsKind::WinXP, 576, -1, Dword(0xFFFFFFFF)},
  };
  for (const Case& c : cases) {
    UseMachine(c.os);
    tuning::TcpProfile profile = Presets[0];
    profile.MTU = c.mtu;
    profile.MSS = c.mss;
    ApplyTcpSettings(profile);
    bool nt = c.os == OsKind::WinXP;
    std::string key = nt ? "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{11111111-AAAA}"
                         : "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, key.c_str(), nt ? "MSS" : "MaxMSS"), c.mss0000) << c.mtu << " " << c.mss;
  }
}

TEST_F(TcpApplyTest, AdapterListMissing) {
  // 9x stops before the adapters; NT still writes the NWLink value.
  for (OsKind os : {OsKind::Win98, OsKind::WinXP}) {
    UseMachine(TestMachine(os));
    ASSERT_EQ(ApplyTcpSettings(Presets[0]), ApplyResult::Applied);
    EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize",
                         ""),
              os == OsKind::WinXP ? Dword(0) : Sz("0"));
  }
}

TEST_F(TcpApplyTest, NtCreatesEachAdaptersServiceKey) {
  auto builder = TestMachine(OsKind::Win2000);
  builder.registry(
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{NEW}]\n");
  UseMachine(builder);
  ApplyTcpSettings(Presets[4]);
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\{NEW}\\Parameters\\Tcpip", "MTU"),
            Dword(1500));
}

TEST_F(TcpApplyTest, UnknownSystemWritesNothingAndTakesNoBackup) {
  UseMachine(OsKind::WinXP);
  tuning::OSCode = 0;
  RegistrySnapshot before = Snapshot();
  EXPECT_EQ(ApplyTcpSettings(Presets[0]), ApplyResult::UnknownSystem);
  EXPECT_TRUE(Changes(before, Snapshot()).empty());
  EXPECT_EQ(tuning::ListBackupFiles().size(), 0u);
}

TEST_F(TcpApplyTest, EachApplyTakesTheNextBackupFirst) {
  UseMachine(OsKind::WinXP);
  ApplyTcpSettings(Presets[0]);
  ApplyTcpSettings(Presets[1]);
  auto rows = tuning::ListBackupFiles();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].fileName, "001.BCK");
  EXPECT_EQ(rows[1].fileName, "002.BCK");
}

TEST_F(TcpApplyTest, NoBackupNoApply) {
  // Every number is taken: the user is told and nothing is written.
  auto builder = NetworkMachine(OsKind::WinXP);
  builder.file("C:\\Program Files\\Tessaly\\VLT Backups\\999.BCK", "");
  UseMachine(builder);
  RegistrySnapshot before = Snapshot();
  EXPECT_EQ(ApplyTcpSettings(Presets[0]), ApplyResult::NoBackup);
  EXPECT_TRUE(Changes(before, Snapshot()).empty());
  ASSERT_EQ(platform::forms::Answers().records().size(), 1u);
  EXPECT_EQ(platform::forms::Answers().records()[0].request.style, 16);
}

}  // namespace
}  // namespace tessaly::testing
