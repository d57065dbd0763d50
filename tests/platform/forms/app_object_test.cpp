#include "forms_fixture.h"

#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/forms/instance_lock.h"
#include "platform/registry/advapi32.h"

namespace tessaly::testing {
namespace {

using AppObjectTest = FormsTest;

// Opens the machine folder in a separate process and reports what that
// process sees as App.PrevInstance (exit code 1 = True, 0 = False).
int PrevInstanceInOtherProcess(const std::filesystem::path& folder) {
  pid_t child = fork();
  if (child == 0) {
    int code = 2;
    try {
      auto machine = platform::Machine::Open(folder);
      platform::MachineBinding binding(*machine);
      code = App.PrevInstance() ? 1 : 0;
    } catch (const std::exception& e) {
      fprintf(stderr, "child: %s\n", e.what());
    }
    _exit(code);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(AppObjectTest, PrevInstanceIsSeenAcrossProcessesThroughTheMachinesLock) {
  EXPECT_EQ(PrevInstanceInOtherProcess(machine_.machine().folder()), 0);  // nobody holds it
  EXPECT_FALSE(App.PrevInstance());                             // this process takes it
  EXPECT_TRUE(std::filesystem::exists(machine_.machine().folder() / "instance.lock"));
  EXPECT_EQ(PrevInstanceInOtherProcess(machine_.machine().folder()), 1);
  machine_.Reopen();  // the process ends: the lock is released, then taken again
  EXPECT_FALSE(App.PrevInstance());
  EXPECT_EQ(PrevInstanceInOtherProcess(machine_.machine().folder()), 1);
}

// The lock file as it may be found: what the program learns from taking it.
TEST_F(AppObjectTest, ALockThatCannotBeOpenedIsAFailureNeverANoOneElse) {
  struct Case {
    const char* name;
    std::function<void(const std::filesystem::path&)> put;
    const char* failure;
  };
  const Case cases[] = {
      {"a folder", [](const auto& lock) { std::filesystem::create_directory(lock); }, "cannot be opened: Is a directory"},
      {"a named pipe", [](const auto& lock) { ::mkfifo(lock.c_str(), 0644); }, "cannot be opened: not a regular file"},
      {"a dangling link", [](const auto& lock) { std::filesystem::create_symlink("nowhere", lock); },
       "cannot be opened: it is a link"},
  };
  std::filesystem::path lock = machine_.machineFolder() / "instance.lock";
  for (const Case& c : cases) {
    machine_.Reopen();
    c.put(lock);
    auto& taken = machine_.machine().area<platform::forms::InstanceLock>();
    EXPECT_EQ(taken.failure(), c.failure) << c.name;
    EXPECT_FALSE(taken.held()) << c.name;
    EXPECT_FALSE(taken.heldElsewhere()) << c.name;
    try {
      taken.Require();
      ADD_FAILURE() << c.name << ": no failure";
    } catch (const platform::MachineError& error) {
      EXPECT_EQ(error.what(), lock.string() + ": " + c.failure) << c.name;
    }
    std::filesystem::remove_all(lock);
  }
  machine_.Reopen();
  auto& taken = machine_.machine().area<platform::forms::InstanceLock>();
  EXPECT_TRUE(taken.held());
  EXPECT_EQ(taken.failure(), "");
}

TEST_F(AppObjectTest, PathNameTitleAndCommandLine) {
  EXPECT_EQ(App.Path(), "C:\\Program Files\\Tessaly");
  EXPECT_EQ(App.EXEName(), "tsy");
  EXPECT_EQ(App.Title(), "Tessaly");
  SetCommandLine("/SCHEDULER Now");
  EXPECT_EQ(Command(), "/SCHEDULER Now");
}

}  // namespace
}  // namespace tessaly::testing

namespace tessaly::testing {
namespace {

TEST_F(AppObjectTest, SettingsLiveUnderTheRuntimesKeyAndDeleteAtEachLevel) {
  EXPECT_EQ(GetSetting("Tessaly", "Options", "Language", "English"), "English");
  SaveSetting("Tessaly", "Options", "Language", "Deutsch");
  SaveSetting("Tessaly", "Window", "Left", "120");
  EXPECT_EQ(GetSetting("tessaly", "OPTIONS", "language"), "Deutsch");

  HKEY key = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\Tessaly\\Options", 0,
                          KEY_READ, &key), 0);
  DWORD number = 5;
  RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(key);
  EXPECT_EQ(GetSetting("Tessaly", "Options", "Count", "none"), "none");  // not REG_SZ

  DeleteSetting("Tessaly", std::string("Options"), std::string("Language"));
  EXPECT_EQ(GetSetting("Tessaly", "Options", "Language"), "");
  DeleteSetting("Tessaly", std::string("Window"));
  EXPECT_EQ(GetSetting("Tessaly", "Window", "Left", "gone"), "gone");
  DeleteSetting("Tessaly");  // the whole tree, also on NT
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\Tessaly", 0, KEY_READ, &key), 0);
}

}  // namespace
}  // namespace tessaly::testing
