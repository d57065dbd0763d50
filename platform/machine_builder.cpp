#include "platform/machine_builder.h"

#include <fstream>
#include <memory>
#include <system_error>

#include "platform/base/cp1252.h"
#include "platform/files/stand_in.h"
#include "platform/machine/machine.h"
#include "platform/registry/registry_import.h"

namespace platform {
namespace {

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;

// Accumulates REGEDIT4 text for the standard keys.
class RegText {
 public:
  void key(const std::string& path) { text_ += "\r\n[" + path + "]\r\n"; }
  void sz(const std::string& name, const std::string& value) { text_ += Name(name) + "=\"" + Escape(value) + "\"\r\n"; }
  void expandSz(const std::string& name, const std::string& value) {
    std::string line = Name(name) + "=hex(2):";
    for (unsigned char c : value + std::string(1, '\0')) line += Hex(c) + ",";
    line.pop_back();
    text_ += line + "\r\n";
  }
  void dword(const std::string& name, std::uint32_t value) {
    static const char* digits = "0123456789abcdef";
    std::string hex(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4) hex[i] = digits[value & 15];
    text_ += Name(name) + "=dword:" + hex + "\r\n";
  }
  const std::string& text() const { return text_; }

 private:
  static std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
      if (c == '\\' || c == '"') out += '\\';
      out += c;
    }
    return out;
  }
  static std::string Name(const std::string& name) {
    if (name == "@") return name;
    std::string quoted = "\"";
    quoted += Escape(name);
    quoted += '"';
    return quoted;
  }
  static std::string Hex(unsigned char c) {
    static const char* digits = "0123456789abcdef";
    return {digits[c >> 4], digits[c & 15]};
  }
  std::string text_ = "REGEDIT4\r\n";
};

struct ShellFolder {
  const char* value;
  std::string path;
};

// The shell folders of the default image (they exist on disk too).
std::vector<ShellFolder> ShellFolders(const MachineDescription& d) {
  StandardFolders f = DefaultFolders(d.os, d.userName);
  if (d.family() == OsFamily::Win9x) {
    const std::string& w = f.windows;
    return {{"AppData", w + "\\Application Data"}, {"Cache", w + "\\Temporary Internet Files"},
            {"Cookies", w + "\\Cookies"},          {"History", w + "\\History"},
            {"Recent", w + "\\Recent"},            {"Favorites", w + "\\Favorites"},
            {"Desktop", w + "\\Desktop"},          {"Start Menu", w + "\\Start Menu"},
            {"Templates", w + "\\ShellNew"},       {"Personal", "C:\\My Documents"}};
  }
  const std::string& p = f.userProfile;
  bool nt4 = d.os == OsKind::NT4;
  std::vector<ShellFolder> folders = {
      {"AppData", p + "\\Application Data"},
      {"Cache", p + (nt4 ? "\\Temporary Internet Files" : "\\Local Settings\\Temporary Internet Files")},
      {"Cookies", p + "\\Cookies"},
      {"History", p + (nt4 ? "\\History" : "\\Local Settings\\History")},
      {"Recent", p + "\\Recent"},
      {"Favorites", p + "\\Favorites"},
      {"Desktop", p + "\\Desktop"},
      {"Start Menu", p + "\\Start Menu"},
      {"Templates", p + "\\Templates"},
      {"Personal", p + (nt4 ? "\\Personal" : "\\My Documents")}};
  if (!nt4) folders.push_back({"Local AppData", p + "\\Local Settings\\Application Data"});
  if (d.os == OsKind::WinXP) folders.push_back({"CD Burning", p + "\\Local Settings\\Application Data\\Microsoft\\CD Burning"});
  return folders;
}

