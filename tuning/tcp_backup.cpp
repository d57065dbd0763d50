#include "tuning/tcp_backup.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/base/runtime_error.h"
#include "platform/files/runtime_files.h"
#include "platform/forms/strings.h"
#include "platform/registry/advapi32.h"
#include "platform/runtime/conversions.h"
#include "support/path_helpers.h"
#include "tuning/os_version.h"
#include "tuning/suite_registry.h"
#include "tuning/tcp_keys.h"

namespace tuning {

namespace vb = platform::vb;
using platform::forms::Date;
using platform::forms::LCase;

namespace {

constexpr int kLastBackupNumber = 999;
constexpr double kLowestValue = -2147483648.0, kHighestValue = 4294967295.0;

// A block as a backup file holds it: the key line and each value (nullopt
// for a value that was missing).
struct RecordedBlock {
  std::string key;
  std::vector<std::pair<std::string, std::optional<double>>> values;
};

bool FolderExists(const std::string& path) {
  try {
    return (vb::GetAttr(path) & vb::vbDirectory) != 0;
  } catch (const platform::RuntimeError&) {
    return false;
  }
}

void CreateBackupFolder() {
  if (!FolderExists(BackupFolder())) vb::MkDir(BackupFolder());
}

// The base name's number when it ends in three digits, else 0.
int BackupNumber(const std::string& fileName) {
  std::string base = fileName.substr(0, fileName.rfind('.'));
  if (base.size() < 3) return 0;
  std::string digits = base.substr(base.size() - 3);
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return 0;
  return std::stoi(digits);
}

std::vector<std::string> BackupFileNames() {
  std::vector<std::string> names;
  for (std::string name = vb::Dir(BackupFolder() + "\\*.BCK"); !name.empty(); name = vb::Dir()) names.push_back(name);
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return LCase(a) < LCase(b); });
  return names;
}

// A live value as a number: the text's number for a string (0 when it holds
// none), the unsigned number of a double word; nullopt when missing.
std::optional<double> ReadLiveNumber(HKEY root, const std::string& key, const std::string& name) {
  HKEY handle = 0;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = REG_NONE, size = 0;
  std::optional<double> number;
  if (RegQueryValueExA(handle, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::string bytes(size, '\0');
    if (RegQueryValueExA(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size) ==
        ERROR_SUCCESS) {
      bytes.resize(size);
      number = 0;
      if (type == REG_DWORD && size == 4) {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[i]);
        number = value;
      } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
        double value = vb::RoundHalfEven(vb::Val(TrimNullChars(bytes + '\0')));
        if (value >= kLowestValue && value <= kHighestValue) number = value;
      }
    }
  }
  RegCloseKey(handle);
  return number;
}

RecordedBlock ReadLiveBlock(const ValueBlock& block) {
  RecordedBlock recorded{block.key, {}};
  for (const std::string& name : block.names)
    recorded.values.emplace_back(name, ReadLiveNumber(block.root, block.key, name));
  return recorded;
}

// The blocks of the live system in the file's order.
std::vector<ValueBlock> LiveLayout(int osCode) {
  std::vector<ValueBlock> blocks = FixedBlocks(osCode);
  if (auto adapters = AdapterNames(osCode))
    for (const std::string& adapter : *adapters)
      for (ValueBlock& block : AdapterBlocks(osCode, adapter)) blocks.push_back(std::move(block));
  return blocks;
}

// A backup file read against the layout it must follow; any departure
// raises DamagedFile.
struct DamagedFile {
  std::string problem;
};

class BackupReader {
 public:
  explicit BackupReader(int file) : file_(file) {}

  vb::FileItem Item() {
    try {
      return vb::InputItem(file_);
    } catch (const platform::RuntimeError& error) {
      throw DamagedFile{error.description()};
    }
  }

  std::string Text(const char* what) {
    vb::FileItem item = Item();
    if (!item.isText()) throw DamagedFile{std::string(what) + " is not a quoted text"};
    return item.text();
  }

  // The pairs of `block` after its key line.
  RecordedBlock Pairs(const ValueBlock& block) {
    RecordedBlock recorded{block.key, {}};
    for (const std::string& expected : block.names) {
      std::string name = Text("a value name");
      if (LCase(name) != LCase(expected)) throw DamagedFile{"\"" + name + "\" is not expected under " + block.key};
      vb::FileItem value = Item();
      if (value.isEmpty()) {
        recorded.values.emplace_back(expected, std::nullopt);
        continue;
      }
      if (!value.isNumber() || value.number() != std::floor(value.number()) || value.number() < kLowestValue ||
          value.number() > kHighestValue)
        throw DamagedFile{"the value of \"" + name + "\" is not a 32-bit whole number"};
      recorded.values.emplace_back(expected, value.number());
    }
    return recorded;
  }

 private:
  int file_;
};

