// tsyT as real processes on a fixture machine folder.
#include "tsyT_process_fixture.h"

#include <fstream>

#include "mainwindow/plugins/plugin_store.h"

namespace tessaly::testing {
namespace {

using namespace std::chrono_literals;

TEST_F(TsyTProcessTest, AScheduledRunCleansAndEndsOnItsOwn) {
  pid_t pid = Start({"/SCHEDULER"});
  ASSERT_EQ(Wait(pid, 60s), 0);
  EXPECT_FALSE(Exists("C:\\Temp\\trace.tmp"));
  EXPECT_FALSE(Exists("C:\\Docs\\old.tmp"));
  EXPECT_FALSE(Exists("C:\\WINDOWS\\system32\\crash.dmp"));  // Windows item 0
  EXPECT_TRUE(Exists("C:\\WINDOWS\\system32\\keep.dll"));
  EXPECT_TRUE(Exists("C:\\Docs\\letter.txt"));
  EXPECT_FALSE(UserKeyExists("Software\\Microsoft\\Internet Explorer\\TypedURLs"));  // the IE section's first box
  EXPECT_TRUE(UserKeyExists("Software\\Microsoft\\Internet Explorer"));
  for (const auto& stored : kStoredValues) EXPECT_EQ(Stored(stored.key, stored.value), stored.data) << stored.value;
  EXPECT_EQ(TrayIconCount(), 0u);
}

TEST_F(TsyTProcessTest, AScheduledRunAnsweredYesCleansTheSelectedBuiltInPlugins) {
  const std::string selection = "SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS\\BPI";
  Store(HKEY_LOCAL_MACHINE, selection, "0", "True");  // ACDSee
  Store(HKEY_LOCAL_MACHINE, selection, "2", "True");  // Adobe Acrobat Reader 5.x
  Store(HKEY_CURRENT_USER, "Software\\ACD Systems\\ACDSee", "openfolder", "C:\\Pictures");
  Store(HKEY_CURRENT_USER, "Software\\ACD Systems\\ACDSee", "histpaths", "C:\\Pictures");
  Store(HKEY_CURRENT_USER, "Software\\ACD Systems\\ACDSee", "viewmode", "1");
  Store(HKEY_CURRENT_USER, "Software\\Adobe\\Acrobat Reader\\5.0\\AVGeneral\\cRecentFiles", "c1", "a.pdf");
  Store(HKEY_CURRENT_USER, "Software\\Adobe\\Acrobat Reader\\4.0\\AdobeViewer", "avpRecentFile1", "b.pdf");

  pid_t pid = Start({"/SCHEDULER"}, "Yes");
  ASSERT_EQ(Wait(pid, 60s), 0);
  EXPECT_FALSE(UserValueExists("Software\\ACD Systems\\ACDSee", "openfolder"));
  EXPECT_FALSE(UserValueExists("Software\\ACD Systems\\ACDSee", "histpaths"));
  EXPECT_TRUE(UserValueExists("Software\\ACD Systems\\ACDSee", "viewmode"));
  EXPECT_FALSE(UserKeyExists("Software\\Adobe\\Acrobat Reader\\5.0\\AVGeneral\\cRecentFiles"));
  // Not selected: left alone.
  EXPECT_TRUE(UserValueExists("Software\\Adobe\\Acrobat Reader\\4.0\\AdobeViewer", "avpRecentFile1"));
  EXPECT_FALSE(Exists("C:\\Temp\\trace.tmp"));  // the other sections ran too
  EXPECT_EQ(Stored("OPTIONS\\BPI", "2"), "True");
  EXPECT_EQ(Stored("OPTIONS\\BPI", "1"), "False");
}

// Headless, standard output tells what the run did: its log lines and its
// boxes with their answers, as they happened.
TEST_F(TsyTProcessTest, AScheduledRunPrintsItsLogAndItsBoxes) {
  Store(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS\\BPI", "0", "True");
  const std::string output = (temp_.path() / "stdout.txt").string();
  pid_t pid = Start({"/SCHEDULER"}, "No", output.c_str());
  ASSERT_EQ(Wait(pid, 60s), 0);
  std::ifstream in(output, std::ios::binary);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(text.rfind("Opened machine ", 0), 0u) << text;
  std::size_t at = 0;
  for (const char* line : {"\nCleaning started at ", "\n[Clean Windows]\n\n", "\n[Clean Built-In]\n",
                           "] Are you sure that you want to clean all plugins", " -> No (from TESSALY_ANSWERS)\n", "\n\n\nAll Restored Size is "}) {
    std::size_t found = text.find(line, at);
    ASSERT_NE(found, std::string::npos) << line << "\n" << text;
    at = found;
  }
  EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST_F(TsyTProcessTest, AScheduledRunAnsweredByDefaultLeavesTheBuiltInPluginsAlone) {
  Store(HKEY_LOCAL_MACHINE, "SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS\\BPI", "0", "True");
  Store(HKEY_CURRENT_USER, "Software\\ACD Systems\\ACDSee", "openfolder", "C:\\Pictures");
  pid_t pid = Start({"/SCHEDULER"});
  ASSERT_EQ(Wait(pid, 60s), 0);
  EXPECT_TRUE(UserValueExists("Software\\ACD Systems\\ACDSee", "openfolder"));
  EXPECT_FALSE(Exists("C:\\Temp\\trace.tmp"));
  EXPECT_EQ(Stored("OPTIONS\\BPI", "0"), "True");  // the No kept the selection
}

TEST_F(TsyTProcessTest, ASecondProcessEndsAtOnceAndTouchesNothing) {
  pid_t first = Start({});
  auto until = std::chrono::steady_clock::now() + 30s;
  while (!InstanceLockHeld() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(20ms);
  ASSERT_TRUE(InstanceLockHeld());
  // The first stays resident: it does not end by itself.
  EXPECT_EQ(waitpid(first, nullptr, WNOHANG), 0);

  const std::string output = (temp_.path() / "second.txt").string();
  pid_t second = Start({"/SCHEDULER"}, nullptr, output.c_str());
  EXPECT_EQ(Wait(second, 30s), 0);
  EXPECT_TRUE(Exists("C:\\Temp\\trace.tmp"));  // no run
  // Headless, the one line that says why nothing ran.
  EXPECT_EQ(TextOf(output), "Opened machine " + folder().string() +
                                "\nAnother instance of Tessaly is running on this machine; this start ends.\n");

  kill(first, SIGTERM);  // closes the window as its close command would
  ASSERT_EQ(Wait(first, 30s), 0);
  EXPECT_TRUE(Exists("C:\\Temp\\trace.tmp"));
  EXPECT_EQ(Stored("OPTIONS", "SkipMessages"), "0");  // the first saved its options on close
  EXPECT_EQ(Stored("OPTIONS", "CleanThis"), "1");
  EXPECT_EQ(TrayIconCount(), 0u);
}

// An unattended run is never lost to a box its answers did not foresee:
// the box takes its default button and the transcript says so. TEMP at the
// drive root is refused in the log, with or without the box.
TEST_F(TsyTProcessTest, AnAnswerNotAmongABoxsButtonsGivesTheDefaultAndTheRunGoesOn) {
  std::filesystem::remove_all(folder());
  auto builder = tessaly::testing::TestMachine();
  builder.description().environment.push_back({"TEMP", "C:\\"});
  builder.description().environment.push_back({"TMP", "C:\\"});
  builder.file("C:\\keep.txt", "keep")
      .file("C:\\Docs\\old.tmp", "left behind")
      .registry(std::string(kStoredOptions) +
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS]\n\"SkipMessages\"=\"1\"\n")
      .Build(folder());
  const std::string output = (temp_.path() / "stdout.txt").string();
  pid_t pid = Start({"/SCHEDULER"}, "No", output.c_str());
  ASSERT_EQ(Wait(pid, 60s), 0);
  const std::string text = TextOf(output);
  std::size_t at = 0;
  for (const char* line : {"\nCleaning started at ",
                           "] Your temp folder is C:which is the root folder -> OK (default button: \"No\" from "
                           "TESSALY_ANSWERS is not among its buttons)\n",
                           "\n\tFolder not cleaned C:\\: it is a drive root\n", "\n\n\nAll Restored Size is "}) {
    std::size_t found = text.find(line, at);
    ASSERT_NE(found, std::string::npos) << line << "\n" << text;
    at = found;
  }
  EXPECT_TRUE(Exists("C:\\keep.txt"));
  EXPECT_FALSE(Exists("C:\\Docs\\old.tmp"));  // the hard-disk section ran after the box
}

// A scheduled run cleans what an installed, ticked extra plug-in names and
// leaves the enciphered store as it was, with no clear copy beside it.
TEST_F(TsyTProcessTest, AScheduledRunCleansAnExtraPluginsRowsAndKeepsTheStore) {
  const std::string plain =
      "[Tool]\r\nCAT=Test\r\nDefault=True\r\nDetect=HKey_Local_Machine\\Software\\Tool\r\n"
      "APP=HKey_Local_Machine\\Software\\Tool+ Value`= ExePath\r\nRC=1\r\n"
      "RK1=HKey_Current_User\\Software\\Tool\\Recent- TSYRegKey\r\nFC=1\r\nFK1=%APP%\\logs\\+ Value`= *.log\r\n";
  FileBytes store = EncipherStoreBytes(FileBytes(plain.begin(), plain.end()));
  const std::string storePath = "C:\\Program Files\\Tessaly\\Plugins\\PLUGINS.dbs";
  std::filesystem::remove_all(folder());
  tessaly::testing::TestMachine()
      .file("C:\\Temp\\trace.tmp", "left behind")
      .file("C:\\Tools\\Tool\\logs\\a.log", "log")
      .file("C:\\Tools\\Tool\\logs\\old\\b.log", "log")
      .file("C:\\Tools\\Tool\\logs\\keep.txt", "keep")
      .file("C:\\Tools\\c.log", "keep")
      .file(storePath, std::string(store.begin(), store.end()))
      .registry(std::string(kStoredOptions) +
                "[HKEY_LOCAL_MACHINE\\Software\\Tool]\n\"ExePath\"=\"C:\\\\Tools\\\\Tool\\\\tool.exe\"\n"
                "[HKEY_CURRENT_USER\\Software\\Tool\\Recent]\n\"File1\"=\"a.txt\"\n")
      .Build(folder());

  pid_t pid = Start({"/SCHEDULER"});
  ASSERT_EQ(Wait(pid, 60s), 0);
  EXPECT_FALSE(Exists("C:\\Tools\\Tool\\logs\\a.log"));
  EXPECT_FALSE(Exists("C:\\Tools\\Tool\\logs\\old\\b.log"));
  EXPECT_TRUE(Exists("C:\\Tools\\Tool\\logs\\keep.txt"));
  EXPECT_TRUE(Exists("C:\\Tools\\c.log"));
  EXPECT_FALSE(UserKeyExists("Software\\Tool\\Recent"));
  EXPECT_TRUE(UserKeyExists("Software\\Tool"));
  EXPECT_FALSE(Exists("C:\\WINDOWS\\inf\\xyzx.inf"));
  std::ifstream in(platform::HostPathForBuilder(folder(), storePath), std::ios::binary);
  FileBytes after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_TRUE(DecipherStoreBytes(after));
  EXPECT_EQ(std::string(after.begin(), after.end()), plain);
}

}  // namespace
}  // namespace tessaly::testing
