// Saving the cleaning log through the save dialog, and finding and starting
// System Information through the registry.
#include <gtest/gtest.h>

#include <filesystem>

#include "main_window_fixture.h"
#include "platform/base/journal.h"
#include "platform/files/file_seams.h"
#include "platform/forms/forms.h"
#include "platform/registry/advapi32.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;
namespace fs = std::filesystem;

const std::string kLog = "Cleaning started at 6/15/2006 12:00:00 PM\r\n[Clean Windows]\r\n\r\n"
                         "\tC:\\Dokumente\\R\xE9sum\xE9 \x80 \xFF.tmp\r\n\r\n\r\nAll Restored Size is 1.5 KB\r\n";

class SaveLogTest : public MainWindowTest {
 protected:
  Form1Form& form_ = Form1();
  bool logged_ = (form_.txtResult.Text(kLog), form_.ShowThatFrame(form_.Frame_Result), true);
};

TEST_F(SaveLogTest, TheLogIsWrittenByteForByteUnderTheNameGiven) {
  machine_.Put("old.txt", "an older and longer file that is replaced whole");
  for (const char* name : {"C:\\cleaning.log", "C:\\report", "C:\\old.txt"}) {
    SCOPED_TRACE(name);
    Answers().Script("OK", name);
    form_.cmdSaveLog.UserClick();
    EXPECT_EQ(form_.cmdg.Filter, "Log file|*.log");
    EXPECT_EQ(machine_.ReadContent(name), kLog);
  }
  EXPECT_FALSE(fs::exists(machine_.hostPath("C:\\report.log")));  // no extension is added
}

TEST_F(SaveLogTest, CancelWritesNothingEvenWithANameLeftInTheDialog) {
  form_.cmdg.FileName = "C:\\left-by-another-page.log";
  Answers().Script("Cancel");
  form_.cmdSaveLog.UserClick();
  EXPECT_FALSE(fs::exists(machine_.hostPath("C:\\left-by-another-page.log")));
  // With CancelError on (another page's setting) a cancel is still no error.
  form_.cmdg.CancelError = true;
  Answers().Script("Cancel");
  form_.cmdSaveLog.UserClick();
  EXPECT_FALSE(fs::exists(machine_.hostPath("C:\\left-by-another-page.log")));
}

TEST_F(SaveLogTest, AFileThatCannotBeWrittenIsReported) {
  Answers().Script("OK", "C:\\no such folder\\cleaning.log");
  form_.cmdSaveLog.UserClick();
  ASSERT_FALSE(Answers().records().empty());
  EXPECT_EQ(Answers().records().back().request.prompt,
            "The log could not be saved to C:\\no such folder\\cleaning.log: Path not found");
  EXPECT_EQ(form_.txtResult.Text(), kLog);  // the log stays in the window
}

constexpr const char* kMsInfo = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n";
constexpr const char* kLocation = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\r\n";
constexpr const char* kProgram = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";

struct SysInfoCase {
  const char* what;
  std::string registry;
  bool programPresent;
  const char* started;  // the recorded command line, "" = the message
};

class SysInfoTest : public ::testing::Test, public ::testing::WithParamInterface<SysInfoCase> {
 protected:
  SysInfoTest() {
    ResetFormsRuntime();
    InstallCleaningEngine(engine_);
  }
  ~SysInfoTest() override {
    InstallCleaningEngine(nullptr);
    ResetFormsRuntime();
  }
  static platform::MachineBuilder Machine() {
    auto builder = TestMachine().registry(GetParam().registry);
    if (GetParam().programPresent) builder.file(kProgram, "MZ-STANDIN version=5.1.2600.0\r\n");
    return builder;
  }
  void CheckClick() {
    Form1Form& form = Form1();
    std::size_t boxes = Answers().records().size();
    form.cmdSysInfo_Click();
    std::vector<std::string> starts;
    for (const auto& entry : platform::TheJournal().entries())
      if (entry.call == "Shell") starts.push_back(entry.args.at(0));
    if (*GetParam().started) {
      EXPECT_EQ(starts, std::vector<std::string>{GetParam().started});
      EXPECT_EQ(Answers().records().size(), boxes);
    } else {
      EXPECT_TRUE(starts.empty());
      ASSERT_EQ(Answers().records().size(), boxes + 1);
      EXPECT_EQ(Answers().records().back().request.prompt, kUnavailable);
    }
  }

