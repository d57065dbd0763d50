#pragma once
// The COM object model: IUnknown reference counting, class factories and a
// small owning pointer. Interfaces are abstract classes; every method
// returns an HRESULT unless it is AddRef or Release.
#include <utility>

#include "platform/com/guid.h"
#include "platform/base/hresult.h"

inline constexpr IID IID_IUnknown = platform::com::MakeGuid(0x00000000, 0x0000, 0x0000, 0xC000000000000046ull);
inline constexpr IID IID_IClassFactory = platform::com::MakeGuid(0x00000001, 0x0000, 0x0000, 0xC000000000000046ull);

struct IUnknown {
  virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};

struct IClassFactory : IUnknown {
  virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) = 0;
  virtual HRESULT LockServer(BOOL lock) = 0;

 protected:
  ~IClassFactory() = default;
};

// The exports of an in-process server.
using DllGetClassObjectFn = HRESULT (*)(REFCLSID clsid, REFIID iid, void** object);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();

namespace platform::com {

// Holds one reference; releases it when dropped.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes over a reference the caller already owns.
  static ComPtr Attach(T* raw) {
    ComPtr p;
    p.ptr_ = raw;
    return p;
  }
  // Adds a reference of its own.
  static ComPtr Share(T* raw) {
    if (raw) raw->AddRef();
    return Attach(raw);
  }
  ComPtr(const ComPtr& other) : ptr_(other.ptr_) {
    if (ptr_) ptr_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ComPtr& operator=(ComPtr other) {
    std::swap(ptr_, other.ptr_);
    return *this;
  }
  ~ComPtr() { reset(); }

  void reset() {
    if (T* p = std::exchange(ptr_, nullptr)) p->Release();
  }
  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  T& operator*() const { return *ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  // For out-parameters: drops the current reference first.
  T** put() {
    reset();
    return &ptr_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }
  // Hands the reference to the caller.
  T* detach() { return std::exchange(ptr_, nullptr); }

  template <typename U>
  HRESULT As(REFIID iid, ComPtr<U>& out) const {
    if (!ptr_) return E_POINTER;
    return ptr_->QueryInterface(iid, out.putVoid());
  }

 private:
  T* ptr_ = nullptr;
};

}  // namespace platform::com
