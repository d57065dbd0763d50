#pragma once
// Profile reads that never cut: the buffer grows until the whole value or
// list fits.
#include <string>
#include <vector>

// The key's value; `defaultValue` when the file, section or key is missing.
std::string ReadWholeProfileString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue, const std::string& file);
// The section names in file order.
std::vector<std::string> ReadProfileSectionNames(const std::string& file);
// The key names of one section in file order.
std::vector<std::string> ReadProfileKeyNames(const std::string& section, const std::string& file);
