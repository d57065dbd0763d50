#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/base/runtime_error.h"
#include "platform/com/automation.h"
#include "platform/files/file_content.h"
#include "platform/files/file_system_object.h"
#include "platform/registry/advapi32.h"
#include "platform/taskscheduler/mstask.h"
#include "platform/taskscheduler/task_record.h"
#include "schedule_fixture.h"

namespace tessaly::testing {
namespace {

using platform::com::ComPtr;

// One trigger of each type, set through the typed properties.
struct TriggerCase {
  LONG type;
  void (*configure)(_Trigger& t);
};

const TriggerCase kEveryType[] = {
    {ttOnce, [](_Trigger&) {}},
    {ttDaily, [](_Trigger& t) { EXPECT_EQ(t.put_DaysInterval(3), S_OK); }},
    {ttWeekly,
     [](_Trigger& t) {
       EXPECT_EQ(t.put_WeeksInterval(2), S_OK);
       EXPECT_EQ(t.put_DaysOfTheWeek(tdMonday | tdThursday), S_OK);
     }},
    {ttMonthlyDate,
     [](_Trigger& t) {
       EXPECT_EQ(t.put_Day(1 | (1 << 14)), S_OK);
       EXPECT_EQ(t.put_Months(tmJanuary | tmJuly), S_OK);
     }},
    {ttMonthlyWeekDay,
     [](_Trigger& t) {
       EXPECT_EQ(t.put_Week(twLast), S_OK);
       EXPECT_EQ(t.put_DaysOfTheWeek(tdMonday), S_OK);
       EXPECT_EQ(t.put_Months(tmJanuary), S_OK);
     }},
    {ttOnIdle, [](_Trigger&) {}},
    {ttAtSystemStart, [](_Trigger&) {}},
    {ttAtLogon, [](_Trigger&) {}},
};

// The texts the service gives for the triggers above (begin 1/1/2007 9:00).
const char* const kEveryTypeText[] = {
    "At 9:00 AM on 1/1/2007",
    "At 9:00 AM every 3 days, starting 1/1/2007",
    "At 9:00 AM every Mon, Thu of every 2 weeks, starting 1/1/2007",
    "At 9:00 AM on day 1, 15 of Jan, Jul, starting 1/1/2007",
    "At 9:00 AM on the last Mon of Jan, starting 1/1/2007",
    "When computer is idle",
    "At system startup",
    "At logon",
};

ComPtr<_Job> FindJob(_Schedule& schedule, const char* name) {
  for (auto& item : platform::com::ForEach(&schedule)) {
    ComPtr<_Job> job;
    item.AsObject().As(schedule_ids::IID__Job, job);
    Bstr jobName;
    job->get_Name(jobName.put());
    if (jobName.text() == name) return job;
  }
  return nullptr;
}

std::vector<std::string> TriggerTexts(_Job& job) {
  ComPtr<_Triggers> triggers;
  EXPECT_EQ(job.get_Triggers(triggers.put()), S_OK);
  std::vector<std::string> texts;
  LONG count = 0;
  triggers->get_Count(&count);
  for (LONG i = 1; i <= count; ++i) {
    VARIANT index;
    index.vt = VT_I4;
    index.lVal = i;
    ComPtr<_Trigger> trigger;
    EXPECT_EQ(triggers->get_Item(index, trigger.put()), S_OK);
    Bstr text;
    EXPECT_EQ(trigger->get_Text(text.put()), S_OK);
    texts.push_back(text.text());
  }
  return texts;
}

TEST_F(ScheduleTest, TaskWithEveryTriggerTypeSurvivesANewProcess) {
  auto schedule = NewSchedule();
  ASSERT_TRUE(schedule);
  ComPtr<_Job> job;
  Bstr name("TSY");
  ASSERT_EQ(schedule->CreateTask(name.get(), job.put()), S_OK);
  ComPtr<_Triggers> triggers;
  ASSERT_EQ(job->get_Triggers(triggers.put()), S_OK);
  DATE begin = 39083.0;  // 2007-01-01
  for (const auto& c : kEveryType) {
    ComPtr<_Trigger> trigger;
    ASSERT_EQ(triggers->Add(trigger.put()), S_OK);
    ASSERT_EQ(trigger->put_TriggerType(c.type), S_OK);
    ASSERT_EQ(trigger->put_BeginDay(begin), S_OK);
    ASSERT_EQ(trigger->put_StartTime(9.0 / 24), S_OK);
    c.configure(*trigger);
  }
  ASSERT_EQ(job->Save(nullptr), S_OK);
  job.reset();
  triggers.reset();
  schedule.reset();
  EXPECT_TRUE(platform::com::ModuleCanUnload("schedule"));

  // A real second process opens the machine afresh and reads the task.
  machine_.Reopen();
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    machine_.Reopen();
    auto again = NewSchedule();
    bool same = again && again->Refresh() == S_OK;
    if (same) {
      auto found = FindJob(*again, "TSY");
      same = found && TriggerTexts(*found) == std::vector<std::string>(std::begin(kEveryTypeText), std::end(kEveryTypeText));
    }
    _exit(same ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  // The same check in this process, with the details on failure.
  auto again = NewSchedule();
  ASSERT_EQ(again->Refresh(), S_OK);
  auto found = FindJob(*again, "TSY");
  ASSERT_TRUE(found);
  EXPECT_EQ(TriggerTexts(*found), std::vector<std::string>(std::begin(kEveryTypeText), std::end(kEveryTypeText)));
  Bstr creator;
  EXPECT_EQ(found->get_Creator(creator.put()), S_OK);
  EXPECT_EQ(creator.text(), "TaskScheduler");
}

TEST_F(ScheduleTest, NotRegisteredUntilDllRegisterServer) {
  ASSERT_EQ(platform::com::UnregisterServer(kScheduleDll), S_OK);
  ComPtr<_Schedule> schedule;
  EXPECT_EQ(CoCreateInstance(schedule_ids::CLSID_Schedule, nullptr, CLSCTX_INPROC_SERVER, schedule_ids::IID__Schedule,
                             schedule.putVoid()),
            REGDB_E_CLASSNOTREG);
  try {
    platform::com::NewObject(schedule_ids::CLSID_Schedule);
    FAIL() << "created an unregistered class";
  } catch (const platform::RuntimeError& e) {
    EXPECT_EQ(e.number(), 429);
  }
  ASSERT_EQ(platform::com::RegisterServer(kScheduleDll), S_OK);
  EXPECT_TRUE(platform::com::CreateObject("TaskScheduler.Schedule"));
}

std::string HiveText(TempMachine& m) {
  m.machine().Flush();
  std::ifstream in(m.machine().registryFolder() / "HKLM.reg", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(ScheduleTest, UnregisterLeavesTheHiveAsBefore) {
  ASSERT_EQ(platform::com::UnregisterServer(kScheduleDll), S_OK);
  std::string before = HiveText(machine_);
  ASSERT_EQ(platform::com::RegisterServer(kScheduleDll), S_OK);
  std::string registered = HiveText(machine_);
  EXPECT_NE(registered, before);
  EXPECT_NE(registered.find("\"ThreadingModel\"=\"Apartment\""), std::string::npos);
  EXPECT_NE(registered.find("@=\"C:\\\\Program Files\\\\Tessaly\\\\Schedule.dll\""), std::string::npos);
  ASSERT_EQ(platform::com::UnregisterServer(kScheduleDll), S_OK);
  EXPECT_EQ(HiveText(machine_), before);
}

// The library's version block: 1.01.0016, which the fixed file version
// gives as 1.1.0.16.
TEST_F(ScheduleTest, TheInstalledLibraryCarriesItsFileVersion) {
  EXPECT_EQ(platform::scripting::FileSystemObject().GetFileVersion(kScheduleDll), "1.1.0.16");
}

TEST_F(ScheduleTest, RegistrationEntriesNameTheLibraryPath) {
  const std::pair<const char*, const char*> expected[] = {
      {"CLSID\\{A3B16D2A-FBCC-481F-8D1A-10799D9D1129}\\InprocServer32", kScheduleDll},
      {"CLSID\\{A3B16D2A-FBCC-481F-8D1A-10799D9D1129}", "TaskScheduler.Schedule"},
      {"TaskScheduler.Schedule\\Clsid", "{A3B16D2A-FBCC-481F-8D1A-10799D9D1129}"},
      {"TypeLib\\{79339128-06A2-4BA3-8D89-1E7E5AEE9F4C}\\1.0", "CVL Task Scheduler Class v1.01"},
      {"TypeLib\\{79339128-06A2-4BA3-8D89-1E7E5AEE9F4C}\\1.0\\409\\win32", kScheduleDll},
      {"TypeLib\\{79339128-06A2-4BA3-8D89-1E7E5AEE9F4C}\\1.0\\HELPDIR", "C:\\Program Files\\Tessaly"},
      {"Interface\\{47DFACC4-5318-49C8-A11F-D1FA2EAB4368}", "_Trigger"},
      {"Interface\\{08BB2CCF-B4A5-472E-B6A7-19F27CC82275}\\ProxyStubClsid32", "{00020424-0000-0000-C000-000000000046}"},
  };
  for (const auto& [key, value] : expected) {
    HKEY h = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &h), ERROR_SUCCESS) << key;
    char data[260] = {};
    DWORD size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(h, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size), ERROR_SUCCESS);
    EXPECT_STREQ(data, value) << key;
    RegCloseKey(h);
  }
}

TEST_F(ScheduleTest, FactoryServesOnlyTheScheduleClass) {
  ComPtr<_Schedule> schedule;
  EXPECT_EQ(CoCreateInstance(schedule_ids::CLSID_Job, nullptr, CLSCTX_INPROC_SERVER, schedule_ids::IID__Job,
                             schedule.putVoid()),
            REGDB_E_CLASSNOTREG);
  auto created = NewSchedule();
  EXPECT_FALSE(platform::com::ModuleCanUnload("schedule"));
  created.reset();
  EXPECT_TRUE(platform::com::ModuleCanUnload("schedule"));
}

// A typed property on a trigger of another type raises the library's error
// and leaves the record as it was.
TEST_F(ScheduleTest, TypedPropertiesOfAOnceTriggerRaiseInvalidTriggerType) {
  auto schedule = NewSchedule();
  ComPtr<_Job> job;
  Bstr name("Once");
  ASSERT_EQ(schedule->CreateTask(name.get(), job.put()), S_OK);
  ComPtr<_Triggers> triggers;
  job->get_Triggers(triggers.put());
  ComPtr<_Trigger> trigger;
  ASSERT_EQ(triggers->Add(trigger.put()), S_OK);
  ASSERT_EQ(trigger->put_TriggerType(ttOnce), S_OK);
  DATE beginBefore = 0;
  trigger->get_BeginDay(&beginBefore);
  for (DISPID member : {1, 2, 3, 4, 5, 6}) {
    for (WORD kind : {WORD(DISPATCH_PROPERTYGET), WORD(DISPATCH_PROPERTYPUT)}) {
      std::vector<platform::com::ComVariant> args;
      if (kind == DISPATCH_PROPERTYPUT) args.push_back(platform::com::ComVariant::Long(1));
      try {
        platform::com::Invoke(trigger.get(), member, kind, args);
        ADD_FAILURE() << "member " << member << " kind " << kind << " did not raise";
      } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), -2147221503) << member;
        EXPECT_EQ(e.description(), "Invalid trigger type") << member;
      }
    }
  }
  DATE beginAfter = 0;
  EXPECT_EQ(trigger->get_BeginDay(&beginAfter), S_OK);
  EXPECT_EQ(beginAfter, beginBefore);
  LONG value = 0;
  EXPECT_EQ(trigger->get_Duration(&value), S_OK);
  EXPECT_EQ(trigger->put_Interval(0), S_OK);
  EXPECT_EQ(trigger->get_Flags(&value), S_OK);
  EXPECT_EQ(value, 0);
  SHORT random = 0;
  EXPECT_EQ(trigger->put_RandomInterval(7), S_OK);
  EXPECT_EQ(trigger->get_RandomInterval(&random), S_OK);
  EXPECT_EQ(random, 7);
}

