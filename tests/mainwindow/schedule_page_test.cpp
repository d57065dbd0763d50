#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "main_window_fixture.h"
#include "mainwindow/page_texts.h"
#include "platform/com/com_memory.h"
#include "platform/com/com_runtime.h"
#include "platform/forms/forms.h"
#include "task_service_fixture.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;

std::string ReadHost(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> TriggerLines(const std::string& task) {
  std::vector<std::string> lines;
  for (std::size_t at = task.find("\nTrigger"); at != std::string::npos; at = task.find("\nTrigger", at + 1))
    lines.push_back(task.substr(at + 1, task.find('\r', at) - at - 1));
  return lines;
}

class SchedulePageTest : public MainWindowTest {
 protected:
  std::filesystem::path TaskFile(const char* name = "TSY") {
    return machine_.hostPath(machine_.machine().folders().windows + "\\Tasks\\" + name + ".job");
  }
  std::string Task() { return ReadHost(TaskFile()); }
  // Typed on the scheduling page, which must be shown for its boxes to take
  // the focus back.
  void AddTrigger(const char* date, const char* time) {
    Form1().ShowThatFrame(Form1().Frame_Schedule);
    Form1().txtDate.Text(date);
    Form1().txtTime.Text(time);
    Form1().cmdAddScheduled_Click();
  }
  // The program ends and starts again on the same machine.
  void Restart() {
    ResetFormsRuntime();
    machine_.Reopen();
  }
  std::vector<AskRecord> Messages() {
    std::vector<AskRecord> shown;
    for (const auto& record : Answers().records())
      if (record.request.kind == AskKind::MessageBox) shown.push_back(record);
    return shown;
  }
};

TEST_F(SchedulePageTest, TheFirstStartCreatesTheTaskWithItsSwitchAndNoTriggers) {
  Form1Form& form = Form1();
  std::string task = Task();
  EXPECT_NE(task.find("ApplicationName=C:\\Program Files\\Tessaly\\tsy\r\n"), std::string::npos);
  EXPECT_NE(task.find("Parameters= /SCHEDULER\r\n"), std::string::npos);
  EXPECT_NE(task.find("Creator=Tessaly\r\n"), std::string::npos);
  EXPECT_TRUE(TriggerLines(task).empty());
  EXPECT_EQ(form.lstSchedule.ListCount(), 0);
  // The boxes show now (the fixture clock) in the short formats.
  EXPECT_EQ(form.txtDate.Text(), ShortDateText(Now()));
  EXPECT_EQ(form.txtTime.Text(), ShortTimeText(Now()));
  EXPECT_EQ(form.ComboInterval.Text(), "Every Hour");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(TaskFile().parent_path()), {}), 1);
}

TEST_F(SchedulePageTest, AnAddedTriggerOutlivesARestartAndRemoveTakesTheRowShown) {
  Form1();
  AddTrigger("12/31/2030", "2:35 PM");
  AddTrigger("2030-01-02", "9:00");
  EXPECT_EQ(Form1().lstSchedule.Items(),
            (std::vector<std::string>{"At 2:35 PM on 12/31/2030", "At 9:00 AM on 1/2/2030"}));
  Restart();
  Form1Form& form = Form1();
  ASSERT_EQ(form.lstSchedule.Items(),
            (std::vector<std::string>{"At 2:35 PM on 12/31/2030", "At 9:00 AM on 1/2/2030"}));
  EXPECT_EQ(TriggerLines(Task()).size(), 2u);

  form.cmdRemoveScheduled_Click();  // nothing selected: nothing goes
  EXPECT_EQ(form.lstSchedule.ListCount(), 2);
  form.lstSchedule.ListIndex(0);
  form.cmdRemoveScheduled_Click();
  EXPECT_EQ(form.lstSchedule.Items(), (std::vector<std::string>{"At 9:00 AM on 1/2/2030"}));
  EXPECT_EQ(TriggerLines(Task()).size(), 1u);
  form.lstSchedule.ListIndex(0);
  form.cmdRemoveScheduled_Click();
  EXPECT_EQ(form.lstSchedule.ListCount(), 0);
  EXPECT_TRUE(std::filesystem::exists(TaskFile()));  // the task itself stays
  EXPECT_NE(Task().find("Parameters= /SCHEDULER\r\n"), std::string::npos);
}

TEST_F(SchedulePageTest, TheTaskIsFoundAmongOthersWhereverItSorts) {
  Form1();
  for (const char* other : {"AAA", "ZZZ"}) SaveOtherTask(other);
  Restart();
  Form1();
  AddTrigger("6/20/2006", "10:15 PM");
  EXPECT_EQ(Form1().lstSchedule.Items(), (std::vector<std::string>{"At 10:15 PM on 6/20/2006"}));
  EXPECT_EQ(TriggerLines(Task()).size(), 1u);
  EXPECT_TRUE(TriggerLines(ReadHost(TaskFile("AAA"))).empty());
  EXPECT_TRUE(TriggerLines(ReadHost(TaskFile("ZZZ"))).empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(TaskFile().parent_path()), {}), 3);
}

