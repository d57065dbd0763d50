#pragma once
// The favourites backup text: one "[PATH]" full path "[DATA]" content record
// per hidden file, without separators.
#include <optional>
#include <string>
#include <vector>

namespace cleaning {

std::string FavoriteRecord(const std::string& path, const std::string& content);

struct FavoriteEntry {
  std::string path, content;
  bool complete = true;  // false when the record had no "[DATA]"
};
// The records of a backup text; the text before the first "[PATH]" is not a
// record, and a content ends at a further "[DATA]".
std::vector<FavoriteEntry> ParseFavoriteRecords(const std::string& text);

// The path a record may be restored to: inside `favorites` (after "." and
// ".." are resolved, in any case) and naming a ".url" file; none otherwise.
std::optional<std::string> SafeFavoritePath(const std::string& favorites, const std::string& path);

}  // namespace cleaning
