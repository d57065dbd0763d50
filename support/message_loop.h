#pragma once
// One turn of the message loop for the long operations that yield between
// items (cipher blocks, file walkers, overwrite blocks).
void YieldToMessageLoop();
