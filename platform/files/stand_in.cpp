#include "platform/files/stand_in.h"

#include "platform/base/runtime_error.h"
#include "platform/files/handle_stream.h"
#include "platform/files/kernel32_files.h"

namespace platform::files {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool IsVersion(std::string_view text) {
  int parts = 0;
  std::size_t digits = 0;
  unsigned long value = 0;
  for (char c : text) {
    if (c == '.') {
      if (digits == 0) return false;
      ++parts, digits = 0, value = 0;
    } else if (c >= '0' && c <= '9') {
      value = value * 10 + static_cast<unsigned long>(c - '0');
      if (++digits > 5 || value > 65535) return false;
    } else {
      return false;
    }
  }
  return digits > 0 && parts == 3;
}

}  // namespace

std::string StandInHeader::field(std::string_view key) const {
  auto it = fields.find(Lower(key));
  return it == fields.end() ? std::string() : it->second;
}

std::string StandInHeader::version() const {
  std::string text = field("version");
  return IsVersion(text) ? text : std::string();
}

std::string StandInHeader::typelib() const { return field("typelib"); }
std::string StandInHeader::module() const { return field("module"); }

std::vector<std::string> StandInHeader::coclasses() const {
  std::vector<std::string> out;
  std::string text = field("coclass");
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    if (comma > start) out.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  return out;
}

std::optional<StandInHeader> ParseStandInHeader(std::string_view bytes) {
  if (bytes.substr(0, kStandInMagic.size()) != kStandInMagic) return std::nullopt;
  std::string_view line = bytes.substr(kStandInMagic.size());
  std::size_t end = line.find_first_of("\r\n");
  if (end != std::string_view::npos) line = line.substr(0, end);
  // The magic word stands alone ("MZ-STANDINX" is not one).
  if (!line.empty() && line[0] != ' ' && line[0] != '\t') return std::nullopt;
  StandInHeader header;
  std::size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    std::size_t stop = line.find_first_of(" \t", pos);
    if (stop == std::string_view::npos) stop = line.size();
    std::string_view token = line.substr(pos, stop - pos);
    std::size_t equals = token.find('=');
    if (equals != std::string_view::npos && equals > 0)
      header.fields.emplace(Lower(token.substr(0, equals)), std::string(token.substr(equals + 1)));
    pos = stop;
  }
  return header;
}

DWORD ReadStandInHeader(std::string_view windowsPath, std::optional<StandInHeader>& header) {
  header.reset();
  HandleStream stream;
  if (DWORD error = stream.Open(windowsPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING))
    return error;
  std::string first;
  try {
    stream.Read(kStandInLineLimit, first);
  } catch (const RuntimeError&) {
    return ERROR_ACCESS_DENIED;  // a host read failure
  }
  header = ParseStandInHeader(first);
  return ERROR_SUCCESS;
}

std::string StandInLine(const std::vector<std::pair<std::string, std::string>>& fields) {
  std::string line(kStandInMagic);
  for (const auto& [key, value] : fields) line += " " + key + "=" + value;
  return line + "\r\n";
}

}  // namespace platform::files
