#include "support/message_loop.h"

#include "platform/forms/event_loop.h"

void YieldToMessageLoop() { platform::forms::DoEvents(); }
