#include "platform/activex/description_file.h"

#include "platform/base/cp1252.h"
#include "platform/files/file_content.h"

namespace platform::activex {
namespace {

std::string_view Trim(std::string_view text) {
  auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<std::string> DescriptionSection::Value(std::string_view key) const {
  for (const auto& [name, value] : values)
    if (EqualsNoCase(name, key)) return value;
  return std::nullopt;
}

std::string DescriptionSection::ValueOr(std::string_view key, std::string fallback) const {
  return Value(key).value_or(std::move(fallback));
}

std::vector<DescriptionSection> ParseDescription(std::string_view text) {
  std::vector<DescriptionSection> sections;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      auto close = line.find(']');
      sections.push_back({std::string(Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1))), {}});
      continue;
    }
    if (sections.empty()) continue;  // lines before the first section mean nothing
    auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    sections.back().values.emplace_back(std::string(Trim(line.substr(0, equals))),
                                        std::string(Trim(line.substr(equals + 1))));
  }
  return sections;
}

std::optional<std::vector<DescriptionSection>> ReadDescription(std::string_view windowsPath) {
  std::string bytes;
  if (files::ReadFileContent(windowsPath, bytes) != ERROR_SUCCESS) return std::nullopt;
  return ParseDescription(bytes);
}

}  // namespace platform::activex
