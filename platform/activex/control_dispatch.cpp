#include "platform/activex/control_dispatch.h"

#include "platform/com/com_object.h"
#include "platform/com/member_dispatch.h"

namespace platform::activex {
namespace {

class ControlDispatch final : public com::ComObject<IDispatch> {
 public:
  explicit ControlDispatch(std::uint64_t serial) : serial_(serial) {}

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch) return Give(static_cast<IDispatch*>(this), object);
    return E_NOINTERFACE;
  }

  HRESULT Invoke(DISPID member, WORD kind, VARIANT* args, UINT count, VARIANT* result) override {
    forms::Control* control = forms::LiveControl(serial_);
    if (!control) return RPC_E_DISCONNECTED;
    const auto* found = control->Members().FindById(member);
    bool isMethod = found ? found->IsMethod() : (kind & DISPATCH_METHOD) != 0;
    return com::InvokeFound(isMethod, kind, args, count, result,
                            [&](forms::DispatchKind call, const forms::DispatchArgs& values, forms::Property* value) {
                              return control->Invoke(member, call, values, value);
                            });
  }

 private:
  std::uint64_t serial_;
};

}  // namespace

com::ComPtr<IDispatch> DispatchOf(forms::Control& control) {
  return com::ComPtr<IDispatch>::Attach(new ControlDispatch(control.serial()));
}

}  // namespace platform::activex
