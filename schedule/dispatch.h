#pragma once
// Late binding of the library's dual interfaces: each class maps its
// dispatch ids onto its vtable members with these adapters.
#include "platform/com/automation_types.h"

namespace schedule::dispatch {

// Arguments of a call, converted as the runtime converts them.
HRESULT Convert(const VARIANT& from, SHORT& to);
HRESULT Convert(const VARIANT& from, LONG& to);
HRESULT Convert(const VARIANT& from, DATE& to);
HRESULT Convert(const VARIANT& from, BSTR& to);  // a new BSTR the caller frees

void Store(VARIANT* result, SHORT value);
void Store(VARIANT* result, LONG value);
void Store(VARIANT* result, DATE value);
void Store(VARIANT* result, BSTR value);  // takes ownership
void Store(VARIANT* result, IDispatch* value);  // takes the reference
void Store(VARIANT* result, IUnknown* value);   // takes the reference

inline void Free(SHORT) {}
inline void Free(LONG) {}
inline void Free(DATE) {}
inline void Free(BSTR value) { SysFreeString(value); }

inline bool IsGet(WORD kind) { return kind & DISPATCH_PROPERTYGET; }
inline bool IsPut(WORD kind) { return kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF); }

// A get/let property: get with no argument, let with one.
template <typename Obj, typename T>
HRESULT Property(Obj* object, WORD kind, VARIANT* args, UINT count, VARIANT* result, HRESULT (Obj::*get)(T*),
                 HRESULT (Obj::*put)(T)) {
  if (IsPut(kind)) {
    if (!put) return DISP_E_MEMBERNOTFOUND;
    if (count != 1) return DISP_E_BADPARAMCOUNT;
    T value{};
    if (HRESULT hr = Convert(args[0], value); FAILED(hr)) return hr;
    HRESULT hr = (object->*put)(value);
    Free(value);
    return hr;
  }
  if (!IsGet(kind)) return DISP_E_MEMBERNOTFOUND;
  if (count != 0) return DISP_E_BADPARAMCOUNT;
  T value{};
  HRESULT hr = (object->*get)(&value);
  if (SUCCEEDED(hr) && result) Store(result, value);
  else if (SUCCEEDED(hr)) Free(value);
  return hr;
}

template <typename Obj, typename T>
HRESULT Getter(Obj* object, WORD kind, VARIANT* args, UINT count, VARIANT* result, HRESULT (Obj::*get)(T*)) {
  return Property<Obj, T>(object, kind, args, count, result, get, nullptr);
}

// A method without arguments or result.
template <typename Obj>
HRESULT Method(Obj* object, WORD kind, UINT count, HRESULT (Obj::*method)()) {
  if (!(kind & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
  if (count != 0) return DISP_E_BADPARAMCOUNT;
  return (object->*method)();
}

// An object a member returned, with its reference: stored in the result
// when the call succeeded and a result is wanted, else released.
template <typename I>
HRESULT StoreObject(HRESULT hr, I* value, VARIANT* result) {
  if (SUCCEEDED(hr) && result) Store(result, value);
  else if (value) value->Release();
  return hr;
}

// A member that returns an object.
template <typename Obj, typename I>
HRESULT ObjectGetter(Obj* object, UINT count, VARIANT* result, HRESULT (Obj::*get)(I**)) {
  if (count != 0) return DISP_E_BADPARAMCOUNT;
  I* value = nullptr;
  HRESULT hr = (object->*get)(&value);
  return StoreObject(hr, static_cast<IDispatch*>(value), result);
}

// NewEnum: the enumerator as an IUnknown.
template <typename Obj>
HRESULT NewEnum(Obj* object, UINT count, VARIANT* result) {
  if (count != 0) return DISP_E_BADPARAMCOUNT;
  IUnknown* enumerator = nullptr;
  HRESULT hr = object->get_NewEnum(&enumerator);
  return StoreObject(hr, enumerator, result);
}

}  // namespace schedule::dispatch
