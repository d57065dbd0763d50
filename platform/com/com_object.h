#pragma once
// Reference counting shared by every object that implements interfaces: the
// creator holds the first reference; the last Release deletes the object.
#include "platform/com/unknown.h"

namespace platform::com {

template <typename... Interfaces>
class ComObject : public Interfaces... {
 public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~ComObject() = default;

  // Hands out `self` as the asked-for interface with a new reference.
  template <typename I>
  HRESULT Give(I* self, void** object) {
    *object = self;
    AddRef();
    return S_OK;
  }

 private:
  ULONG references_ = 1;
};

}  // namespace platform::com
