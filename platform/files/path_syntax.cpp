#include "platform/files/path_syntax.h"

#include "platform/base/cp1252.h"

namespace platform::files {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsInvalidNameByte(unsigned char c) {
  return c < 32 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|';
}

std::string TrimTrailingDotsAndBlanks(std::string_view name) {
  std::size_t end = name.size();
  while (end > 0 && (name[end - 1] == '.' || name[end - 1] == ' ')) --end;
  return std::string(name.substr(0, end));
}

std::vector<std::string> SplitComponents(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSeparator(text[i])) ++i;
    std::size_t start = i;
    while (i < text.size() && !IsSeparator(text[i])) ++i;
    if (i > start) parts.emplace_back(text.substr(start, i - start));
  }
  return parts;
}

// Applies `parts` to `stack`: "." stays, ".." rises but never above the root.
// The last part loses trailing dots and blanks unless it is a pattern.
DWORD ApplyComponents(const std::vector<std::string>& parts, bool allowPattern, std::vector<std::string>& stack) {
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    bool last = i + 1 == parts.size();
    if (part == ".") continue;
    if (part == "..") {
      if (!stack.empty()) stack.pop_back();
      continue;
    }
    // A pattern keeps its trailing dots ("*." means "no extension").
    std::string name = (last && allowPattern && HasWildcard(part)) ? part : TrimTrailingDotsAndBlanks(part);
    if (name.empty()) continue;  // "a\ . " names "a"
    for (unsigned char c : name) {
      if (IsInvalidNameByte(c)) return ERROR_INVALID_NAME;
      if ((c == '?' || c == '*') && !(last && allowPattern)) return ERROR_INVALID_NAME;
    }
    if (IsReservedDeviceName(name)) return ERROR_INVALID_NAME;
    stack.push_back(std::move(name));
  }
  return ERROR_SUCCESS;
}

}  // namespace

std::string WindowsPath::text() const {
  std::string out{drive, ':', '\\'};
  for (std::size_t i = 0; i < components.size(); ++i) {
    if (i) out += '\\';
    out += components[i];
  }
  return out;
}

bool HasWildcard(std::string_view name) { return name.find_first_of("?*") != std::string_view::npos; }

bool IsReservedDeviceName(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && (base.back() == '.' || base.back() == ' ')) base.remove_suffix(1);
  if (base.size() != 3 && base.size() != 4) return false;  // most names: no copy needed
  std::string upper = ToUpper(base);
  for (const char* device : {"CON", "PRN", "AUX", "NUL"})
    if (upper == device) return true;
  if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' && upper[3] <= '9')
    return true;
  return false;
}

std::string PathKey(std::string_view windowsPath) { return ToUpper(windowsPath); }

DWORD ParseWindowsPath(std::string_view text, const PathContext& context, WindowsPath& out, bool allowPattern) {
  out = WindowsPath{};
  if (text.empty()) return ERROR_PATH_NOT_FOUND;
  if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {
    // "\\.\" and "\\?\" are device namespaces; anything else is a share.
    if (text.size() >= 3 && (text[2] == '.' || text[2] == '?') && (text.size() == 3 || IsSeparator(text[3])))
      return ERROR_INVALID_NAME;
    return ERROR_BAD_NETPATH;
  }

  std::string_view rest = text;
  char drive = context.currentDrive;
  bool fromRoot = false;
  if (text.size() >= 2 && text[1] == ':') {
    if (!IsLetter(text[0])) return ERROR_INVALID_NAME;
    drive = UpperChar(text[0]);
    rest = text.substr(2);
    fromRoot = !rest.empty() && IsSeparator(rest[0]);
  } else {
    fromRoot = IsSeparator(text[0]);
  }

  std::vector<std::string> stack;
  if (!fromRoot && context.currentDirectory) {
    std::string current = context.currentDirectory(drive);
    std::string_view below = current;
    if (below.size() >= 2 && below[1] == ':') below.remove_prefix(2);
    stack = SplitComponents(below);
  }
  if (DWORD error = ApplyComponents(SplitComponents(rest), allowPattern, stack)) return error;

  out.drive = drive;
  out.components = std::move(stack);
  out.trailingSeparator = !rest.empty() && IsSeparator(rest.back());
  std::size_t length = 3;  // "C:\" and a separator between components
  for (const auto& c : out.components) {
    if (c.size() > 255) return ERROR_FILENAME_EXCED_RANGE;
    length += c.size() + 1;
  }
  if (!out.components.empty()) --length;
  if (length > kMaxPathLength) return ERROR_FILENAME_EXCED_RANGE;
  return ERROR_SUCCESS;
}

}  // namespace platform::files
