#pragma once
// The runtime's side of automation: creating objects by ProgID or class id,
// late-bound calls, and failing HRESULTs turned into runtime errors.
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/automation_types.h"

namespace platform::com {

// A VARIANT that owns what it holds.
class ComVariant {
 public:
  ComVariant() { VariantInit(&v_); }
  ComVariant(const ComVariant& other) : ComVariant() { VariantCopy(&v_, &other.v_); }
  ComVariant& operator=(const ComVariant& other) {
    VariantCopy(&v_, &other.v_);
    return *this;
  }
  ~ComVariant() { VariantClear(&v_); }

  static ComVariant Short(SHORT value);
  static ComVariant Long(LONG value);
  static ComVariant Double(double value);
  static ComVariant Date(DATE value);
  static ComVariant String(std::string_view ansi);
  static ComVariant Object(IDispatch* object);  // adds a reference

  VARIANT* get() { return &v_; }
  const VARIANT& value() const { return v_; }
  VARTYPE type() const { return v_.vt; }
  // Coercions as the runtime makes them; raise runtime error 13 (or 6 on
  // overflow) when the value does not convert.
  LONG AsLong() const;
  double AsDouble() const;
  std::string AsString() const;
  // The object held, with a reference of its own; null when none.
  ComPtr<IDispatch> AsObject() const;

 private:
  VARIANT v_;
};

// Raises the runtime error for a failing HRESULT: a runtime error number
// carried as 0x800A0000 + n comes back as n; anything else keeps the
// HRESULT as number, with the description the object gave, else
// "Automation error".
[[noreturn]] void RaiseForHResult(HRESULT hr);

// CreateObject(progid): the class id from HKCR\<ProgID>\CLSID, then
// activation; runtime error 429 when either fails.
ComPtr<IDispatch> CreateObject(std::string_view progid);
// `New` of a class bound by identity; runtime error 429 on failure.
ComPtr<IDispatch> NewObject(REFCLSID clsid);

// A late-bound call; a failing HRESULT is raised as above.
ComVariant Invoke(IDispatch* object, DISPID member, WORD kind, std::vector<ComVariant> args = {});

// Every item For Each visits, through the object's NewEnum member.
std::vector<ComVariant> ForEach(IDispatch* collection);

}  // namespace platform::com
