#include "platform/registry/registry_text.h"

#include <array>
#include <cstring>

#include "platform/base/cp1252.h"
#include "platform/machine/description.h"
#include "platform/registry/registry_key.h"

namespace platform::registry {
namespace {

// Hex data lines are wrapped before this column, as regedit does.
constexpr std::size_t kWrapColumn = 76;

constexpr std::array<signed char, 256> MakeHexTable() {
  std::array<signed char, 256> table{};
  for (auto& entry : table) entry = -1;
  for (int c = '0'; c <= '9'; ++c) table[c] = static_cast<signed char>(c - '0');
  for (int c = 'a'; c <= 'f'; ++c) table[c] = static_cast<signed char>(c - 'a' + 10);
  for (int c = 'A'; c <= 'F'; ++c) table[c] = static_cast<signed char>(c - 'A' + 10);
  return table;
}
constexpr auto kHexValue = MakeHexTable();
constexpr char kHexDigits[] = "0123456789abcdef";

int HexValue(char c) { return kHexValue[static_cast<unsigned char>(c)]; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return s.substr(i);
}

std::string_view TrimRight(std::string_view s) {
  std::size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return s.substr(0, n);
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

class Parser {
 public:
  Parser(std::string_view text, std::string_view source, RegistryTextSink& sink)
      : text_(text), source_(source), sink_(sink) {}

  void Run() {
    std::string_view line;
    if (!NextLine(line) || TrimRight(line) != "REGEDIT4") Fail("the first line must be REGEDIT4");
    while (NextLine(line)) {
      line = TrimLeft(line);
      if (line.empty() || line[0] == ';') continue;
      if (line[0] == '[') {
        KeyLine(TrimRight(line));
      } else if (line[0] == '@' || line[0] == '"') {
        if (!inKey_) Fail("value line before the first [key] line");
        ValueLine(line);
      } else {
        Fail("expected a [key] line or a value line");
      }
    }
  }

 private:
  [[noreturn]] void Fail(std::string_view what) const { ThrowTextError(source_, lineNo_ ? lineNo_ : 1, what); }

  bool NextLine(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const char* start = text_.data() + pos_;
    const void* nl = std::memchr(start, '\n', text_.size() - pos_);
    std::size_t end = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - text_.data()) : text_.size();
    line = text_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = end + 1;
    ++lineNo_;
    return true;
  }

  void KeyLine(std::string_view line) {
    if (line.size() < 2 || line.back() != ']') Fail("key line without closing ]");
    std::string_view path = line.substr(1, line.size() - 2);
    std::size_t slash = path.find('\\');
    std::string_view root = path.substr(0, slash);
    std::string_view sub = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    if (root.empty()) Fail("key line without a root key name");
    // No call can name such a key: it would live on beside the key its
    // name reads as.
    if (path.find('\0') != std::string_view::npos) Fail("NUL byte in the key name");
    if (slash != std::string_view::npos) CheckComponents(sub);
    inKey_ = true;
    sink_.OnKey(root, sub, lineNo_);
  }

  void CheckComponents(std::string_view sub) {
    std::size_t depth = 0;
    std::size_t start = 0;
    while (true) {
      std::size_t slash = sub.find('\\', start);
      std::size_t len = (slash == std::string_view::npos ? sub.size() : slash) - start;
      if (len == 0) Fail("empty key name in the path");
      if (len > kMaxKeyName) Fail("key name longer than 255 characters");
      if (++depth > kMaxKeyDepth) Fail("key path deeper than 512 levels");
      if (slash == std::string_view::npos) break;
      start = slash + 1;
    }
  }

  // Reads the quoted text at line[0] into `out`; returns the rest after the
  // closing quote.
  std::string_view QuotedText(std::string_view line, std::string& out) {
    out.clear();
    std::size_t i = 1;
    while (true) {
      std::size_t stop = line.find_first_of("\"\\", i);
      if (stop == std::string_view::npos) Fail("text without closing quote");
      out.append(line.data() + i, stop - i);
      if (line[stop] == '"') return line.substr(stop + 1);
      if (stop + 1 >= line.size() || (line[stop + 1] != '\\' && line[stop + 1] != '"'))
        Fail("unknown escape in quoted text (only \\\\ and \\\" are allowed)");
      out += line[stop + 1];
      i = stop + 2;
    }
  }

  void ExpectLineEnd(std::string_view rest) {
    if (!TrimLeft(rest).empty()) Fail("unexpected text after the value");
  }

  void ValueLine(std::string_view line) {
    std::size_t valueLine = lineNo_;
    std::string_view rest;
    if (line[0] == '@') {
      name_.clear();
      rest = line.substr(1);
    } else {
      rest = QuotedText(line, name_);
      if (name_.size() > kMaxValueName) Fail("value name longer than 16383 characters");
      if (name_.find('\0') != std::string::npos) Fail("NUL byte in the value name");
    }
    rest = TrimLeft(rest);
    if (rest.empty() || rest[0] != '=') Fail("expected = after the value name");
    rest = TrimLeft(rest.substr(1));

    DWORD type = 0;
    if (!rest.empty() && rest[0] == '"') {
      rest = QuotedText(rest, data_);
      ExpectLineEnd(rest);
      data_ += '\0';
      type = 1;
    } else if (StartsWithNoCase(rest, "dword:")) {
      std::string_view digits = TrimRight(rest.substr(6));
      DWORD value = 0;
      if (digits.empty() || digits.size() > 8) Fail("dword needs 1 to 8 hex digits");
      for (char c : digits) {
        int v = HexValue(c);
        if (v < 0) Fail("dword needs 1 to 8 hex digits");
        value = (value << 4) | static_cast<DWORD>(v);
      }
      data_.resize(4);
      for (int i = 0; i < 4; ++i) data_[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
      type = 4;
    } else if (StartsWithNoCase(rest, "hex:")) {
      type = 3;
      HexBytes(rest.substr(4));
    } else if (StartsWithNoCase(rest, "hex(")) {
      std::size_t close = rest.find(')');
      std::string_view digits = rest.substr(4, close == std::string_view::npos ? 0 : close - 4);
      if (close == std::string_view::npos || digits.empty() || digits.size() > 8 || close + 1 >= rest.size() ||
          rest[close + 1] != ':')
        Fail("expected hex(type):");
      for (char c : digits) {
        int v = HexValue(c);
        if (v < 0) Fail("type number must be hexadecimal");
        type = (type << 4) | static_cast<DWORD>(v);
      }
      HexBytes(rest.substr(close + 2));
    } else {
      Fail("value data must be \"text\", dword:, hex: or hex(type):");
    }
    sink_.OnValue(name_, type, data_, valueLine);
  }

  // Comma-separated bytes; a "\" at the end of a line continues the list on
  // the next line.
  void HexBytes(std::string_view rest) {
    data_.clear();
    while (true) {
      rest = TrimLeft(rest);
      if (rest.empty()) return;
      if (rest[0] == '\\') {
        if (!TrimLeft(rest.substr(1)).empty()) Fail("text after the line continuation");
        if (!NextLine(rest)) Fail("line continuation at the end of the text");
        continue;
      }
      int high = HexValue(rest[0]);
      if (high < 0) Fail("bad hex byte");
      int value = high;
      std::size_t used = 1;
      if (rest.size() > 1 && HexValue(rest[1]) >= 0) {
        value = high * 16 + HexValue(rest[1]);
        used = 2;
      }
      data_ += static_cast<char>(value);
      rest = TrimLeft(rest.substr(used));
      if (rest.empty()) return;
      if (rest[0] != ',') Fail("expected , between hex bytes");
      rest.remove_prefix(1);
    }
  }

  std::string_view text_;
  std::string_view source_;
  RegistryTextSink& sink_;
  std::size_t pos_ = 0;
  std::size_t lineNo_ = 0;
  bool inKey_ = false;
  std::string name_;
  std::string data_;
};

void AppendEscaped(std::string_view text, std::string& out) {
  std::size_t start = 0;
  while (true) {
    std::size_t stop = text.find_first_of("\"\\", start);
    if (stop == std::string_view::npos) {
      out.append(text.data() + start, text.size() - start);
      return;
    }
    out.append(text.data() + start, stop - start);
    out += '\\';
    out += text[stop];
    start = stop + 1;
  }
}

// Text plus exactly one final NUL, and no other NUL, CR or LF.
bool IsPlainString(std::string_view data) {
  if (data.empty() || data.back() != '\0') return false;
  std::string_view text = data.substr(0, data.size() - 1);
  return text.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

void AppendHexBytes(std::string_view data, std::size_t column, std::string& out) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    auto byte = static_cast<unsigned char>(data[i]);
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 15];
    column += 2;
    if (i + 1 == data.size()) break;
    out += ',';
    ++column;
    if (column >= kWrapColumn) {
      out += "\\\r\n  ";
      column = 2;
    }
  }
}

void AppendValue(const RegValue& value, std::string& out) {
  std::size_t lineStart = out.size();
  if (value.name.empty()) {
    out += '@';
  } else {
    out += '"';
    AppendEscaped(value.name, out);
    out += '"';
  }
  out += '=';
  const std::string& data = value.data;
  if (value.type == 1 && IsPlainString(data)) {
    out += '"';
    AppendEscaped(std::string_view(data).substr(0, data.size() - 1), out);
    out += '"';
  } else if (value.type == 4 && data.size() == 4) {
    DWORD v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(data[i]);
    out += "dword:";
    for (int shift = 28; shift >= 0; shift -= 4) out += kHexDigits[(v >> shift) & 15];
  } else {
    if (value.type == 3) {
      out += "hex:";
    } else {
      char type[16];
      int n = 0;
      DWORD t = value.type;
      do {
        type[n++] = kHexDigits[t & 15];
        t >>= 4;
      } while (t);
      out += "hex(";
      while (n > 0) out += type[--n];
      out += "):";
    }
    AppendHexBytes(data, out.size() - lineStart, out);
  }
  out += "\r\n";
}

void AppendKey(const Key& key, std::string& path, std::string& out) {
  out += '[';
  out += path;
  out += "]\r\n";
  for (std::size_t i = 0; i < key.valueCount(); ++i) AppendValue(key.valueAt(i), out);
  out += "\r\n";
  for (std::size_t i = 0; i < key.subkeyCount(); ++i) {
    const Key& child = key.subkeyAt(i);
    if (child.isVolatile()) continue;
    std::size_t length = path.size();
    path += '\\';
    path += child.name();
    AppendKey(child, path, out);
    path.resize(length);
  }
}

}  // namespace

void ThrowTextError(std::string_view sourceName, std::size_t line, std::string_view what) {
  std::string message(sourceName);
  message += " line ";
  message += std::to_string(line);
  message += ": ";
  message += what;
  throw MachineError(message);
}

void ParseRegistryText(std::string_view text, std::string_view sourceName, RegistryTextSink& sink) {
  Parser(text, sourceName, sink).Run();
}

void AppendHiveText(const Key& root, std::string& out) {
  out += "REGEDIT4\r\n\r\n";
  std::string path = root.name();
  AppendKey(root, path, out);
}

}  // namespace platform::registry
