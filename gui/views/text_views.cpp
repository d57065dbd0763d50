// Labels and text boxes (single and multi-line).
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>
#include <optional>
#include <string>

#include "gui/conversions.h"
#include "gui/label_buddies.h"
#include "gui/views/views.h"
#include "platform/forms/controls/simple_controls.h"
#include "platform/forms/controls/text_box.h"

namespace tessaly::gui {
namespace {

using namespace platform::forms;

class ClickableLabel : public QLabel {
 public:
  ClickableLabel(QWidget* parent, std::function<void()> onClick) : QLabel(parent), onClick_(std::move(onClick)) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) onClick_();
    QLabel::mouseReleaseEvent(event);
  }

 private:
  std::function<void()> onClick_;
};

class LabelView : public TypedView<Label> {
 public:
  LabelView(Label& control, QWidget* parent)
      : TypedView(control, new ClickableLabel(parent, [this] { Queue([](Control& c) { c.UserClick(); }); })),
        label_(static_cast<QLabel*>(widget())) {
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setTextFormat(Qt::PlainText);
  }

 protected:
  void SyncTyped(Label& control) override {
    if (caption_.Changed(control.Caption())) ShowLabelText(label_, ToQtLines(control.ShownCaption()));
    if (back_.Changed(control.BackColor())) {
      auto color = ModelColor(control.BackColor());
      label_->setAutoFillBackground(color.has_value());
      QPalette palette = label_->palette();
      palette.setColor(QPalette::Window, color.value_or(label_->parentWidget()->palette().color(QPalette::Window)));
      label_->setPalette(palette);
    }
  }

 private:
  QLabel* label_;
  Applied<std::string> caption_;
  Applied<long> back_;
};

// A user's edit as the model takes it: the changed span is selected and
// the new text typed over it (an erase key when nothing replaces it), so
// KeyPress, MaxLength and Locked apply as to typed keys.
void QueueEdit(const std::function<void(std::function<void(TextBox&)>)>& queue, const QString& before,
               const QString& after) {
  int prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) ++prefix;
  int suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    ++suffix;
  int removed = static_cast<int>(before.size()) - prefix - suffix;
  QString inserted = after.mid(prefix, after.size() - prefix - suffix);
  std::string keys = FromQt(inserted);
  for (char& key : keys)
    if (key == '\n') key = '\r';
  if (keys.empty()) keys = "\b";
  queue([prefix, removed, keys](TextBox& box) {
    int start = ModelOffset(box.Text(), prefix);
    int end = ModelOffset(box.Text(), prefix + removed);
    box.SelStart(start);
    box.SelLength(end - start);
    box.UserType(keys);
  });
}

// Raises LostFocus when the focus moves to another control of the window.
// A dialog opening (the window losing activation) is no move, so a message
// box shown from LostFocus does not raise it again.
class FocusLeaveFilter : public QObject {
 public:
  FocusLeaveFilter(QObject* parent, std::function<void()> onLeave) : QObject(parent), onLeave_(std::move(onLeave)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) {
      Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) onLeave_();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> onLeave_;
};

class TextBoxView : public TypedView<TextBox> {
 public:
  TextBoxView(TextBox& control, QWidget* parent)
      : TypedView(control, MakeEditor(control, parent)),
        line_(qobject_cast<QLineEdit*>(widget())),
        lines_(qobject_cast<QPlainTextEdit*>(widget())) {
    // Any change the model did not make is the user's: typed, pasted, or
    // set through the accessibility interface (which types nothing).
    if (line_) {
      QObject::connect(line_, &QLineEdit::textChanged, [this](const QString& now) { Edited(now); });
    } else {
      QObject::connect(lines_, &QPlainTextEdit::textChanged, [this] { Edited(lines_->toPlainText()); });
    }
    leave_ = new FocusLeaveFilter(widget(), [this] { QueueOn([](TextBox& box) { box.LostFocus.Raise(); }); });
    widget()->installEventFilter(leave_);
  }
  // A widget going with its view gives up the focus: that is no move of
  // the user's, and this view is gone by then.
  ~TextBoxView() override {
    if (QWidget* editor = widget()) editor->removeEventFilter(leave_);
  }

