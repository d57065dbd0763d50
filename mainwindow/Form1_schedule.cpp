// The scheduling page: the program's one task "TSY" of the Task Scheduler,
// reached through the Schedule library by class and interface identity;
// its run-once triggers listed, added and removed, and the system's
// property sheet. A failure of the library or the service stops the
// operation with a message and leaves the list as it was.
#include "mainwindow/Form1.h"
#include "mainwindow/page_texts.h"
#include "platform/com/automation.h"
#include "platform/com/com_memory.h"
#include "platform/com/owned_bstr.h"
#include "schedule/schedule_interfaces.h"
#include "support/skins.h"

using namespace platform::forms;
using platform::com::ComPtr;

struct Form1Form::SchedulerObjects {
  ComPtr<_Schedule> schedule;
  ComPtr<_Job> job;
  SHORT position = 0;  // 1-based, in the Schedule list
};

namespace {

constexpr const char* kTaskName = "TSY";
constexpr const char* kParameters = " /SCHEDULER";
constexpr const char* kCreator = "Tessaly";
constexpr const char* kTitle = "TSY Scheduler";

void Check(HRESULT hr) {
  if (FAILED(hr)) platform::com::RaiseForHResult(hr);
}

using platform::com::Bstr;

void SetText(_Job& job, HRESULT (_Job::*setter)(BSTR), const std::string& value) {
  Bstr text(value);
  Check((job.*setter)(text.get()));
}

void Save(_Job& job) {
  Bstr own;
  Check(job.Save(own.get()));
}

// The program without its extension; CreateProcess adds ".exe".
std::string TaskApplicationName() {
  std::string folder = App.Path();
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + App.EXEName();
}

ComPtr<_Schedule> NewSchedule() {
  ComPtr<IDispatch> object = platform::com::NewObject(schedule_ids::CLSID_Schedule);
  ComPtr<_Schedule> schedule;
  Check(object.As(schedule_ids::IID__Schedule, schedule));
  return schedule;
}

ComPtr<_Triggers> TriggersOf(_Job& job) {
  ComPtr<_Triggers> triggers;
  Check(job.get_Triggers(triggers.put()));
  return triggers;
}

}  // namespace

void Form1Form::WireSchedulePage() {
  Frame_Schedule.Caption("Scheduled Tasks");
  cmdAddScheduled.Caption("&Add");
  cmdRemoveScheduled.Caption("&Remove");
  cmdWizard.Caption("&Wizard");
  for (const char* interval : {"Every Hour", "Every Half-Hour", "Every 15 Minutes"}) ComboInterval.AddItem(interval);
  ComboInterval.Text("Every Hour");
  chkRunAuto.Caption("Automatic Run");
  txtDate.Text("12/12/2001");
  txtTime.Text("12:30 AM");
  TSY_ON(cmdAddScheduled, Click, cmdAddScheduled_Click);
  TSY_ON(cmdRemoveScheduled, Click, cmdRemoveScheduled_Click);
  TSY_ON(cmdWizard, Click, cmdWizard_Click);
}

void Form1Form::GetSchedulerJob() {
  if (!scheduler_) scheduler_ = std::make_shared<SchedulerObjects>();
  SchedulerObjects& objects = *scheduler_;
  if (!objects.schedule) objects.schedule = NewSchedule();
  Check(objects.schedule->Refresh());
  const std::string application = TaskApplicationName();
  // The job list itself, not 1..Count: the counter also counts task files
  // the service could not open, which the list leaves out.
  std::vector<platform::com::ComVariant> jobs = platform::com::ForEach(objects.schedule.get());
  for (std::size_t index = 0; index < jobs.size(); ++index) {
    const auto position = static_cast<LONG>(index + 1);
    ComPtr<_Job> job;
    Check(jobs[index].AsObject().As(schedule_ids::IID__Job, job));
    Bstr name;
    Check(job->get_Name(name.put()));
    if (name.text() != kTaskName) continue;
    SetText(*job, &_Job::put_ApplicationName, application);
    SetText(*job, &_Job::put_CommandLine, kParameters);
    objects.job = job;
    objects.position = static_cast<SHORT>(position);
    return;
  }
  ComPtr<_Job> job;
  Bstr name(kTaskName);
  Check(objects.schedule->CreateTask(name.get(), job.put()));
  SetText(*job, &_Job::put_ApplicationName, application);
  // The switch goes in before the first save, so a task scheduled only
  // through the property sheet still starts a scheduled run.
  SetText(*job, &_Job::put_CommandLine, kParameters);
  SetText(*job, &_Job::put_Creator, kCreator);
  Save(*job);
  objects.job = job;
  objects.position = static_cast<SHORT>(jobs.size() + 1);  // CreateTask appends it
}

