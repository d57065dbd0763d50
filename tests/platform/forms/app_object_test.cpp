#include "forms_fixture.h"

#include <sys/wait.h>
#include <unistd.h>

#include "platform/forms/instance_lock.h"

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

TEST_F(AppObjectTest, PathNameTitleAndCommandLine) {
  EXPECT_EQ(App.Path(), "C:\\Program Files\\Tessaly");
  EXPECT_EQ(App.EXEName(), "tsy");
  EXPECT_EQ(App.Title(), "Tessaly");
  SetCommandLine("/SCHEDULER Now");
  EXPECT_EQ(Command(), "/SCHEDULER Now");
}

}  // namespace
}  // namespace tessaly::testing
