#include "platform/forms/controls/list_entries.h"

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"

namespace platform::forms {

int InsertPosition(const std::vector<ListEntry>& entries, const std::string& text,
                   std::optional<int> index, bool sorted) {
  int count = static_cast<int>(entries.size());
  if (index) {
    if (*index < 0 || *index > count) RaiseRuntimeError(5);
    return *index;
  }
  if (!sorted) return count;
  int position = 0;
  while (position < count && CompareNoCase(entries[position].text, text) <= 0) ++position;
  return position;
}

void CheckEntryIndex(const std::vector<ListEntry>& entries, int index) {
  if (index < 0 || index >= static_cast<int>(entries.size())) RaiseRuntimeError(5);
}

std::vector<std::string> EntryTexts(const std::vector<ListEntry>& entries) {
  std::vector<std::string> texts;
  texts.reserve(entries.size());
  for (const auto& entry : entries) texts.push_back(entry.text);
  return texts;
}

}  // namespace platform::forms
