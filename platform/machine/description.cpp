#include "platform/machine/description.h"

#include <charconv>
#include <set>
#include <sstream>

#include "platform/base/cp1252.h"
#include "platform/base/host_file.h"

namespace platform {
namespace {

std::string Trim(std::string_view text) {
  std::size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  std::size_t e = text.find_last_not_of(" \t\r");
  return std::string(text.substr(b, e - b + 1));
}

std::string Unquote(std::string text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, ',')) parts.push_back(Trim(part));
  if (!text.empty() && text.back() == ',') parts.emplace_back();
  return parts;
}

[[noreturn]] void Fail(const std::string& file, int line, const std::string& what) {
  throw MachineError(file + " line " + std::to_string(line) + ": " + what);
}

std::uint64_t ParseNumber(const std::string& text, const std::string& file, int line) {
  std::uint64_t value = 0;
  std::string_view digits = text;
  int base = 10;
  if (digits.size() > 2 && (digits.substr(0, 2) == "0x" || digits.substr(0, 2) == "0X")) {
    digits.remove_prefix(2);
    base = 16;
  }
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (ec != std::errc() || end != digits.data() + digits.size()) Fail(file, line, "not a number: " + text);
  return value;
}

bool ParseFlag(const std::string& text, const std::string& file, int line) {
  if (text == "1" || EqualsNoCase(text, "yes") || EqualsNoCase(text, "true")) return true;
  if (text == "0" || EqualsNoCase(text, "no") || EqualsNoCase(text, "false") || text.empty()) return false;
  Fail(file, line, "expected 1 or 0: " + text);
}

std::optional<Grant> ParseGrant(const std::string& text) {
  if (EqualsNoCase(text, "full")) return Grant::Full;
  if (EqualsNoCase(text, "read")) return Grant::Read;
  if (EqualsNoCase(text, "none")) return Grant::None;
  return std::nullopt;
}

const char* GrantName(Grant grant) {
  switch (grant) {
    case Grant::Read:
      return "read";
    case Grant::None:
      return "none";
    default:
      return "full";
  }
}

const char* SchedulerName(TaskSchedulerState state) {
  switch (state) {
    case TaskSchedulerState::Stopped:
      return "stopped";
    case TaskSchedulerState::Absent:
      return "absent";
    default:
      return "running";
  }
}

// Drive line: type, file system, label, capacity, cluster size, media present,
// read-only[, serial[, share]].
DriveDescription ParseDrive(char letter, const std::string& value, const std::string& file, int line) {
  auto parts = SplitCommas(value);
  if (parts.size() < 7) Fail(file, line, "drive needs type, file system, label, capacity, cluster size, media, read-only");
  DriveDescription drive;
  drive.letter = UpperChar(letter);
  auto type = ParseDriveType(parts[0]);
  if (!type) Fail(file, line, "unknown drive type: " + parts[0]);
  drive.type = *type;
  drive.fileSystem = parts[1];
  drive.label = Unquote(parts[2]);
  drive.capacity = ParseNumber(parts[3], file, line);
  drive.clusterSize = static_cast<std::uint32_t>(ParseNumber(parts[4], file, line));
  if (drive.clusterSize == 0 || drive.clusterSize % 512 != 0) Fail(file, line, "cluster size must be a multiple of 512");
  drive.mediaPresent = ParseFlag(parts[5], file, line);
  drive.readOnly = ParseFlag(parts[6], file, line);
  if (parts.size() > 7 && !parts[7].empty()) drive.serial = static_cast<std::uint32_t>(ParseNumber(parts[7], file, line));
  if (parts.size() > 8) drive.share = parts[8];
  return drive;
}

}  // namespace

const DriveDescription* MachineDescription::drive(char letter) const {
  char upper = UpperChar(letter);
  for (const auto& d : drives)
    if (d.letter == upper) return &d;
  return nullptr;
}

