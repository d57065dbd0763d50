#include "schedule/dispatch.h"

namespace schedule::dispatch {
namespace {
template <typename T>
HRESULT ConvertVia(const VARIANT& from, VARTYPE type, T VARIANT::*field, T& to) {
  VARIANT converted;
  VariantInit(&converted);
  HRESULT hr = VariantChangeType(&converted, &from, 0, type);
  if (FAILED(hr)) return hr;
  to = converted.*field;
  return S_OK;
}
}  // namespace

HRESULT Convert(const VARIANT& from, SHORT& to) { return ConvertVia(from, VT_I2, &VARIANT::iVal, to); }
HRESULT Convert(const VARIANT& from, LONG& to) { return ConvertVia(from, VT_I4, &VARIANT::lVal, to); }
HRESULT Convert(const VARIANT& from, DATE& to) { return ConvertVia(from, VT_DATE, &VARIANT::date, to); }
HRESULT Convert(const VARIANT& from, BSTR& to) { return ConvertVia(from, VT_BSTR, &VARIANT::bstrVal, to); }

namespace {
void Reset(VARIANT* result, VARTYPE type) {
  VariantClear(result);
  result->vt = type;
}
}  // namespace

void Store(VARIANT* result, SHORT value) {
  Reset(result, VT_I2);
  result->iVal = value;
}
void Store(VARIANT* result, LONG value) {
  Reset(result, VT_I4);
  result->lVal = value;
}
void Store(VARIANT* result, DATE value) {
  Reset(result, VT_DATE);
  result->date = value;
}
void Store(VARIANT* result, BSTR value) {
  Reset(result, VT_BSTR);
  result->bstrVal = value;
}
void Store(VARIANT* result, IDispatch* value) {
  Reset(result, VT_DISPATCH);
  result->pdispVal = value;
}
void Store(VARIANT* result, IUnknown* value) {
  Reset(result, VT_UNKNOWN);
  result->punkVal = value;
}

}  // namespace schedule::dispatch
