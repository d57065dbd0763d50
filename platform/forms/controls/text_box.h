#pragma once
// TextBox: text with a selection; code changes raise Change when the text
// really changes; typed keys pass KeyPress first (0 discards the key).
#include <functional>

#include "platform/forms/control.h"

namespace platform::forms {

class TextBox : public Control {
 public:
  TextBox(Form& form, std::string name, Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), ControlKind::TextBox, container, index) {}

  const std::string& Text() const { return text_; }
  // Puts the caret at the start; Change when the text differs.
  void Text(std::string value);
  // 0..Len(Text); other values are clamped.
  std::int32_t SelStart() const { return selStart_; }
  void SelStart(std::int32_t value);
  std::int32_t SelLength() const { return selLength_; }
  void SelLength(std::int32_t value);
  std::string SelText() const { return text_.substr(selStart_, selLength_); }
  // Replaces the selection; the caret follows the inserted text.
  void SelText(const std::string& value);
  bool MultiLine() const { return multiLine_; }
  void MultiLine(bool value) { multiLine_ = value; }
  bool Locked() const { return locked_; }
  void Locked(bool value) { locked_ = value; }
  std::int32_t MaxLength() const { return maxLength_; }  // 0: none; limits typing only
  void MaxLength(std::int32_t value);
  long BackColor() const { return backColor_; }
  void BackColor(long value) { backColor_ = value; }
  long ForeColor() const { return foreColor_; }
  void ForeColor(long value) { foreColor_ = value; }

  // The user types `keys` (8 erases back, 13 is a line break when multi-line).
  void UserType(const std::string& keys);

  Event<> Change, Click;
  Event<int&> KeyPress;  // KeyAscii

 protected:
  const ControlMembers& Members() const override;
  void OnUserClick(int) override { Click.Raise(); }

 private:
  void TypeKey(char key);
  void TypeKeyAtCaret(int keyAscii);
  void Replace(std::size_t start, std::size_t length, const std::string& with);

  std::string text_;
  std::int32_t selStart_ = 0, selLength_ = 0, maxLength_ = 0;
  std::uint64_t textsSet_ = 0;  // Text() calls, so a key can tell its Change put another text back
  bool multiLine_ = false, locked_ = false;
  long backColor_ = 0x80000005, foreColor_ = 0x80000008;
};

// Told of every change of any text box's text, with the offset of the first
// byte that changed (a headless run's transcript); none by default, and
// ResetFormsRuntime removes it.
using TextChangeObserver = std::function<void(const TextBox& box, std::size_t changedFrom)>;
void ObserveTextChanges(TextChangeObserver observer);

// Queues typing for the next loop turn.
void QueueTyping(TextBox& box, std::string keys);

}  // namespace platform::forms
