#include "platform/forms/message_box.h"

#include <array>
#include <vector>

#include "platform/base/cp1252.h"
#include "platform/forms/answers.h"
#include "platform/forms/app_object.h"

namespace platform::forms {
namespace {

struct ButtonSet {
  std::vector<const char*> names;
};

const std::array<ButtonSet, 6> kButtonSets = {{
    {{"OK"}},
    {{"OK", "Cancel"}},
    {{"Abort", "Retry", "Ignore"}},
    {{"Yes", "No", "Cancel"}},
    {{"Yes", "No"}},
    {{"Retry", "Cancel"}},
}};

struct ButtonCode {
  const char* name;
  int code;
};

constexpr ButtonCode kButtonCodes[] = {
    {"OK", vbOK},       {"Cancel", vbCancel}, {"Abort", vbAbort}, {"Retry", vbRetry},
    {"Ignore", vbIgnore}, {"Yes", vbYes},     {"No", vbNo},
};

std::string TitleOrAppTitle(const std::string& title) { return title.empty() ? App.Title() : title; }

}  // namespace

int MsgBox(const std::string& prompt, long style, const std::string& title) {
  std::size_t set = static_cast<std::size_t>(style & 7);
  if (set >= kButtonSets.size()) set = 0;
  AskRequest request;
  request.kind = AskKind::MessageBox;
  request.prompt = prompt;
  request.title = TitleOrAppTitle(title);
  request.style = style;
  for (const char* name : kButtonSets[set].names) request.choices.emplace_back(name);
  std::size_t defaultButton = static_cast<std::size_t>((style >> 8) & 3);
  request.defaultChoice = defaultButton < request.choices.size() ? defaultButton : 0;
  AskAnswer answer = Answers().Ask(request);
  for (const auto& button : kButtonCodes)
    if (EqualsNoCase(button.name, answer.choice)) return button.code;
  return vbOK;
}

std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
  AskRequest request;
  request.kind = AskKind::InputBox;
  request.prompt = prompt;
  request.title = TitleOrAppTitle(title);
  request.choices = {"OK", "Cancel"};
  request.defaultText = defaultText;
  AskAnswer answer = Answers().Ask(request);
  return EqualsNoCase(answer.choice, "Cancel") ? std::string() : answer.text;
}

}  // namespace platform::forms

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return platform::forms::MsgBox(text ? text : "", static_cast<long>(type), caption ? caption : "");
}
