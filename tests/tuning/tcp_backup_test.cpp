// Numbered backups of the network values: the file's layout, name
// allocation, the list, and restores that put every value back (missing
// ones stay missing) or refuse the whole file.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "suite_fixture.h"
#include "tuning/tcp_apply.h"
#include "tuning/tcp_backup.h"

namespace tessaly::testing {
namespace {

using platform::OsKind;
using tuning::Presets;
using tuning::RestoreResult;

const std::string kFolder = "C:\\Program Files\\Tessaly\\VLT Backups\\";

class TcpBackupTest : public SuiteTest {
 protected:
  std::string BackupText(const std::string& name) { return *machine().ReadContent(kFolder + name); }
};

TEST_F(TcpBackupTest, NtFileRecordsLiveValuesAndMissingOnes) {
  auto builder = NetworkMachine(OsKind::WinXP);
  builder.registry("[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\n"
                   "\"TcpWindowSize\"=dword:ffffffff\n");
  UseMachine(builder);
  ASSERT_EQ(tuning::WriteTcpBackup(), std::nullopt);
  using namespace platform::forms;
  Date now = Now();
  char head[64];
  std::snprintf(head, sizeof head, "#%04d-%02d-%02d#\r\n#%02d:%02d:%02d#\r\n", Year(now), Month(now), Day(now),
                Hour(now), Minute(now), Second(now));
  const std::string expected =
      std::string(head) + "7\r\n"
      "\"System\\CurrentControlSet\\Services\\Tcpip\\Parameters\"\r\n"
      "\"SackOpts\"\r\n0\r\n\"Tcp1323Opts\"\r\n\r\n\"TcpMaxDupAcks\"\r\n\r\n\"DefaultReceiveWindow\"\r\n\r\n"
      "\"DefaultTTL\"\r\n128\r\n\"GlobalMaxTcpWindowSize\"\r\n\r\n\"TcpWindowSize\"\r\n4294967295\r\n"
      "\"EnablePMTUBHDetect\"\r\n\r\n\"EnablePMTUDiscovery\"\r\n\r\n\"KeepAliveTime\"\r\n\r\n"
      "\"KeepAliveInterval\"\r\n\r\n\"SYNAttackProtect\"\r\n\r\n\"EnableICMPRedirects\"\r\n\r\n"
      "\"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\"\r\n"
      "\"MaxConnectionsPer1_0Server\"\r\n\r\n\"MaxConnectionsPerServer\"\r\n2\r\n"
      "\"System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize\"\r\n\"\"\r\n\r\n"
      "\"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{11111111-AAAA}\"\r\n"
      "\"MTU\"\r\n1500\r\n\"MSS\"\r\n\r\n"
      "\"SYSTEM\\CurrentControlSet\\Services\\{11111111-AAAA}\\Parameters\\Tcpip\"\r\n\"MTU\"\r\n\r\n\"MSS\"\r\n\r\n"
      "\"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{22222222-BBBB}\"\r\n"
      "\"MTU\"\r\n\r\n\"MSS\"\r\n\r\n"
      "\"SYSTEM\\CurrentControlSet\\Services\\{22222222-BBBB}\\Parameters\\Tcpip\"\r\n\"MTU\"\r\n\r\n\"MSS\"\r\n\r\n";
  EXPECT_EQ(BackupText("001.BCK"), expected);
}

TEST_F(TcpBackupTest, NineXFileReadsTextValuesAndInternetSettingsOfTheUser) {
  UseMachine(OsKind::WinMe);
  ASSERT_EQ(tuning::WriteTcpBackup(), std::nullopt);
  std::string text = BackupText("001.BCK");
  EXPECT_NE(text.find("\r\n4\r\n\"System\\CurrentControlSet\\Services\\VxD\\MSTCP\"\r\n\"SackOpts\"\r\n\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\"DefaultTTL\"\r\n32\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"MaxConnectionsPerServer\"\r\n2\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000\"\r\n\"MaxMTU\"\r\n1500\r\n"
                      "\"MaxMSS\"\r\n\r\n\"System\\CurrentControlSet\\Services\\Class\\NetTrans\\0001\""),
            std::string::npos);
}

TEST_F(TcpBackupTest, NextNumberCountsOnlyThreeDigitNames) {
  struct Case {
    std::vector<std::string> files;
    std::optional<std::string> next;
  };
  const Case cases[] = {
      {{}, "001.BCK"},
      {{"001.BCK", "007.bck"}, "008.BCK"},
      {{"abc.BCK", "x1e9.BCK", "a1e3.BCK"}, "001.BCK"},
      {{"099.BCK"}, "100.BCK"},
      {{"998.BCK", "999.BCK"}, std::nullopt},
  };
  for (const Case& c : cases) {
    auto builder = NetworkMachine(OsKind::WinXP);
    for (const std::string& file : c.files) builder.file(kFolder + file, "");
    UseMachine(builder);
    auto next = tuning::NextBackupFileName();
    EXPECT_EQ(next, c.next ? std::optional<std::string>(kFolder + *c.next) : std::nullopt);
  }
}

TEST_F(TcpBackupTest, ListShowsLocaleDateAndTimeInNameOrder) {
  auto builder = NetworkMachine(OsKind::WinXP);
  builder.file(kFolder + "010.BCK", "#2024-12-31#\r\n#23:05:00#\r\n7\r\n");
  builder.file(kFolder + "009.bck", "#2023-01-02#\r\n#08:00:01#\r\n7\r\n");
  builder.file(kFolder + "011.BCK", "");  // damaged: a row without date and time
  UseMachine(builder);
  auto rows = tuning::ListBackupFiles();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].fileName, "009.BCK");
  EXPECT_EQ(rows[0].dateText, "1/2/2023");
  EXPECT_EQ(rows[0].timeText, "8:00:01 AM");
  EXPECT_EQ(rows[1].dateText, "12/31/2024");
  EXPECT_EQ(rows[1].timeText, "11:05:00 PM");
  EXPECT_EQ(rows[2].fileName, "011.BCK");
  EXPECT_EQ(rows[2].dateText, "");
  EXPECT_FALSE(rows[2].date.has_value());
}

