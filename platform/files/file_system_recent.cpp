// The recent answers of path resolution: a text resolved again is answered
// from its last walk once its folder and entry have been checked.
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/base/cp1252.h"
#include "platform/files/file_system.h"

namespace platform::files {

void FileSystem::Keep(std::string_view text, const std::string& folderSpelling, const Resolved& result) {
  // Only a text that names the same entry whatever the current folders are,
  // and only a last name found as spelled or as its alias: a look-up by
  // another spelling could find another entry once the host changes.
  if (text.size() < 3 || text[1] != ':' || (text[2] != '\\' && text[2] != '/')) return;
  const std::string& spelled = result.path.components.back();
  std::string spelledKey = ToUpper(spelled);
  bool byAlias = result.entry.name != spelled;
  if (byAlias ? result.entry.alias != spelledKey : spelled.find('~') != std::string::npos) return;
  // A text kept before takes its old slot, so no stale copy stays behind it.
  auto same = std::find_if(recent_.begin(), recent_.end(), [&](const auto& r) { return r.text == text; });
  RecentResolution& slot = same != recent_.end() ? *same : recent_[nextRecent_];
  if (same == recent_.end()) nextRecent_ = (nextRecent_ + 1) % recent_.size();
  slot = RecentResolution{std::string(text), folderSpelling, byAlias ? spelledKey : "", result};
}

void FileSystem::KeepShortForm(const std::string& text, const Resolved& result) {
  if (result.path.trailingSeparator || text.size() < 4) return;
  Resolved named = result;
  named.path.components.clear();
  for (std::size_t start = 3; start <= text.size();) {
    std::size_t end = std::min(text.find('\\', start), text.size());
    named.path.components.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (named.path.components.size() != result.path.components.size() || named.path.components.size() < 2) return;
  Keep(text, text.substr(0, text.find_last_of('\\')), named);
}

bool FileSystem::Recall(std::string_view text, Resolved& out) {
  for (const RecentResolution& recent : recent_) {
    if (recent.text.empty() || recent.text != text) continue;
    const Resolved& kept = recent.result;
    const DriveDescription* drive = machine_.description().drive(kept.drive());
    if (!drive || !drive->mediaPresent) return false;
    // The folder still where it was, the entry still in it and still of
    // its kind, an alias still its own: the walk would find the same.
    const CachedFolder* folder = KeptFolder(recent.folderSpelling);
    if (!folder) return false;
    struct stat st {};
    Entry fresh;
    if (::fstatat(folder->held->fd.get(), kept.entry.hostName.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !EntryFromStat(st, fresh) || fresh.directory != kept.entry.directory)
      return false;
    const FileMeta* meta = metadata_.Find(kept.folderKey, kept.nameKey);
    std::string alias = meta ? meta->alias : std::string();
    if (!recent.alias.empty() && alias != recent.alias) return false;
    out = kept;
    out.folder = folder->held;
    out.entry.size = fresh.size;
    out.entry.writeTime = fresh.writeTime;
    out.entry.alias = std::move(alias);
    return true;
  }
  return false;
}

}  // namespace platform::files
