#include "task_service_fixture.h"

#include <gtest/gtest.h>

#include "platform/com/com_runtime.h"
#include "platform/machine/machine.h"
#include "platform/taskscheduler/mstask.h"
#include "platform/base/journal.h"
#include "platform/taskscheduler/property_sheet.h"

namespace tessaly::testing {

namespace {

platform::taskscheduler::TaskPropertySheet& Sheet() {
  return platform::CurrentMachine()->area<platform::taskscheduler::TaskPropertySheet>();
}

void SaveOwnFile(ITask& task) {
  IPersistFile* file = nullptr;
  ASSERT_EQ(task.QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
  EXPECT_EQ(file->Save(nullptr, FALSE), S_OK);
  file->Release();
}

}  // namespace

void SaveOtherTask(const std::string& name) {
  ITaskScheduler* scheduler = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                             reinterpret_cast<void**>(&scheduler)),
            S_OK);
  std::u16string wide(name.begin(), name.end());
  IUnknown* item = nullptr;
  ASSERT_EQ(scheduler->NewWorkItem(reinterpret_cast<LPCWSTR>(wide.c_str()), CLSID_CTask, IID_ITask, &item), S_OK);
  SaveOwnFile(*static_cast<ITask*>(item));
  item->Release();
  scheduler->Release();
}

void ScriptSheetDeletingFirstTrigger() {
  Sheet().setScript([](ITask& task) {
    EXPECT_EQ(task.DeleteTrigger(0), S_OK);
    SaveOwnFile(task);
  });
}

std::string LastTaskRequest() {
  std::string last;
  for (const auto& entry : platform::TheJournal().entries()) {
    if (entry.call.rfind("Task.", 0) != 0) continue;
    last = entry.call;
    for (const auto& arg : entry.args) last += " " + arg;
  }
  return last;
}

}  // namespace tessaly::testing
