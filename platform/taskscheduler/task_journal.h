#pragma once
// What the service records instead of doing: task runs and property-sheet
// requests, with the answer a test scripts for the sheet.
#include <functional>
#include <string>
#include <vector>

#include "platform/machine/machine.h"

struct ITask;

namespace platform::taskscheduler {

class TaskJournal : public MachineArea {
 public:
  explicit TaskJournal(Machine&) {}

  // "Run <name>.job", "EditWorkItem <name>.job", in call order.
  const std::vector<std::string>& entries() const { return entries_; }
  void Record(std::string entry) { entries_.push_back(std::move(entry)); }

  // The property sheet: a script may change (and save) the task before the
  // sheet closes. Unscripted: the task is left unchanged.
  using PropertySheet = std::function<void(ITask& task)>;
  void setPropertySheet(PropertySheet sheet) { sheet_ = std::move(sheet); }
  const PropertySheet& propertySheet() const { return sheet_; }

 private:
  std::vector<std::string> entries_;
  PropertySheet sheet_;
};

}  // namespace platform::taskscheduler
