#pragma once
// The favourites backup text: one record per hidden file, without
// separators. A record is "[PATH:n]" and the n bytes of the file's full path,
// then "[DATA:m]" and the m bytes of its content, so any file text survives.
// Backups written before the counts were added ("[PATH]" path "[DATA]"
// content) are still read.
#include <optional>
#include <string>
#include <vector>

namespace cleaning {

std::string FavoriteRecord(const std::string& path, const std::string& content);

struct FavoriteEntry {
  std::string path, content;
  bool complete = true;  // false when the record's path or content is missing or cut
};
// The records of a backup text. In the older form the text before the first
// "[PATH]" is not a record, a content runs to the next "[PATH]" that opens a
// record (one followed by a "[DATA]"), and a "[DATA]" inside a content is
// content.
std::vector<FavoriteEntry> ParseFavoriteRecords(const std::string& text);

// The path a record may be restored to: a file inside `favorites` (after
// "." and ".." are resolved, in any case), whatever its name, since the
// hide's "*.url" search also finds files by their 8.3 names; none otherwise.
std::optional<std::string> SafeFavoritePath(const std::string& favorites, const std::string& path);

}  // namespace cleaning