// The named dispatch identities reach the members the vtable reaches, on
// every interface of the library.
TEST_F(ScheduleTest, NamedIdentitiesReachTheTypedMembers) {
  using platform::com::ComVariant;
  using platform::com::Invoke;
  auto schedule = NewSchedule();
  auto id = [](auto member) { return static_cast<DISPID>(member); };
  ComVariant job = Invoke(schedule.get(), id(ScheduleMember::CreateTask), DISPATCH_METHOD, {ComVariant::String("Named")});
  EXPECT_EQ(Invoke(schedule.get(), id(ScheduleMember::Count), DISPATCH_PROPERTYGET).AsLong(), 1);
  ComPtr<_Job> typedJob;
  ASSERT_EQ(job.AsObject().As(schedule_ids::IID__Job, typedJob), S_OK);
  Invoke(typedJob.get(), id(JobMember::Comment), DISPATCH_PROPERTYPUT, {ComVariant::String("late")});
  Bstr comment;
  ASSERT_EQ(typedJob->get_Comment(comment.put()), S_OK);
  EXPECT_EQ(comment.text(), "late");
  Bstr creator;
  ASSERT_EQ(typedJob->get_Creator(creator.put()), S_OK);
  EXPECT_FALSE(creator.text().empty());
  EXPECT_EQ(Invoke(typedJob.get(), id(JobMember::Creator), DISPATCH_PROPERTYGET).AsString(), creator.text());
  ComVariant triggers = Invoke(typedJob.get(), id(JobMember::Triggers), DISPATCH_PROPERTYGET);
  ComVariant trigger = Invoke(triggers.AsObject().get(), id(TriggersMember::Add), DISPATCH_METHOD);
  EXPECT_EQ(Invoke(triggers.AsObject().get(), id(TriggersMember::Count), DISPATCH_PROPERTYGET).AsLong(), 1);
  ComPtr<_Trigger> typedTrigger;
  ASSERT_EQ(trigger.AsObject().As(schedule_ids::IID__Trigger, typedTrigger), S_OK);
  ASSERT_EQ(typedTrigger->put_TriggerType(ttDaily), S_OK);
  Invoke(typedTrigger.get(), id(TriggerMember::DaysInterval), DISPATCH_PROPERTYPUT, {ComVariant::Short(4)});
  SHORT days = 0;
  ASSERT_EQ(typedTrigger->get_DaysInterval(&days), S_OK);
  EXPECT_EQ(days, 4);
  EXPECT_EQ(Invoke(typedTrigger.get(), id(TriggerMember::TriggerType), DISPATCH_PROPERTYGET).AsLong(), ttDaily);
}

