#include "schedule/library_object.h"

#include "schedule/collection.h"

namespace schedule {

std::atomic<long>& LiveObjects() {
  static std::atomic<long> live{0};
  return live;
}

namespace {
constexpr const OLECHAR* kSource = u"TaskScheduler";
}

HRESULT Raise(HRESULT hr, const OLECHAR* description) {
  SetErrorInfoText(hr, kSource, description);
  return hr;
}

HRESULT RaiseRuntime(int number) { return Raise(HRESULT_FROM_RUNTIME_ERROR(number)); }

HRESULT RaiseInvalidTriggerType() { return Raise(SCHEDULE_E_INVALIDTRIGGERTYPE, u"Invalid trigger type"); }

HRESULT ObjectEnumerator::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_IEnumVARIANT) return Give(static_cast<IEnumVARIANT*>(this), object);
  return E_NOINTERFACE;
}

HRESULT ObjectEnumerator::Next(ULONG count, VARIANT* items, ULONG* fetched) {
  if (!items || (count > 1 && !fetched)) return E_INVALIDARG;
  ULONG n = 0;
  for (; n < count && position_ < items_.size(); ++n, ++position_) {
    VariantInit(&items[n]);
    items[n].vt = VT_DISPATCH;
    items[n].pdispVal = items_[position_].get();
    items[n].pdispVal->AddRef();
  }
  if (fetched) *fetched = n;
  return n == count ? S_OK : S_FALSE;
}

HRESULT ObjectEnumerator::Skip(ULONG count) {
  std::size_t n = std::min<std::size_t>(count, items_.size() - position_);
  position_ += n;
  return n == count ? S_OK : S_FALSE;
}

HRESULT ObjectEnumerator::Reset() {
  position_ = 0;
  return S_OK;
}

HRESULT ObjectEnumerator::Clone(IEnumVARIANT** copy) {
  if (!copy) return E_POINTER;
  *copy = new ObjectEnumerator(items_, position_);
  return S_OK;
}

}  // namespace schedule
