#pragma once
// A control array: members share a Name and have distinct Index values;
// handlers wired on the array receive the member's Index first.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/base/runtime_error.h"
#include "platform/forms/control.h"

namespace platform::forms {

class Form;

template <class T>
class ControlArray {
 public:
  // Members 0..count-1, created in index order.
  ControlArray(Form& form, std::string name, int count, Control* container = nullptr)
      : form_(form), name_(std::move(name)), container_(container) {
    for (int i = 0; i < count; ++i) Load(i);
  }

  // Member `index`; a missing member raises 340.
  T& operator()(int index) const { return Item(index); }
  T& Item(int index) const {
    auto it = members_.find(index);
    if (it == members_.end())
      RaiseRuntimeError(340, "Control array element '" + std::to_string(index) + "' doesn't exist");
    return *it->second;
  }
  bool Exists(int index) const { return members_.count(index) != 0; }
  int Count() const { return static_cast<int>(members_.size()); }
  int LBound() const { return members_.empty() ? 0 : members_.begin()->first; }
  int UBound() const { return members_.empty() ? -1 : members_.rbegin()->first; }
  const std::string& Name() const { return name_; }

  // Loads a new member (the Load statement); an existing index raises 360.
  T& Load(int index) {
    if (Exists(index)) RaiseRuntimeError(360, "Object already loaded");
    auto member = std::make_unique<T>(form_, name_, container_, index);
    T& ref = *member;
    members_.emplace(index, std::move(member));
    for (const auto& bind : binders_) bind(ref);
    return ref;
  }

  // Wires an event of every member (present and loaded later) to one
  // handler that receives the member's Index, then the event's arguments.
  template <class M, class... Args, class F>
  void Handle(Event<Args...> M::*event, F handler) {
    static_assert(std::is_base_of_v<M, T>);
    auto bind = [event, handler](T& member) {
      int index = *member.IndexIfArray();
      (member.*event).Handle([handler, index](Args... args) { handler(index, std::forward<Args>(args)...); });
    };
    binders_.push_back(bind);
    for (auto& [index, member] : members_) bind(*member);
  }

  // Members in index order.
  std::vector<T*> Members() const {
    std::vector<T*> list;
    for (auto& [index, member] : members_) list.push_back(member.get());
    return list;
  }

 private:
  Form& form_;
  std::string name_;
  Control* container_;
  std::map<int, std::unique_ptr<T>> members_;
  std::vector<std::function<void(T&)>> binders_;
};

}  // namespace platform::forms

// Wires an array's event to a form procedure taking (Index, args...):
//   TSY_ON_ARRAY(chkIE, Click, chkIE_Click);
#define TSY_ON_ARRAY(array, event, procedure)                                                       \
  (array).Handle(&std::remove_reference_t<decltype((array)(0))>::event,                             \
                 [this](int index, auto&&... args) {                                                \
                   this->procedure(index, std::forward<decltype(args)>(args)...);                   \
                 })
