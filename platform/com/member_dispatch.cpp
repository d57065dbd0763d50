#include "platform/com/member_dispatch.h"

namespace platform::com {

bool RuntimeValueOf(const VARIANT& v, vb::Variant& out) {
  switch (v.vt) {
    case VT_BYREF | VT_VARIANT: return v.pvarVal && RuntimeValueOf(*v.pvarVal, out);
    case VT_EMPTY: out = std::monostate{}; return true;
    case VT_I2: out = std::int16_t{v.iVal}; return true;
    case VT_I4: out = std::int32_t{v.lVal}; return true;
    case VT_R8: out = v.dblVal; return true;
    case VT_DATE: out = v.date; return true;
    case VT_BOOL: out = v.boolVal != 0; return true;
    case VT_BSTR: out = AnsiFromWide(WideOf(v.bstrVal)); return true;
    default: return false;
  }
}

HRESULT StoreRuntimeValue(VARIANT* result, const vb::Variant& value) {
  VARIANT stored;
  VariantInit(&stored);
  bool held = std::visit(
      [&stored](const auto& held) {
        using T = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<T, bool>) stored.vt = VT_BOOL, stored.boolVal = held ? VARIANT_TRUE : VARIANT_FALSE;
        else if constexpr (std::is_same_v<T, std::int16_t>) stored.vt = VT_I2, stored.iVal = held;
        else if constexpr (std::is_same_v<T, std::int32_t>) stored.vt = VT_I4, stored.lVal = held;
        else if constexpr (std::is_same_v<T, double>) stored.vt = VT_R8, stored.dblVal = held;
        else if constexpr (std::is_same_v<T, std::string>) stored.vt = VT_BSTR, stored.bstrVal = AllocBstrFromAnsi(held);
        else if constexpr (std::is_same_v<T, vb::ByteArray>) return false;
        return true;
      },
      value);
  if (!held) return DISP_E_TYPEMISMATCH;
  VariantClear(result);
  *result = stored;
  return S_OK;
}

HRESULT InvokeFound(bool isMethod, WORD flags, VARIANT* args, UINT count, VARIANT* result, const DispatchCall& call) {
  vb::DispatchKind kind;
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) kind = vb::DispatchKind::PropertyPut;
  else if (isMethod && (flags & DISPATCH_METHOD)) kind = vb::DispatchKind::Method;
  else if (!isMethod && (flags & DISPATCH_PROPERTYGET)) kind = vb::DispatchKind::PropertyGet;
  else return DISP_E_MEMBERNOTFOUND;
  vb::DispatchArgs values(count);
  for (UINT i = 0; i < count; ++i)
    if (!RuntimeValueOf(args[i], values[i])) return DISP_E_TYPEMISMATCH;
  vb::Variant value;
  HRESULT hr = call(kind, values, &value);
  if (FAILED(hr) || !result) return hr;
  return StoreRuntimeValue(result, value);
}

}  // namespace platform::com