std::vector<std::string> StandardFolderList(const MachineDescription& d) {
  StandardFolders f = DefaultFolders(d.os, d.userName);
  bool nt = d.family() == OsFamily::WinNT;
  std::vector<std::string> list = {f.windows,
                                   f.system,
                                   f.windows + (nt ? "\\Temp" : "\\TEMP"),
                                   f.windows + "\\inf",
                                   f.windows + "\\Help",
                                   f.windows + "\\Downloaded Program Files",
                                   "C:\\Program Files",
                                   "C:\\Program Files\\Common Files"};
  if (d.taskScheduler != TaskSchedulerState::Absent) list.push_back(f.windows + "\\Tasks");
  // Every Windows has a recycle bin on its system drive.
  list.push_back(nt ? "C:\\RECYCLER\\" + d.userSid : "C:\\RECYCLED");
  if (nt) {
    list.push_back(f.userProfile);
    if (d.os == OsKind::NT4) list.push_back("C:\\TEMP");
    else list.push_back(f.userProfile + "\\Local Settings\\Temp");
    if (!f.allUsers.empty()) {
      list.push_back(f.allUsers + "\\Desktop");
      list.push_back(f.allUsers + "\\Start Menu");
    }
  }
  for (const auto& shell : ShellFolders(d)) list.push_back(shell.path);
  return list;
}

const char* kWinIni =
    "; for 16-bit app support\r\n"
    "[fonts]\r\n"
    "[extensions]\r\n"
    "[mci extensions]\r\n"
    "[files]\r\n"
    "[Mail]\r\n"
    "MAPI=1\r\n";

std::string StandardRegistry(const MachineDescription& d) {
  StandardFolders f = DefaultFolders(d.os, d.userName);
  VersionRecord v = d.version();
  bool nt = d.family() == OsFamily::WinNT;
  RegText reg;
  const std::string hklmSoft = "HKEY_LOCAL_MACHINE\\SOFTWARE";
  const std::string cv = hklmSoft + "\\Microsoft\\Windows\\CurrentVersion";
  reg.key(hklmSoft + "\\Classes");
  for (const char* container : {"CLSID", "Interface", "TypeLib"}) reg.key(hklmSoft + "\\Classes\\" + container);
  if (d.taskScheduler != TaskSchedulerState::Absent) {
    reg.key(hklmSoft + "\\Classes\\CLSID\\{148BD52A-A2AB-11CE-B11F-00AA00530503}\\InprocServer32");
    reg.expandSz("@", "%SystemRoot%\\system32\\mstask.dll");
  }
  reg.key(hklmSoft + "\\Classes\\CLSID\\{8B21775E-717D-11CE-AB5B-D41203C10000}\\InprocServer32");
  reg.sz("@", f.system + "\\typeinfo.dll");
  reg.key(cv);
  reg.sz("ProgramFilesDir", "C:\\Program Files");
  reg.sz("CommonFilesDir", "C:\\Program Files\\Common Files");
  if (!nt) {
    reg.sz("SystemRoot", f.windows);
    reg.sz("ProductName", d.os == OsKind::WinMe ? "Microsoft Windows ME"
                          : d.os == OsKind::Win95 ? "Microsoft Windows 95"
                                                  : "Microsoft Windows 98");
    reg.sz("VersionNumber", std::to_string(v.major) + "." + (v.minor < 10 ? "0" : "") + std::to_string(v.minor) + "." +
                                std::to_string(v.build & 0xFFFF));
  }
  reg.key(cv + "\\Run");
  reg.key(cv + "\\RunOnce");
  reg.key(cv + "\\Uninstall");
  reg.key(cv + "\\App Paths");
  if (nt) {
    const std::string ntcv = hklmSoft + "\\Microsoft\\Windows NT\\CurrentVersion";
    reg.key(ntcv);
    reg.sz("CurrentVersion", std::to_string(v.major) + "." + std::to_string(v.minor));
    reg.sz("CurrentBuildNumber", std::to_string(v.build));
    reg.sz("CSDVersion", v.csdVersion);
    reg.sz("ProductName", d.os == OsKind::WinXP     ? "Microsoft Windows XP"
                          : d.os == OsKind::Win2000 ? "Microsoft Windows 2000"
                                                    : "Microsoft Windows NT");
    reg.sz("SystemRoot", f.windows);
    reg.sz("RegisteredOwner", d.userName);
    reg.key(ntcv + "\\ProfileList\\" + d.userSid);
    reg.expandSz("ProfileImagePath", f.userProfile);
    const std::string control = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control";
    reg.key(control + "\\ComputerName\\ComputerName");
    reg.sz("ComputerName", d.computerName);
    reg.key(control + "\\Session Manager");
    reg.key(control + "\\Session Manager\\Environment");
    reg.sz("ComSpec", f.windows + "\\system32\\cmd.exe");
    reg.sz("OS", "Windows_NT");
    reg.expandSz("Path", "%SystemRoot%\\system32;%SystemRoot%");
    reg.expandSz("TEMP", "%SystemRoot%\\TEMP");
    reg.expandSz("TMP", "%SystemRoot%\\TEMP");
    reg.sz("windir", f.windows);
    reg.key("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current");
  } else {
    reg.key("HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\ComputerName\\ComputerName");
    reg.sz("ComputerName", d.computerName);
    reg.key("HKEY_LOCAL_MACHINE\\Config\\0001");
  }
  const std::string hkcuCv = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion";
  reg.key(hkcuCv + "\\Run");
  reg.key(hkcuCv + "\\Explorer\\Shell Folders");
  for (const auto& shell : ShellFolders(d)) reg.sz(shell.value, shell.path);
  if (nt) {
    reg.key("HKEY_CURRENT_USER\\Environment");
    std::string temp = d.os == OsKind::NT4 ? "C:\\TEMP" : "%USERPROFILE%\\Local Settings\\Temp";
    reg.expandSz("TEMP", temp);
    reg.expandSz("TMP", temp);
  }
  return reg.text();
}

