#pragma once
// What every object of the library shares: reference counting, the count of
// live objects behind DllCanUnloadNow, and returning errors to the client.
#include <atomic>

#include "platform/com/com_object.h"
#include "platform/com/error_info.h"
#include "schedule/schedule_interfaces.h"

namespace schedule {

// Objects and server locks alive in the library.
std::atomic<long>& LiveObjects();

template <typename Interface>
class LibraryObject : public platform::com::ComObject<Interface> {
 public:
  LibraryObject() { ++LiveObjects(); }
  ~LibraryObject() override { --LiveObjects(); }

  // IUnknown, IDispatch and the class's own interface.
  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == OwnIid())
      return this->Give(static_cast<Interface*>(this), object);
    return E_NOINTERFACE;
  }

 protected:
  virtual const IID& OwnIid() const = 0;
};

// A failing result handed to the client with the error information its
// runtime shows; system results pass unchanged.
HRESULT Raise(HRESULT hr, const OLECHAR* description = nullptr);
// A runtime error of the library (5 invalid argument, 6 overflow, 91 no object).
HRESULT RaiseRuntime(int number);
HRESULT RaiseInvalidTriggerType();

// Stores a new reference of `object` in `*out`.
template <typename I>
HRESULT Share(I* object, I** out) {
  if (!out) return E_POINTER;
  *out = object;
  if (object) object->AddRef();
  return S_OK;
}

}  // namespace schedule
