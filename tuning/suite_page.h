#pragma once
// The load steps every suite page shares, before its own: the language
// file's captions, the main window's "Form" skin on the page, then the skin
// of each control. The advanced page keeps its design captions.
#include <functional>
#include <string>

#include "platform/forms/form.h"

namespace tuning {

enum class PageCaptions { FromLanguage, Design };

void ApplySuitePageLook(platform::forms::Form& page, PageCaptions captions = PageCaptions::FromLanguage);

// The main window's skin choice ("Skin1", "skin2" ...), which the program
// that opens the suite provides; "" until it does.
void SetSkinNameSource(std::function<std::string()> source);
std::string CurrentSkinName();

}  // namespace tuning
