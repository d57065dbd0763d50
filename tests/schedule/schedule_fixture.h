#pragma once
// A machine where Schedule.dll is installed and registered the way the
// installer does it, and the library reached only through CoCreateInstance.
#include <gtest/gtest.h>

#include <string>

#include "platform/com/com_runtime.h"
#include "platform/com/error_info.h"
#include "platform/com/owned_bstr.h"
#include "schedule/schedule_interfaces.h"
#include "support/temp_machine.h"

namespace tessaly::testing {

inline constexpr const char* kScheduleDll = "C:\\Program Files\\Tessaly\\Schedule.dll";

using platform::com::Bstr;

class ScheduleTest : public ::testing::Test {
 protected:
  ScheduleTest() : machine_(TestMachine(platform::OsKind::WinXP, {.registerSchedule = false})) {}

  void SetUp() override { ASSERT_EQ(platform::com::RegisterServer(kScheduleDll), S_OK); }

  platform::com::ComPtr<_Schedule> NewSchedule() {
    platform::com::ComPtr<_Schedule> schedule;
    EXPECT_EQ(CoCreateInstance(schedule_ids::CLSID_Schedule, nullptr, CLSCTX_INPROC_SERVER, schedule_ids::IID__Schedule,
                               schedule.putVoid()),
              S_OK);
    return schedule;
  }

  std::string TasksFolder() { return machine_.machine().folders().windows + "\\Tasks"; }

  TempMachine machine_;
};

}  // namespace tessaly::testing