 protected:
  void SyncTyped(TextBox& control) override {
    // While the user's edits wait for their turn the widget is ahead of the
    // model; afterwards the model decides (KeyPress may have dropped keys).
    if (*pending_ == 0) {
      bool textChanged = !modelText_ || *modelText_ != control.Text();
      // After the user's own edits the model's caret is shown again: a key
      // the program refused by putting a text back leaves it where the
      // user typed.
      bool afterEdits = diverged_;
      if (textChanged || diverged_) ApplyText(control.Text());
      // Where the program puts the caret, the box shows it (a log that sets
      // it after each line follows its end); the user's own caret stays
      // while the program leaves it alone.
      auto selection = std::make_pair(control.SelStart(), control.SelLength());
      if (selection_.Changed(selection) || textChanged || afterEdits) ShowSelection(control.Text(), selection);
    }
    if (locked_.Changed(control.Locked())) {
      if (line_) line_->setReadOnly(control.Locked());
      if (lines_) lines_->setReadOnly(control.Locked());
    }
    auto colors = std::make_pair(control.BackColor(), control.ForeColor());
    if (colors_.Changed(colors)) {
      QPalette palette = widget()->palette();
      if (auto back = ModelColor(control.BackColor())) palette.setColor(QPalette::Base, *back);
      if (auto fore = ModelColor(control.ForeColor())) palette.setColor(QPalette::Text, *fore);
      widget()->setPalette(palette);
    }
  }

 private:
  static QWidget* MakeEditor(TextBox& control, QWidget* parent) {
    if (control.MultiLine()) return new QPlainTextEdit(parent);
    return new QLineEdit(parent);
  }

  void Edited(const QString& now) {
    if (now == shown_) return;
    ++*pending_;
    diverged_ = true;
    QueueEdit(
        [this](std::function<void(TextBox&)> action) {
          QueueOn([pending = pending_, action](TextBox& box) {
            --*pending;
            action(box);
          });
        },
        shown_, now);
    shown_ = now;
  }

  // The model's text in the widget. A log that only grew gains its new
  // lines: each look during a long run costs what the run added, not the
  // whole text again.
  void ApplyText(const std::string& text) {
    if (lines_ && !diverged_ && modelText_ && GrewFrom(*modelText_, text)) {
      QString added = ToQtLines(std::string_view(text).substr(modelText_->size()));
      QTextCursor end(lines_->document());
      end.movePosition(QTextCursor::End);
      end.insertText(added);
      shown_ += added;
      modelText_->append(text, modelText_->size());
      return;
    }
    modelText_ = text;
    ShowText(ToQtLines(text));
  }

  // Text added at the end, not splitting a line break.
  static bool GrewFrom(const std::string& before, const std::string& now) {
    return now.size() > before.size() && (before.empty() || before.back() != '\r') &&
           now.compare(0, before.size(), before) == 0;
  }

  void ShowText(const QString& text) {
    diverged_ = false;
    shown_ = text;
    if (line_ && line_->text() != text) {
      int caret = line_->cursorPosition();
      line_->setText(text);
      line_->setCursorPosition(std::min<int>(caret, static_cast<int>(text.size())));
    }
    if (lines_) {
      if (lines_->toPlainText() == text) return;
      int caret = lines_->textCursor().position();
      lines_->setPlainText(text);
      QTextCursor cursor = lines_->textCursor();
      cursor.setPosition(std::min<int>(caret, static_cast<int>(text.size())));
      lines_->setTextCursor(cursor);
    }
  }

  void ShowSelection(const std::string& text, std::pair<std::int32_t, std::int32_t> selection) {
    int length = static_cast<int>(shown_.size());
    int start = WidgetOffset(text, selection.first, length);
    int end = WidgetOffset(text, selection.first + selection.second, length);
    if (line_) line_->setSelection(start, end - start);
    if (lines_) {
      QTextCursor cursor = lines_->textCursor();
      cursor.setPosition(std::min<int>(start, lines_->document()->characterCount() - 1));
      cursor.setPosition(std::min<int>(end, lines_->document()->characterCount() - 1), QTextCursor::KeepAnchor);
      lines_->setTextCursor(cursor);
      lines_->ensureCursorVisible();
    }
  }

  QLineEdit* line_;
  QPlainTextEdit* lines_;
  FocusLeaveFilter* leave_ = nullptr;
  QString shown_;
  // Edits queued and not yet run; shared with the queued actions, which may
  // run after the view is gone.
  std::shared_ptr<int> pending_ = std::make_shared<int>(0);
  bool diverged_ = false;
  std::optional<std::string> modelText_;  // what the widget shows, as the model wrote it
  Applied<std::pair<std::int32_t, std::int32_t>> selection_;
  Applied<bool> locked_;
  Applied<std::pair<long, long>> colors_;
};

}  // namespace

std::unique_ptr<ControlView> MakeTextView(Control& control, QWidget* parent) {
  switch (control.kind()) {
    case ControlKind::Label: return std::make_unique<LabelView>(static_cast<Label&>(control), parent);
    case ControlKind::TextBox: return std::make_unique<TextBoxView>(static_cast<TextBox&>(control), parent);
    default: return nullptr;
  }
}

}  // namespace tessaly::gui
