#pragma once
// The layer's Task Scheduler service as a COM module ("mstask").
#include "platform/com/unknown.h"

namespace platform::taskscheduler {

// Class factory of CLSID_CTaskScheduler; CLASS_E_CLASSNOTAVAILABLE otherwise.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);

// Makes the service the module that mstask.dll stand-ins activate, as it is
// on a Windows that has the Task Scheduler. Safe to call again.
void RegisterTaskSchedulerModule();

}  // namespace platform::taskscheduler
