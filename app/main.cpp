// tsyT: picks its machine, creates it on first use, and starts the program.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/machine_setup.h"
#include "platform/base/process_end.h"
#include "platform/forms/answers.h"
#include "platform/machine/builder.h"
#include "support/COpSysInfo.h"
#include "support/system_folders.h"

namespace {

// Without a renderer every box is answered from TESSALY_ANSWERS, then by its
// default button.
void SetUpHeadlessAnswers() {
  if (const char* answers = std::getenv("TESSALY_ANSWERS"); answers && *answers)
    platform::forms::Answers().ScriptList(answers);
}

void PrintMachineFacts() {
  InitSystemFolders();
  std::printf("%s\n", g_OSInfo().Version().c_str());
  std::printf("Windows folder:      %s\n", g_WindowsDir.c_str());
  std::printf("System folder:       %s\n", g_SystemDir.c_str());
  std::printf("All Users profile:   %s\n", g_AllUsersDir.c_str());
  std::printf("User profile:        %s\n", g_UserProfileDir.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  try {
    auto folder = platform::DefaultMachineFolder();
    bool created = false;
    auto machine = tessaly::OpenOrCreateMachine(folder, created);
    platform::MachineBinding binding(*machine);
    std::printf("%s machine %s\n", created ? "Created" : "Opened", folder.string().c_str());
    // No renderer exists yet: every run is headless (TESSALY_HEADLESS=1).
    SetUpHeadlessAnswers();
    try {
      PrintMachineFacts();
    } catch (const platform::ProcessEnd& end) {
      machine->Flush();
      return static_cast<int>(end.exitCode());
    }
    machine->Flush();
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tsyT: %s\n", e.what());
    return 1;
  }
}
