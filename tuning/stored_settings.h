#pragma once
// Reading back the texts the suite's settings pages store: a stored value
// that does not convert gives the control's default.
#include <string>

namespace tuning {

// A check box's value: "0", "1" or "2" (as numbers); anything else reads as
// unticked.
int StoredCheckValue(const std::string& key, const std::string& name);
// "True" or "False" in any case; anything else gives `fallback`.
bool StoredBoolean(const std::string& key, const std::string& name, bool fallback);
// "True" or "False", as the pages store an option button.
inline const char* BooleanText(bool value) { return value ? "True" : "False"; }

}  // namespace tuning
