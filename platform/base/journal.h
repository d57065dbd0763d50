#pragma once
// The ordered record of calls that have effects outside the program (boxes
// shown, launches, reparenting, drags, pauses ...). Tests read and clear it;
// every area of the layer appends to the same record.
#include <string>
#include <vector>

namespace platform {

struct JournalEntry {
  std::string call;               // "MsgBox", "SetParent", "Sleep" ...
  std::vector<std::string> args;  // the call's arguments and result, as text
};

class Journal {
 public:
  void Record(std::string call, std::vector<std::string> args = {});
  const std::vector<JournalEntry>& entries() const { return entries_; }
  // The entries of one call, in order.
  std::vector<JournalEntry> Of(const std::string& call) const;
  void Clear() { entries_.clear(); }

 private:
  std::vector<JournalEntry> entries_;
};

// The process's journal.
Journal& TheJournal();

}  // namespace platform
