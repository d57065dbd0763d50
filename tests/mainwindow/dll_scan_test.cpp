// The unreferenced-DLL scan of one drive and the deletion of what it finds,
// over the real tools and the type-library component.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "mainwindow/Form1.h"
#include "mainwindow/run/engine_link.h"
#include "mainwindow/run/tools_link.h"
#include "platform/files/stand_in.h"
#include "platform/forms/forms.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;
namespace fs = std::filesystem;

const char* const kLibraries[] = {"{01000000-0000-0000-0000-000000000000}", "{02000000-0000-0000-0000-000000000000}",
                                  "{03000000-0000-0000-0000-000000000000}", "{04000000-0000-0000-0000-000000000000}"};

std::string Library(int which, std::size_t padding) {
  return platform::files::StandInLine({{"typelib", kLibraries[which]}, {"coclass", "{0F000000-0000-0000-0000-00000000000" + std::to_string(which) + "}"}}) +
         std::string(padding, 'x');
}

// The library registered as `win32`, with the keys a registration also
// writes beside its locale.
std::string TypeLib(int which, const std::string& win32) {
  std::string key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\TypeLib\\" + std::string(kLibraries[which]) + "\\1.0";
  std::string escaped;
  for (char c : win32) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return key + "\\FLAGS]\r\n@=\"0\"\r\n" + key + "\\HELPDIR]\r\n@=\"E:\\\\tl\"\r\n" + key + "\\409\\win32]\r\n@=\"" +
         escaped + "\"\r\n";
}

platform::MachineBuilder ScanMachine() {
  platform::DriveDescription data;
  data.letter = 'E';
  data.capacity = 8ull * 1024 * 1024;
  data.label = "DATA";
  return TestMachine()
      .drive(data)
      .file("C:\\WINDOWS\\system32\\kernel32.dll", "kernel")
      .file("E:\\tl\\lib.dll", Library(0, 1))
      .file("E:\\copies\\lib.dll", Library(0, 10))
      .file("E:\\copies2\\lib.dll", Library(0, 20))
      .file("E:\\tl\\third.dll", Library(1, 1))
      .file("E:\\copies\\third.dll", Library(1, 2))
      .file("E:\\copies\\fourth.dll", Library(2, 1))
      .file("E:\\copies\\x.dll", Library(3, 1))
      .file("E:\\copies\\plain.dll", "no type library")
      .file("E:\\Microsoft Stuff\\lib.dll", Library(0, 3))
      .file("E:\\mydao\\lib.dll", Library(0, 4))
      .registry(TypeLib(0, "E:\\tl\\lib.dll") + TypeLib(1, "e:\\TL\\third.dll\\1") + TypeLib(2, "fourth.dll") +
                TypeLib(3, "E:\\PROGRA~1\\x.dll"));
}

class DllScanTest : public ::testing::Test {
 protected:
  ~DllScanTest() override {
    ResetFormsRuntime();
    InstallCleaningEngine(nullptr);
    InstallSystemTools(nullptr);
  }
  std::vector<std::string> Rows(ListView& list) {
    std::vector<std::string> rows;
    for (int i = 1; i <= list.Count(); ++i) rows.push_back(list.Item(i).Text);
    return rows;
  }
  std::vector<std::string> Prompts() {
    std::vector<std::string> prompts;
    for (const auto& record : Answers().records())
      if (record.request.kind == AskKind::MessageBox) prompts.push_back(record.request.prompt);
    return prompts;
  }
  void Scan(char drive) {
    form_.ShowThatFrame(form_.Frame_DllScan);
    form_.Drive1.Drive(std::string(1, drive));
    form_.Command2_Click();
  }

  TempMachine machine_{ScanMachine()};
  bool connected_ = (ResetFormsRuntime(), ConnectCleaningEngine(), ConnectSystemTools(), true);
  Form1Form& form_ = Form1();
};

TEST_F(DllScanTest, ListsCopiesOfRegisteredLibrariesButNeverTheRegisteredFile) {
  Scan('E');
  EXPECT_TRUE(Prompts().empty());
  EXPECT_EQ(Rows(form_.list2),
            (std::vector<std::string>{"e:\\copies\\lib.dll", "e:\\copies\\third.dll", "e:\\copies2\\lib.dll"}));
  EXPECT_EQ(form_.SkinLabel27.Caption(), "6");
  EXPECT_EQ(form_.SkinLabel25.Caption(), "3");
  EXPECT_TRUE(form_.Command2.Enabled());
  EXPECT_FALSE(form_.SkinLabel28.Visible());
  EXPECT_FALSE(form_.Command3.Enabled());
}

TEST_F(DllScanTest, CopiesOfTheSameNameAreBothKeptInTheBackupFolder) {
  Scan('E');
  form_.list2.UserCheckItem(1, true);
  form_.list2.UserCheckItem(3, true);
  EXPECT_TRUE(form_.Command3.Enabled());
  form_.chk_dllbackup.Value(vbChecked);
  Answers().Script("Yes");
  form_.Command3_Click();
  EXPECT_EQ(Prompts().back(), "Backup has been taken to \r\nC:\\Program Files\\Tessaly\\backup_dll");
  EXPECT_FALSE(fs::exists(machine_.hostPath("E:\\copies\\lib.dll")));
  EXPECT_FALSE(fs::exists(machine_.hostPath("E:\\copies2\\lib.dll")));
  std::set<std::string> kept = {*machine_.ReadContent("C:\\Program Files\\Tessaly\\BackUp_dll\\lib.dll"),
                                *machine_.ReadContent("C:\\Program Files\\Tessaly\\BackUp_dll\\lib (2).dll")};
  EXPECT_EQ(kept, (std::set<std::string>{Library(0, 10), Library(0, 20)}));
  EXPECT_EQ(Rows(form_.list2), std::vector<std::string>{"e:\\copies\\third.dll"});
  EXPECT_EQ(form_.SkinLabel25.Caption(), "1");
  EXPECT_EQ(form_.SkinLabel27.Caption(), "4");
}