TEST_F(ScheduleTest, TriggerFieldsLandAtTheirOffsets) {
  auto schedule = NewSchedule();
  ComPtr<_Job> job;
  Bstr name("Fields");
  ASSERT_EQ(schedule->CreateTask(name.get(), job.put()), S_OK);
  ComPtr<_Triggers> triggers;
  job->get_Triggers(triggers.put());
  ComPtr<_Trigger> trigger;
  ASSERT_EQ(triggers->Add(trigger.put()), S_OK);
  trigger->put_TriggerType(ttMonthlyWeekDay);
  trigger->put_Week(twLast);
  trigger->put_DaysOfTheWeek(tdMonday);
  trigger->put_Months(tmJanuary);
  trigger->put_StartTime((14 * 3600 + 35 * 60 + 50) / 86400.0);
  ASSERT_EQ(trigger->Update(), S_OK);
  LONG week = 0, days = 0, months = 0;
  trigger->get_Week(&week);
  trigger->get_DaysOfTheWeek(&days);
  trigger->get_Months(&months);
  EXPECT_EQ(week, 5);
  EXPECT_EQ(days, 2);
  EXPECT_EQ(months, 1);
  DATE start = 0;
  trigger->get_StartTime(&start);
  EXPECT_DOUBLE_EQ(start, (14 * 3600 + 35 * 60) / 86400.0);
  EXPECT_EQ(trigger->put_Months(40000), HRESULT_FROM_RUNTIME_ERROR(6));
  // A value that is no Date is refused and leaves the fields as they were.
  DATE beginBefore = 0;
  trigger->get_BeginDay(&beginBefore);
  for (DATE notADate : {std::nan(""), HUGE_VAL, -1e9, 3e6}) {
    EXPECT_EQ(trigger->put_BeginDay(notADate), HRESULT_FROM_RUNTIME_ERROR(5)) << notADate;
    EXPECT_EQ(trigger->put_StartTime(notADate), HRESULT_FROM_RUNTIME_ERROR(5)) << notADate;
  }
  DATE beginAfter = 0;
  trigger->get_BeginDay(&beginAfter);
  EXPECT_EQ(beginAfter, beginBefore);
  trigger->get_StartTime(&start);
  EXPECT_DOUBLE_EQ(start, (14 * 3600 + 35 * 60) / 86400.0);

  // The service holds the same bytes at 36, 38 and 40.
  ComPtr<ITask> task;
  ASSERT_EQ(job->Save(nullptr), S_OK);
  ComPtr<ITaskScheduler> service;
  ASSERT_EQ(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                             service.putVoid()),
            S_OK);
  ComPtr<IUnknown> item;
  ASSERT_EQ(service->Activate(u"Fields", IID_ITask, item.put()), S_OK);
  item.As(IID_ITask, task);
  ComPtr<ITaskTrigger> stored;
  ASSERT_EQ(task->GetTrigger(0, stored.put()), S_OK);
  TASK_TRIGGER record{};
  record.cbTriggerSize = sizeof record;
  ASSERT_EQ(stored->GetTrigger(&record), S_OK);
  EXPECT_EQ(record.Type.MonthlyDOW.wWhichWeek, 5);
  EXPECT_EQ(record.Type.MonthlyDOW.rgfDaysOfTheWeek, 2);
  EXPECT_EQ(record.Type.MonthlyDOW.rgfMonths, 1);
  EXPECT_EQ(record.wStartHour, 14);
  EXPECT_EQ(record.wStartMinute, 35);
  EXPECT_EQ(record.rgFlags, 0u);
}