void WriteHostFile(const std::filesystem::path& path, const std::string& content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw MachineError(path.string() + ": cannot be written");
}

}  // namespace

std::string StandInFile(const std::vector<std::pair<std::string, std::string>>& fields, std::size_t padding) {
  return files::StandInLine(fields) + std::string(padding, '\0');
}

void PutBuilderFile(const std::filesystem::path& machineFolder, const std::string& windowsPath,
                    const std::string& content) {
  WriteHostFile(HostPathForBuilder(machineFolder, windowsPath), content);
}

std::filesystem::path HostPathForBuilder(const std::filesystem::path& machineFolder, const std::string& windowsPath) {
  if (windowsPath.size() < 2 || windowsPath[1] != ':') throw MachineError("not an absolute Windows path: " + windowsPath);
  std::filesystem::path host = machineFolder / "drives" / std::string(1, UpperChar(windowsPath[0]));
  std::size_t start = 2;
  while (start < windowsPath.size()) {
    std::size_t end = windowsPath.find('\\', start);
    if (end == std::string::npos) end = windowsPath.size();
    std::string part = windowsPath.substr(start, end - start);
    if (part == "..") throw MachineError("'..' in a builder path: " + windowsPath);
    if (!part.empty() && part != ".") host /= Cp1252ToUtf8(part);
    start = end + 1;
  }
  return host;
}

MachineBuilder::MachineBuilder(OsKind os) {
  description_.os = os;
  // 95 and NT 4.0 came without the Task Scheduler.
  if (os == OsKind::Win95 || os == OsKind::NT4) description_.taskScheduler = TaskSchedulerState::Absent;
  bool nt = FamilyOf(os) == OsFamily::WinNT;
  description_.drives = {
      {'A', DriveType::Removable, "FAT", "", 1474560, 512, false, false, 0, ""},
      {'C', DriveType::Fixed, nt ? "NTFS" : "FAT32", "SYSTEM", 4 * kGiB, 4096, true, false, 0x1C2D3E4F, ""},
      {'D', DriveType::CdRom, "CDFS", "", 0, 2048, false, true, 0, ""},
  };
}

MachineBuilder& MachineBuilder::install(InstallStep step) {
  installSteps_.push_back(std::move(step));
  return *this;
}

MachineBuilder& MachineBuilder::userKind(UserKind kind) {
  description_.userKind = kind;
  return *this;
}

