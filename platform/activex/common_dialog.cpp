#include "platform/activex/common_dialog.h"

#include <vector>

#include "platform/base/journal.h"
#include "platform/base/runtime_error.h"
#include "platform/forms/answers.h"

namespace platform::activex {
namespace {

std::vector<std::string> SplitPaths(const std::string& text) {
  std::vector<std::string> paths;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t bar = text.find('|', start);
    if (bar == std::string::npos) bar = text.size();
    if (bar > start) paths.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  return paths;
}

// "C:\a\b.txt" -> {"C:\a", "b.txt"}; the folder of a root file keeps its "\".
std::pair<std::string, std::string> SplitFolder(const std::string& path) {
  auto slash = path.find_last_of('\\');
  if (slash == std::string::npos) return {"", path};
  std::string folder = path.substr(0, slash);
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return {folder, path.substr(slash + 1)};
}

}  // namespace

void CommonDialog::Show(const char* call) {
  forms::AskRequest request;
  request.kind = forms::AskKind::FileDialog;
  request.prompt = call;
  request.title = DialogTitle;
  request.style = Flags;
  request.choices = {"OK", "Cancel"};
  request.defaultChoice = 1;
  request.defaultText = FileName;
  request.filter = Filter;
  forms::AskAnswer answer = forms::Answers().Ask(request);
  bool cancelled = answer.choice != "OK";
  std::vector<std::string> paths = cancelled ? std::vector<std::string>{} : SplitPaths(answer.text);
  if (paths.empty()) cancelled = true;
  TheJournal().Record("CommonDialog." + std::string(call),
                      {Filter, std::to_string(Flags), DialogTitle, cancelled ? "Cancel" : answer.text});
  if (cancelled) {
    if (CancelError) RaiseRuntimeError(32755);
    return;
  }
  bool multi = (Flags & cdlOFNAllowMultiselect) && (Flags & cdlOFNExplorer) && paths.size() > 1;
  if (!multi) {
    FileName = paths.front();
    return;
  }
  std::string joined = SplitFolder(paths.front()).first;
  for (const auto& path : paths) joined += std::string(1, '\0') + SplitFolder(path).second;
  FileName = joined;
}

}  // namespace platform::activex
