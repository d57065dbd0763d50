#include "platform/forms/strings.h"

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"

namespace platform::forms {
namespace {

void RequireNonNegative(std::int64_t value) {
  if (value < 0) RaiseRuntimeError(5);
}

char LowerChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
  switch (u) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
  }
  return c;
}

}  // namespace

std::string Left(std::string_view s, std::int32_t length) {
  RequireNonNegative(length);
  return std::string(s.substr(0, static_cast<std::size_t>(length)));
}

std::string Right(std::string_view s, std::int32_t length) {
  RequireNonNegative(length);
  std::size_t n = std::min(s.size(), static_cast<std::size_t>(length));
  return std::string(s.substr(s.size() - n));
}

std::string Mid(std::string_view s, std::int32_t start) {
  if (start < 1) RaiseRuntimeError(5);
  if (static_cast<std::size_t>(start) > s.size()) return {};
  return std::string(s.substr(static_cast<std::size_t>(start) - 1));
}

std::string Mid(std::string_view s, std::int32_t start, std::int32_t length) {
  RequireNonNegative(length);
  return Left(Mid(s, start), length);
}

std::int32_t Len(std::string_view s) { return static_cast<std::int32_t>(s.size()); }

std::int32_t InStr(std::string_view s, std::string_view t) { return InStr(1, s, t); }

std::int32_t InStr(std::int32_t start, std::string_view s, std::string_view t) {
  if (start < 1) RaiseRuntimeError(5);
  if (s.empty() || static_cast<std::size_t>(start) > s.size()) return 0;
  if (t.empty()) return start;
  std::size_t found = s.find(t, static_cast<std::size_t>(start) - 1);
  return found == std::string_view::npos ? 0 : static_cast<std::int32_t>(found) + 1;
}

std::int32_t InStrRev(std::string_view s, std::string_view t, std::int32_t start) {
  if (start == 0 || start < -1) RaiseRuntimeError(5);
  if (s.empty()) return 0;
  std::int32_t from = start == -1 ? Len(s) : start;
  if (from > Len(s)) return 0;
  if (t.empty()) return from;
  if (t.size() > static_cast<std::size_t>(from)) return 0;
  std::size_t found = s.substr(0, static_cast<std::size_t>(from)).rfind(t);
  return found == std::string_view::npos ? 0 : static_cast<std::int32_t>(found) + 1;
}

namespace {

std::string_view LTrimmed(std::string_view s) {
  std::size_t first = s.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

std::string_view RTrimmed(std::string_view s) {
  std::size_t last = s.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

}  // namespace

std::string LTrim(std::string_view s) { return std::string(LTrimmed(s)); }
std::string RTrim(std::string_view s) { return std::string(RTrimmed(s)); }
std::string Trim(std::string_view s) { return std::string(LTrimmed(RTrimmed(s))); }

std::string UCase(std::string_view s) { return ToUpper(s); }

std::string LCase(std::string_view s) {
  std::string lower(s);
  for (char& c : lower) c = LowerChar(c);
  return lower;
}

std::int32_t Asc(std::string_view s) {
  if (s.empty()) RaiseRuntimeError(5);
  return static_cast<unsigned char>(s[0]);
}

std::string Chr(std::int32_t code) {
  if (code < 0 || code > 255) RaiseRuntimeError(5);
  return std::string(1, static_cast<char>(code));
}

std::string String(std::int32_t count, char c) {
  RequireNonNegative(count);
  return std::string(static_cast<std::size_t>(count), c);
}

std::string Space(std::int32_t count) { return String(count, ' '); }

std::string Replace(std::string_view s, std::string_view find, std::string_view with) {
  if (find.empty()) return std::string(s);
  std::string result;
  std::size_t at = 0;
  for (std::size_t found; (found = s.find(find, at)) != std::string_view::npos; at = found + find.size()) {
    result.append(s.substr(at, found - at));
    result.append(with);
  }
  result.append(s.substr(at));
  return result;
}

std::vector<std::string> Split(std::string_view s, std::string_view delimiter) {
  std::vector<std::string> parts;
  if (s.empty()) return parts;
  if (delimiter.empty()) return {std::string(s)};
  std::size_t at = 0;
  for (std::size_t found; (found = s.find(delimiter, at)) != std::string_view::npos; at = found + delimiter.size())
    parts.emplace_back(s.substr(at, found - at));
  parts.emplace_back(s.substr(at));
  return parts;
}

std::string Join(const std::vector<std::string>& parts, std::string_view delimiter) {
  std::string joined;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i) joined.append(delimiter);
    joined.append(parts[i]);
  }
  return joined;
}

}  // namespace platform::forms