void Form1Form::InitScheduleFrame() {
  // A failure here leaves an empty list, never the designed sample rows.
  lstSchedule.Clear();
  GetSchedulerJob();
  ResetScheduleBoxes();
  ListScheduledTriggers();
}

void Form1Form::ResetScheduleBoxes() {
  Date now = Now();
  txtTime.Text(ShortTimeText(now));
  txtDate.Text(ShortDateText(now));
}

void Form1Form::ListScheduledTriggers() {
  lstSchedule.Clear();
  GetSchedulerJob();
  SchedulerObjects& objects = *scheduler_;
  Check(objects.schedule->get_Job(objects.position, objects.job.put()));
  ComPtr<_Triggers> triggers = TriggersOf(*objects.job);
  LONG count = 0;
  Check(triggers->get_Count(&count));
  for (LONG index = 1; index <= count; ++index) {
    ComPtr<_Trigger> trigger;
    platform::com::ComVariant position = platform::com::ComVariant::Long(index);
    Check(triggers->get_Item(position.value(), trigger.put()));
    Bstr text;
    Check(trigger->get_Text(text.put()));
    lstSchedule.AddItem(text.text());
  }
}

bool Form1Form::ScheduleStepFailed(const std::function<void()>& step) {
  try {
    step();
    return false;
  } catch (const platform::RuntimeError& error) {
    ShowMessage(error.description(), 0, kTitle, false);
    return true;
  }
}

void Form1Form::cmdAddScheduled_Click() {
  auto date = DateOfBox(txtDate.Text());
  if (!date) {
    ShowMessage("Wrong date format", 0, kTitle, false);
    txtDate.SetFocus();
    ResetScheduleBoxes();
    return;
  }
  auto time = TimeOfBox(txtTime.Text());
  if (!time) {
    ShowMessage("Wrong time format", 0, kTitle, false);
    txtTime.SetFocus();
    ResetScheduleBoxes();
    return;
  }
  bool failed = ScheduleStepFailed([&] {
    GetSchedulerJob();
    SchedulerObjects& objects = *scheduler_;
    Check(objects.schedule->get_Job(objects.position, objects.job.put()));
    _Job& job = *objects.job;
    SetText(job, &_Job::put_Creator, kCreator);
    ComPtr<_Trigger> trigger;
    Check(TriggersOf(job)->Add(trigger.put()));
    Check(trigger->put_TriggerType(ttOnce));
    Check(trigger->put_BeginDay(*date));
    Check(trigger->put_StartTime(*time));
    Save(job);
  });
  if (!failed) ScheduleStepFailed([&] { ListScheduledTriggers(); });
}

void Form1Form::cmdRemoveScheduled_Click() {
  bool failed = ScheduleStepFailed([&] {
    GetSchedulerJob();
    SchedulerObjects& objects = *scheduler_;
    Check(objects.schedule->get_Job(objects.position, objects.job.put()));
    int row = lstSchedule.ListIndex();
    if (row > -1) {
      ComPtr<_Triggers> triggers = TriggersOf(*objects.job);
      Check(triggers->Remove(static_cast<SHORT>(row + 1)));
      Check(triggers->Update());
      Save(*objects.job);
    }
  });
  if (!failed) ScheduleStepFailed([&] { ListScheduledTriggers(); });
}

void Form1Form::cmdWizard_Click() {
  bool failed = ScheduleStepFailed([&] {
    GetSchedulerJob();
    Check(scheduler_->job->ShowProperties());
  });
  // The sheet may have added or removed triggers: rows must match them.
  if (!failed) ScheduleStepFailed([&] { ListScheduledTriggers(); });
}

void Form1Form::ReleaseScheduleObjects() { scheduler_.reset(); }
