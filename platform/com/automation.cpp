#include "platform/com/automation.h"

#include <cstring>

#include "platform/base/runtime_error.h"
#include "platform/com/com_runtime.h"
#include "platform/com/error_info.h"
#include "platform/registry/advapi32.h"

namespace platform::com {

ComVariant ComVariant::Short(SHORT value) {
  ComVariant v;
  v.v_.vt = VT_I2;
  v.v_.iVal = value;
  return v;
}
ComVariant ComVariant::Long(LONG value) {
  ComVariant v;
  v.v_.vt = VT_I4;
  v.v_.lVal = value;
  return v;
}
ComVariant ComVariant::Double(double value) {
  ComVariant v;
  v.v_.vt = VT_R8;
  v.v_.dblVal = value;
  return v;
}
ComVariant ComVariant::Date(DATE value) {
  ComVariant v;
  v.v_.vt = VT_DATE;
  v.v_.date = value;
  return v;
}
ComVariant ComVariant::String(std::string_view ansi) {
  ComVariant v;
  v.v_.vt = VT_BSTR;
  v.v_.bstrVal = AllocBstrFromAnsi(ansi);
  return v;
}
ComVariant ComVariant::Object(IDispatch* object) {
  ComVariant v;
  v.v_.vt = VT_DISPATCH;
  v.v_.pdispVal = object;
  if (object) object->AddRef();
  return v;
}

namespace {
[[noreturn]] void RaiseConversion(HRESULT hr) { RaiseRuntimeError(hr == DISP_E_OVERFLOW ? 6 : 13); }
}  // namespace

LONG ComVariant::AsLong() const {
  VARIANT out;
  VariantInit(&out);
  if (HRESULT hr = VariantChangeType(&out, &v_, 0, VT_I4); FAILED(hr)) RaiseConversion(hr);
  return out.lVal;
}

double ComVariant::AsDouble() const {
  VARIANT out;
  VariantInit(&out);
  if (HRESULT hr = VariantChangeType(&out, &v_, 0, VT_R8); FAILED(hr)) RaiseConversion(hr);
  return out.dblVal;
}

std::string ComVariant::AsString() const {
  VARIANT out;
  VariantInit(&out);
  if (HRESULT hr = VariantChangeType(&out, &v_, 0, VT_BSTR); FAILED(hr)) RaiseConversion(hr);
  std::string text = AnsiFromWide(WideOf(out.bstrVal));
  VariantClear(&out);
  return text;
}

ComPtr<IDispatch> ComVariant::AsObject() const {
  if (v_.vt == VT_DISPATCH) return ComPtr<IDispatch>::Share(v_.pdispVal);
  if (v_.vt == VT_UNKNOWN && v_.punkVal) {
    ComPtr<IDispatch> object;
    v_.punkVal->QueryInterface(IID_IDispatch, object.putVoid());
    return object;
  }
  return nullptr;
}

void RaiseForHResult(HRESULT hr) {
  std::optional<ErrorInfo> info = TakeErrorInfo(hr);
  std::string source = info && !info->source.empty() ? info->source : kDefaultErrorSource;
  if ((static_cast<DWORD>(hr) & 0xFFFF0000u) == 0x800A0000u) {
    std::int32_t number = hr & 0xFFFF;
    throw RuntimeError(number, source, info && !info->description.empty() ? info->description : StandardErrorText(number));
  }
  throw RuntimeError(hr, source, info && !info->description.empty() ? info->description : "Automation error");
}

ComPtr<IDispatch> NewObject(REFCLSID clsid) {
  ComPtr<IDispatch> object;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.putVoid())))
    RaiseRuntimeError(429);
  return object;
}

ComPtr<IDispatch> CreateObject(std::string_view progid) {
  std::string subKey = std::string(progid) + "\\CLSID";
  HKEY key = 0;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    RaiseRuntimeError(429);
  char value[64];
  DWORD type = 0, size = sizeof value;
  LONG rc = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  std::optional<GUID> clsid;
  if (rc == ERROR_SUCCESS && type == REG_SZ) clsid = ParseGuid(std::string(value, strnlen(value, size)));
  if (!clsid) RaiseRuntimeError(429);
  return NewObject(*clsid);
}

ComVariant Invoke(IDispatch* object, DISPID member, WORD kind, std::vector<ComVariant> args) {
  if (!object) RaiseRuntimeError(91);
  std::vector<VARIANT> raw;
  raw.reserve(args.size());
  for (auto& arg : args) raw.push_back(*arg.get());
  ComVariant result;
  HRESULT hr = object->Invoke(member, kind, raw.data(), static_cast<UINT>(raw.size()), result.get());
  if (FAILED(hr)) RaiseForHResult(hr);
  return result;
}

std::vector<ComVariant> ForEach(IDispatch* collection) {
  ComVariant enumerator = Invoke(collection, DISPID_NEWENUM, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
  ComPtr<IEnumVARIANT> items;
  IUnknown* unknown = enumerator.type() == VT_UNKNOWN || enumerator.type() == VT_DISPATCH ? enumerator.value().punkVal
                                                                                          : nullptr;
  if (!unknown || FAILED(unknown->QueryInterface(IID_IEnumVARIANT, items.putVoid()))) RaiseRuntimeError(438);
  std::vector<ComVariant> all;
  for (;;) {
    ComVariant item;
    ULONG fetched = 0;
    HRESULT hr = items->Next(1, item.get(), &fetched);
    if (FAILED(hr)) RaiseForHResult(hr);
    if (hr != S_OK || fetched == 0) break;
    all.push_back(item);
  }
  return all;
}

}  // namespace platform::com
