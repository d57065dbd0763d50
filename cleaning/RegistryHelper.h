#pragma once
// The registry-entry executor: runs, reads and tests TraceEntry texts. None
// of these operations raises; a malformed entry touches nothing and gives
// the failure result. Where the original rewrote the caller's variable, the
// rewritten text is offered through an optional out-parameter.
#include <string>
#include <vector>

#include "platform/forms/forms.h"

// The never-shown form whose lists hold the names of one key while a key or
// contents entry runs (emptied at the start of each entry).
class RegistryForm : public platform::forms::Form {
 public:
  RegistryForm() : Form("Registry") {}
  TSY_CONTROL(ListBox, lstKey);
  TSY_CONTROL(ListBox, lstValue);
};
RegistryForm& Registry();

// Deletes a key (with its values and the subkeys the platform's single-key
// delete can remove), empties a key, or deletes one value. True = failure.
bool RunTraceEntry(const std::string& entry);

// The data of the value a value entry names, as text ("" on any failure).
// `rest` receives the entry without its root name and first "\".
std::string ReadTraceValue(const std::string& entry, std::string* rest = nullptr);

// Every value of the key `entry` names (root, "\", key path): names[i] and
// data[i] (data cut at its first NUL, double quotes removed). Both vectors
// hold at least one element; element 0 is "" when nothing is listed.
// Returns the number of values listed. `canonical` receives the upper-case
// root, "\" and the path.
int EnumTraceValues(const std::string& entry, std::vector<std::string>& names, std::vector<std::string>& data,
                    std::string* canonical = nullptr);

// Whether the key `entry` names can be opened ("0" is False at once).
// `rest` receives the key path without the root (not for "0").
bool TraceKeyExists(const std::string& entry, std::string* rest = nullptr);
