#include "mainwindow/chosen_files.h"

#include "platform/forms/strings.h"

std::vector<std::string> ChosenFiles(const std::string& fileName) {
  if (fileName.empty()) return {};
  std::vector<std::string> parts = platform::forms::Split(fileName, std::string(1, '\0'));
  if (parts.size() == 1) return parts;
  std::vector<std::string> files;
  for (std::size_t i = 1; i < parts.size(); ++i) files.push_back(parts[0] + "\\" + parts[i]);
  return files;
}
