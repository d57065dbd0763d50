#pragma once
// The text format of our skin and movie descriptions: "[Section]" headers
// followed by "key=value" lines; sections may repeat (one per button), ";"
// starts a comment line. Read from the machine through the file layer.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::activex {

struct DescriptionSection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> values;  // in file order

  // The first value of `key` (ignoring case), or nullopt.
  std::optional<std::string> Value(std::string_view key) const;
  std::string ValueOr(std::string_view key, std::string fallback) const;
};

std::vector<DescriptionSection> ParseDescription(std::string_view text);

// Reads and parses a description file of the bound machine; nullopt when it
// cannot be read.
std::optional<std::vector<DescriptionSection>> ReadDescription(std::string_view windowsPath);

}  // namespace platform::activex
