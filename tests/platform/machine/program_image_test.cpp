// The program a process runs is the image its machine was opened with: the
// image's folder is App.Path and the folder the process starts in, and the
// image cannot be written while it runs. The layer knows no program of its own.
#include <gtest/gtest.h>

#include <string>

#include "platform/files/kernel32_files.h"
#include "platform/machine/app_path.h"
#include "platform/machine/machine.h"
#include "platform/open_machine.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

// 0 when the file opens for writing, else the error.
DWORD WriteOpenError(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  CloseHandle(file);
  return 0;
}

TEST(ProgramImage, GivesAppPathTheStartFolderAndTheFileInUse) {
  struct Case {
    const char* image;
    const char* folder;        // App.Path
    const char* startFolder;   // the first current folder
    const char* ordinaryFile;  // an image that is not running
  };
  const Case cases[] = {
      {"C:\\Tools\\run.exe", "C:\\Tools", "C:\\Tools", "C:\\Program Files\\Tessaly\\tsy.exe"},
      {"C:\\run.exe", "C:\\", "C:\\", "C:\\Tools\\run.exe"},
      {"C:\\Program Files\\Tessaly\\tsy.exe", "C:\\Program Files\\Tessaly", "C:\\Program Files\\Tessaly",
       "C:\\run.exe"},
      {"", "", "C:\\", "C:\\Program Files\\Tessaly\\tsy.exe"},
  };
  TempMachine m(TestMachine().file("C:\\Tools\\run.exe", "x").file("C:\\run.exe", "x"));
  m.Abandon();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.image);
    auto machine = platform::OpenMachine(m.machineFolder(), c.image);
    platform::MachineBinding binding(*machine);
    EXPECT_EQ(machine->programImage(), c.image);
    EXPECT_EQ(platform::AppPath(), c.folder);
    char current[MAX_PATH] = {};
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, current), 0u);
    EXPECT_STREQ(current, c.startFolder);
    if (*c.image) {
      EXPECT_EQ(WriteOpenError(c.image), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
    EXPECT_EQ(WriteOpenError(c.ordinaryFile), 0u);
  }
}

}  // namespace
}  // namespace tessaly::testing
