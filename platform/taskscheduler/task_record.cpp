#include "platform/taskscheduler/task_record.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string_view>

#include "platform/base/cp1252.h"

namespace platform::taskscheduler {
namespace {

std::string Hex32(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

bool ParseNumber(const std::string& text, bool hex, DWORD& out) {
  std::string digits = text;
  if (hex) {
    if (digits.size() < 3 || digits[0] != '0' || (digits[1] != 'x' && digits[1] != 'X')) return false;
    digits = digits.substr(2);
  }
  if (digits.empty() || digits.size() > (hex ? 8u : 10u)) return false;
  unsigned long long value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    value = value * (hex ? 16 : 10) + static_cast<unsigned>(d);
  }
  if (value > 0xFFFFFFFFull) return false;
  out = static_cast<DWORD>(value);
  return true;
}

bool ParseWord(const std::string& text, WORD& out) {
  DWORD value;
  if (!ParseNumber(text, false, value) || value > 0xFFFF) return false;
  out = static_cast<WORD>(value);
  return true;
}

std::string FormatTime(const std::optional<SYSTEMTIME>& time) {
  if (!time) return "never";
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", time->wYear, time->wMonth, time->wDay,
                time->wHour, time->wMinute, time->wSecond);
  return text;
}

// "yyyy-mm-dd hh:mm:ss" with every field exactly its digits: no sign, no
// blank, so that what is read is what FormatTime writes back.
bool ParseTime(const std::string& text, std::optional<SYSTEMTIME>& out) {
  if (text == "never") {
    out.reset();
    return true;
  }
  constexpr std::string_view kShape = "9999-99-99 99:99:99";
  if (text.size() != kShape.size()) return false;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == '9' ? !digit : text[i] != kShape[i]) return false;
  }
  auto field = [&text](std::size_t at, std::size_t width) {
    unsigned value = 0;
    for (std::size_t i = at; i < at + width; ++i) value = value * 10 + static_cast<unsigned>(text[i] - '0');
    return value;
  };
  const unsigned y = field(0, 4), mo = field(5, 2), d = field(8, 2), h = field(11, 2), mi = field(14, 2),
                 s = field(17, 2);
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59) return false;
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(mo);
  st.wDay = static_cast<WORD>(d);
  st.wHour = static_cast<WORD>(h);
  st.wMinute = static_cast<WORD>(mi);
  st.wSecond = static_cast<WORD>(s);
  out = st;
  return true;
}

std::string HexBytes(const TriggerBytes& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (std::uint8_t b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

bool ParseHexBytes(const std::string& text, TriggerBytes& out) {
  if (text.size() != out.size() * 2) return false;
  auto nibble = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  for (std::size_t i = 0; i < out.size(); ++i) {
    int hi = nibble(text[2 * i]), lo = nibble(text[2 * i + 1]);
    if (hi < 0 || lo < 0) return false;
    out[i] = static_cast<std::uint8_t>(hi << 4 | lo);
  }
  return true;
}

// How each key of the file is read into the record.
using FieldReader = std::function<bool(TaskRecord&, const std::string&)>;

const std::map<std::string, FieldReader, LessNoCase>& FieldReaders() {
  auto text = [](std::string TaskRecord::*field) {
    return [field](TaskRecord& t, const std::string& v) {
      t.*field = v;
      return true;
    };
  };
  auto hex = [](DWORD TaskRecord::*field) {
    return [field](TaskRecord& t, const std::string& v) { return ParseNumber(v, true, t.*field); };
  };
  static const std::map<std::string, FieldReader, LessNoCase> readers = {
      {"ApplicationName", text(&TaskRecord::applicationName)},
      {"Parameters", text(&TaskRecord::parameters)},
      {"WorkingDirectory", text(&TaskRecord::workingDirectory)},
      {"Comment", text(&TaskRecord::comment)},
      {"Creator", text(&TaskRecord::creator)},
      {"Flags", hex(&TaskRecord::flags)},
      {"Priority", hex(&TaskRecord::priority)},
      {"ExitCode", hex(&TaskRecord::exitCode)},
      {"MaxRunTime", [](TaskRecord& t, const std::string& v) { return ParseNumber(v, false, t.maxRunTime); }},
      {"IdleMinutes", [](TaskRecord& t, const std::string& v) { return ParseWord(v, t.idleMinutes); }},
      {"DeadlineMinutes", [](TaskRecord& t, const std::string& v) { return ParseWord(v, t.deadlineMinutes); }},
      {"LastRun", [](TaskRecord& t, const std::string& v) { return ParseTime(v, t.lastRun); }},
  };
  return readers;
}

// "TriggerN" with N >= 1; 0 for any other key.
std::size_t TriggerNumber(const std::string& key) {
  constexpr std::string_view kPrefix = "Trigger";
  if (key.size() <= kPrefix.size() || !EqualsNoCase(std::string_view(key).substr(0, kPrefix.size()), kPrefix)) return 0;
  DWORD n;
  if (!ParseNumber(key.substr(kPrefix.size()), false, n) || n == 0 || n > 0xFFFF) return 0;
  if (key[kPrefix.size()] == '0') return 0;
  return n;
}

}  // namespace

std::string FormatTaskFile(const TaskRecord& t) {
  std::string out = "[Task]\r\n";
  auto line = [&out](const char* key, const std::string& value) { out += std::string(key) + "=" + value + "\r\n"; };
  line("ApplicationName", t.applicationName);
  line("Parameters", t.parameters);
  line("WorkingDirectory", t.workingDirectory);
  line("Comment", t.comment);
  line("Creator", t.creator);
  line("Flags", Hex32(t.flags));
  line("Priority", Hex32(t.priority));
  line("MaxRunTime", std::to_string(t.maxRunTime));
  line("IdleMinutes", std::to_string(t.idleMinutes));
  line("DeadlineMinutes", std::to_string(t.deadlineMinutes));
  line("LastRun", FormatTime(t.lastRun));
  line("ExitCode", Hex32(t.exitCode));
  for (std::size_t i = 0; i < t.triggers.size(); ++i)
    line(("Trigger" + std::to_string(i + 1)).c_str(), HexBytes(t.triggers[i]));
  return out;
}

std::optional<TaskRecord> ParseTaskFile(const std::string& text) {
  TaskRecord task;
  std::map<std::size_t, TriggerBytes> triggers;
  bool header = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (!header) {
      if (!EqualsNoCase(line, "[Task]")) return std::nullopt;
      header = true;
      continue;
    }
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) return std::nullopt;
    std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    if (std::size_t n = TriggerNumber(key)) {
      TriggerBytes bytes;
      if (!ParseHexBytes(value, bytes) || !triggers.emplace(n, bytes).second) return std::nullopt;
      continue;
    }
    auto reader = FieldReaders().find(key);
    if (reader == FieldReaders().end() || !reader->second(task, value)) return std::nullopt;
  }
  if (!header) return std::nullopt;
  for (const auto& [n, bytes] : triggers) {
    if (n != task.triggers.size() + 1) return std::nullopt;  // numbering with a gap
    task.triggers.push_back(bytes);
  }
  return task;
}

TASK_TRIGGER TriggerFromBytes(const TriggerBytes& bytes) {
  TASK_TRIGGER trigger;
  std::memcpy(&trigger, bytes.data(), bytes.size());
  return trigger;
}

TriggerBytes BytesFromTrigger(const TASK_TRIGGER& trigger) {
  TriggerBytes bytes;
  std::memcpy(bytes.data(), &trigger, bytes.size());
  return bytes;
}

}  // namespace platform::taskscheduler
