#pragma once
// A machine where Schedule.dll is installed and registered the way the
// installer does it, and the library reached only through CoCreateInstance.
#include <gtest/gtest.h>

#include <string>

#include "platform/com/com_runtime.h"
#include "platform/com/error_info.h"
#include "schedule/schedule_interfaces.h"
#include "support/temp_machine.h"

namespace tessaly::testing {

inline constexpr const char* kScheduleDll = "C:\\Program Files\\Tessaly\\Schedule.dll";

// An owned BSTR.
class Bstr {
 public:
  explicit Bstr(const char* ansi = "") : text_(platform::com::AllocBstrFromAnsi(ansi)) {}
  ~Bstr() { SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return text_; }
  BSTR* put() {
    SysFreeString(text_);
    text_ = nullptr;
    return &text_;
  }
  std::string ansi() const { return platform::com::AnsiFromWide(platform::com::WideOf(text_)); }

 private:
  BSTR text_;
};

class ScheduleTest : public ::testing::Test {
 protected:
  ScheduleTest() : machine_(TestMachine().registerSchedule(false)) {}

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
