#include "tools/disabled_items_file.h"

#include "platform/base/runtime_error.h"
#include "platform/files/file_system_object.h"
#include "platform/forms/strings.h"
#include "support/hex_text.h"
#include "support/system_folders.h"

namespace tools {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::optional<DWORD> ParseType(std::string_view text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  unsigned long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<DWORD>(value);
}

std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == '|') fields.emplace_back();
    else fields.back() += c;
  }
  return fields;
}

}  // namespace

std::string EncodeOriginal(const std::optional<cleaning::StoredValue>& original) {
  if (!original) return "";
  return "|" + std::to_string(original->type) + "|" + ToHex(original->data);
}

std::optional<std::optional<cleaning::StoredValue>> DecodeOriginal(std::string_view tail, const std::string& name) {
  if (tail.empty()) return std::optional<cleaning::StoredValue>();
  if (tail.front() != '|') return std::nullopt;
  auto fields = Fields(tail.substr(1));
  if (fields.size() != 2) return std::nullopt;
  auto type = ParseType(fields[0]);
  auto bytes = ParseHex(fields[1]);
  if (!type || !bytes) return std::nullopt;
  return std::optional<cleaning::StoredValue>(cleaning::StoredValue{name, *type, *bytes});
}

DisabledItems ParseDisabledItems(std::string_view text) {
  DisabledItems parsed;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(kLineEnd, at);
    std::string_view line = text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    at = end == std::string_view::npos ? text.size() : end + 2;
    if (line.empty()) continue;
    auto fields = Fields(line);
    std::optional<std::optional<cleaning::StoredValue>> original;
    if (fields.size() >= 4 && fields[1] == kDisabledStatus) {
      std::size_t tailStart = fields[0].size() + fields[1].size() + fields[2].size() + fields[3].size() + 3;
      original = DecodeOriginal(line.substr(tailStart), fields[0]);
    }
    if (!original) {
      parsed.keptLines.emplace_back(line);
      continue;
    }
    parsed.items.push_back({fields[0], fields[2], fields[3], std::move(*original)});
  }
  return parsed;
}

std::string FormatDisabledItems(const std::vector<DisabledItem>& items, const std::vector<std::string>& keptLines) {
  std::string text;
  for (const auto& item : items)
    text += item.name + "|" + kDisabledStatus + "|" + item.command + "|" + item.location + EncodeOriginal(item.original) +
            kLineEnd;
  for (const auto& line : keptLines) text += line + kLineEnd;
  return text;
}

bool FitsOnOneLine(const DisabledItem& item) {
  for (const std::string* field : {&item.name, &item.command, &item.location})
    if (field->find_first_of("|\r\n") != std::string::npos) return false;
  return true;
}

std::string DisabledItemsPath() { return g_WindowsDir.empty() ? "" : g_WindowsDir + "\\inf\\zxxy.inf"; }

FileText ReadDisabledItemsFile() {
  std::string path = DisabledItemsPath();
  if (path.empty()) return {false, ""};
  try {
    platform::scripting::FileSystemObject fso;
    if (!fso.FileExists(path)) return {true, ""};
    auto stream = fso.OpenTextFile(path);
    std::string text = stream.AtEndOfStream() ? "" : stream.ReadAll();
    stream.Close();
    return {true, text};
  } catch (const platform::RuntimeError&) {
    return {false, ""};
  }
}

bool WriteDisabledItemsFile(const std::string& text) {
  std::string path = DisabledItemsPath();
  if (path.empty()) return false;
  try {
    platform::scripting::FileSystemObject fso;
    std::string folder = g_WindowsDir + "\\inf";
    if (!fso.FolderExists(folder)) fso.CreateFolder(folder);
    auto out = fso.CreateTextFile(path, true, false);
    out.Write(text);
    out.Close();
  } catch (const platform::RuntimeError&) {
    return false;
  }
  FileText back = ReadDisabledItemsFile();
  return back.readable && back.text == text;
}

}  // namespace tools
