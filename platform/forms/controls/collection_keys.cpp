#include "platform/forms/controls/collection_keys.h"

#include <cctype>

#include "platform/base/cp1252.h"
#include "platform/base/runtime_error.h"

namespace platform::forms {
namespace {

bool ReadsAsNumber(const std::string& key) {
  std::size_t at = key.find_first_not_of(' ');
  if (at == std::string::npos) return false;
  if (key[at] == '+' || key[at] == '-') ++at;
  bool digits = false;
  while (at < key.size() && std::isdigit(static_cast<unsigned char>(key[at]))) ++at, digits = true;
  if (at < key.size() && key[at] == '.') {
    ++at;
    while (at < key.size() && std::isdigit(static_cast<unsigned char>(key[at]))) ++at, digits = true;
  }
  while (at < key.size() && key[at] == ' ') ++at;
  return digits && at == key.size();
}

}  // namespace

void CheckNewKey(const std::string& key, bool taken) {
  if (key.empty()) return;
  if (ReadsAsNumber(key)) RaiseRuntimeError(35603);
  if (taken) RaiseRuntimeError(35602);
}

void CheckNewKey(const std::vector<std::string>& existingKeys, const std::string& key) {
  if (key.empty()) return;
  bool taken = false;
  for (const auto& existing : existingKeys) taken = taken || EqualsNoCase(existing, key);
  CheckNewKey(key, taken);
}

void RaiseIndexOutOfBounds() { RaiseRuntimeError(35600, "Index out of bounds"); }
void RaiseElementNotFound() { RaiseRuntimeError(35601, "Element not found"); }

}  // namespace platform::forms
