#pragma once
// The class factory of a layer module that serves one class: each
// CreateInstance makes a new `Object` (no aggregation).
#include "platform/com/com_object.h"

namespace platform::com {

template <typename Object>
class ClassFactory final : public ComObject<IClassFactory> {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) return Give(static_cast<IClassFactory*>(this), object);
    return E_NOINTERFACE;
  }
  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* made = new Object();
    HRESULT hr = made->QueryInterface(iid, object);
    made->Release();
    return hr;
  }
  HRESULT LockServer(BOOL) override { return S_OK; }
};

// DllGetClassObject of a module serving `served` alone.
template <typename Object>
HRESULT GetSingleClassObject(REFCLSID clsid, REFCLSID served, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (clsid != served) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new ClassFactory<Object>();
  HRESULT hr = factory->QueryInterface(iid, object);
  factory->Release();
  return hr;
}

}  // namespace platform::com
