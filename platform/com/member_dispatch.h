#pragma once
// IDispatch served from a member table (platform/runtime/member_table.h):
// the VARIANTs of a call convert to and from the runtime's one value type
// here, at the boundary, and nowhere else.
#include <functional>

#include "platform/com/automation_types.h"
#include "platform/runtime/member_table.h"

namespace platform::com {

// A VARIANT's value as a runtime value (a Date as its serial number, a
// by-reference argument as the variant it points at); false for what the
// runtime's value cannot hold (objects, errors).
bool RuntimeValueOf(const VARIANT& v, vb::Variant& out);
// Replaces `*result` with a runtime value; DISP_E_TYPEMISMATCH for a byte array.
HRESULT StoreRuntimeValue(VARIANT* result, const vb::Variant& value);

// A call by identity whose member has been found: the Invoke flags choose
// the kind (a put; else a method's call or a property's get, as clients ask
// both for `object.Member`), the arguments convert, `call` runs it and its
// result is stored.
using DispatchCall = std::function<HRESULT(vb::DispatchKind, const vb::DispatchArgs&, vb::Variant*)>;
HRESULT InvokeFound(bool isMethod, WORD flags, VARIANT* args, UINT count, VARIANT* result, const DispatchCall& call);

// IDispatch::Invoke of `object` from its class's table.
template <typename Object>
HRESULT InvokeMember(const vb::MemberTable<Object>& table, Object& object, DISPID id, WORD flags, VARIANT* args,
                     UINT count, VARIANT* result) {
  const auto* member = table.FindById(id);
  if (!member) return DISP_E_MEMBERNOTFOUND;
  return InvokeFound(member->IsMethod(), flags, args, count, result,
                     [&](vb::DispatchKind kind, const vb::DispatchArgs& values, vb::Variant* value) {
                       return table.Invoke(object, id, kind, values, value);
                     });
}

}  // namespace platform::com
