#pragma once
// The forms runtime's process-wide bookkeeping: live controls, loaded forms,
// default instances, and forms waiting to be freed once no code of theirs
// can still be running.
#include <cstdint>
#include <memory>
#include <typeindex>
#include <vector>

namespace platform::forms {

class Control;
class Form;

namespace runtime {

std::uint64_t RegisterControl(Control& control);
void UnregisterControl(std::uint64_t serial);
Control* FindControl(std::uint64_t serial);

void FormLoaded(Form& form);
void FormUnloaded(Form& form);
const std::vector<Form*>& LoadedForms();

Form* DefaultInstance(std::type_index type);
Form& AdoptDefaultInstance(std::type_index type, std::unique_ptr<Form> form);

// Nesting of running handlers and DoEvents turns. Unloaded forms are freed
// only by the top-level drivers (main loop, run-until-idle) at depth 0, so
// code of an unloaded form that is still running never loses its object.
void EnterDispatch();
void LeaveDispatch();
void FreeUnloadedForms();
// Frees every form and forgets all bookkeeping (used by ResetFormsRuntime).
void ResetState();

}  // namespace runtime

// Drops every form, control, window, queued event, timer, script and
// recorded box: a fresh runtime (tests call it between cases).
void ResetFormsRuntime();

}  // namespace platform::forms
