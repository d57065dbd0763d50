#include "platform/forms/screen.h"

#include "platform/forms/user32.h"

namespace platform::forms {

ScreenObject Screen;

float ScreenObject::Width() const { return static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * TwipsPerPixelX(); }
float ScreenObject::Height() const { return static_cast<float>(GetSystemMetrics(SM_CYSCREEN)) * TwipsPerPixelY(); }

}  // namespace platform::forms
