// The format dialog, answered by the answer provider; a scripted "Format"
// empties the drive's files (its label and the layer's own state stay).
#include <string>

#include "platform/base/journal.h"
#include "platform/forms/answers.h"
#include "platform/forms/window_messages.h"
#include "platform/shell/folder_tree.h"
#include "platform/shell/shell32.h"

namespace {

struct FormatChoice {
  const char* name;
  DWORD result;
};

constexpr FormatChoice kChoices[] = {
    {"Cancel", SHFMT_CANCEL}, {"Format", 0}, {"Error", SHFMT_ERROR}, {"NoFormat", SHFMT_NOFORMAT}};

}  // namespace

DWORD SHFormatDrive(HWND owner, UINT drive, UINT formatId, UINT options) {
  platform::TheJournal().Record("SHFormatDrive", {platform::forms::HexText(owner), std::to_string(drive),
                                                  std::to_string(formatId), std::to_string(options)});
  platform::forms::AskRequest request;
  request.kind = platform::forms::AskKind::FormatDialog;
  std::string root = drive < 26 ? std::string(1, static_cast<char>('A' + drive)) + ":\\" : std::string();
  request.prompt = "Format " + root;
  for (const auto& choice : kChoices) request.choices.emplace_back(choice.name);
  request.defaultChoice = 0;
  platform::forms::AskAnswer answer = platform::forms::Answers().Ask(request);
  for (const auto& choice : kChoices) {
    if (answer.choice != choice.name) continue;
    if (choice.result == 0) {
      if (root.empty()) return SHFMT_ERROR;
      platform::shell::RemoveFolderContents(root);
    }
    return choice.result;
  }
  return SHFMT_CANCEL;
}
