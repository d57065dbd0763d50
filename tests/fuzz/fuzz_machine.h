#pragma once
// A machine for the fuzz targets whose parsers read through the emulated
// file layer or open a machine folder: built once per process in a
// temporary host folder, bound for the process and removed at exit.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "install/installation.h"
#include "install/program_folder.h"
#include "install/program_modules.h"
#include "platform/files/file_content.h"
#include "platform/machine/description.h"
#include "platform/machine_builder.h"
#include "platform/open_machine.h"
#include "platform/registry/registry_import.h"

namespace tessaly::fuzz {

class FuzzMachine {
 public:
  static FuzzMachine& Get() {
    static FuzzMachine machine;
    return machine;
  }
  const std::filesystem::path& folder() const { return folder_; }
  // The host path of a file of the machine folder ("state/tray.txt").
  std::filesystem::path hostFile(const std::string& relative) const { return folder_ / relative; }

  // Puts `bytes` at `windowsPath` through the file layer.
  static void Put(std::string_view windowsPath, std::string_view bytes) {
    platform::files::WriteFileContent(windowsPath, bytes);
  }

  // Merges REGEDIT4 text into the machine's registry.
  void Import(std::string_view regText) { platform::registry::ImportRegistryText(*machine_, regText, "fuzz"); }

  ~FuzzMachine() {
    binding_.reset();
    machine_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

 private:
  FuzzMachine() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tsy-fuzz-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    folder_ = root_ / "machine";
    platform::MachineBuilder builder;
    builder.systemDriveCapacity(64ull << 20);
    install::InstallProgram(builder).Build(folder_);
    install::RegisterProgramModules();
    machine_ = platform::OpenMachine(folder_, install::ProgramImage());
    binding_ = std::make_unique<platform::MachineBinding>(*machine_);
  }

  std::filesystem::path root_, folder_;
  std::unique_ptr<platform::Machine> machine_;
  std::unique_ptr<platform::MachineBinding> binding_;
};

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace tessaly::fuzz