  std::shared_ptr<ScriptedEngine> engine_ = std::make_shared<ScriptedEngine>();
  TempMachine machine_{Machine()};
};

TEST_P(SysInfoTest, TheProgramIsFoundThroughTheRegistry) { CheckClick(); }

// A limited user may only read HKLM: the keys must still be readable.
TEST_P(SysInfoTest, ALimitedUserReadsTheSameKeys) {
  machine_.ReopenAsLimitedUser({});
  CheckClick();
}

const std::string kQuotedProgram = std::string("\"") + kProgram + "\"";

INSTANTIATE_TEST_SUITE_P(
    Values, SysInfoTest,
    ::testing::Values(
        SysInfoCase{"path", std::string(kMsInfo) + "\"PATH\"=\"" + platform::forms::Replace(kProgram, "\\", "\\\\") +
                                "\"\r\n",
                    true, kQuotedProgram.c_str()},
        SysInfoCase{"path to a missing program, no fallback",
                    std::string(kMsInfo) + "\"PATH\"=\"C:\\\\gone\\\\msinfo32.exe\"\r\n" + kLocation +
                        "\"MSINFO\"=\"C:\\\\Program Files\\\\Common Files\\\\Microsoft Shared\\\\MSInfo\"\r\n",
                    true, ""},
        SysInfoCase{"shared tools location",
                    std::string(kLocation) +
                        "\"MSINFO\"=\"C:\\\\Program Files\\\\Common Files\\\\Microsoft Shared\\\\MSInfo\"\r\n",
                    true, "\"C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\MSINFO32.EXE\""},
        SysInfoCase{"shared tools location without the program",
                    std::string(kLocation) + "\"MSINFO\"=\"C:\\\\nowhere\"\r\n", true, ""},
        // %CommonProgramFiles% expands to C:\Program Files\Common Files.
        SysInfoCase{"expandable path",
                    std::string(kMsInfo) +
                        "\"PATH\"=hex(2):25,43,6f,6d,6d,6f,6e,50,72,6f,67,72,61,6d,46,69,6c,65,73,25,5c,4d,69,63,"
                        "72,6f,73,6f,66,74,20,53,68,61,72,65,64,5c,4d,53,49,6e,66,6f,5c,6d,73,69,6e,66,6f,33,32,2e,"
                        "65,78,65,00\r\n",
                    true, kQuotedProgram.c_str()},
        SysInfoCase{"nothing registered", "", true, ""}));

class KeyValueTest : public MainWindowTest {
 protected:
  Form1Form& form_ = Form1();
};

TEST_F(KeyValueTest, ValuesAreReadByType) {
  struct Case {
    const char* name;
    bool read;
    const char* text;
  };
  HKEY key = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Probe", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  DWORD number = 3000;
  RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
  RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc\0def"), 8);
  RegSetValueExA(key, "Binary", 0, REG_BINARY, reinterpret_cast<const BYTE*>("\x01\x02"), 2);
  std::string big(1025, 'x');
  RegSetValueExA(key, "Long", 0, REG_SZ, reinterpret_cast<const BYTE*>(big.c_str()), 1026);
  RegCloseKey(key);
  const Case cases[] = {{"Number", true, "3000"}, {"Text", true, "abc"}, {"Binary", false, ""},
                        {"Long", false, ""},      {"Missing", false, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string value = "before";
    EXPECT_EQ(form_.GetKeyValue(static_cast<std::int32_t>(HKEY_LOCAL_MACHINE), "SOFTWARE\\Probe", c.name, value),
              c.read);
    EXPECT_EQ(value, c.text);
  }
  std::string value = "before";
  EXPECT_FALSE(form_.GetKeyValue(static_cast<std::int32_t>(HKEY_LOCAL_MACHINE), "SOFTWARE\\NoSuchKey", "x", value));
  EXPECT_EQ(value, "");
}

}  // namespace
}  // namespace tessaly::testing