TEST_F(ScheduleTest, DayKeepsTheUpperBitsOfTheDayMask) {
  auto schedule = NewSchedule();
  ComPtr<_Job> job;
  Bstr name("Days");
  ASSERT_EQ(schedule->CreateTask(name.get(), job.put()), S_OK);
  ComPtr<_Triggers> triggers;
  job->get_Triggers(triggers.put());
  ComPtr<_Trigger> trigger;
  triggers->Add(trigger.put());
  trigger->put_TriggerType(ttMonthlyDate);
  trigger->put_Months(tmMarch);
  trigger->put_Day(1);
  trigger->put_Day(static_cast<SHORT>(-32768));
  SHORT day = 0;
  trigger->get_Day(&day);
  EXPECT_EQ(day, -32768);
  EXPECT_EQ(trigger->Update(), S_OK);  // day 16 only: a valid mask
}

// Stored year, month and day come back under DateSerial's rules: two-digit
// years, months and days rolling over; a date past 9999 is error 5.
TEST_F(ScheduleTest, StoredDatesReadBackAsDateSerialMakesThem) {
  struct Case {
    WORD year, month, day;
    HRESULT hr;
    DATE date;
  } cases[] = {
      {2007, 1, 1, S_OK, 39083},  // 2007-01-01
      {5, 14, 1, S_OK, 38749},    // 2006-02-01
      {99, 1, 0, S_OK, 36160},    // 1998-12-31
      {30, 0, 1, S_OK, 10928},    // 1929-12-01
      {9999, 12, 32, HRESULT_FROM_RUNTIME_ERROR(5), 0},
      {50000, 1, 1, HRESULT_FROM_RUNTIME_ERROR(5), 0},  // a negative Integer year
  };
  platform::taskscheduler::TaskRecord stored;
  for (const auto& c : cases) {
    TASK_TRIGGER t{};
    t.cbTriggerSize = sizeof t;
    t.TriggerType = TASK_EVENT_TRIGGER_AT_LOGON;
    t.wBeginYear = c.year;
    t.wBeginMonth = c.month;
    t.wBeginDay = c.day;
    t.wEndYear = c.year;
    t.wEndMonth = c.month;
    t.wEndDay = c.day;
    stored.triggers.push_back(platform::taskscheduler::BytesFromTrigger(t));
  }
  ASSERT_EQ(platform::files::WriteFileContent(TasksFolder() + "\\Raw.job", platform::taskscheduler::FormatTaskFile(stored)),
            ERROR_SUCCESS);
  auto schedule = NewSchedule();
  ASSERT_EQ(schedule->Refresh(), S_OK);
  auto job = FindJob(*schedule, "Raw");
  ASSERT_TRUE(job);
  ComPtr<_Triggers> triggers;
  ASSERT_EQ(job->get_Triggers(triggers.put()), S_OK);
  LONG index = 0;
  for (const auto& c : cases) {
    VARIANT position;
    position.vt = VT_I4;
    position.lVal = ++index;
    ComPtr<_Trigger> trigger;
    ASSERT_EQ(triggers->get_Item(position, trigger.put()), S_OK);
    DATE begin = -1, end = -1;
    EXPECT_EQ(trigger->get_BeginDay(&begin), c.hr) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(trigger->get_EndDay(&end), c.hr) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(begin, SUCCEEDED(c.hr) ? c.date : -1) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(end, SUCCEEDED(c.hr) ? c.date : -1) << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST_F(ScheduleTest, RemoveThenUpdateRenumbersAndSaves) {
  auto schedule = NewSchedule();
  ComPtr<_Job> job;
  Bstr name("Three");
  ASSERT_EQ(schedule->CreateTask(name.get(), job.put()), S_OK);
  ComPtr<_Triggers> triggers;
  job->get_Triggers(triggers.put());
  for (SHORT interval : {1, 2, 3}) {
    ComPtr<_Trigger> trigger;
    triggers->Add(trigger.put());
    trigger->put_DaysInterval(interval);
  }
  ASSERT_EQ(job->Save(nullptr), S_OK);
  ASSERT_EQ(triggers->Remove(2), S_OK);
  EXPECT_EQ(triggers->Remove(3), HRESULT_FROM_RUNTIME_ERROR(5));  // two members left
  ASSERT_EQ(triggers->Update(), S_OK);
  ASSERT_EQ(job->Save(nullptr), S_OK);
  std::string file;
  ASSERT_EQ(platform::files::ReadFileContent(TasksFolder() + "\\Three.job", file), ERROR_SUCCESS);
  EXPECT_NE(file.find("Trigger2="), std::string::npos);
  EXPECT_EQ(file.find("Trigger3="), std::string::npos);
  auto texts = TriggerTexts(*job);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_NE(texts[0].find("every day"), std::string::npos);
  EXPECT_NE(texts[1].find("every 3 days"), std::string::npos);
}

TEST_F(ScheduleTest, CreateTaskOfAnExistingNameChangesNothing) {
  auto schedule = NewSchedule();
  ComPtr<_Job> job;
  Bstr name("TSY");
  ASSERT_EQ(schedule->CreateTask(name.get(), job.put()), S_OK);
  std::string before;
  platform::files::ReadFileContent(TasksFolder() + "\\TSY.job", before);
  ComPtr<_Job> second;
  EXPECT_EQ(schedule->CreateTask(name.get(), second.put()), MakeHResult(0x80070050u));
  LONG count = 0;
  schedule->get_Count(&count);
  EXPECT_EQ(count, 1);
  std::string after;
  platform::files::ReadFileContent(TasksFolder() + "\\TSY.job", after);
  EXPECT_EQ(after, before);
  // Its Name is empty until a Refresh, so Delete passes ".job" and fails.
  EXPECT_EQ(schedule->Delete(1), HRESULT_FILE_NOT_FOUND);
  EXPECT_EQ(schedule->Delete(2), HRESULT_FROM_RUNTIME_ERROR(5));
  ASSERT_EQ(schedule->Refresh(), S_OK);
  ASSERT_EQ(schedule->Delete(1), S_OK);
  schedule->get_Count(&count);
  EXPECT_EQ(count, 0);
}

TEST_F(ScheduleTest, UnknownComputerFailsCleanly) {
  auto schedule = NewSchedule();
  Bstr target;
  ASSERT_EQ(schedule->get_TargetComputer(target.put()), S_OK);
  EXPECT_EQ(target.text(), "\\\\" + machine_.machine().description().computerName);
  Bstr other("\\\\ELSEWHERE");
  EXPECT_EQ(schedule->put_TargetComputer(other.get()), HRESULT_BAD_NETPATH);
  Bstr own("\\\\tessaly-pc");
  EXPECT_EQ(schedule->put_TargetComputer(own.get()), S_OK);
  EXPECT_EQ(schedule->put_TargetComputer(nullptr), S_OK);
}

TEST_F(ScheduleTest, CorruptTaskFileIsLeftOutOfTheList) {
  auto schedule = NewSchedule();
  ComPtr<_Job> job;
  Bstr name("Good");
  ASSERT_EQ(schedule->CreateTask(name.get(), job.put()), S_OK);
  ASSERT_EQ(platform::files::WriteFileContent(TasksFolder() + "\\Bad.job", "not a task"), ERROR_SUCCESS);
  ASSERT_EQ(schedule->Refresh(), S_OK);
  LONG count = 0;
  schedule->get_Count(&count);
  EXPECT_EQ(count, 2);  // one pass per name, as the counter counts
  auto jobs = platform::com::ForEach(schedule.get());
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_TRUE(FindJob(*schedule, "Good"));
}

TEST_F(ScheduleTest, MissingTasksFolderFailsRefreshWithAnEmptyList) {
  auto schedule = NewSchedule();
  ComPtr<_Job> job;
  Bstr name("Gone");
  ASSERT_EQ(schedule->CreateTask(name.get(), job.put()), S_OK);
  job.reset();
  std::filesystem::remove_all(machine_.hostPath(TasksFolder()));
  EXPECT_EQ(schedule->Refresh(), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  LONG count = -1;
  schedule->get_Count(&count);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(platform::com::ForEach(schedule.get()).empty());
  ComPtr<_Job> again;
  EXPECT_EQ(schedule->CreateTask(name.get(), again.put()), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
}

TEST_F(ScheduleTest, JobMembersPassThroughToTheTask) {
  auto schedule = NewSchedule();
  ComPtr<_Job> job;
  Bstr name("Members");
  ASSERT_EQ(schedule->CreateTask(name.get(), job.put()), S_OK);
  DATE last = -1;
  EXPECT_EQ(job->get_LastRunTime(&last), S_OK);
  EXPECT_EQ(last, 0.0);
  SHORT retries = 0;
  EXPECT_EQ(job->get_ErrorRetryCount(&retries), E_NOTIMPL);
  EXPECT_EQ(job->put_ErrorRetryCount(1), E_NOTIMPL);
  EXPECT_EQ(job->put_IdleWait(25), S_OK);
  SHORT idle = 0;
  job->get_IdleWait(&idle);
  EXPECT_EQ(idle, 25);
  EXPECT_EQ(job->put_Priority(0x30), E_INVALIDARG);
  EXPECT_EQ(job->put_Flags(0x3000), S_OK);
  LONG flags = 0;
  job->get_Flags(&flags);
  EXPECT_EQ(flags, 0x3000);
  LONG status = 0;
  job->get_Status(&status);
  EXPECT_EQ(status, SCHED_S_TASK_NOT_SCHEDULED);
  EXPECT_EQ(job->Terminate(), MakeHResult(0x8004130Bu));
  EXPECT_EQ(job->Run(), S_OK);
  EXPECT_EQ(job->get_LastRunTime(&last), S_OK);
  EXPECT_GT(last, 38000.0);
  Bstr file;
  job->get_FileName(file.put());
  EXPECT_EQ(file.text(), TasksFolder() + "\\Members.job");

  // Save(path) writes a copy; the task keeps its own file.
  Bstr copy("C:\\copy.job");
  ASSERT_EQ(job->put_Comment(copy.get()), S_OK);
  ASSERT_EQ(job->Save(copy.get()), S_OK);
  std::string own, copied;
  ASSERT_EQ(platform::files::ReadFileContent("C:\\copy.job", copied), ERROR_SUCCESS);
  ASSERT_EQ(platform::files::ReadFileContent(TasksFolder() + "\\Members.job", own), ERROR_SUCCESS);
  EXPECT_NE(copied.find("Comment=C:\\copy.job"), std::string::npos);
  EXPECT_EQ(own.find("Comment=C:\\copy.job"), std::string::npos);
  job->get_FileName(file.put());
  EXPECT_EQ(file.text(), TasksFolder() + "\\Members.job");
  EXPECT_EQ(platform::com::LiveBstrs(), 3);  // `name`, `file` and `copy`: nothing leaked
}

}  // namespace
}  // namespace tessaly::testing
