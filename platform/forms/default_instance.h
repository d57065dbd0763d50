#pragma once
// Every form class has one global instance, created and loaded (hidden) on
// the first reference; after Unload the next reference creates a fresh one.
//   inline Form1Form& Form1() { return platform::forms::DefaultInstance<Form1Form>(); }
#include <memory>
#include <typeindex>

#include "platform/forms/form.h"
#include "platform/forms/runtime_state.h"

namespace platform::forms {

template <class F>
F& DefaultInstance() {
  if (Form* existing = runtime::DefaultInstance(typeid(F))) return static_cast<F&>(*existing);
  Form& created = runtime::AdoptDefaultInstance(typeid(F), std::make_unique<F>());
  created.Load();
  return static_cast<F&>(created);
}

// Whether the default instance is loaded, without creating it.
template <class F>
bool IsLoaded() {
  Form* existing = runtime::DefaultInstance(typeid(F));
  return existing && existing->loaded();
}

}  // namespace platform::forms
