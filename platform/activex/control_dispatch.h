#pragma once
// An outside control as the COM object it is: its IDispatch, served from
// the control's member table. The object follows the control: once the
// control is gone, calls answer RPC_E_DISCONNECTED.
#include "platform/com/automation_types.h"
#include "platform/forms/control.h"

namespace platform::activex {

// A new IDispatch of `control` (the caller owns the reference).
com::ComPtr<IDispatch> DispatchOf(forms::Control& control);

}  // namespace platform::activex
