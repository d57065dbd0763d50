#pragma once
// Late-bound automation: variants, IDispatch with dispatch ids, and the
// enumerator behind For Each.
#include <cstdint>

#include "platform/com/com_memory.h"
#include "platform/com/unknown.h"

using DATE = double;
using SHORT = std::int16_t;
using VARIANT_BOOL = std::int16_t;
using VARTYPE = WORD;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_NEWENUM = -4;

enum : WORD { DISPATCH_METHOD = 1, DISPATCH_PROPERTYGET = 2, DISPATCH_PROPERTYPUT = 4, DISPATCH_PROPERTYPUTREF = 8 };

enum : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R8 = 5,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_BYREF = 0x4000,
};

struct IDispatch;

struct VARIANT {
  VARTYPE vt;
  union {
    SHORT iVal;
    LONG lVal;
    double dblVal;
    DATE date;
    BSTR bstrVal;
    IDispatch* pdispVal;
    IUnknown* punkVal;
    VARIANT_BOOL boolVal;
    HRESULT scode;
    VARIANT* pvarVal;  // VT_BYREF | VT_VARIANT
  };
};

inline constexpr IID IID_IDispatch = platform::com::MakeGuid(0x00020400, 0x0000, 0x0000, 0xC000000000000046ull);
inline constexpr IID IID_IEnumVARIANT = platform::com::MakeGuid(0x00020404, 0x0000, 0x0000, 0xC000000000000046ull);

// Arguments come in their natural order; an argument passed by reference is
// VT_BYREF | VT_VARIANT pointing at the caller's variant. Unknown dispids give
// DISP_E_MEMBERNOTFOUND, wrong counts DISP_E_BADPARAMCOUNT, wrong types
// DISP_E_TYPEMISMATCH.
struct IDispatch : IUnknown {
  virtual HRESULT Invoke(DISPID member, WORD kind, VARIANT* args, UINT argCount, VARIANT* result) = 0;

 protected:
  ~IDispatch() = default;
};

struct IEnumVARIANT : IUnknown {
  virtual HRESULT Next(ULONG count, VARIANT* items, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumVARIANT** copy) = 0;

 protected:
  ~IEnumVARIANT() = default;
};

void VariantInit(VARIANT* v);
// Frees the BSTR or releases the object the variant holds; leaves it empty.
HRESULT VariantClear(VARIANT* v);
HRESULT VariantCopy(VARIANT* destination, const VARIANT* source);
// Numbers, dates, Booleans and numeric strings between each other;
// DISP_E_TYPEMISMATCH for what does not convert, DISP_E_OVERFLOW out of range.
HRESULT VariantChangeType(VARIANT* destination, const VARIANT* source, WORD flags, VARTYPE type);
