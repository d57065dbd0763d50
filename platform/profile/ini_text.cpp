#include "platform/profile/ini_text.h"

#include "platform/base/cp1252.h"

namespace platform::profile {
namespace {

constexpr std::string_view kCrLf = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

void Classify(std::string_view content, IniLine& line) {
  std::string_view text = Trim(content);
  if (text.empty()) {
    line.kind = IniLine::Kind::Blank;
  } else if (text.front() == ';') {
    line.kind = IniLine::Kind::Comment;
  } else if (text.front() == '[') {
    line.kind = IniLine::Kind::Section;
    std::string_view name = text.substr(1);
    name = name.substr(0, name.find(']'));
    line.name = Trim(name);
  } else {
    line.kind = IniLine::Kind::Key;
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
      line.name = text;
    } else {
      line.name = Trim(text.substr(0, equals));
      line.value = Unquote(Trim(text.substr(equals + 1)));
    }
  }
}

std::string KeyLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  return line;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += kCrLf;
  }
  return text;
}

// The bytes with [from, to) replaced by `text`.
std::string Splice(std::string_view bytes, std::size_t from, std::size_t to, std::string_view text) {
  std::string result(bytes.substr(0, from));
  result += text;
  result += bytes.substr(to);
  return result;
}

// Inserts CR LF-ended `text` after `line`, ending that line first when
// it is the file's unterminated last line.
std::string InsertAfterLine(std::string_view bytes, const IniLine& line, std::string_view text) {
  std::string inserted = line.endLength == 0 ? std::string(kCrLf) : std::string();
  inserted += text;
  return Splice(bytes, line.end(), line.end(), inserted);
}

std::string AppendSection(std::string_view bytes, const IniDocument& document, std::string_view section,
                          const std::vector<std::string>& lines) {
  std::string result(bytes);
  if (!document.lines().empty() && document.lines().back().endLength == 0) result += kCrLf;
  result += '[';
  result += section;
  result += ']';
  result += kCrLf;
  result += JoinLines(lines);
  return result;
}

}  // namespace

IniDocument::IniDocument(std::string_view bytes) : bytes_(bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    IniLine line;
    line.begin = pos;
    std::size_t stop = bytes.find_first_of("\r\n", pos);
    if (stop == std::string_view::npos) stop = bytes.size();
    line.length = stop - pos;
    if (stop < bytes.size()) {
      line.endLength = (bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n') ? 2 : 1;
    }
    Classify(bytes.substr(line.begin, line.length), line);
    pos = line.end();

    std::size_t index = lines_.size();
    if (line.kind == IniLine::Kind::Section) {
      if (!sections_.empty()) sections_.back().end = index;
      firstSection_.emplace(ToUpper(line.name), sections_.size());
      sections_.push_back({line.name, index, index + 1, {}});
    } else if (line.kind == IniLine::Kind::Key && !sections_.empty()) {
      sections_.back().keys.push_back(index);
    }
    lines_.push_back(std::move(line));
  }
  if (!sections_.empty()) sections_.back().end = lines_.size();
}

const IniSection* IniDocument::FindSection(std::string_view name) const {
  auto found = firstSection_.find(ToUpper(Trim(name)));
  return found == firstSection_.end() ? nullptr : &sections_[found->second];
}

const IniLine* IniDocument::FindKey(const IniSection& section, std::string_view key) const {
  key = Trim(key);
  for (std::size_t index : section.keys) {
    if (EqualsNoCase(lines_[index].name, key)) return &lines_[index];
  }
  return nullptr;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const auto& section : sections_) {
    if (FindSection(section.name) == &section) names.push_back(section.name);
  }
  return names;
}

std::vector<std::string> IniDocument::KeyNames(const IniSection& section) const {
  std::vector<std::string> names;
  for (std::size_t index : section.keys) {
    if (FindKey(section, lines_[index].name) == &lines_[index]) names.push_back(lines_[index].name);
  }
  return names;
}

std::vector<std::string> IniDocument::KeyLines(const IniSection& section) const {
  std::vector<std::string> result;
  for (std::size_t index : section.keys) {
    result.emplace_back(bytes_.substr(lines_[index].begin, lines_[index].length));
  }
  return result;
}

std::string SetIniValue(std::string_view bytes, std::string_view section, std::string_view key,
                        std::string_view value) {
  IniDocument document(bytes);
  const IniSection* found = document.FindSection(section);
  if (found == nullptr) return AppendSection(bytes, document, section, {KeyLine(key, value)});
  if (const IniLine* line = document.FindKey(*found, key)) {
    return Splice(bytes, line->begin, line->begin + line->length, KeyLine(key, value));
  }
  std::size_t after = found->keys.empty() ? found->header : found->keys.back();
  return InsertAfterLine(bytes, document.lines()[after], KeyLine(key, value) + std::string(kCrLf));
}

std::string RemoveIniKey(std::string_view bytes, std::string_view section, std::string_view key) {
  IniDocument document(bytes);
  const IniSection* found = document.FindSection(section);
  const IniLine* line = found ? document.FindKey(*found, key) : nullptr;
  if (line == nullptr) return std::string(bytes);
  return Splice(bytes, line->begin, line->end(), "");
}

std::string RemoveIniSection(std::string_view bytes, std::string_view section) {
  IniDocument document(bytes);
  const IniSection* found = document.FindSection(section);
  if (found == nullptr) return std::string(bytes);
  const auto& lines = document.lines();
  return Splice(bytes, lines[found->header].begin, lines[found->end - 1].end(), "");
}

std::string ReplaceIniSection(std::string_view bytes, std::string_view section,
                              const std::vector<std::string>& lines) {
  IniDocument document(bytes);
  const IniSection* found = document.FindSection(section);
  if (found == nullptr) return AppendSection(bytes, document, section, lines);
  const auto& all = document.lines();
  const IniLine& header = all[found->header];
  // The body runs to the last key line; blank and comment lines after it (the
  // spacing before the next section) stay.
  std::size_t bodyEnd = found->keys.empty() ? header.end() : all[found->keys.back()].end();
  std::string text = header.endLength == 0 ? std::string(kCrLf) : std::string();
  text += JoinLines(lines);
  return Splice(bytes, header.end(), bodyEnd, text);
}

}  // namespace platform::profile
