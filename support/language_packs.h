#pragma once
// Language packs: "<App.Path>\languages\<CurrentLanguage>.ini", one section
// per form Name, one key per control Name (plus "(Index)" for an array
// member), the value being the caption.
#include <string>

#include "platform/forms/control.h"
#include "platform/forms/form.h"

// The name of the current language, set by the main window at start-up.
extern std::string CurrentLanguage;

// Sets the captions of the form's frames, labels, skin labels, buttons,
// menus, check boxes and option buttons from the current language file. A
// missing file, section or key leaves a caption as it is; a key present
// with an empty value blanks it. The form's own title is untouched.
void ApplyLanguage(platform::forms::Form& form);
// "(i)" for a member of a control array, else "".
std::string ControlIndexSuffix(const platform::forms::Control& control);
// The language file's path for the current language.
std::string LanguageFilePath();
