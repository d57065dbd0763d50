#include "platform/base/journal.h"
#include "platform/forms/answers.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/app_object.h"
#include "platform/forms/err_object.h"
#include "platform/forms/event_loop.h"
#include "platform/forms/runtime_state.h"
#include "platform/forms/window_table.h"

namespace platform::forms {

void ResetFormsRuntime() {
  runtime::ResetState();
  runtime::ResetEventLoop();
  Windows().Reset();
  Answers().Reset();
  ObserveTextChanges(nullptr);
  Err.Clear();
  App.Title("Tessaly");
  SetCommandLine("");
  TheJournal().Clear();
}

}  // namespace platform::forms
