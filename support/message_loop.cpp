#include "support/message_loop.h"

// INTERIM until the forms runtime lands: the turn runs nothing.
void YieldToMessageLoop() {}