VersionRecord MachineDescription::version() const {
  VersionRecord record = DefaultVersionRecord(os);
  for (const auto& entry : versionOverrides) {
    const std::string& key = entry.first;
    const std::string& value = entry.second;
    auto number = [&value] { return ParseNumber(value, "machine.ini", 0); };
    if (EqualsNoCase(key, "Major")) record.major = static_cast<DWORD>(number());
    else if (EqualsNoCase(key, "Minor")) record.minor = static_cast<DWORD>(number());
    else if (EqualsNoCase(key, "Build")) record.build = static_cast<DWORD>(number());
    else if (EqualsNoCase(key, "PlatformId")) record.platformId = static_cast<DWORD>(number());
    else if (EqualsNoCase(key, "CSDVersion")) record.csdVersion = value;
    else if (EqualsNoCase(key, "AcceptsExtended")) record.acceptsExtended = ParseFlag(value, "machine.ini", 0);
    else if (EqualsNoCase(key, "ServicePackMajor")) record.servicePackMajor = static_cast<WORD>(number());
    else if (EqualsNoCase(key, "ServicePackMinor")) record.servicePackMinor = static_cast<WORD>(number());
    else if (EqualsNoCase(key, "SuiteMask")) record.suiteMask = static_cast<WORD>(number());
    else if (EqualsNoCase(key, "ProductType")) record.productType = static_cast<BYTE>(number());
  }
  return record;
}

std::string DriveTypeName(DriveType type) {
  switch (type) {
    case DriveType::Removable:
      return "removable";
    case DriveType::Remote:
      return "remote";
    case DriveType::CdRom:
      return "cdrom";
    case DriveType::RamDisk:
      return "ramdisk";
    default:
      return "fixed";
  }
}

std::optional<DriveType> ParseDriveType(std::string_view name) {
  for (DriveType type : {DriveType::Removable, DriveType::Fixed, DriveType::Remote, DriveType::CdRom, DriveType::RamDisk})
    if (EqualsNoCase(DriveTypeName(type), name)) return type;
  return std::nullopt;
}

MachineDescription ParseMachineDescription(const std::string& text, const std::string& file) {
  MachineDescription d;
  static const std::vector<std::string> kKnownVersionKeys = {
      "Major", "Minor", "Build", "PlatformId", "CSDVersion", "AcceptsExtended",
      "ServicePackMajor", "ServicePackMinor", "SuiteMask", "ProductType"};
  std::istringstream in(text);
  std::string raw, section;
  int lineNo = 0;
  bool sawOs = false, sawMachine = false;
  std::set<std::string> machineKeys;  // upper case, as [Machine] gave them
  while (std::getline(in, raw)) {
    ++lineNo;
    std::string line = Trim(raw);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      auto close = line.find(']');
      if (close == std::string::npos) Fail(file, lineNo, "section header without ]");
      section = Trim(line.substr(1, close - 1));
      // Two descriptions of the one computer: neither may silently win.
      if (EqualsNoCase(section, "Machine")) {
        if (sawMachine) Fail(file, lineNo, "[Machine] given twice");
        sawMachine = true;
      }
      continue;
    }
    auto eq = line.find('=');
    if (eq == std::string::npos) Fail(file, lineNo, "expected name=value");
    std::string key = Trim(line.substr(0, eq));
    std::string value = Unquote(Trim(line.substr(eq + 1)));
    if (EqualsNoCase(section, "Machine")) {
      // A second value of the one computer's setting is as much a second
      // description as a second section.
      if (!machineKeys.insert(ToUpper(key)).second) Fail(file, lineNo, key + " given twice in [Machine]");
      if (EqualsNoCase(key, "OS")) {
        auto os = ParseOsKind(value);
        if (!os) Fail(file, lineNo, "unknown OS: " + value);
        d.os = *os;
        sawOs = true;
      } else if (EqualsNoCase(key, "ComputerName")) {
        d.computerName = value;
      } else if (EqualsNoCase(key, "UserName")) {
        d.userName = value;
      } else if (EqualsNoCase(key, "UserKind")) {
        if (EqualsNoCase(value, "admin")) d.userKind = UserKind::Admin;
        else if (EqualsNoCase(value, "limited")) d.userKind = UserKind::Limited;
        else Fail(file, lineNo, "UserKind must be admin or limited");
      } else if (EqualsNoCase(key, "UserSid")) {
        d.userSid = value;
      } else if (EqualsNoCase(key, "TimeZoneBias")) {
        if (value.empty()) d.timeZoneBias.reset();
        else {
          int bias = 0;
          auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), bias);
          if (ec != std::errc() || end != value.data() + value.size()) Fail(file, lineNo, "TimeZoneBias is minutes");
          d.timeZoneBias = bias;
        }
      } else if (EqualsNoCase(key, "ShortNames")) {
        d.shortNames = ParseFlag(value, file, lineNo);
      } else if (EqualsNoCase(key, "TaskScheduler")) {
        if (EqualsNoCase(value, "running")) d.taskScheduler = TaskSchedulerState::Running;
        else if (EqualsNoCase(value, "stopped")) d.taskScheduler = TaskSchedulerState::Stopped;
        else if (EqualsNoCase(value, "absent")) d.taskScheduler = TaskSchedulerState::Absent;
        else Fail(file, lineNo, "TaskScheduler must be running, stopped or absent");
      } else {
        Fail(file, lineNo, "unknown key in [Machine]: " + key);
      }
    } else if (EqualsNoCase(section, "Version")) {
      bool known = false;
      for (const auto& k : kKnownVersionKeys) known = known || EqualsNoCase(k, key);
      if (!known) Fail(file, lineNo, "unknown key in [Version]: " + key);
      if (!EqualsNoCase(key, "CSDVersion")) {
        if (EqualsNoCase(key, "AcceptsExtended")) ParseFlag(value, file, lineNo);
        else ParseNumber(value, file, lineNo);
      }
      d.versionOverrides.emplace_back(key, value);
    } else if (EqualsNoCase(section, "Drives")) {
      if (key.size() != 1 || !std::isalpha(static_cast<unsigned char>(key[0])))
        Fail(file, lineNo, "drive key must be a letter: " + key);
      if (d.drive(key[0])) Fail(file, lineNo, "drive listed twice: " + key);
      d.drives.push_back(ParseDrive(key[0], value, file, lineNo));
    } else if (EqualsNoCase(section, "Environment")) {
      d.environment.emplace_back(key, value);
    } else if (EqualsNoCase(section, "Access")) {
      auto grant = ParseGrant(value);
      if (!grant) Fail(file, lineNo, "access must be full, read or none");
      d.accessRules.push_back({key, *grant});
    } else if (EqualsNoCase(section, "Screen")) {
      if (EqualsNoCase(key, "Width")) d.screenWidth = static_cast<int>(ParseNumber(value, file, lineNo));
      else if (EqualsNoCase(key, "Height")) d.screenHeight = static_cast<int>(ParseNumber(value, file, lineNo));
      else Fail(file, lineNo, "unknown key in [Screen]: " + key);
    }
    // Other sections ([Options]) belong to later areas and are kept by them.
  }
  if (!sawOs) throw MachineError(file + ": [Machine] has no OS");
  if (d.family() == OsFamily::Win9x) d.userKind = UserKind::Admin;
  return d;
}

