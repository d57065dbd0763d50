#include "platform/files/shortcut.h"

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"
#include "platform/files/file_content.h"
#include "platform/files/handle_stream.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/shell_link.h"
#include "platform/files/unmapped_drive.h"
#include "platform/machine/machine.h"

namespace platform::wsh {
namespace {

// Links are small; a file past this is no link the shell would read.
constexpr std::size_t kLinkReadLimit = 1 << 20;

[[noreturn]] void RaiseUnableToOpen() { RaiseRuntimeError(kUnableToOpenShortcut, "Unable to open shortcut"); }

}  // namespace

Shortcut::Shortcut(std::string_view path) : path_(path) {
  files::RaiseIfUnmappedDrive(path);
  files::HandleStream stream;
  DWORD error = stream.Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;  // a new shortcut
  if (error) RaiseUnableToOpen();
  std::string bytes;
  try {
    stream.Read(kLinkReadLimit, bytes);
  } catch (const RuntimeError&) {
    RaiseUnableToOpen();
  }
  auto link = files::DecodeShellLink(bytes);
  if (!link) RaiseUnableToOpen();
  TargetPath = link->targetPath();
  Arguments = link->arguments;
  WorkingDirectory = link->workingDirectory;
}

void Shortcut::Save() const {
  files::RaiseIfUnmappedDrive(path_);
  files::ShellLinkData link;
  link.hasLinkInfo = !TargetPath.empty();
  link.localBasePath = TargetPath;
  link.arguments = Arguments;
  link.workingDirectory = WorkingDirectory;
  if (TargetPath.size() >= 2 && TargetPath[1] == ':') {
    Machine* machine = CurrentMachine();
    if (const DriveDescription* drive = machine ? machine->description().drive(UpperChar(TargetPath[0])) : nullptr) {
      link.driveType = static_cast<std::uint32_t>(drive->type);
      link.driveSerial = drive->serial;
    }
  }
  if (DWORD error = files::WriteFileContent(path_, files::EncodeShellLink(link)))
    RaiseRuntimeError(RuntimeErrorForWin32(error));
}

}  // namespace platform::wsh
