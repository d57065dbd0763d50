#include <gtest/gtest.h>

#include "platform/base/journal.h"
#include "platform/com/com_runtime.h"
#include "platform/files/file_content.h"
#include "platform/taskscheduler/mstask.h"
#include "platform/taskscheduler/property_sheet.h"
#include "platform/taskscheduler/task_record.h"
#include "platform/taskscheduler/trigger_rules.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using platform::com::ComPtr;
using namespace platform::taskscheduler;

TASK_TRIGGER Daily2005() {
  SYSTEMTIME st{};
  st.wYear = 2005;
  st.wMonth = 1;
  st.wDay = 1;
  st.wHour = 9;
  return DefaultTrigger(st);
}

TEST(TriggerRules, SetTriggerValidation) {
  struct Case {
    const char* what;
    void (*change)(TASK_TRIGGER&);
    bool valid;
  } cases[] = {
      {"defaults", [](TASK_TRIGGER&) {}, true},
      {"size", [](TASK_TRIGGER& t) { t.cbTriggerSize = 40; }, false},
      {"reserved", [](TASK_TRIGGER& t) { t.Reserved1 = 1; }, false},
      {"year 1899", [](TASK_TRIGGER& t) { t.wBeginYear = 1899; }, false},
      {"two-digit year", [](TASK_TRIGGER& t) { t.wBeginYear = 97; }, false},
      {"Feb 30", [](TASK_TRIGGER& t) { t.wBeginMonth = 2, t.wBeginDay = 30; }, false},
      {"hour 24", [](TASK_TRIGGER& t) { t.wStartHour = 24; }, false},
      {"minute 60", [](TASK_TRIGGER& t) { t.wStartMinute = 60; }, false},
      {"interval >= duration", [](TASK_TRIGGER& t) { t.MinutesInterval = 10, t.MinutesDuration = 10; }, false},
      {"interval < duration", [](TASK_TRIGGER& t) { t.MinutesInterval = 10, t.MinutesDuration = 60; }, true},
      {"type 8", [](TASK_TRIGGER& t) { t.TriggerType = static_cast<TASK_TRIGGER_TYPE>(8); }, false},
      {"days interval 0", [](TASK_TRIGGER& t) { t.Type.Daily.DaysInterval = 0; }, false},
      {"end before begin",
       [](TASK_TRIGGER& t) { t.rgFlags = TASK_TRIGGER_FLAG_HAS_END_DATE, t.wEndYear = 2004, t.wEndMonth = 1, t.wEndDay = 1; },
       false},
      {"end ignored without flag", [](TASK_TRIGGER& t) { t.wEndYear = 0; }, true},
      {"weekly empty days",
       [](TASK_TRIGGER& t) { t.TriggerType = TASK_TIME_TRIGGER_WEEKLY, t.Type.Weekly = {1, 0}; }, false},
      {"monthly dow week 6",
       [](TASK_TRIGGER& t) { t.TriggerType = TASK_TIME_TRIGGER_MONTHLYDOW, t.Type.MonthlyDOW = {6, 2, 1}; }, false},
      {"monthly date months 0x1000",
       [](TASK_TRIGGER& t) { t.TriggerType = TASK_TIME_TRIGGER_MONTHLYDATE, t.Type.MonthlyDate = {1, 0x1000}; }, false},
      {"logon", [](TASK_TRIGGER& t) { t.TriggerType = TASK_EVENT_TRIGGER_AT_LOGON; }, true},
  };
  for (const auto& c : cases) {
    TASK_TRIGGER t = Daily2005();
    c.change(t);
    EXPECT_EQ(IsValidTrigger(t), c.valid) << c.what;
  }
}

TEST(TriggerRules, TextsAndNextStarts) {
  TASK_TRIGGER t = Daily2005();
  t.Type.Daily.DaysInterval = 3;
  EXPECT_EQ(TriggerText(t), "At 9:00 AM every 3 days, starting 1/1/2005");
  t.rgFlags = TASK_TRIGGER_FLAG_DISABLED;
  EXPECT_EQ(TriggerText(t), "At 9:00 AM every 3 days, starting 1/1/2005 (disabled)");
  EXPECT_FALSE(NextStart(t, 0));
  t.rgFlags = 0;
  SYSTEMTIME now{2005, 1, 0, 2, 12, 0, 0, 0};
  // Every third day from 1/1: the next is 1/4 at 9:00.
  EXPECT_EQ(NextStart(t, MinutesOf(now)), MinutesOf(SYSTEMTIME{2005, 1, 0, 4, 9, 0, 0, 0}));
  t.TriggerType = TASK_TIME_TRIGGER_ONCE;
  t.wStartHour = 14;
  t.wStartMinute = 35;
  EXPECT_EQ(TriggerText(t), "At 2:35 PM on 1/1/2005");
  EXPECT_FALSE(NextStart(t, MinutesOf(now)));  // in the past
  t.TriggerType = TASK_TIME_TRIGGER_MONTHLYDOW;
  t.Type.MonthlyDOW = {5, 2, 1};  // last Monday of January
  EXPECT_EQ(NextStart(t, MinutesOf(now)), MinutesOf(SYSTEMTIME{2005, 1, 0, 31, 14, 35, 0, 0}));
}

