#include "platform/com/automation_types.h"

#include <string>

#include "platform/base/runtime_error.h"
#include "platform/com/member_dispatch.h"
#include "platform/runtime/variant.h"

void VariantInit(VARIANT* v) {
  if (!v) return;
  v->vt = VT_EMPTY;
  v->dblVal = 0;
}

HRESULT VariantClear(VARIANT* v) {
  if (!v) return E_INVALIDARG;
  switch (v->vt) {
    case VT_BSTR:
      SysFreeString(v->bstrVal);
      break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
      if (v->punkVal) v->punkVal->Release();
      break;
    default:
      break;
  }
  VariantInit(v);
  return S_OK;
}

HRESULT VariantCopy(VARIANT* destination, const VARIANT* source) {
  if (!destination || !source) return E_INVALIDARG;
  if (destination == source) return S_OK;
  VariantClear(destination);
  *destination = *source;
  if (source->vt == VT_BSTR && source->bstrVal) {
    destination->bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
  } else if ((source->vt == VT_DISPATCH || source->vt == VT_UNKNOWN) && source->punkVal) {
    source->punkVal->AddRef();
  }
  return S_OK;
}


// The boundary converts through the runtime's one conversion module, so a
// value reads the same here as through a property or a runtime function.
HRESULT VariantChangeType(VARIANT* destination, const VARIANT* source, WORD, VARTYPE type) {
  if (!destination || !source) return E_INVALIDARG;
  if (source->vt == (VT_BYREF | VT_VARIANT)) return VariantChangeType(destination, source->pvarVal, 0, type);
  if (source->vt == type) return VariantCopy(destination, source);
  platform::vb::Variant value;
  if (!platform::com::RuntimeValueOf(*source, value)) return DISP_E_TYPEMISMATCH;
  VARIANT result;
  VariantInit(&result);
  result.vt = type;
  try {
    switch (type) {
      case VT_BSTR: result.bstrVal = platform::com::AllocBstrFromAnsi(platform::vb::CStr(value)); break;
      case VT_I2: result.iVal = platform::vb::CInt(value); break;
      case VT_I4: result.lVal = platform::vb::CLng(value); break;
      case VT_R8: result.dblVal = platform::vb::CDbl(value); break;
      case VT_DATE: result.date = platform::vb::CDbl(value); break;
      case VT_BOOL: result.boolVal = platform::vb::CBool(value) ? VARIANT_TRUE : VARIANT_FALSE; break;
      default: return DISP_E_TYPEMISMATCH;
    }
  } catch (const platform::RuntimeError& error) {
    return error.number() == 6 ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
  }
  VariantClear(destination);
  *destination = result;
  return S_OK;
}
