#pragma once
// The values the runtime's sequential file statements write and read:
// Print # and Write # formatting, Input # items.
#include <string>
#include <string_view>
#include <variant>

#include "platform/runtime/dates.h"

namespace platform::vb {

// A Date value, kept apart from numbers (Write # and Input # spell it #...#).
struct FileDate {
  forms::Date value = 0;
  bool operator==(const FileDate&) const = default;
};

// One item of Print #, Write # or Input #: Empty, text, number, Boolean or Date.
class FileItem {
 public:
  using Value = std::variant<std::monostate, std::string, double, bool, FileDate>;

  FileItem() = default;
  FileItem(std::string text) : value_(std::move(text)) {}
  FileItem(std::string_view text) : value_(std::string(text)) {}
  FileItem(const char* text) : value_(std::string(text)) {}
  FileItem(double number) : value_(number) {}
  FileItem(int number) : value_(static_cast<double>(number)) {}
  FileItem(long number) : value_(static_cast<double>(number)) {}
  FileItem(long long number) : value_(static_cast<double>(number)) {}
  FileItem(bool flag) : value_(flag) {}
  FileItem(FileDate date) : value_(date) {}

  const Value& value() const { return value_; }
  bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  bool isText() const { return std::holds_alternative<std::string>(value_); }
  bool isNumber() const { return std::holds_alternative<double>(value_); }
  bool isBoolean() const { return std::holds_alternative<bool>(value_); }
  bool isDate() const { return std::holds_alternative<FileDate>(value_); }
  const std::string& text() const { return std::get<std::string>(value_); }
  double number() const { return std::get<double>(value_); }
  bool boolean() const { return std::get<bool>(value_); }
  forms::Date date() const { return std::get<FileDate>(value_).value; }

  bool operator==(const FileItem&) const = default;

 private:
  Value value_;
};

// Print #: text as it is, a number as Str gives it plus one blank,
// Booleans "True"/"False", dates as the locale shows them, Empty as nothing.
std::string PrintText(const FileItem& item);
// Write #: text in quotes, numbers bare, #yyyy-mm-dd hh:mm:ss# (the date
// alone when the time is 0, the time alone when the date is 0), #TRUE#/#FALSE#,
// Empty as nothing.
std::string WriteText(const FileItem& item);
// A #...# field of Input #: a date, a time, both, #TRUE#, #FALSE#.
// Empty when the text is none of them.
FileItem ParseHashField(std::string_view inside);

}  // namespace platform::vb
