// Hide and show of Internet Explorer's stored passwords, typed addresses and
// favourites, backed up under HKEY_LOCAL_MACHINE "SOFTWARE\TESSALY".
#include "cleaning/Delete.h"
#include "cleaning/favorites_backup.h"
#include "cleaning/file_actions.h"
#include "cleaning/file_walk.h"
#include "cleaning/frmClean.h"
#include "cleaning/stored_values.h"
#include "mainwindow/Form1.h"
#include "platform/base/cp1252.h"
#include "platform/files/kernel32_files.h"
#include "platform/files/runtime_files.h"
#include "platform/registry/advapi32.h"
#include "support/COpSysInfo.h"
#include "support/CRegister.h"
#include "support/system_folders.h"

using namespace platform::forms;
namespace vb = platform::vb;

namespace {

const std::int32_t kHKLM = static_cast<std::int32_t>(HKEY_LOCAL_MACHINE);
const std::int32_t kHKCU = static_cast<std::int32_t>(HKEY_CURRENT_USER);
constexpr const char* kFavoritesKey = "SOFTWARE\\TESSALY\\TempF";
constexpr const char* kFavoritesTextKey = "SOFTWARE\\TESSALY\\TempFP";
constexpr const char* kAutoCompleteKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";

// A kind of data kept in a registry key and its backup key.
struct RegistryPair {
  const char* what;  // as the messages name it
  HKEY root;
  const char* path;
  const char* backup;
  bool typedURLs;
};
const RegistryPair kPasswords = {"Passwords", HKEY_LOCAL_MACHINE,
                                 "Software\\Microsoft\\Internet Explorer\\Intelliforms\\SPW",
                                 "SOFTWARE\\TESSALY\\TempP", false};
const RegistryPair kTypedURLs = {"Typed URLs", HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\TypedURLs",
                                 "SOFTWARE\\TESSALY\\TempU", true};

enum class Outcome { Done, Failed, AlreadyHidden, NotHidden };

std::string Message(const std::string& action, const std::string& what, Outcome outcome) {
  switch (outcome) {
    case Outcome::Done:
      return action + " " + what + " is successfully finished!";
    case Outcome::Failed:
      return action == "Hide" ? "Hide " + what + " could not be finished; the data was left where it was."
                              : "Show " + what + " could not be finished; the hidden data is kept.";
    case Outcome::AlreadyHidden:
      return what + " are already hidden; nothing was changed.";
    case Outcome::NotHidden:
      return what + " are not hidden; nothing was changed.";
  }
  return "";
}

void Finish(const std::string& action, const std::string& what, Outcome outcome) {
  MsgBox(Message(action, what, outcome), vbOKOnly, App.Title());
  Form1().CheckShowHide();
}

bool Hidden(const char* backupKey) {
  return CRegister().REGGetSetting(kHKLM, backupKey, "Hide", "False") == "True";
}

bool IsHideMarker(const cleaning::StoredValue& value) { return platform::EqualsNoCase(value.name, "Hide"); }

Outcome HidePair(const RegistryPair& pair) {
  if (Hidden(pair.backup)) return Outcome::AlreadyHidden;
  std::vector<cleaning::StoredValue> values;
  if (!cleaning::ReadStoredValues(pair.root, pair.path, values)) return Outcome::Failed;
  // The marker's name is taken by the backup key itself.
  for (const auto& value : values)
    if (IsHideMarker(value)) return Outcome::Failed;
  if (!cleaning::WriteStoredValues(HKEY_LOCAL_MACHINE, pair.backup, values)) return Outcome::Failed;
  CRegister registry;
  if (!registry.REGSaveSetting(kHKLM, pair.backup, "Hide", "True")) return Outcome::Failed;
  if (!cleaning::RemoveStoredValues(pair.root, pair.path, values)) {
    registry.REGSaveSetting(kHKLM, pair.backup, "Hide", "False");
    return Outcome::Failed;
  }
  if (pair.typedURLs) registry.REGSaveSetting(kHKCU, kAutoCompleteKey, "AutoSuggest", "no");
  return Outcome::Done;
}

Outcome ShowPair(const RegistryPair& pair) {
  if (!Hidden(pair.backup)) return Outcome::NotHidden;
  std::vector<cleaning::StoredValue> backup, values;
  if (!cleaning::ReadStoredValues(HKEY_LOCAL_MACHINE, pair.backup, backup)) return Outcome::Failed;
  for (const auto& value : backup)
    if (!IsHideMarker(value)) values.push_back(value);
  if (!cleaning::WriteStoredValues(pair.root, pair.path, values)) return Outcome::Failed;
  CRegister registry;
  cleaning::RemoveStoredValues(HKEY_LOCAL_MACHINE, pair.backup, backup);
  registry.REGSaveSetting(kHKLM, pair.backup, "Hide", "False");
  if (pair.typedURLs) registry.REGSaveSetting(kHKCU, kAutoCompleteKey, "AutoSuggest", "yes");
  return Outcome::Done;
}

std::string FavoritesFolder() {
  const std::string& base = (g_OSInfo().IsWin9x() || g_OSInfo().IsWinME()) ? g_WindowsDir : g_UserProfileDir;
  if (platform::forms::Trim(base).empty()) return "";
  return base + "\\Favorites";
}

// Creates the missing folders of `path`'s parent below `favorites`.
void MakeParentFolders(const std::string& favorites, const std::string& path) {
  for (std::size_t at = path.find('\\', favorites.size() + 1); at != std::string::npos; at = path.find('\\', at + 1))
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

enum class Restore { Done, Refused, Failed };

// Refused: the record names no file inside the favourites folder (the hide
// never writes such a record), so retrying cannot help. Failed: the file
// could not be written; the favourite is still hidden.
Restore RestoreFavorite(const std::string& favorites, const cleaning::FavoriteEntry& entry) {
  if (!entry.complete) return Restore::Refused;
  auto path = cleaning::SafeFavoritePath(favorites, entry.path);
  if (!path) return Restore::Refused;
  std::string existing;
  // A file the hide could not remove is already what the backup holds.
  if (cleaning::FileExists(*path) && cleaning::ReadWholeFile(*path, existing) && existing == entry.content)
    return Restore::Done;
  MakeParentFolders(favorites, *path);
  try {
    cleaning::FileNumber file(*path, vb::OpenMode::Output);
    vb::Print(file.get(), {entry.content, vb::Join});
    return Restore::Done;
  } catch (const platform::RuntimeError&) {
    return Restore::Failed;
  }
}

}  // namespace

void FrmCleanForm::HidePassword() { Finish("Hide", kPasswords.what, HidePair(kPasswords)); }
void FrmCleanForm::ShowPassword() { Finish("Show", kPasswords.what, ShowPair(kPasswords)); }

void FrmCleanForm::HideTypedURL() {
  MsgBox("Be sure that Internt Explorer is not running! and then click OK", vbOKOnly, App.Title());
  Finish("Hide", kTypedURLs.what, HidePair(kTypedURLs));
}
void FrmCleanForm::ShowTypedURL() { Finish("Show", kTypedURLs.what, ShowPair(kTypedURLs)); }

std::int32_t FrmCleanForm::FindFilesAPI_Hide(std::string folder, const std::string& pattern, std::string& text) {
  std::vector<std::string> recorded;
  std::uint64_t bytes = 0;
  return FindFilesAPI_Hide(std::move(folder), pattern, text, recorded, bytes);
}

std::int32_t FrmCleanForm::FindFilesAPI_Hide(std::string folder, const std::string& pattern, std::string& text,
                                             std::vector<std::string>& recorded, std::uint64_t& bytes) {
  cleaning::WalkActions actions;
  actions.onFile = [&](const std::string& path, std::uint64_t size, std::uint64_t& total) {
    std::string content;
    // An unreadable file stays where it is and out of the backup.
    if (!cleaning::ReadWholeFile(path, content)) return;
    text += cleaning::FavoriteRecord(path, content);
    recorded.push_back(path);
    total += size;
  };
  bytes += cleaning::WalkFiles(folder, pattern, actions);
  return ClampedBytes(bytes);
}

void FrmCleanForm::HideFavorites() {
  const std::string favorites = FavoritesFolder();
  if (Hidden(kFavoritesKey)) return Finish("Hide", "Favorites", Outcome::AlreadyHidden);
  if (favorites.empty()) return Finish("Hide", "Favorites", Outcome::Failed);
  std::string text;
  std::vector<std::string> recorded;
  std::uint64_t bytes = 0;
  FindFilesAPI_Hide(favorites, "*.url", text, recorded, bytes);
  CRegister registry;
  // Nothing is removed until the backup reads back whole.
  bool stored = registry.REGSaveSetting(kHKLM, kFavoritesTextKey, "Name", text) &&
                registry.REGGetSetting(kHKLM, kFavoritesTextKey, "Name", "") == text &&
                registry.REGSaveSetting(kHKLM, kFavoritesKey, "Hide", "True");
  if (!stored) return Finish("Hide", "Favorites", Outcome::Failed);
  int kept = 0;
  for (const auto& path : recorded)
    if (!DeleteFileA(path.c_str())) ++kept;
  if (kept == 0) return Finish("Hide", "Favorites", Outcome::Done);
  MsgBox("Hide Favorites is finished, but " + std::to_string(kept) +
             " favourites could not be removed and stay visible.",
         vbOKOnly, App.Title());
  Form1().CheckShowHide();
}

void FrmCleanForm::ShowFavorites() {
  const std::string favorites = FavoritesFolder();
  if (!Hidden(kFavoritesKey)) return Finish("Show", "Favorites", Outcome::NotHidden);
  if (favorites.empty()) return Finish("Show", "Favorites", Outcome::Failed);
  CRegister registry;
  int failed = 0, refused = 0;
  for (const auto& entry : cleaning::ParseFavoriteRecords(registry.REGGetSetting(kHKLM, kFavoritesTextKey, "Name", "DEF"))) {
    Restore result = RestoreFavorite(favorites, entry);
    failed += result == Restore::Failed;
    refused += result == Restore::Refused;
  }
  // Still hidden while a favourite the backup can place is not back on disk.
  if (failed != 0) return Finish("Show", "Favorites", Outcome::Failed);
  registry.REGSaveSetting(kHKLM, kFavoritesKey, "Hide", "False");
  if (refused == 0) return Finish("Show", "Favorites", Outcome::Done);
  MsgBox("Show Favorites is finished, but " + std::to_string(refused) +
             " records of the backup name no file in the favourites folder and were not written.",
         vbOKOnly, App.Title());
  Form1().CheckShowHide();
}
