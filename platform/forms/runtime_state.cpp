#include "platform/forms/runtime_state.h"

#include <algorithm>
#include <map>
#include <utility>

#include "platform/forms/form.h"

namespace platform::forms::runtime {
namespace {

struct State {
  std::map<std::uint64_t, Control*> liveControls;
  std::uint64_t nextSerial = 1;
  std::vector<Form*> loadedForms;
  std::vector<std::pair<std::type_index, std::unique_ptr<Form>>> defaults;
  std::vector<std::unique_ptr<Form>> unloaded;
  int dispatchDepth = 0;
};

// Never destroyed: forms may still be alive when static destructors run.
State& S() {
  static State* state = new State;
  return *state;
}

}  // namespace

std::uint64_t RegisterControl(Control& control) {
  std::uint64_t serial = S().nextSerial++;
  S().liveControls[serial] = &control;
  return serial;
}

void UnregisterControl(std::uint64_t serial) { S().liveControls.erase(serial); }

Control* FindControl(std::uint64_t serial) {
  auto it = S().liveControls.find(serial);
  return it == S().liveControls.end() ? nullptr : it->second;
}

void FormLoaded(Form& form) { S().loadedForms.push_back(&form); }

void FormUnloaded(Form& form) {
  auto& loaded = S().loadedForms;
  loaded.erase(std::remove(loaded.begin(), loaded.end(), &form), loaded.end());
  auto& defaults = S().defaults;
  auto it = std::find_if(defaults.begin(), defaults.end(),
                         [&form](const auto& entry) { return entry.second.get() == &form; });
  if (it == defaults.end()) return;
  S().unloaded.push_back(std::move(it->second));
  defaults.erase(it);
}

const std::vector<Form*>& LoadedForms() { return S().loadedForms; }

Form* DefaultInstance(std::type_index type) {
  for (auto& [key, form] : S().defaults)
    if (key == type) return form.get();
  return nullptr;
}

Form& AdoptDefaultInstance(std::type_index type, std::unique_ptr<Form> form) {
  S().defaults.emplace_back(type, std::move(form));
  return *S().defaults.back().second;
}

void EnterDispatch() { ++S().dispatchDepth; }
void LeaveDispatch() { --S().dispatchDepth; }

void FreeUnloadedForms() {
  if (S().dispatchDepth == 0) S().unloaded.clear();
}

void ResetState() {
  State& state = S();
  state.dispatchDepth = 0;
  std::vector<std::unique_ptr<Form>> doomed = std::move(state.unloaded);
  for (auto& entry : state.defaults) doomed.push_back(std::move(entry.second));
  state.defaults.clear();
  doomed.clear();
  state.loadedForms.clear();
  state.liveControls.clear();
  state.nextSerial = 1;
}

}  // namespace platform::forms::runtime
