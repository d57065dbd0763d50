#include "platform/base/journal.h"

#include <utility>

namespace platform {

void Journal::Record(std::string call, std::vector<std::string> args) {
  entries_.push_back({std::move(call), std::move(args)});
}

std::vector<JournalEntry> Journal::Of(const std::string& call) const {
  std::vector<JournalEntry> found;
  for (const auto& entry : entries_)
    if (entry.call == call) found.push_back(entry);
  return found;
}

Journal& TheJournal() {
  static Journal journal;
  return journal;
}

}  // namespace platform
