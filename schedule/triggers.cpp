#include "schedule/triggers.h"

#include <cstring>

#include "platform/runtime/dates.h"
#include "schedule/dispatch.h"
#include "schedule/mdlSchedule.h"

namespace schedule {

using platform::com::ComPtr;

// Record layout offsets.
namespace {
constexpr std::size_t kSize = 0, kBegin = 4, kEnd = 10, kStartHour = 16, kStartMinute = 18, kDuration = 20,
                      kInterval = 24, kFlags = 28, kType = 32, kUnion0 = 36, kUnion2 = 38, kUnion4 = 40,
                      kRandom = 46;
}

// A type-specific property: its field and the trigger types it is valid for.
struct Trigger::Typed {
  std::size_t offset;
  std::array<LONG, 2> types;  // -1 = unused
  bool narrowsLong;  // a Long let narrowed to 16 bits (overflow error 6)
};

namespace {
constexpr struct {
  Trigger::Typed daysInterval{kUnion0, {ttDaily, -1}, false};
  Trigger::Typed day{kUnion0, {ttMonthlyDate, -1}, false};
  Trigger::Typed months{kUnion4, {ttMonthlyDate, ttMonthlyWeekDay}, true};
  Trigger::Typed daysOfTheWeek{kUnion2, {ttWeekly, ttMonthlyWeekDay}, true};
  Trigger::Typed week{kUnion0, {ttMonthlyWeekDay, -1}, true};
  Trigger::Typed weeksInterval{kUnion0, {ttWeekly, -1}, false};
} kTyped;
}  // namespace

WORD Trigger::U16(std::size_t offset) const {
  WORD value;
  std::memcpy(&value, record_.data() + offset, sizeof value);
  return value;
}
void Trigger::SetU16(std::size_t offset, WORD value) { std::memcpy(record_.data() + offset, &value, sizeof value); }
DWORD Trigger::U32(std::size_t offset) const {
  DWORD value;
  std::memcpy(&value, record_.data() + offset, sizeof value);
  return value;
}
void Trigger::SetU32(std::size_t offset, DWORD value) { std::memcpy(record_.data() + offset, &value, sizeof value); }

HRESULT Trigger::AttachTrigger(ITaskTrigger* trigger, IScheduledWorkItem* workItem, WORD index) {
  trigger_ = ComPtr<ITaskTrigger>::Share(trigger);
  workItem_ = ComPtr<IScheduledWorkItem>::Share(workItem);
  index_ = index;
  SetU16(kSize, sizeof(TASK_TRIGGER));
  return Refresh();
}

HRESULT Trigger::Refresh() {
  if (!trigger_) return RaiseRuntime(91);
  HRESULT hr = trigger_->GetTrigger(reinterpret_cast<TASK_TRIGGER*>(record_.data()));
  return FAILED(hr) ? Raise(hr) : S_OK;
}

HRESULT Trigger::Update() {
  if (!trigger_) return RaiseRuntime(91);
  HRESULT hr = trigger_->SetTrigger(reinterpret_cast<const TASK_TRIGGER*>(record_.data()));
  if (FAILED(hr)) return Raise(hr);
  return Refresh();
}

HRESULT Trigger::get_Text(BSTR* value) {
  if (!value) return E_POINTER;
  if (!workItem_) return RaiseRuntime(91);
  LPWSTR text = nullptr;
  HRESULT hr = workItem_->GetTriggerString(index_, &text);
  if (FAILED(hr)) return Raise(hr);
  *value = TakeWideString(text);
  return S_OK;
}

// Typed properties check the type held in the copy.

HRESULT Trigger::GetTyped(const Typed& field, LONG* value) const {
  if (!value) return E_POINTER;
  LONG type = static_cast<LONG>(U32(kType));
  for (LONG valid : field.types)
    if (valid == type) {
      *value = static_cast<SHORT>(U16(field.offset));
      return S_OK;
    }
  return RaiseInvalidTriggerType();
}

HRESULT Trigger::PutTyped(const Typed& field, LONG value) {
  LONG type = static_cast<LONG>(U32(kType));
  for (LONG valid : field.types)
    if (valid == type) {
      if (field.narrowsLong && (value < -32768 || value > 32767)) return RaiseRuntime(6);
      SetU16(field.offset, static_cast<WORD>(value));
      return S_OK;
    }
  return RaiseInvalidTriggerType();
}

namespace {
// The Integer-typed properties through the Long-typed helpers.
template <typename F>
HRESULT AsShort(SHORT* value, F get) {
  if (!value) return E_POINTER;
  LONG wide = 0;
  HRESULT hr = get(&wide);
  if (SUCCEEDED(hr)) *value = static_cast<SHORT>(wide);
  return hr;
}
}  // namespace

HRESULT Trigger::get_DaysInterval(SHORT* v) { return AsShort(v, [&](LONG* w) { return GetTyped(kTyped.daysInterval, w); }); }
HRESULT Trigger::put_DaysInterval(SHORT v) { return PutTyped(kTyped.daysInterval, v); }
HRESULT Trigger::get_Day(SHORT* v) { return AsShort(v, [&](LONG* w) { return GetTyped(kTyped.day, w); }); }
// Only the low 16 bits of the day mask: days 1 to 16; the upper bits stay.
HRESULT Trigger::put_Day(SHORT v) { return PutTyped(kTyped.day, v); }
HRESULT Trigger::get_Months(LONG* v) { return GetTyped(kTyped.months, v); }
HRESULT Trigger::put_Months(LONG v) { return PutTyped(kTyped.months, v); }
HRESULT Trigger::get_DaysOfTheWeek(LONG* v) { return GetTyped(kTyped.daysOfTheWeek, v); }
HRESULT Trigger::put_DaysOfTheWeek(LONG v) { return PutTyped(kTyped.daysOfTheWeek, v); }
HRESULT Trigger::get_Week(LONG* v) { return GetTyped(kTyped.week, v); }
HRESULT Trigger::put_Week(LONG v) { return PutTyped(kTyped.week, v); }
HRESULT Trigger::get_WeeksInterval(SHORT* v) { return AsShort(v, [&](LONG* w) { return GetTyped(kTyped.weeksInterval, w); }); }
HRESULT Trigger::put_WeeksInterval(SHORT v) { return PutTyped(kTyped.weeksInterval, v); }

// Raw fields, no checks.

HRESULT Trigger::GetU32(std::size_t offset, LONG* value) const {
  if (!value) return E_POINTER;
  *value = static_cast<LONG>(U32(offset));
  return S_OK;
}
HRESULT Trigger::PutU32(std::size_t offset, LONG value) {
  SetU32(offset, static_cast<DWORD>(value));
  return S_OK;
}

HRESULT Trigger::get_TriggerType(LONG* v) { return GetU32(kType, v); }
HRESULT Trigger::put_TriggerType(LONG v) { return PutU32(kType, v); }
HRESULT Trigger::get_Duration(LONG* v) { return GetU32(kDuration, v); }
HRESULT Trigger::put_Duration(LONG v) { return PutU32(kDuration, v); }
HRESULT Trigger::get_Interval(LONG* v) { return GetU32(kInterval, v); }
HRESULT Trigger::put_Interval(LONG v) { return PutU32(kInterval, v); }
HRESULT Trigger::get_Flags(LONG* v) { return GetU32(kFlags, v); }
HRESULT Trigger::put_Flags(LONG v) { return PutU32(kFlags, v); }

HRESULT Trigger::get_RandomInterval(SHORT* v) {
  if (!v) return E_POINTER;
  *v = static_cast<SHORT>(U16(kRandom));
  return S_OK;
}
HRESULT Trigger::put_RandomInterval(SHORT v) {
  SetU16(kRandom, static_cast<WORD>(v));
  return S_OK;
}

// Dates: year, month and day as Integers under the runtime's DateSerial,
// imported from the loading program.

HRESULT Trigger::GetDate(std::size_t offset, DATE* value) const {
  if (!value) return E_POINTER;
  auto date = platform::forms::TryDateSerial(static_cast<SHORT>(U16(offset)), static_cast<SHORT>(U16(offset + 2)),
                         static_cast<SHORT>(U16(offset + 4)));
  if (!date) return RaiseRuntime(5);
  *value = *date;
  return S_OK;
}

HRESULT Trigger::PutDate(std::size_t offset, DATE value) {
  auto parts = PartsOf(value);
  if (!parts) return RaiseRuntime(5);
  SetU16(offset, static_cast<WORD>(parts->year));
  SetU16(offset + 2, static_cast<WORD>(parts->month));
  SetU16(offset + 4, static_cast<WORD>(parts->day));
  return S_OK;
}

HRESULT Trigger::get_BeginDay(DATE* v) { return GetDate(kBegin, v); }
HRESULT Trigger::put_BeginDay(DATE v) { return PutDate(kBegin, v); }
HRESULT Trigger::get_EndDay(DATE* v) { return GetDate(kEnd, v); }
HRESULT Trigger::put_EndDay(DATE v) { return PutDate(kEnd, v); }

HRESULT Trigger::get_StartTime(DATE* v) {
  if (!v) return E_POINTER;
  *v = TimeSerial(static_cast<SHORT>(U16(kStartHour)), static_cast<SHORT>(U16(kStartMinute)));
  return S_OK;
}

HRESULT Trigger::put_StartTime(DATE v) {
  auto parts = PartsOf(v);
  if (!parts) return RaiseRuntime(5);
  SetU16(kStartHour, static_cast<WORD>(parts->hour));
  SetU16(kStartMinute, static_cast<WORD>(parts->minute));
  return S_OK;
}

HRESULT Trigger::Invoke(DISPID member, WORD kind, VARIANT* args, UINT count, VARIANT* result) {
  using namespace dispatch;
  switch (static_cast<TriggerMember>(member)) {
    case TriggerMember::DaysInterval:
      return Property(this, kind, args, count, result, &Trigger::get_DaysInterval, &Trigger::put_DaysInterval);
    case TriggerMember::Day: return Property(this, kind, args, count, result, &Trigger::get_Day, &Trigger::put_Day);
    case TriggerMember::Months:
      return Property(this, kind, args, count, result, &Trigger::get_Months, &Trigger::put_Months);
    case TriggerMember::DaysOfTheWeek:
      return Property(this, kind, args, count, result, &Trigger::get_DaysOfTheWeek, &Trigger::put_DaysOfTheWeek);
    case TriggerMember::Week: return Property(this, kind, args, count, result, &Trigger::get_Week, &Trigger::put_Week);
    case TriggerMember::WeeksInterval:
      return Property(this, kind, args, count, result, &Trigger::get_WeeksInterval, &Trigger::put_WeeksInterval);
    case TriggerMember::Refresh: return Method(this, kind, count, &Trigger::Refresh);
    case TriggerMember::Update: return Method(this, kind, count, &Trigger::Update);
    case TriggerMember::Text: return Getter(this, kind, args, count, result, &Trigger::get_Text);
    case TriggerMember::TriggerType:
      return Property(this, kind, args, count, result, &Trigger::get_TriggerType, &Trigger::put_TriggerType);
    case TriggerMember::Duration:
      return Property(this, kind, args, count, result, &Trigger::get_Duration, &Trigger::put_Duration);
    case TriggerMember::Interval:
      return Property(this, kind, args, count, result, &Trigger::get_Interval, &Trigger::put_Interval);
    case TriggerMember::Flags:
      return Property(this, kind, args, count, result, &Trigger::get_Flags, &Trigger::put_Flags);
    case TriggerMember::BeginDay:
      return Property(this, kind, args, count, result, &Trigger::get_BeginDay, &Trigger::put_BeginDay);
    case TriggerMember::EndDay:
      return Property(this, kind, args, count, result, &Trigger::get_EndDay, &Trigger::put_EndDay);
    case TriggerMember::RandomInterval:
      return Property(this, kind, args, count, result, &Trigger::get_RandomInterval, &Trigger::put_RandomInterval);
    case TriggerMember::StartTime:
      return Property(this, kind, args, count, result, &Trigger::get_StartTime, &Trigger::put_StartTime);
    default: return DISP_E_MEMBERNOTFOUND;
  }
}

// Triggers

HRESULT Triggers::AttachWorkItem(IScheduledWorkItem* workItem) {
  workItem_ = ComPtr<IScheduledWorkItem>::Share(workItem);
  return Update();
}

HRESULT Triggers::Update() {
  if (!workItem_) return RaiseRuntime(91);
  list_.Clear();
  WORD count = 0;
  if (HRESULT hr = workItem_->GetTriggerCount(&count); FAILED(hr)) return Raise(hr);
  for (WORD i = 0; i < count; ++i) {
    ComPtr<ITaskTrigger> trigger;
    if (HRESULT hr = workItem_->GetTrigger(i, trigger.put()); FAILED(hr)) return Raise(hr);
    auto bound = ComPtr<Trigger>::Attach(new Trigger());
    if (HRESULT hr = bound->AttachTrigger(trigger.get(), workItem_.get(), i); FAILED(hr)) return hr;
    list_.Add(bound);
  }
  return S_OK;
}

HRESULT Triggers::UpdateEach() {
  for (auto& trigger : list_.Items())
    if (HRESULT hr = trigger->Update(); FAILED(hr)) return hr;
  return S_OK;
}

HRESULT Triggers::Add(_Trigger** result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  if (!workItem_) return RaiseRuntime(91);
  WORD index = 0;
  ComPtr<ITaskTrigger> trigger;
  if (HRESULT hr = workItem_->CreateTrigger(&index, trigger.put()); FAILED(hr)) return Raise(hr);
  auto bound = ComPtr<Trigger>::Attach(new Trigger());
  if (HRESULT hr = bound->AttachTrigger(trigger.get(), workItem_.get(), index); FAILED(hr)) return hr;
  bound->ClearFlags();
  list_.Add(bound);
  return Share<_Trigger>(bound.get(), result);
}

HRESULT Triggers::get_NewEnum(IUnknown** enumerator) { return NewEnumOf(list_, enumerator); }

// The service's trigger goes first; the member leaves the list only when
// the service has let it go, so list and task stay in step.
HRESULT Triggers::Remove(SHORT index) {
  if (!list_.At(index)) return RaiseRuntime(5);
  if (!workItem_) return RaiseRuntime(91);
  if (HRESULT hr = workItem_->DeleteTrigger(static_cast<WORD>(index - 1)); FAILED(hr)) return Raise(hr);
  list_.RemoveAt(index);
  return S_OK;
}

HRESULT Triggers::get_Count(LONG* count) {
  if (!count) return E_POINTER;
  *count = list_.size();
  return S_OK;
}

HRESULT Triggers::get_Item(VARIANT index, _Trigger** trigger) {
  if (!trigger) return E_POINTER;
  *trigger = nullptr;
  LONG position = 0;
  if (FAILED(dispatch::Convert(index, position))) return RaiseRuntime(13);
  Trigger* found = list_.At(position);
  if (!found) return RaiseRuntime(5);
  return Share<_Trigger>(found, trigger);
}

HRESULT Triggers::Invoke(DISPID member, WORD kind, VARIANT* args, UINT count, VARIANT* result) {
  using namespace dispatch;
  switch (static_cast<TriggersMember>(member)) {
    case TriggersMember::Add:
      if (!(kind & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
      return ObjectGetter(this, count, result, &Triggers::Add);
    case TriggersMember::NewEnum: return NewEnum(this, count, result);
    case TriggersMember::Remove: {
      if (count != 1) return DISP_E_BADPARAMCOUNT;
      SHORT index = 0;
      if (HRESULT hr = Convert(args[0], index); FAILED(hr)) return hr;
      return Remove(index);
    }
    case TriggersMember::Count: return Getter(this, kind, args, count, result, &Triggers::get_Count);
    case TriggersMember::Item: {
      if (count != 1) return DISP_E_BADPARAMCOUNT;
      _Trigger* trigger = nullptr;
      HRESULT hr = get_Item(args[0], &trigger);
      return StoreObject(hr, static_cast<IDispatch*>(trigger), result);
    }
    case TriggersMember::Update: return Method(this, kind, count, &Triggers::Update);
    default: return DISP_E_MEMBERNOTFOUND;
  }
}

}  // namespace schedule
