#include "support/files_fixture.h"

#include <fstream>
#include <sstream>

#include "platform/files/file_system.h"

namespace tessaly::testing {

platform::MachineDescription FilesTestDescription(platform::OsKind os) {
  platform::MachineDescription d;
  d.os = os;
  bool nt = platform::FamilyOf(os) == platform::OsFamily::WinNT;
  d.drives.push_back({'C', platform::DriveType::Fixed, nt ? "NTFS" : "FAT32", "SYSTEM", 16ull << 20, 4096, true,
                      false, 0x1234ABCD, ""});
  d.drives.push_back({'D', platform::DriveType::CdRom, "CDFS", "", 650ull << 20, 2048, false, false, 0, ""});
  d.drives.push_back({'E', platform::DriveType::Fixed, "FAT", "DATA", 1ull << 20, 512, true, true, 7, ""});
  return d;
}

FilesMachine::FilesMachine(const platform::MachineDescription& description) : temp_("tsy-files") {
  std::filesystem::create_directories(machineFolder() / "drives" / "C");
  std::filesystem::create_directories(outside());
  std::ofstream(machineFolder() / "machine.ini", std::ios::binary) << platform::FormatMachineDescription(description);
  std::ofstream(outside() / "sentinel.txt", std::ios::binary) << "sentinel";
  Open();
}

FilesMachine::~FilesMachine() { Close(); }

void FilesMachine::Open() {
  machine_ = platform::Machine::Open(machineFolder());
  binding_ = std::make_unique<platform::MachineBinding>(*machine_);
  platform::files::LoadFileSystem(*machine_);
}

void FilesMachine::Close() {
  binding_.reset();
  machine_.reset();
}

void FilesMachine::Reopen() {
  machine_->Flush();
  Close();
  Open();
}

std::filesystem::path FilesMachine::drive(char letter) const {
  return machineFolder() / "drives" / std::string(1, letter);
}

std::filesystem::path FilesMachine::Put(const std::string& relative, const std::string& content, char letter) {
  std::filesystem::path path = drive(letter) / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

std::string FilesMachine::HostContent(const std::string& relative, char letter) const {
  std::ifstream in(drive(letter) / relative, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace tessaly::testing