TEST_F(TcpBackupTest, RestoreUndoesAnApplyExactly) {
  for (OsKind os : {OsKind::Win98, OsKind::WinXP}) {
    SCOPED_TRACE(platform::OsKindName(os));
    UseMachine(os);
    // Values the presets never write stay as they are, and the keys the
    // first apply creates exist from then on.
    tuning::ApplyTcpSettings(Presets[7]);
    RegistrySnapshot before = Snapshot();
    ASSERT_EQ(tuning::ApplyTcpSettings(Presets[2]), tuning::ApplyResult::Applied);  // deletes windows, MTU, MSS
    ASSERT_FALSE(Changes(before, Snapshot()).empty());
    auto outcome = tuning::RestoreTcpBackup("002.BCK");
    EXPECT_EQ(outcome.result, RestoreResult::Restored) << outcome.problem;
    EXPECT_EQ(Changes(before, Snapshot()), (std::map<std::string, std::optional<TypedData>>{}));
  }
}

TEST_F(TcpBackupTest, RestoreOfValuesMissingBeforeDeletesThem) {
  UseMachine(OsKind::WinXP);
  RegistrySnapshot before = Snapshot();
  tuning::ApplyTcpSettings(Presets[0]);
  ASSERT_EQ(tuning::RestoreTcpBackup("001.BCK").result, RestoreResult::Restored);
  // Only the keys the apply created remain, empty.
  for (const auto& [entry, data] : Changes(before, Snapshot())) {
    ASSERT_TRUE(data.has_value()) << entry;
    EXPECT_EQ(data->type, 0xFFFFFFFFu) << entry;
  }
}

TEST_F(TcpBackupTest, RestoreWritesTheFullUnsignedRange) {
  UseMachine(OsKind::WinXP);
  ASSERT_EQ(tuning::WriteTcpBackup(), std::nullopt);
  std::string text = BackupText("001.BCK");
  text.replace(text.find("\"DefaultTTL\"\r\n128"), 17, "\"DefaultTTL\"\r\n4294967295");
  text.replace(text.find("\"SackOpts\"\r\n0"), 13, "\"SackOpts\"\r\n-2147483648");
  machine().WriteContent(kFolder + "001.BCK", text);
  ASSERT_EQ(tuning::RestoreTcpBackup("001.BCK").result, RestoreResult::Restored);
  const char* key = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, key, "DefaultTTL"), Dword(0xFFFFFFFF));
  EXPECT_EQ(QueryValue(HKEY_LOCAL_MACHINE, key, "SackOpts"), Dword(0x80000000));
}

TEST_F(TcpBackupTest, RefusedFilesChangeNothing) {
  const std::string adapterA = "Interfaces\\{11111111-AAAA}\"";
  struct Case {
    const char* what;
    std::function<std::string(std::string)> edit;
    RestoreResult result;
  };
  const Case cases[] = {
      {"another family's file", [](std::string t) { return t.replace(t.find("\r\n7\r\n"), 5, "\r\n4\r\n"); },
       RestoreResult::OtherSystem},
      {"another release of the family", [](std::string t) { return t.replace(t.find("\r\n7\r\n"), 5, "\r\n6\r\n"); },
       RestoreResult::OtherSystem},
      {"a key outside the stack",
       [](std::string t) {
         std::string from = "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";
         return t.replace(t.find(from), from.size(), "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
       },
       RestoreResult::Damaged},
      {"another value name",
       [](std::string t) { return t.replace(t.find("\"DefaultTTL\""), 12, "\"Shell\""); }, RestoreResult::Damaged},
      {"an adapter key with two segments",
       [&](std::string t) { return t.replace(t.find(adapterA), adapterA.size(), "Interfaces\\{1}\\Evil\""); },
       RestoreResult::Damaged},
      {"an adapter pair naming two adapters",
       [](std::string t) {
         std::string from = "Services\\{11111111-AAAA}\\Parameters";
         return t.replace(t.find(from), from.size(), "Services\\{22222222-BBBB}\\Parameters");
       },
       RestoreResult::Damaged},
      {"a truncated file", [](std::string t) { return t.substr(0, t.size() - 12); }, RestoreResult::Damaged},
      {"a value that is no number", [](std::string t) { return t.replace(t.find("\r\n128\r\n"), 7, "\r\n\"x\"\r\n"); },
       RestoreResult::Damaged},
      {"a value out of range",
       [](std::string t) { return t.replace(t.find("\r\n128\r\n"), 7, "\r\n4294967296\r\n"); },
       RestoreResult::Damaged},
      {"an empty file", [](std::string) { return std::string(); }, RestoreResult::Damaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UseMachine(OsKind::WinXP);
    ASSERT_EQ(tuning::WriteTcpBackup(), std::nullopt);
    machine().WriteContent(kFolder + "001.BCK", c.edit(BackupText("001.BCK")));
    tuning::ApplyTcpSettings(Presets[4]);
    RegistrySnapshot before = Snapshot();
    EXPECT_EQ(tuning::RestoreTcpBackup("001.BCK").result, c.result);
    EXPECT_TRUE(Changes(before, Snapshot()).empty());
  }
}

}  // namespace
}  // namespace tessaly::testing
