#pragma once
// What the cookie keep-list dialogs say when they cannot take OK: the
// dialog then stays open and the ticked rows stay as they are.
#include <string>

namespace cleaning {

// A cleaning run is using the cookie lists.
void SayKeepListBusy();
// The rows on display were not read whole, so they cannot be kept.
void SayKeepListIncomplete();
// The keep-list file could not be written.
void SayKeepListNotSaved(const std::string& reason);

}  // namespace cleaning
