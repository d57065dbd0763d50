#pragma once
// The late-bound members of a class: one table of properties and methods,
// each registered once beside its typed accessors, from which every
// late-bound path is served: access by name (Get/Let/Call), calls by
// dispatch identity (the outside controls) and IDispatch (through
// platform/com/member_dispatch.h).
//
// A class extends its base class's table in one place, one line a member:
//
//   const ControlMembers& CheckBox::Members() const {
//     static const ControlMembers members = ControlMembers::Extend<CheckBox>(CaptionedControl::Members())
//         .Property("Value", &CheckBox::Value, &CheckBox::Value)          // by name only
//         .Property("Style", kDispidStyle, &CheckBox::Style)              // read-only, with an identity
//         .Method("Refresh", kDispidRefresh, &CheckBox::Refresh);
//     return members;
//   }
//
// The accessors are the class's own typed getter and setter (overloads of
// one name are told apart by their shape). A name registered again replaces
// the base class's member. Values cross by the runtime's conversions:
// Boolean parameters through CBool, Integer CInt, other integers CLng,
// floating point CDbl, strings CStr; results become the Variant of their
// type (floating point as Double, other integers as Long).
#include <cstdint>
#include <functional>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/base/hresult.h"
#include "platform/base/runtime_error.h"
#include "platform/runtime/variant.h"

namespace platform::vb {

enum class DispatchKind { Method, PropertyGet, PropertyPut };
using DispatchArgs = std::vector<Variant>;

// A member reached by name only.
inline constexpr DISPID kNoDispatchId = DISPID_UNKNOWN;

// An argument that did not convert: a type mismatch (13) or an overflow (6)
// on the caller's side, not a failure of the member itself.
class ArgumentError : public RuntimeError {
 public:
  explicit ArgumentError(const RuntimeError& error) : RuntimeError(error) {}
};

template <typename T>
std::remove_cvref_t<T> ArgumentAs(const Variant& value) {
  using V = std::remove_cvref_t<T>;
  try {
    if constexpr (std::is_same_v<V, Variant>) return value;
    else if constexpr (std::is_same_v<V, bool>) return CBool(value);
    else if constexpr (std::is_same_v<V, std::string>) return CStr(value);
    else if constexpr (std::is_same_v<V, std::int16_t>) return CInt(value);
    else if constexpr (std::is_floating_point_v<V>) return static_cast<V>(CDbl(value));
    else if constexpr (std::is_integral_v<V>) return static_cast<V>(CLng(value));
    else static_assert(std::is_same_v<V, void>, "no runtime conversion to this parameter type");
  } catch (const ArgumentError&) {
    throw;
  } catch (const RuntimeError& error) {
    throw ArgumentError(error);
  }
}

template <typename T>
Variant ResultOf(T&& value) {
  using V = std::remove_cvref_t<T>;
  if constexpr (std::is_same_v<V, Variant> || std::is_same_v<V, bool> || std::is_same_v<V, std::string> ||
                std::is_same_v<V, std::int16_t>)
    return Variant(std::forward<T>(value));
  else if constexpr (std::is_floating_point_v<V>) return static_cast<double>(value);
  else if constexpr (std::is_integral_v<V>) return static_cast<std::int32_t>(value);
  else static_assert(std::is_same_v<V, void>, "no runtime value of this result type");
}

template <typename Object>
struct Member {
  std::string_view name;
  DISPID id = kNoDispatchId;
  std::function<Variant(const Object&)> get;  // empty for methods and write-only properties
  std::function<void(Object&, const Variant&)> let;  // empty when read-only
  std::function<Variant(Object&, const DispatchArgs&)> call;  // methods only
  std::size_t arity = 0;  // a method's argument count

  bool IsMethod() const { return static_cast<bool>(call); }
};

template <typename Object>
class MemberTable {
 public:
  template <typename T>
  class Builder;

  // The root table of `Object`, and a table of `T` (derived from the class
  // of `base`) that starts from its base class's members.
  template <typename T = Object>
  static Builder<T> Of() { return Builder<T>(MemberTable{}); }
  template <typename T>
  static Builder<T> Extend(const MemberTable& base) { return Builder<T>(base); }

  const Member<Object>* FindByName(std::string_view name) const {
    for (const auto& member : members_)
      if (member.name == name) return &member;
    return nullptr;
  }
  const Member<Object>* FindById(DISPID id) const {
    if (id == kNoDispatchId) return nullptr;
    for (const auto& member : members_)
      if (member.id == id) return &member;
    return nullptr;
  }
  const std::vector<Member<Object>>& members() const { return members_; }

  // By name, as the runtime's late binding: 438 when the object lacks the
  // property (or it cannot be read, or written), 450 for a method called
  // with the wrong number of arguments.
  Variant Get(const Object& object, std::string_view name) const {
    const auto* member = FindByName(name);
    if (!member || !member->get) RaiseRuntimeError(438);
    return member->get(object);
  }
  void Let(Object& object, std::string_view name, const Variant& value) const {
    const auto* member = FindByName(name);
    if (!member || !member->let) RaiseRuntimeError(438);
    member->let(object, value);
  }
  Variant Call(Object& object, std::string_view name, const DispatchArgs& args) const {
    const auto* member = FindByName(name);
    if (!member || !member->IsMethod()) RaiseRuntimeError(438);
    if (args.size() != member->arity) RaiseRuntimeError(450);
    return member->call(object, args);
  }