TEST(TaskFile, RoundTripsAndRefusesWhatItDoesNotKnow) {
  TaskRecord task;
  task.applicationName = "C:\\Program Files\\Tessaly\\tsy";
  task.parameters = " /SCHEDULER";
  task.flags = 0x3004;
  task.lastRun = SYSTEMTIME{2005, 12, 0, 31, 14, 35, 0, 0};
  task.triggers.push_back(BytesFromTrigger(Daily2005()));
  std::string text = FormatTaskFile(task);
  EXPECT_NE(text.find("Flags=0x00003004\r\n"), std::string::npos);
  EXPECT_NE(text.find("LastRun=2005-12-31 14:35:00\r\n"), std::string::npos);
  auto back = ParseTaskFile(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(FormatTaskFile(*back), text);
  const std::string broken[] = {
      "", "Flags=0x0\r\n", "[Task]\r\nColour=red\r\n", "[Task]\r\nFlags=12\r\n", "[Task]\r\nTrigger1=00\r\n",
      "[Task]\r\nTrigger2=" + std::string(96, '0') + "\r\n", "[Task]\r\nLastRun=yesterday\r\n", "[Task]\r\nnoequals\r\n",
  };
  for (const auto& b : broken) EXPECT_FALSE(ParseTaskFile(b)) << b;
}

// A number or date that carries a sign or a blank would be read as another
// value (a year of -6 wraps to 65530) and written back in a shape that no
// longer parses: every such field is refused, and what is read is written
// back as it was.
TEST(TaskFile, FieldsWithASignOrABlankAreRefused) {
  const std::string refused[] = {
      "LastRun=-006-12-31 14:35:00", "LastRun=+006-12-31 14:35:00", "LastRun= 206-12-31 14:35:00",
      "LastRun=2005--1-31 14:35:00", "LastRun=2005-+1-31 14:35:00", "LastRun=2005- 1-31 14:35:00",
      "LastRun=2005-12-+1 14:35:00", "LastRun=2005-12-31 +4:35:00", "LastRun=2005-12-31 14:-5:00",
      "LastRun=2005-12-31 14:35: 0", "LastRun=2005-12-31 14:35:00 ", "LastRun=2005/12/31 14:35:00",
      "MaxRunTime=-1",               "MaxRunTime=+5",               "IdleMinutes= 10",
      "DeadlineMinutes=-60",         "Flags=-0x1",                  "Priority=0x+20",
  };
  for (const auto& line : refused) EXPECT_FALSE(ParseTaskFile("[Task]\r\n" + line + "\r\n")) << line;
  for (const char* when : {"0006-12-31 14:35:00", "2005-01-01 00:00:00", "9999-12-31 23:59:59"}) {
    const std::string text = "[Task]\r\nLastRun=" + std::string(when) + "\r\n";
    auto task = ParseTaskFile(text);
    ASSERT_TRUE(task) << when;
    EXPECT_NE(FormatTaskFile(*task).find("LastRun=" + std::string(when) + "\r\n"), std::string::npos) << when;
  }
}

class TaskServiceTest : public ::testing::Test {
 protected:
  explicit TaskServiceTest(platform::MachineBuilder builder = TestMachine()) : m_(builder) {}

  HRESULT Create(ComPtr<ITaskScheduler>& service) {
    return CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                            service.putVoid());
  }
  ComPtr<ITask> NewTask(ITaskScheduler& service, const char16_t* name) {
    ComPtr<IUnknown> item;
    EXPECT_EQ(service.NewWorkItem(name, CLSID_CTask, IID_ITask, item.put()), S_OK);
    ComPtr<ITask> task;
    item.As(IID_ITask, task);
    return task;
  }
  TempMachine m_;
};

