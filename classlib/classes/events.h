// Events: method pointers that can be compared, saved, restored and named.
//
// A method pointer is an (instance, method) pair, TMethod. Its method part
// is the address of a TMethodCode record, one per member function, which
// carries the function's signature, so an event only accepts methods of its
// own signature. Streams store an event by the name under which the root
// publishes the method (METHOD in the root's published table); the reader
// finds the method by that name again.
//
//   DOZURI_EVENT(TNotifyEvent, void(TObject* Sender));
//   button->OnClick = Method<&TMainForm::ButtonClick>(form);
//   if (button->OnClick) button->OnClick(button);
//
// Hosts and tests may also bind a plain callable; such an event is assigned
// and callable but has no method part, so it is not streamed and never
// equals another event.
#pragma once
#include <functional>
#include <type_traits>
#include <utility>

#include "classlib/classes/object.h"

// One record per published or bound member function.
struct TMethodCode {
  const void* Signature;  // identifies the function type R(A...)
};

template <class R, class... A>
struct TTypedMethodCode : TMethodCode {
  R (*Invoke)(TObject* self, A... args);
};

// An instance and one of its methods; both nullptr when unassigned.
struct TMethod {
  const TMethodCode* Code = nullptr;
  TObject* Data = nullptr;

  bool Assigned() const { return Code != nullptr; }
  bool operator==(const TMethod&) const = default;
};

namespace dozuri {

template <class Sig>
struct SignatureTag {
  static constexpr char Tag = 0;
};

template <class M>
struct MemberFunctionTraits;
template <class C, class R, class... A>
struct MemberFunctionTraits<R (C::*)(A...)> {
  using Class = C;
  using Signature = R(A...);
};

template <auto Fn, class Sig = typename MemberFunctionTraits<decltype(Fn)>::Signature>
struct MethodCodeOf;
template <auto Fn, class R, class... A>
struct MethodCodeOf<Fn, R(A...)> {
  using Class = typename MemberFunctionTraits<decltype(Fn)>::Class;
  static R Invoke(TObject* self, A... args) {
    return (static_cast<Class*>(self)->*Fn)(std::forward<A>(args)...);
  }
  static constexpr TTypedMethodCode<R, A...> Code{{&SignatureTag<R(A...)>::Tag}, &Invoke};
};

}  // namespace dozuri

// The code record of a member function, e.g. MethodCode<&TForm1::Click>().
template <auto Fn>
constexpr const TMethodCode* MethodCode() {
  return &dozuri::MethodCodeOf<Fn>::Code;
}

// A method pointer to a member function of an instance.
template <auto Fn>
TMethod Method(typename dozuri::MemberFunctionTraits<decltype(Fn)>::Class* instance) {
  return TMethod{MethodCode<Fn>(), instance};
}

template <class Sig>
class TEvent;

template <class R, class... A>
class TEvent<R(A...)> {
public:
  using Signature = R(A...);

  TEvent() = default;
  TEvent(std::nullptr_t) {}
  // Raises EInvalidCast when the method has another signature.
  TEvent(const TMethod& method) { SetMethod(method); }
  template <class F>
    requires(std::is_invocable_r_v<R, F&, A...> && !std::is_same_v<std::decay_t<F>, TMethod> &&
             !std::is_base_of_v<TEvent, std::decay_t<F>> && !std::is_same_v<std::decay_t<F>, std::nullptr_t>)
  TEvent(F callable) : callable_(std::move(callable)) {}

  // The method part; unassigned for plain callables.
  const TMethod& GetMethod() const { return method_; }
  void SetMethod(const TMethod& method) {
    if (method.Code != nullptr && !Accepts(method.Code))
      throw EInvalidCast("Invalid class typecast");
    method_ = method.Code != nullptr ? method : TMethod{};
    callable_ = nullptr;
  }
  static bool Accepts(const TMethodCode* code) {
    return code != nullptr && code->Signature == &dozuri::SignatureTag<R(A...)>::Tag;
  }

  bool Assigned() const { return method_.Code != nullptr || static_cast<bool>(callable_); }
  explicit operator bool() const { return Assigned(); }

  // Calls the handler; an unassigned event does nothing and gives R().
  R operator()(A... args) const {
    if (method_.Code != nullptr)
      return static_cast<const TTypedMethodCode<R, A...>*>(method_.Code)->Invoke(method_.Data,
                                                                               std::forward<A>(args)...);
    if (callable_)
      return callable_(std::forward<A>(args)...);
    if constexpr (!std::is_void_v<R>)
      return R();
  }

  // Equal when both are unassigned or both name the same method of the same
  // instance; a plain callable equals nothing.
  bool operator==(const TEvent& other) const {
    if (callable_ || other.callable_)
      return false;
    return method_ == other.method_;
  }

private:
  TMethod method_;
  std::function<R(A...)> callable_;
};

// Declares a named event type, e.g. DOZURI_EVENT(TNotifyEvent, void(TObject* Sender));
// The name is the type name the published property tables report.
#define DOZURI_EVENT(Name, Sig)                   \
  struct Name : TEvent<Sig> {                     \
    using TEvent<Sig>::TEvent;                    \
    Name() = default;                             \
    static constexpr const char* TypeName = #Name; \
  }

DOZURI_EVENT(TNotifyEvent, void(TObject* Sender));
