#include "tuning/message_turns.h"

#include "platform/forms/event_loop.h"

void YieldTurns(int count) {
  for (int i = 0; i < count; ++i) platform::forms::DoEvents();
}
