#include "platform/forms/controls/text_box.h"

#include <algorithm>

#include "platform/base/runtime_error.h"
#include "platform/forms/event_loop.h"

namespace platform::forms {
namespace {

TextChangeObserver& Observer() {
  static TextChangeObserver* observer = new TextChangeObserver;
  return *observer;
}

}  // namespace

void ObserveTextChanges(TextChangeObserver observer) { Observer() = std::move(observer); }

void TextBox::Text(std::string value) {
  ++textsSet_;
  selStart_ = 0;
  selLength_ = 0;
  if (value == text_) return;
  text_ = std::move(value);
  if (Observer()) Observer()(*this, 0);
  Change.Raise();
}

void TextBox::SelStart(std::int32_t value) {
  selStart_ = std::clamp<std::int32_t>(value, 0, static_cast<std::int32_t>(text_.size()));
  selLength_ = 0;
}

void TextBox::SelLength(std::int32_t value) {
  selLength_ = std::clamp<std::int32_t>(value, 0, static_cast<std::int32_t>(text_.size()) - selStart_);
}

void TextBox::MaxLength(std::int32_t value) {
  if (value < 0) RaiseRuntimeError(380);
  maxLength_ = value;
}

void TextBox::Replace(std::size_t start, std::size_t length, const std::string& with) {
  // In place: appending a line to a long log must not copy the whole text.
  bool differs = text_.compare(start, length, with) != 0;
  text_.replace(start, length, with);
  std::int32_t caret = static_cast<std::int32_t>(start + with.size());
  selStart_ = caret;
  selLength_ = 0;
  if (!differs) return;
  if (Observer()) Observer()(*this, start);
  Change.Raise();
}

void TextBox::SelText(const std::string& value) { Replace(selStart_, selLength_, value); }

void TextBox::TypeKey(char key) {
  int keyAscii = static_cast<unsigned char>(key);
  KeyPress.Raise(keyAscii);
  if (keyAscii == 0 || locked_) return;
  // A Change handler that puts a text back (a number box refusing the key)
  // leaves the caret where the user was typing, after the span the key
  // replaced, not at the start; unless it placed the caret itself.
  std::int32_t caret = selStart_ + selLength_;
  std::uint64_t textsBefore = textsSet_;
  TypeKeyAtCaret(keyAscii);
  if (textsSet_ != textsBefore && selStart_ == 0 && selLength_ == 0)
    selStart_ = std::min(caret, static_cast<std::int32_t>(text_.size()));
}

void TextBox::TypeKeyAtCaret(int keyAscii) {
  if (keyAscii == 8) {
    if (selLength_ > 0) Replace(selStart_, selLength_, "");
    else if (selStart_ > 0) Replace(selStart_ - 1, 1, "");
    return;
  }
  std::string insert = keyAscii == 13 ? (multiLine_ ? "\r\n" : "") : std::string(1, static_cast<char>(keyAscii));
  if (insert.empty()) return;
  std::size_t kept = text_.size() - static_cast<std::size_t>(selLength_);
  if (maxLength_ > 0 && kept + insert.size() > static_cast<std::size_t>(maxLength_)) return;
  Replace(selStart_, selLength_, insert);
}

void TextBox::UserType(const std::string& keys) {
  if (!AcceptsInput()) return;
  for (char key : keys) TypeKey(key);
}

const ControlMembers& TextBox::Members() const {
  static const ControlMembers members = ControlMembers::Extend<TextBox>(Control::Members())
      .Property("Text", &TextBox::Text, &TextBox::Text);
  return members;
}

void QueueTyping(TextBox& box, std::string keys) {
  std::uint64_t serial = box.serial();
  QueueEvent([serial, keys] {
    if (auto* live = static_cast<TextBox*>(LiveControl(serial))) live->UserType(keys);
  });
}

}  // namespace platform::forms
