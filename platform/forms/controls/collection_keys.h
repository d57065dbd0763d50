#pragma once
// Key rules of the common controls' collections: a key already used
// (ignoring case) raises 35602, a key that reads as a number 35603.
#include <string>
#include <vector>

namespace platform::forms {

void CheckNewKey(const std::vector<std::string>& existingKeys, const std::string& key);
// The same where the collection has told whether the key is taken.
void CheckNewKey(const std::string& key, bool taken);
// A missing index raises 35600, a missing key 35601.
[[noreturn]] void RaiseIndexOutOfBounds();
[[noreturn]] void RaiseElementNotFound();

}  // namespace platform::forms
