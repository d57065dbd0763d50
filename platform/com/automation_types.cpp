#include "platform/com/automation_types.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

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

namespace {

// The numeric value of a variant, or a failing HRESULT.
HRESULT NumberOf(const VARIANT& v, double& out) {
  switch (v.vt) {
    case VT_EMPTY: out = 0; return S_OK;
    case VT_I2: out = v.iVal; return S_OK;
    case VT_I4: out = v.lVal; return S_OK;
    case VT_R8: out = v.dblVal; return S_OK;
    case VT_DATE: out = v.date; return S_OK;
    case VT_BOOL: out = v.boolVal; return S_OK;
    case VT_BSTR: {
      std::string text = platform::com::AnsiFromWide(platform::com::WideOf(v.bstrVal));
      std::size_t start = text.find_first_not_of(' ');
      if (start == std::string::npos) return DISP_E_TYPEMISMATCH;
      errno = 0;
      char* end = nullptr;
      out = std::strtod(text.c_str() + start, &end);
      if (end == text.c_str() + start || errno == ERANGE) return DISP_E_TYPEMISMATCH;
      while (*end == ' ') ++end;
      return *end ? DISP_E_TYPEMISMATCH : S_OK;
    }
    default: return DISP_E_TYPEMISMATCH;
  }
}

// Banker's rounding, as the runtime rounds to integers.
double RoundHalfEven(double x) { return std::nearbyint(x); }

}  // namespace

HRESULT VariantChangeType(VARIANT* destination, const VARIANT* source, WORD, VARTYPE type) {
  if (!destination || !source) return E_INVALIDARG;
  if (source->vt == (VT_BYREF | VT_VARIANT)) return VariantChangeType(destination, source->pvarVal, 0, type);
  if (source->vt == type) return VariantCopy(destination, source);
  VARIANT result;
  VariantInit(&result);
  result.vt = type;
  if (type == VT_BSTR) {
    double n;
    if (HRESULT hr = NumberOf(*source, n); FAILED(hr)) return hr;
    std::string text = source->vt == VT_EMPTY ? "" : std::to_string(n);
    if (source->vt == VT_I2 || source->vt == VT_I4) text = std::to_string(static_cast<long long>(n));
    result.bstrVal = platform::com::AllocBstrFromAnsi(text);
  } else {
    double n;
    if (HRESULT hr = NumberOf(*source, n); FAILED(hr)) return hr;
    switch (type) {
      case VT_I2:
        n = RoundHalfEven(n);
        if (!(n >= -32768 && n <= 32767)) return DISP_E_OVERFLOW;
        result.iVal = static_cast<SHORT>(n);
        break;
      case VT_I4:
        n = RoundHalfEven(n);
        if (!(n >= -2147483648.0 && n <= 2147483647.0)) return DISP_E_OVERFLOW;
        result.lVal = static_cast<LONG>(n);
        break;
      case VT_R8: result.dblVal = n; break;
      case VT_DATE: result.date = n; break;
      case VT_BOOL: result.boolVal = n != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
      default: return DISP_E_TYPEMISMATCH;
    }
  }
  VariantClear(destination);
  *destination = result;
  return S_OK;
}