TEST_F(TaskServiceTest, NamesEnumerationAndPersistence) {
  ComPtr<ITaskScheduler> service;
  ASSERT_EQ(Create(service), S_OK);
  ComPtr<IUnknown> item;
  for (const char16_t* bad : {u"", u"a\\b", u"..\\x", u"a/b", u"a:b"})
    EXPECT_EQ(service->NewWorkItem(bad, CLSID_CTask, IID_ITask, item.put()), E_INVALIDARG);
  auto task = NewTask(*service, u"B");
  ComPtr<IPersistFile> file;
  task.As(IID_IPersistFile, file);
  EXPECT_EQ(file->IsDirty(), S_OK);
  ASSERT_EQ(file->Save(nullptr, FALSE), S_OK);
  EXPECT_EQ(file->IsDirty(), S_FALSE);
  NewTask(*service, u"a");
  auto a = NewTask(*service, u"a");  // not saved yet: the name is still free
  ComPtr<IPersistFile> aFile;
  a.As(IID_IPersistFile, aFile);
  aFile->Save(nullptr, FALSE);
  ASSERT_EQ(platform::files::WriteFileContent(m_.machine().folders().windows + "\\Tasks\\notes.txt", "x"), 0u);
  EXPECT_EQ(service->NewWorkItem(u"B", CLSID_CTask, IID_ITask, item.put()), HRESULT_FILE_EXISTS);

  ComPtr<IEnumWorkItems> items;
  ASSERT_EQ(service->Enum(items.put()), S_OK);
  LPWSTR* names = nullptr;
  ULONG fetched = 0;
  ASSERT_EQ(items->Next(5, &names, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 2u);
  EXPECT_EQ(platform::com::WideOf(names[0]), u"a.job");
  EXPECT_EQ(platform::com::WideOf(names[1]), u"B.job");
  for (ULONG i = 0; i < fetched; ++i) CoTaskMemFree(names[i]);
  CoTaskMemFree(names);
  EXPECT_EQ(items->Next(1, &names, &fetched), S_FALSE);
  EXPECT_EQ(names, nullptr);

  EXPECT_EQ(service->Delete(u".job"), HRESULT_FILE_NOT_FOUND);
  EXPECT_EQ(service->Delete(u"B"), S_OK);
  EXPECT_EQ(service->Activate(u"B.job", IID_ITask, item.put()), HRESULT_FILE_NOT_FOUND);
  EXPECT_EQ(service->Activate(u"A", IID_ITask, item.put()), S_OK);
}

TEST_F(TaskServiceTest, RunAndPropertySheetAreRecordedNeverExecuted) {
  ComPtr<ITaskScheduler> service;
  ASSERT_EQ(Create(service), S_OK);
  auto task = NewTask(*service, u"TSY");
  SYSTEMTIME when{};
  DWORD code = 7;
  EXPECT_EQ(task->GetMostRecentRunTime(&when), SCHED_S_TASK_HAS_NOT_RUN);
  EXPECT_EQ(when.wYear, 0);
  EXPECT_EQ(task->GetExitCode(&code), SCHED_S_TASK_HAS_NOT_RUN);
  EXPECT_EQ(task->GetNextRunTime(&when), SCHED_S_TASK_NO_VALID_TRIGGERS);
  platform::TheJournal().Clear();
  m_.machine().area<TaskPropertySheet>().setScript([](ITask& edited) { edited.SetComment(u"edited"); });
  EXPECT_EQ(task->EditWorkItem(0, 0), S_OK);
  EXPECT_EQ(task->Run(), S_OK);
  const auto& entries = platform::TheJournal().entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].call, "Task.EditWorkItem");
  EXPECT_EQ(entries[0].args, (std::vector<std::string>{"TSY.job"}));
  EXPECT_EQ(entries[1].call, "Task.Run");
  EXPECT_EQ(entries[1].args, (std::vector<std::string>{"TSY.job"}));
  LPWSTR comment = nullptr;
  task->GetComment(&comment);
  EXPECT_EQ(platform::com::WideOf(comment), u"edited");
  CoTaskMemFree(comment);
  EXPECT_EQ(task->GetMostRecentRunTime(&when), S_OK);
  EXPECT_EQ(when.wYear, 2006);
  HRESULT status = 0;
  task->GetStatus(&status);
  EXPECT_EQ(status, SCHED_S_TASK_NOT_SCHEDULED);
  task->SetFlags(TASK_FLAG_DISABLED);
  task->GetStatus(&status);
  EXPECT_EQ(status, SCHED_S_TASK_DISABLED);
  EXPECT_EQ(task->GetNextRunTime(&when), SCHED_S_TASK_DISABLED);
}

class StoppedServiceTest : public TaskServiceTest {
 protected:
  static platform::MachineBuilder Stopped() {
    auto builder = TestMachine();
    builder.description().taskScheduler = platform::TaskSchedulerState::Stopped;
    return builder;
  }
  StoppedServiceTest() : TaskServiceTest(Stopped()) {}
};

TEST_F(StoppedServiceTest, EveryCallReportsTheServiceNotRunning) {
  ComPtr<ITaskScheduler> service;
  ASSERT_EQ(Create(service), S_OK);
  ComPtr<IEnumWorkItems> items;
  ComPtr<IUnknown> item;
  EXPECT_EQ(service->Enum(items.put()), SCHED_E_SERVICE_NOT_RUNNING);
  EXPECT_EQ(service->NewWorkItem(u"x", CLSID_CTask, IID_ITask, item.put()), SCHED_E_SERVICE_NOT_RUNNING);
  EXPECT_EQ(service->SetTargetComputer(nullptr), SCHED_E_SERVICE_NOT_RUNNING);
}

TEST(AbsentService, ClassIsNotRegisteredOnWindows95) {
  TempMachine m(platform::OsKind::Win95);
  ComPtr<ITaskScheduler> service;
  EXPECT_EQ(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                             service.putVoid()),
            REGDB_E_CLASSNOTREG);
}

}  // namespace
}  // namespace tessaly::testing