// A task file the service cannot open is counted by the library but left
// out of its job list; the page still finds no "TSY", creates it beside
// the unreadable file, and its buttons work.
TEST_F(SchedulePageTest, AnUnreadableTaskBesideAMissingTaskStillGetsTheTaskCreated) {
  const auto tasks = TaskFile().parent_path();
  std::filesystem::create_directories(tasks);
  std::ofstream(TaskFile("AAA"), std::ios::binary) << "not a task file\r\n";
  Form1Form& form = Form1();
  EXPECT_TRUE(Messages().empty());
  ASSERT_TRUE(std::filesystem::exists(TaskFile()));
  EXPECT_NE(Task().find("Parameters= /SCHEDULER\r\n"), std::string::npos);
  AddTrigger("12/31/2030", "2:35 PM");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(form.lstSchedule.Items(), (std::vector<std::string>{"At 2:35 PM on 12/31/2030"}));
  EXPECT_EQ(TriggerLines(Task()).size(), 1u);
  form.lstSchedule.ListIndex(0);
  form.cmdRemoveScheduled_Click();
  EXPECT_EQ(form.lstSchedule.ListCount(), 0);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(ReadHost(TaskFile("AAA")), "not a task file\r\n");
}

// The date box takes whatever the runtime reads as a day, the time box
// whatever it reads as a time of day.
TEST_F(SchedulePageTest, TheBoxesTakeEveryFormTheRuntimeConvertsToADate) {
  Form1Form& form = Form1();
  const std::pair<const char*, const char*> boxes[] = {
      {"Dec 12, 2030", "2:35 PM"},          {"12 December 2030", "14:35"},
      {"Thursday, December 12, 2030", "2:35:59 pm"}, {"12-dec-2030", "12/31/2005 2:35 PM"},
      {"2030-12-12 8:00 AM", "2:35PM"},
  };
  for (const auto& [date, time] : boxes) AddTrigger(date, time);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(form.lstSchedule.Items(), std::vector<std::string>(5, "At 2:35 PM on 12/12/2030"));
  EXPECT_EQ(TriggerLines(Task()).size(), 5u);
}

struct BadBoxCase {
  const char* date;
  const char* time;
  const char* message;
};

class ScheduleBoxTest : public SchedulePageTest, public ::testing::WithParamInterface<BadBoxCase> {};

TEST_P(ScheduleBoxTest, ABoxThatHoldsNoDateOrTimeIsRefusedAndResetToNow) {
  Form1Form& form = Form1();
  machine_.clock().Advance(3600'000);  // the boxes must show the time of the refusal
  Answers().ClearRecords();
  AddTrigger(GetParam().date, GetParam().time);
  auto shown = Messages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].request.prompt, GetParam().message);
  EXPECT_EQ(shown[0].request.title, "TSY Scheduler");
  EXPECT_EQ(form.txtDate.Text(), ShortDateText(Now()));
  EXPECT_EQ(form.txtTime.Text(), ShortTimeText(Now()));
  EXPECT_TRUE(TriggerLines(Task()).empty());
  EXPECT_EQ(form.lstSchedule.ListCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Boxes, ScheduleBoxTest,
                         ::testing::Values(BadBoxCase{"2/31/2005", "10:00 AM", "Wrong date format"},
                                           BadBoxCase{"10:00", "10:00 AM", "Wrong date format"},
                                           BadBoxCase{"Dec 32, 2005", "10:00 AM", "Wrong date format"},
                                           BadBoxCase{"6/15/2006", "25:10", "Wrong time format"}));

TEST_F(SchedulePageTest, TheWizardIsCalledAndTheListIsReadAgainAfterIt) {
  Form1Form& form = Form1();
  AddTrigger("12/31/2030", "2:35 PM");
  ScriptSheetDeletingFirstTrigger();
  form.cmdWizard_Click();
  EXPECT_EQ(LastTaskRequest(), "Task.EditWorkItem TSY.job");
  EXPECT_EQ(form.lstSchedule.ListCount(), 0);
  EXPECT_TRUE(TriggerLines(Task()).empty());
}

TEST_F(SchedulePageTest, AnUnregisteredLibraryShowsNoInventedRowsAndEveryButtonReportsIt) {
  ASSERT_EQ(platform::com::UnregisterServer("C:\\Program Files\\Tessaly\\Schedule.dll"), S_OK);
  Form1Form& form = Form1();
  EXPECT_EQ(form.lstSchedule.ListCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(TaskFile()));
  form.lstSchedule.AddItem("row kept");  // whatever the list shows stays
  form.lstSchedule.ListIndex(0);
  Answers().ClearRecords();
  AddTrigger("12/31/2030", "2:35 PM");
  form.cmdRemoveScheduled_Click();
  form.cmdWizard_Click();
  auto shown = Messages();
  ASSERT_EQ(shown.size(), 3u);
  for (const auto& record : shown) EXPECT_EQ(record.request.title, "TSY Scheduler");
  EXPECT_EQ(form.lstSchedule.Items(), (std::vector<std::string>{"row kept"}));
}

}  // namespace
}  // namespace tessaly::testing
