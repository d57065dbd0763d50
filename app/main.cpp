// tsyT: picks its machine, creates it on first use, and starts the main
// window, drawn when a display is there and headless otherwise.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "app/headless_transcript.h"
#include "app/machine_setup.h"
#include "app/resident.h"
#include "app/suite_connection.h"
#include "gui/display.h"
#include "gui/gui.h"
#include "install/program_modules.h"
#include "mainwindow/Form1.h"
#include "mainwindow/run/engine_link.h"
#include "mainwindow/run/tools_link.h"
#include "platform/base/process_end.h"
#include "platform/forms/forms.h"
#include "platform/machine/machine.h"
#include "platform/net/network.h"

namespace {

// Without a renderer every box is answered from TESSALY_ANSWERS, then by its
// default button.
void SetUpHeadlessAnswers() {
  if (const char* answers = std::getenv("TESSALY_ANSWERS"); answers && *answers)
    platform::forms::Answers().ScriptList(answers);
}

// Command$: the arguments after the program's path.
std::string CommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
  return line;
}

void RunProgram(bool headless) {
  auto startMainWindow = [] { Form1(); };
  if (!headless)
    return tessaly::gui::RunForms([&] {
      tessaly::CloseOnTerminationSignals();
      startMainWindow();
    });
  startMainWindow();
  tessaly::RunResidentLoop();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    bool headless = !tessaly::gui::RendererWanted();
    platform::SetWriteFailureReporter(
        [](const std::string& message) { std::fprintf(stderr, "tsyT: %s\n", message.c_str()); });
    install::RegisterProgramModules();
    auto folder = tessaly::DefaultMachineFolder();
    bool created = false;
    // Until the machine is open a termination signal ends the program at
    // once: nothing has been changed that would need writing.
    auto machine = tessaly::OpenOrCreateMachine(folder, created);
    if (headless) tessaly::HoldTerminationSignals();
    platform::MachineBinding binding(*machine);
    machine->area<platform::net::Network>().UseHost();
    std::printf("%s machine %s\n", created ? "Created" : "Opened", folder.string().c_str());
    std::fflush(stdout);
    platform::forms::SetCommandLine(CommandLine(argc, argv));
    if (headless) {
      SetUpHeadlessAnswers();
      tessaly::StartHeadlessTranscript(stdout);
      // The main window ends a second start silently; unattended, the one
      // line is all that tells why nothing ran.
      if (platform::forms::App.PrevInstance())
        std::printf("Another instance of Tessaly is running on this machine; this start ends.\n");
    }
    ConnectCleaningEngine();
    ConnectSystemTools();
    ConnectSuite();
    auto ended = platform::RunUntilProcessEnd([headless] { RunProgram(headless); });
    machine->Flush();
    return static_cast<int>(ended.value_or(0));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tsyT: %s\n", e.what());
    return 1;
  }
}
