#include <gtest/gtest.h>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "main_window_fixture.h"
#include "platform/registry/advapi32.h"
#include "platform/shell/tray.h"
#include "support/CRegister.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

const std::int32_t kHklm = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);

void StoreOption(const std::string& key, const std::string& value, const std::string& data) {
  CRegister().REGSaveSetting(kHklm, "SOFTWARE\\TESSALY\\SETTINGS" + key, value, data);
}

// The position of the first journal entry of `call` whose arguments contain
// `arg`; -1 when none.
long Position(const std::string& call, const std::string& arg = "") {
  const auto& entries = platform::TheJournal().entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].call != call) continue;
    if (arg.empty() || std::find(entries[i].args.begin(), entries[i].args.end(), arg) != entries[i].args.end())
      return static_cast<long>(i);
  }
  return -1;
}

class StartUpTest : public MainWindowTest {};

TEST_F(StartUpTest, LoadStepsRunInTheirOrder) {
  StoreOption("\\OPTIONS", "CleanThis", "1");  // restoring it sets a movie variable
  StoreOption("\\WINDOWS", "0", "1");
  SetCommandLine("/SCHEDULER");
  platform::TheJournal().Clear();
  Form1Form& form = Form1();
  std::vector<long> order = {
      Position("Splash.Show"),
      Position("Skin.LoadSkin"),
      Position("Skin.ApplySkin"),
      Position("Skin.ApplySkinObject", "MainMask"),
      Position("Movie.LoadMovie"),
      Position("Movie.Zoom"),
      Position("Movie.SetVariable", "_root.StartCleaningButton"),  // options restored
      Position("Shell_NotifyIcon"),                                 // the launch step
      Position("Movie.SetVariable", "_root.CleaningButtonTitle"),    // the switch's run
      Position("Skin.ApplySkinObject", "StaticRed"),
  };
  for (long at : order) EXPECT_GE(at, 0);
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
  EXPECT_EQ(engine_->calls, (std::vector<std::string>{"item 0.0", "netscape", "ie"}));  // clean-all restored
  EXPECT_TRUE(form.StopCleanNow && form.StopDllNow && form.StopBackNow && form.StopShredNow);
  EXPECT_EQ(form.Frame_Result.Tag(), "Frame_Windows");
  EXPECT_TRUE(std::filesystem::is_directory(machine_.hostPath("C:\\Program Files\\Tessaly\\BackUps")));
  EXPECT_TRUE(std::filesystem::is_directory(machine_.hostPath("C:\\Program Files\\Tessaly\\BackUp_dll")));
  auto icons = platform::shell::TrayIcons();
  ASSERT_EQ(icons.size(), 1u);
  const auto& icon = icons[0];
  EXPECT_EQ(icon.tip, "Tessaly");
  EXPECT_EQ(icon.callbackMessage, 0x200u);
  EXPECT_EQ(icon.flags, 7u);
  EXPECT_EQ(form.FL.Menu(), false);
}

struct SwitchCase {
  const char* commandLine;
  const char* cleanAtStartUp;
  std::size_t runs;
  bool visible;
};

TEST_F(StartUpTest, SwitchesAreFoundInAnyCaseAnywhere) {
  const SwitchCase cases[] = {
      {"", "1", 0, true},
      {"/STARTRUN", "1", 1, false},
      {"/startrun", "0", 0, false},
      {"x/scheduler", "0", 1, false},
      {"/STARTUP", "1", 0, true},
      {"/StartRun /Scheduler", "1", 2, false},
  };
  StoreOption("\\WINDOWS", "0", "1");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine);
    ResetFormsRuntime();
    engine_->calls.clear();
    StoreOption("\\OPTIONS", "CleanStartup", c.cleanAtStartUp);
    SetCommandLine(c.commandLine);
    Form1Form& form = Form1();
    EXPECT_EQ(engine_->calls.size(), c.runs);
    EXPECT_EQ(form.Visible(), c.visible);
  }
}

