#include "platform/activex/progress_bar.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/base/journal.h"
#include "platform/base/runtime_error.h"

namespace platform::activex {

void ProgressBar::Value(float percent) {
  history_.push_back(percent);
  TheJournal().Record("Progress", {Name(), std::to_string(percent)});
  if (std::isnan(percent)) return;
  value_ = std::clamp(percent, 0.0f, 100.0f);
}

HRESULT ProgressBar::Invoke(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result) {
  if (dispid != kDispidProgressValue && dispid != kDispidProgressStyle) return DISP_E_MEMBERNOTFOUND;
  if (kind == DispatchKind::PropertyGet) {
    if (result) *result = dispid == kDispidProgressValue ? forms::Property(double(value_)) : forms::Property(style_);
    return S_OK;
  }
  if (kind != DispatchKind::PropertyPut) return DISP_E_MEMBERNOTFOUND;
  if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
  try {
    if (dispid == kDispidProgressValue)
      Value(static_cast<float>(vb::CDbl(args[0])));
    else
      Style(vb::CLng(args[0]));
    return S_OK;
  } catch (const RuntimeError&) {
    return DISP_E_TYPEMISMATCH;
  }
}

}  // namespace platform::activex
