#include "platform/forms/answers.h"

#include <algorithm>

#include "platform/base/cp1252.h"
#include "platform/base/journal.h"

namespace platform::forms {
namespace {

const char* KindName(AskKind kind) {
  switch (kind) {
    case AskKind::MessageBox: return "MsgBox";
    case AskKind::InputBox: return "InputBox";
    case AskKind::FolderPicker: return "FolderPicker";
    case AskKind::FileDialog: return "FileDialog";
    case AskKind::FormatDialog: return "FormatDialog";
    case AskKind::PropertySheet: return "PropertySheet";
    case AskKind::PopupMenu: return "PopupMenu";
  }
  return "Ask";
}

AskAnswer DefaultAnswer(const AskRequest& request) {
  AskAnswer answer;
  if (!request.choices.empty() && !request.allowNone)
    answer.choice = request.choices[std::min(request.defaultChoice, request.choices.size() - 1)];
  answer.text = request.defaultText;
  return answer;
}

std::string Trimmed(const std::string& text) {
  auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

void AnswerProvider::FromScript(AskRecord& record) {
  const AskRequest& request = record.request;
  ScriptedAnswer next = std::move(script_.front());
  script_.pop_front();
  if (next.expectPrompt && *next.expectPrompt != request.prompt)
    throw AnswerScriptError("scripted answer \"" + next.choice + "\" expected the prompt \"" +
                            *next.expectPrompt + "\" but the box asks \"" + request.prompt + "\"");
  record.answer = {next.choice, next.text.value_or(request.defaultText)};
  record.scripted = true;
  if (request.choices.empty() || (request.allowNone && next.choice.empty())) return;
  auto match = std::find_if(request.choices.begin(), request.choices.end(),
                            [&](const std::string& choice) { return EqualsNoCase(choice, next.choice); });
  if (match != request.choices.end()) {
    record.answer.choice = *match;
    return;
  }
  if (next.unattended) {
    record.answer = DefaultAnswer(request);
    record.scripted = false;
    record.unfitScript = next.choice;
    return;
  }
  std::string offered;
  for (const auto& choice : request.choices) offered += (offered.empty() ? "" : ", ") + choice;
  throw AnswerScriptError("scripted answer \"" + next.choice + "\" is not among the choices (" + offered +
                          ") of \"" + request.prompt + "\"");
}

AskAnswer AnswerProvider::Ask(const AskRequest& request) {
  AskRecord record{request, {}, false, {}};
  if (interactive_) {
    record.answer = interactive_(request);
  } else if (!script_.empty()) {
    FromScript(record);
  } else {
    record.answer = DefaultAnswer(request);
  }
  records_.push_back(record);
  TheJournal().Record(KindName(request.kind), {request.prompt, std::to_string(request.style), request.title,
                                               record.answer.choice, record.answer.text});
  if (observer_) observer_(record);
  return record.answer;
}

void AnswerProvider::Script(std::string choice, std::optional<std::string> text) {
  script_.push_back({std::move(choice), std::move(text), std::nullopt});
}

void AnswerProvider::Script(ScriptedAnswer answer) { script_.push_back(std::move(answer)); }

void AnswerProvider::ScriptList(const std::string& commaSeparated) {
  std::size_t start = 0;
  while (start <= commaSeparated.size()) {
    std::size_t comma = commaSeparated.find(',', start);
    if (comma == std::string::npos) comma = commaSeparated.size();
    std::string choice = Trimmed(commaSeparated.substr(start, comma - start));
    if (!choice.empty()) Script({choice, std::nullopt, std::nullopt, true});
    start = comma + 1;
  }
}

void AnswerProvider::SetInteractive(std::function<AskAnswer(const AskRequest&)> backend) {
  interactive_ = std::move(backend);
}

void AnswerProvider::Reset() {
  script_.clear();
  records_.clear();
  interactive_ = nullptr;
  observer_ = nullptr;
}

AnswerProvider& Answers() {
  static AnswerProvider* provider = new AnswerProvider;
  return *provider;
}

}  // namespace platform::forms