MachineDescription LoadMachineDescription(const std::filesystem::path& file) {
  std::optional<std::string> text = ReadHostFile(file);
  if (!text) throw MachineError(file.string() + ": cannot be read: No such file or directory");
  return ParseMachineDescription(*text, file.string());
}

std::string FormatMachineDescription(const MachineDescription& d) {
  std::ostringstream out;
  out << "; One emulated Windows computer. Drive lines: type, file system, label,\r\n"
      << "; capacity in bytes, cluster size, media present, read-only[, serial[, share]].\r\n";
  out << "[Machine]\r\n"
      << "OS=" << OsKindName(d.os) << "\r\n"
      << "ComputerName=" << d.computerName << "\r\n"
      << "UserName=" << d.userName << "\r\n"
      << "UserKind=" << (d.userKind == UserKind::Admin ? "admin" : "limited") << "\r\n"
      << "UserSid=" << d.userSid << "\r\n"
      << "TimeZoneBias=" << (d.timeZoneBias ? std::to_string(*d.timeZoneBias) : "") << "\r\n"
      << "ShortNames=" << (d.shortNames ? 1 : 0) << "\r\n"
      << "TaskScheduler=" << SchedulerName(d.taskScheduler) << "\r\n";
  out << "\r\n[Version]\r\n";
  for (const auto& [key, value] : d.versionOverrides) out << key << "=\"" << value << "\"\r\n";
  out << "\r\n[Drives]\r\n";
  for (const auto& drive : d.drives) {
    out << drive.letter << "=" << DriveTypeName(drive.type) << "," << drive.fileSystem << ",\"" << drive.label << "\","
        << drive.capacity << "," << drive.clusterSize << "," << (drive.mediaPresent ? 1 : 0) << ","
        << (drive.readOnly ? 1 : 0) << ",0x" << std::hex << drive.serial << std::dec;
    if (!drive.share.empty()) out << "," << drive.share;
    out << "\r\n";
  }
  out << "\r\n[Environment]\r\n";
  for (const auto& [key, value] : d.environment) out << key << "=" << value << "\r\n";
  out << "\r\n[Access]\r\n";
  for (const auto& rule : d.accessRules) out << rule.path << "=" << GrantName(rule.grant) << "\r\n";
  out << "\r\n[Screen]\r\nWidth=" << d.screenWidth << "\r\nHeight=" << d.screenHeight << "\r\n";
  return out.str();
}

}  // namespace platform
