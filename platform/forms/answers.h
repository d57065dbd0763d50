#pragma once
// The one answer provider for everything that asks the user: message boxes,
// input boxes, pickers, dialogs, the tray menu. A request names its kind, its
// text, its choices and its default; the answer comes from an interactive
// backend (the renderer) if one is installed, else from the script, else the
// default. Every request is recorded with its answer.
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform::forms {

enum class AskKind {
  MessageBox, InputBox, FolderPicker, FileDialog, FormatDialog, PropertySheet, PopupMenu,
};

struct AskRequest {
  AskKind kind = AskKind::MessageBox;
  std::string prompt;
  std::string title;
  std::vector<std::string> choices;  // button or item names; empty: free text only
  std::size_t defaultChoice = 0;     // index into choices
  std::string defaultText;           // input boxes, pickers
  long style = 0;                    // the box's style bits, as given
  bool allowNone = false;            // "" (nothing chosen) is an answer, and the default
  std::string filter;                // file dialogs: "Description|*.ext;*.ext2|..." as the program set it
};

struct AskAnswer {
  std::string choice;  // one of the request's choices ("" when it has none)
  std::string text;    // typed text, chosen path ...
};

// One scripted answer; it may check the prompt of the request it answers.
struct ScriptedAnswer {
  std::string choice;
  std::optional<std::string> text;  // none: the request's default text
  std::optional<std::string> expectPrompt;
  // An unattended run's answer: when it is not among the request's choices
  // the default answers instead, so a box the script did not foresee never
  // ends the run.
  bool unattended = false;
};

struct AskRecord {
  AskRequest request;
  AskAnswer answer;
  bool scripted = false;
  std::string unfitScript;  // an unattended answer passed over for the default
};

// A scripted answer that does not fit the request fails the test that
// scripted it (this is not a runtime error: no guard swallows it).
class AnswerScriptError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class AnswerProvider {
 public:
  AskAnswer Ask(const AskRequest& request);

  // Queues answers: a choice ("Yes", "Cancel" ...), or a choice with text.
  void Script(std::string choice, std::optional<std::string> text = std::nullopt);
  void Script(ScriptedAnswer answer);
  // Queues the comma-separated choices of TESSALY_ANSWERS ("Yes,No,OK"),
  // each one unattended.
  void ScriptList(const std::string& commaSeparated);
  std::size_t pending() const { return script_.size(); }

  // A real display answers instead of the script (the renderer installs it).
  void SetInteractive(std::function<AskAnswer(const AskRequest&)> backend);

  // Told of every request once it is answered (a headless run's
  // transcript); Reset removes it.
  void SetObserver(std::function<void(const AskRecord&)> observer) { observer_ = std::move(observer); }

  const std::vector<AskRecord>& records() const { return records_; }
  void ClearRecords() { records_.clear(); }
  void Reset();

 private:
  // Answers from the next scripted answer; fills the record's answer and
  // says whether the script gave it.
  void FromScript(AskRecord& record);

  std::deque<ScriptedAnswer> script_;
  std::vector<AskRecord> records_;
  std::function<AskAnswer(const AskRequest&)> interactive_;
  std::function<void(const AskRecord&)> observer_;
};

AnswerProvider& Answers();

}  // namespace platform::forms
