#pragma once
// Triggers and Trigger: a job's triggers as local copies of the service's
// 48-byte records, written back by Update.
#include <array>
#include <cstdint>

#include "platform/taskscheduler/mstask.h"
#include "schedule/collection.h"
#include "schedule/library_object.h"

namespace schedule {

class Trigger final : public LibraryObject<_Trigger> {
 public:
  // A type-specific field of the record and the types it is valid for.
  struct Typed;

  // The bind step: keeps both objects and the index, reads the record.
  HRESULT AttachTrigger(ITaskTrigger* trigger, IScheduledWorkItem* workItem, WORD index);
  // Flags := 0 in the copy only (a new trigger).
  void ClearFlags() { SetU32(28, 0); }

  HRESULT Invoke(DISPID member, WORD kind, VARIANT* args, UINT count, VARIANT* result) override;

  HRESULT get_DaysInterval(SHORT* value) override;
  HRESULT put_DaysInterval(SHORT value) override;
  HRESULT get_Day(SHORT* value) override;
  HRESULT put_Day(SHORT value) override;
  HRESULT get_Months(LONG* value) override;
  HRESULT put_Months(LONG value) override;
  HRESULT get_DaysOfTheWeek(LONG* value) override;
  HRESULT put_DaysOfTheWeek(LONG value) override;
  HRESULT get_Week(LONG* value) override;
  HRESULT put_Week(LONG value) override;
  HRESULT get_WeeksInterval(SHORT* value) override;
  HRESULT put_WeeksInterval(SHORT value) override;
  HRESULT Refresh() override;
  HRESULT Update() override;
  HRESULT get_Text(BSTR* value) override;
  HRESULT get_TriggerType(LONG* value) override;
  HRESULT put_TriggerType(LONG value) override;
  HRESULT get_Duration(LONG* value) override;
  HRESULT put_Duration(LONG value) override;
  HRESULT get_Interval(LONG* value) override;
  HRESULT put_Interval(LONG value) override;
  HRESULT get_Flags(LONG* value) override;
  HRESULT put_Flags(LONG value) override;
  HRESULT get_BeginDay(DATE* value) override;
  HRESULT put_BeginDay(DATE value) override;
  HRESULT get_EndDay(DATE* value) override;
  HRESULT put_EndDay(DATE value) override;
  HRESULT get_RandomInterval(SHORT* value) override;
  HRESULT put_RandomInterval(SHORT value) override;
  HRESULT get_StartTime(DATE* value) override;
  HRESULT put_StartTime(DATE value) override;

 protected:
  const IID& OwnIid() const override { return schedule_ids::IID__Trigger; }

 private:
  HRESULT GetTyped(const Typed& field, LONG* value) const;
  HRESULT PutTyped(const Typed& field, LONG value);
  HRESULT GetDate(std::size_t offset, DATE* value) const;
  HRESULT PutDate(std::size_t offset, DATE value);
  HRESULT GetU32(std::size_t offset, LONG* value) const;
  HRESULT PutU32(std::size_t offset, LONG value);

  WORD U16(std::size_t offset) const;
  void SetU16(std::size_t offset, WORD value);
  DWORD U32(std::size_t offset) const;
  void SetU32(std::size_t offset, DWORD value);

  platform::com::ComPtr<ITaskTrigger> trigger_;
  platform::com::ComPtr<IScheduledWorkItem> workItem_;
  WORD index_ = 0;
  alignas(TASK_TRIGGER) std::array<std::uint8_t, sizeof(TASK_TRIGGER)> record_{};
};

class Triggers final : public LibraryObject<_Triggers> {
 public:
  // Keeps the work item and loads its triggers.
  HRESULT AttachWorkItem(IScheduledWorkItem* workItem);
  // Writes back every member, in list order.
  HRESULT UpdateEach();

  HRESULT Invoke(DISPID member, WORD kind, VARIANT* args, UINT count, VARIANT* result) override;

  HRESULT Add(_Trigger** trigger) override;
  HRESULT get_NewEnum(IUnknown** enumerator) override;
  HRESULT Remove(SHORT index) override;
  HRESULT get_Count(LONG* count) override;
  HRESULT get_Item(VARIANT index, _Trigger** trigger) override;
  HRESULT Update() override;

 protected:
  const IID& OwnIid() const override { return schedule_ids::IID__Triggers; }

 private:
  Collection<Trigger> list_;
  platform::com::ComPtr<IScheduledWorkItem> workItem_;
};

}  // namespace schedule