TEST_F(DllScanTest, AnotherSystemsDriveAsksTwiceAndNoEndsTheScan) {
  machine_.Put("WINNT/system32/kernel32.dll", "kernel", 'E');
  Answers().Script("No");
  Scan('E');
  EXPECT_EQ(Prompts(), std::vector<std::string>{"This drive seems to contain another operating system. continue?"});
  EXPECT_EQ(form_.list2.Count(), 0);
  EXPECT_TRUE(form_.Command2.Enabled());
  Answers().ClearRecords();
  for (const char* answer : {"Yes", "Yes"}) Answers().Script(answer);
  Scan('E');
  ASSERT_EQ(Prompts().size(), 2u);
  EXPECT_EQ(Prompts()[1],
            "Deleting any system dll from the selected drive may cause the Operating System\r\n installed on this "
            "drive to crash, Continue?");
  EXPECT_EQ(form_.list2.Count(), 3);
  Answers().ClearRecords();
  Scan('C');  // the running system's drive asks nothing
  EXPECT_TRUE(Prompts().empty());
}

// Copies of one library {G} whose first version names E:\G1\g.dll: each
// other copy is named somewhere else, as `registration` writes it, and is
// therefore never offered; E:\copies\g.dll alone is named nowhere.
TEST(DllScanRegistrations, AFileNamedByAnyRegistrationIsNeverOffered) {
  const std::string g = "{0A000000-0000-0000-0000-000000000000}", h = "{0B000000-0000-0000-0000-000000000000}";
  auto key = [](const std::string& path, const std::string& value) {
    std::string escaped;
    for (char c : value) escaped += c == '\\' || c == '"' ? std::string("\\") + c : std::string(1, c);
    return "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\" + path + "]\r\n@=\"" + escaped + "\"\r\n";
  };
  struct Case {
    const char* file;
    std::string registration;
  };
  const Case named[] = {
      {"E:\\G2\\g.dll", key("TypeLib\\" + g + "\\2.0\\0\\win32", "E:\\G2\\g.dll")},
      {"E:\\G3\\g.dll", key("TypeLib\\" + g + "\\1.0\\809\\win32", "E:\\G3\\g.dll")},
      {"E:\\other\\g.dll", key("TypeLib\\" + h + "\\3.1\\0\\win32", "E:\\other\\g.dll")},
      {"E:\\srv\\g.dll", key("CLSID\\{0C000000-0000-0000-0000-000000000001}\\InprocServer32", "\"E:\\srv\\g.dll\"")},
      {"E:\\Long Folder\\g.dll", key("CLSID\\{0C000000-0000-0000-0000-000000000002}\\InprocServer32", "E:\\LONGFO~1\\G.DLL")},
      {"E:\\local\\g.dll", key("CLSID\\{0C000000-0000-0000-0000-000000000003}\\LocalServer32", "E:\\local\\g.dll /Automation")},
      {"E:\\run\\g.dll", key("CLSID\\{0C000000-0000-0000-0000-000000000004}\\LocalServer32", "rundll32.exe E:\\run\\g.dll,Start")},
      {"E:\\old\\glibrary.dll", key("CLSID\\{0C000000-0000-0000-0000-000000000005}\\InprocServer32", "E:\\MOVED\\GLIBRA~1.DLL")},
  };
  std::string copy = platform::files::StandInLine({{"typelib", g}, {"coclass", "{0F000000-0000-0000-0000-00000000000A}"}});
  platform::MachineBuilder builder = ScanMachine();
  builder.file("E:\\G1\\g.dll", copy).file("E:\\copies\\g.dll", copy + "x")
      .registry(key("TypeLib\\" + g + "\\1.0\\409\\win32", "E:\\G1\\g.dll") +
                key("CLSID\\{0C000000-0000-0000-0000-000000000006}\\InprocServer32", "E:\\elsewhere\\g.dll"));
  for (const Case& c : named) builder.file(c.file, copy).registry(c.registration);
  TempMachine machine(builder);
  ResetFormsRuntime();
  ConnectCleaningEngine();
  ConnectSystemTools();
  Form1Form& form = Form1();
  form.ShowThatFrame(form.Frame_DllScan);
  form.Drive1.Drive("E");
  form.Command2_Click();

  std::set<std::string> offered;
  for (int i = 1; i <= form.list2.Count(); ++i) offered.insert(platform::forms::LCase(form.list2.Item(i).Text));
  for (const Case& c : named) EXPECT_EQ(offered.count(platform::forms::LCase(c.file)), 0u) << c.file;
  EXPECT_EQ(offered, (std::set<std::string>{"e:\\copies\\g.dll", "e:\\copies\\lib.dll", "e:\\copies\\third.dll",
                                            "e:\\copies2\\lib.dll"}));
  ResetFormsRuntime();
  InstallCleaningEngine(nullptr);
  InstallSystemTools(nullptr);
}

}  // namespace
}  // namespace tessaly::testing