// The blocks of a backup of the current system, checked against the
// family's layout.
std::vector<std::pair<HKEY, RecordedBlock>> ReadBackup(BackupReader& reader, int file) {
  std::vector<std::pair<HKEY, RecordedBlock>> blocks;
  for (const ValueBlock& expected : FixedBlocks(OSCode)) {
    std::string key = reader.Text("a key line");
    if (LCase(key) != LCase(expected.key)) throw DamagedFile{"\"" + key + "\" is not the expected key"};
    blocks.emplace_back(expected.root, reader.Pairs(expected));
  }
  while (!vb::Eof(file)) {
    std::optional<std::string> adapter;
    for (std::size_t position = 0; position < AdapterBlockCount(OSCode); ++position) {
      std::string key = reader.Text("a key line");
      std::optional<std::string> named = AdapterOfBlock(OSCode, key, position);
      if (!named || (adapter && LCase(*named) != LCase(*adapter)))
        throw DamagedFile{"\"" + key + "\" is not an adapter key"};
      adapter = named;
      blocks.emplace_back(HKEY_LOCAL_MACHINE, reader.Pairs(AdapterBlocks(OSCode, *adapter)[position]));
    }
  }
  return blocks;
}

void RemoveValueIfPresent(HKEY root, const std::string& key, const std::string& name) {
  HKEY handle = 0;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return;
  RegDeleteValueA(handle, name.c_str());
  RegCloseKey(handle);
}

void WriteBack(const std::vector<std::pair<HKEY, RecordedBlock>>& blocks) {
  const DWORD type = Is9xCode(OSCode) ? REG_SZ : REG_DWORD;
  for (const auto& [root, block] : blocks)
    for (const auto& [name, value] : block.values) {
      if (value) SetKeyValue(root, block.key, name, type, *value, false);
      else RemoveValueIfPresent(root, block.key, name);
    }
}

}  // namespace

std::string BackupFolder() { return AppPathFile("VLT Backups"); }

std::optional<std::string> NextBackupFileName() {
  CreateBackupFolder();
  int highest = 0;
  for (const std::string& name : BackupFileNames()) highest = std::max(highest, BackupNumber(name));
  if (highest >= kLastBackupNumber) return std::nullopt;
  std::string number = std::to_string(highest + 1);
  return BackupFolder() + "\\" + std::string(3 - number.size(), '0') + number + ".BCK";
}

std::optional<std::string> WriteTcpBackup() {
  int file = 0;
  try {
    std::optional<std::string> path = NextBackupFileName();
    if (!path) return "every backup number up to 999 is taken";
    std::vector<RecordedBlock> blocks;
    for (const ValueBlock& block : LiveLayout(OSCode)) blocks.push_back(ReadLiveBlock(block));
    Date now = platform::forms::Now();
    file = vb::Open(*path, vb::OpenMode::Output);
    vb::Write(file, {vb::FileDate{std::floor(now)}});
    vb::Write(file, {vb::FileDate{now - std::floor(now)}});
    vb::Write(file, {OSCode});
    for (const RecordedBlock& block : blocks) {
      vb::Write(file, {block.key});
      for (const auto& [name, value] : block.values) {
        vb::Write(file, {name});
        vb::Write(file, {value ? vb::FileItem(*value) : vb::FileItem()});
      }
    }
    vb::Close(file);
    return std::nullopt;
  } catch (const platform::RuntimeError& error) {
    if (file) vb::Close(file);
    return error.description();
  }
}

}  // namespace tuning

namespace tuning {

std::vector<BackupFileRow> ListBackupFiles() {
  CreateBackupFolder();
  std::vector<BackupFileRow> rows;
  for (const std::string& name : BackupFileNames()) {
    BackupFileRow row;
    row.fileName = name.substr(0, name.rfind('.')) + ".BCK";
    int file = 0;
    try {
      file = vb::Open(BackupFolder() + "\\" + name, vb::OpenMode::Input);
      vb::FileItem date = vb::InputItem(file);
      vb::FileItem time = vb::InputItem(file);
      if (date.isDate() && time.isDate()) {
        row.date = date.date();
        row.time = time.date();
        row.dateText = platform::forms::DateText(*row.date);
        row.timeText = platform::forms::DateText(*row.time);
      }
    } catch (const platform::RuntimeError&) {
      // A damaged file still gets its row, without date and time.
    }
    if (file) vb::Close(file);
    rows.push_back(std::move(row));
  }
  return rows;
}

RestoreOutcome RestoreTcpBackup(const std::string& fileName) {
  int file = 0;
  try {
    file = vb::Open(BackupFolder() + "\\" + fileName, vb::OpenMode::Input);
    BackupReader reader(file);
    reader.Item();  // the date
    reader.Item();  // the time
    vb::FileItem code = reader.Item();
    if (!code.isNumber() || code.number() != OSCode) {
      vb::Close(file);
      return {RestoreResult::OtherSystem, ""};
    }
    auto blocks = ReadBackup(reader, file);
    vb::Close(file);
    WriteBack(blocks);
    return {RestoreResult::Restored, ""};
  } catch (const DamagedFile& damage) {
    vb::Close(file);
    return {RestoreResult::Damaged, damage.problem};
  } catch (const platform::RuntimeError& error) {
    if (file) vb::Close(file);
    return {RestoreResult::Damaged, error.description()};
  }
}

}  // namespace tuning
