#include "cleaning/frmClean.h"

#include "cleaning/protected_folders.h"

#include "cleaning/file_walk.h"
#include "cleaning/file_actions.h"
#include "platform/base/runtime_error.h"
#include "platform/files/shortcut.h"
#include "mainwindow/Form1.h"
#include "support/language_packs.h"

using platform::forms::DefaultInstance;

FrmCleanForm& frmClean() { return DefaultInstance<FrmCleanForm>(); }

void FrmCleanForm::Form_Load() {
  ApplyLanguage(*this);
  txtResult.Move(0, 0, Width());
}

void FrmCleanForm::Form_Unload(int& Cancel) {
  Cancel = 1;
  Hide();
  Form1().Enabled(true);
}

void FrmCleanForm::AddItem(std::string& s) {
  auto& log = Form1().txtResult;
  // Appending at the caret keeps long runs linear in the log's length.
  log.SelStart(static_cast<std::int32_t>(log.Text().size()));
  log.SelText(s + "\r\n");
  log.SelStart(static_cast<std::int32_t>(log.Text().size()) - 1);
  log.SelLength(0);
  if (!s.empty() && s.front() == '\t') s.erase(0, 1);
}

int FrmCleanForm::CalculateItems() { return Form1().lstBPI.SelCount(); }

std::string FrmCleanForm::StripTerminator(const std::string& text) { return text.substr(0, text.find('\0')); }

// A shortcut that cannot be read, or names no path, counts as alive.
bool FrmCleanForm::ShortcutTargetExists(const std::string& path) {
  std::string target;
  try {
    target = platform::wsh::Shell().CreateShortcut(path).TargetPath;
  } catch (const platform::RuntimeError&) {
    return true;
  }
  if (target.empty()) return true;
  return cleaning::FileExists(target) || cleaning::FolderExists(target);
}

std::int32_t FrmCleanForm::CleanCustomFile(const std::string& folder, const std::string& pattern,
                                           std::int32_t lowerKB, std::int32_t upperKB) {
  // The user's own folder and pattern: "*.tmp" below the drive root is what
  // the item is for, but a pattern naming every file would empty the tree.
  if (cleaning::MatchesEveryName(pattern) && !cleaning::MayEmptyFolder(folder)) return 0;
  return FindFilesAPI_Del(folder, pattern, std::to_string(lowerKB), std::to_string(upperKB));
}
