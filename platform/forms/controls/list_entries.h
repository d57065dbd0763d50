#pragma once
// The entries of a list box or combo box and the insertion rule they share.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::forms {

struct ListEntry {
  std::string text;
  bool selected = false;
  std::int32_t itemData = 0;
};

// Where AddItem puts `text`: at `index` when given (outside 0..count: 5),
// else in sorted order (after equal texts) when sorted, else at the end.
int InsertPosition(const std::vector<ListEntry>& entries, const std::string& text,
                   std::optional<int> index, bool sorted);
// Raises 5 unless 0 <= index < count.
void CheckEntryIndex(const std::vector<ListEntry>& entries, int index);
std::vector<std::string> EntryTexts(const std::vector<ListEntry>& entries);

}  // namespace platform::forms
