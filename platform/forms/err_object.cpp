#include "platform/forms/err_object.h"

namespace platform::forms {

ErrObject Err;

void ErrObject::Raise(std::int32_t number, std::optional<std::string> source,
                      std::optional<std::string> description) {
  RuntimeError error(number, source.value_or(kDefaultErrorSource),
                     description.value_or(StandardErrorText(number)));
  Set(error);
  throw error;
}

void ErrObject::Clear() {
  number_ = 0;
  source_.clear();
  description_.clear();
}

void ErrObject::Set(const RuntimeError& error) {
  number_ = error.number();
  source_ = error.source();
  description_ = error.description();
}

}  // namespace platform::forms