  // By dispatch identity, as IDispatch::Invoke answers: DISP_E_MEMBERNOTFOUND
  // for an unknown identity or a kind of call the member does not take,
  // DISP_E_BADPARAMCOUNT, DISP_E_TYPEMISMATCH (DISP_E_OVERFLOW) for an
  // argument that does not convert, and a runtime error the member raises
  // as 0x800A0000 + its number.
  HRESULT Invoke(Object& object, DISPID id, DispatchKind kind, const DispatchArgs& args, Variant* result) const {
    const auto* member = FindById(id);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    try {
      Variant value;
      switch (kind) {
        case DispatchKind::Method:
          if (!member->IsMethod()) return DISP_E_MEMBERNOTFOUND;
          if (args.size() != member->arity) return DISP_E_BADPARAMCOUNT;
          value = member->call(object, args);
          break;
        case DispatchKind::PropertyGet:
          if (!member->get) return DISP_E_MEMBERNOTFOUND;
          if (!args.empty()) return DISP_E_BADPARAMCOUNT;
          value = member->get(object);
          break;
        case DispatchKind::PropertyPut:
          if (!member->let) return DISP_E_MEMBERNOTFOUND;
          if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
          member->let(object, args[0]);
          break;
      }
      if (result) *result = std::move(value);
      return S_OK;
    } catch (const ArgumentError& error) {
      return error.number() == 6 ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
    } catch (const RuntimeError& error) {
      return HRESULT_FROM_RUNTIME_ERROR(error.number());
    }
  }

 private:
  void Add(Member<Object> member) {
    for (auto& existing : members_)
      if (existing.name == member.name) return void(existing = std::move(member));
    members_.push_back(std::move(member));
  }

  std::vector<Member<Object>> members_;
};

// Registers the members of `T`; converts to the finished table.
template <typename Object>
template <typename T>
class MemberTable<Object>::Builder {
  static_assert(std::is_base_of_v<Object, T>);

 public:
  explicit Builder(MemberTable table) : table_(std::move(table)) {}

  template <typename C, typename G>
  Builder& Property(std::string_view name, G (C::*get)() const) {
    return Property(name, kNoDispatchId, get);
  }
  template <typename C, typename G, typename D, typename S>
  Builder& Property(std::string_view name, G (C::*get)() const, void (D::*let)(S)) {
    return Property(name, kNoDispatchId, get, let);
  }
  template <typename C, typename G>
  Builder& Property(std::string_view name, DISPID id, G (C::*get)() const) {
    static_assert(std::is_base_of_v<C, T>);
    Member<Object> member = Named(name, id);
    member.get = [get](const Object& object) { return ResultOf((static_cast<const T&>(object).*get)()); };
    table_.Add(std::move(member));
    return *this;
  }
  template <typename C, typename G, typename D, typename S>
  Builder& Property(std::string_view name, DISPID id, G (C::*get)() const, void (D::*let)(S)) {
    static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<D, T>);
    Member<Object> member = Named(name, id);
    member.get = [get](const Object& object) { return ResultOf((static_cast<const T&>(object).*get)()); };
    member.let = [let](Object& object, const Variant& value) {
      (static_cast<T&>(object).*let)(ArgumentAs<S>(value));
    };
    table_.Add(std::move(member));
    return *this;
  }
  template <typename C, typename R, typename... A>
  Builder& Method(std::string_view name, DISPID id, R (C::*method)(A...)) {
    static_assert(std::is_base_of_v<C, T>);
    Member<Object> member = Named(name, id);
    member.arity = sizeof...(A);
    member.call = [method](Object& object, const DispatchArgs& args) {
      return CallWith(static_cast<T&>(object), method, args, std::index_sequence_for<A...>{});
    };
    table_.Add(std::move(member));
    return *this;
  }

  operator MemberTable() const { return table_; }

 private:
  static Member<Object> Named(std::string_view name, DISPID id) {
    Member<Object> member;
    member.name = name;
    member.id = id;
    return member;
  }

  // Every argument converts before the member runs, so a conversion failure
  // never leaves the member half done.
  template <typename C, typename R, typename... A, std::size_t... I>
  static Variant CallWith(T& object, R (C::*method)(A...), const DispatchArgs& args, std::index_sequence<I...>) {
    std::tuple<std::remove_cvref_t<A>...> converted{ArgumentAs<A>(args[I])...};
    (void)args, (void)converted;
    if constexpr (std::is_void_v<R>) {
      (object.*method)(std::get<I>(converted)...);
      return Variant{};
    } else {
      return ResultOf((object.*method)(std::get<I>(converted)...));
    }
  }

  MemberTable table_;
};

}  // namespace platform::vb