MachineBuilder& MachineBuilder::systemDriveCapacity(std::uint64_t bytes) {
  for (auto& d : description_.drives)
    if (d.letter == 'C') d.capacity = bytes;
  return *this;
}

MachineBuilder& MachineBuilder::drive(const DriveDescription& drive) {
  for (auto& d : description_.drives) {
    if (d.letter == UpperChar(drive.letter)) {
      d = drive;
      d.letter = UpperChar(drive.letter);
      return *this;
    }
  }
  description_.drives.push_back(drive);
  description_.drives.back().letter = UpperChar(drive.letter);
  return *this;
}

MachineBuilder& MachineBuilder::folder(const std::string& windowsPath) {
  folders_.push_back(windowsPath);
  return *this;
}

MachineBuilder& MachineBuilder::file(const std::string& windowsPath, const std::string& content) {
  files_.emplace_back(windowsPath, content);
  return *this;
}

MachineBuilder& MachineBuilder::registry(const std::string& regText) {
  registryTexts_.push_back(regText);
  return *this;
}

void MachineBuilder::Build(const std::filesystem::path& folder) const {
  std::error_code ec;
  if (std::filesystem::exists(folder, ec) && !std::filesystem::is_empty(folder, ec))
    throw MachineError(folder.string() + ": not empty; a machine is only built into an empty folder");
  // Build beside the target and rename at the end, so an interrupted build
  // never leaves a half-made machine where the program looks for one.
  std::filesystem::path partial = folder;
  partial += ".partial";
  std::filesystem::remove_all(partial, ec);
  try {
    BuildInto(partial);
  } catch (...) {
    std::filesystem::remove_all(partial, ec);
    throw;
  }
  std::filesystem::remove(folder, ec);  // an empty folder
  std::filesystem::rename(partial, folder);
}

void MachineBuilder::BuildInto(const std::filesystem::path& folder) const {
  std::filesystem::create_directories(folder);
  for (const char* sub : {"registry", "state", "drives"}) std::filesystem::create_directories(folder / sub);
  // The image is installed by an administrator; the description's own
  // user takes over once it is done.
  MachineDescription installer = description_;
  installer.userKind = UserKind::Admin;
  WriteHostFile(folder / "machine.ini", FormatMachineDescription(installer));
  for (const auto& d : description_.drives) std::filesystem::create_directories(folder / "drives" / std::string(1, d.letter));

  StandardFolders f = DefaultFolders(description_.os, description_.userName);
  for (const auto& path : StandardFolderList(description_))
    std::filesystem::create_directories(HostPathForBuilder(folder, path));
  PutBuilderFile(folder, f.windows + "\\WIN.INI", kWinIni);
  PutBuilderFile(folder, f.system + "\\rundll32.exe", StandInFile({{"version", "5.1.2600.0"}}, 1024));
  PutBuilderFile(folder, f.system + "\\typeinfo.dll", StandInFile({{"version", "5.1.2600.0"}, {"module", "typeinfo"}}, 1024));
  if (description_.taskScheduler != TaskSchedulerState::Absent)
    PutBuilderFile(folder, f.system + "\\mstask.dll", StandInFile({{"version", "5.1.2600.0"}, {"module", "mstask"}}, 1024));
  for (const auto& path : folders_) std::filesystem::create_directories(HostPathForBuilder(folder, path));
  for (const auto& [path, content] : files_) PutBuilderFile(folder, path, content);

  auto machine = Machine::Open(folder);
  registry::ImportRegistryText(*machine, StandardRegistry(description_), "standard registry");
  for (const auto& text : registryTexts_) {
    bool hasHeader = text.rfind("REGEDIT4", 0) == 0;
    registry::ImportRegistryText(*machine, hasHeader ? text : "REGEDIT4\r\n" + text, "builder registry text");
  }
  if (!installSteps_.empty()) {
    MachineBinding binding(*machine);
    for (const auto& step : installSteps_) step(*machine);
  }
  machine->Flush();
  machine.reset();
  WriteHostFile(folder / "machine.ini", FormatMachineDescription(description_));
}

}  // namespace platform
