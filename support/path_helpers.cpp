#include "support/path_helpers.h"

#include "platform/machine/app_path.h"

std::string TrimNullChars(std::string_view text) {
  auto nul = text.find('\0');
  if (nul == std::string_view::npos) return {};
  return std::string(text.substr(0, nul));
}

std::optional<std::string> TrimNullToVariant(std::string_view text) {
  auto nul = text.find('\0');
  if (nul == std::string_view::npos) return std::nullopt;
  return std::string(text.substr(0, nul));
}

std::string StripNulls(std::string& text) {
  auto nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  auto last = folder.find_last_not_of(' ');
  bool endsInBackslash = last != std::string::npos && folder[last] == '\\';
  return endsInBackslash ? folder + name : folder + "\\" + name;
}

std::string AppPathFile(const std::string& name) { return JoinPath(platform::AppPath(), name); }