TEST_F(StartUpTest, ASecondInstanceEndsBeforeReadingOrWritingAnything) {
  // Another process holds the machine's instance lock.
  int fd = ::open((machine_.machine().folder() / "instance.lock").c_str(), O_RDWR | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
  SetCommandLine("/SCHEDULER");
  StoreOption("\\WINDOWS", "0", "1");
  auto ended = platform::RunUntilProcessEnd([] { Form1(); });
  ::close(fd);
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, 0u);
  EXPECT_TRUE(engine_->calls.empty());
  EXPECT_TRUE(platform::shell::TrayIcons().empty());
  EXPECT_FALSE(std::filesystem::exists(machine_.hostPath("C:\\Program Files\\Tessaly\\BackUps")));
  EXPECT_EQ(CRegister().REGGetSetting(kHklm, "SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS", "CleanThis", "<none>"),
            "<none>");
}

TEST_F(StartUpTest, TheSkinSettingPicksThePathsOfAnInstalledSkinIgnoringCase) {
  const std::string program = "C:\\Program Files\\Tessaly";
  for (const char* file : {"TSY.skn", "TSY.swf", "TSY.spl"})
    PutSkin2Files({file}, machine_.ReadContent(program + "\\Skin\\" + file).value_or(""));
  SaveSetting("tsy", "skin", "skin", "SKIN2");
  Form1Form& two = Form1();
  EXPECT_EQ(two.SkinFilePath, program + "\\Skin2\\TSY.skn");
  EXPECT_EQ(two.MoviePath, program + "\\Skin2\\TSY.swf");
  EXPECT_EQ(two.SplashPath, program + "\\Skin2\\TSY.spl");
  EXPECT_EQ(two.FL.Width(), 8250);
  EXPECT_EQ(two.FL.Height(), 6300);
  EXPECT_EQ(DrawnSkin, "Skin2");
  EXPECT_EQ(two.cmb_skin.Items(), (std::vector<std::string>{"Skin1", "Skin2"}));
  EXPECT_EQ(two.cmb_skin.Text(), "Skin2");
}

// A window drawn without its movie has no navigation back to the options
// page: a skin that cannot be drawn is drawn as Skin1, the setting kept.
TEST_F(StartUpTest, ASkinWithoutItsFilesIsDrawnAsSkin1AndStaysStored) {
  const std::string program = "C:\\Program Files\\Tessaly";
  struct Case {
    const char* stored;
    std::vector<std::string> skin2Files;  // written before the start
  };
  const Case cases[] = {
      {"Skin3", {}},
      {"Skin2", {}},
      {"skin2", {"TSY.skn", "TSY.swf"}},  // no splash: not complete
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("stored \"") + c.stored + "\" with " + std::to_string(c.skin2Files.size()));
    ResetFormsRuntime();
    std::filesystem::remove_all(machine_.hostPath(program + "\\Skin2"));
    PutSkin2Files(c.skin2Files);
    SaveSetting("tsy", "skin", "skin", c.stored);
    Form1Form& form = Form1();
    EXPECT_EQ(form.SkinFilePath, program + "\\Skin\\TSY.skn");
    EXPECT_EQ(form.MoviePath, program + "\\Skin\\TSY.swf");
    EXPECT_EQ(form.SplashPath, program + "\\Skin\\TSY.spl");
    EXPECT_TRUE(form.skn.loaded());
    EXPECT_TRUE(form.FL.loaded());
    EXPECT_FALSE(form.FL.buttons().empty());
    EXPECT_EQ(form.FL.Width(), 7125);
    EXPECT_EQ(form.FL.Height(), 7680);
    EXPECT_EQ(CurrentSkin, c.stored);
    EXPECT_EQ(DrawnSkin, "Skin1");
    EXPECT_EQ(GetSetting("tsy", "skin", "skin"), c.stored);
    EXPECT_EQ(form.cmb_skin.Items(), (std::vector<std::string>{"Skin1"}));
    EXPECT_EQ(form.cmb_skin.Text(), "Skin1");
  }
}

TEST_F(StartUpTest, ClosingSavesRemovesTheIconAndEnds) {
  Form1Form& form = Form1();
  form.chkBleach.Value(1);
  ASSERT_EQ(platform::shell::TrayIcons().size(), 1u);
  PostMessageA(form.hWnd(), WM_CLOSE, 0, 0);
  auto ended = platform::RunUntilProcessEnd([] { RunMessageLoop(); });
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, 0u);
  EXPECT_TRUE(platform::shell::TrayIcons().empty());
  EXPECT_EQ(CRegister().REGGetSetting(kHklm, "SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS", "UseShredding", ""), "1");
}

}  // namespace
}  // namespace tessaly::testing
