#pragma once
// Yields to the message loop `count` times in a row, as the suite's long
// steps do between their calls.
void YieldTurns(int count);
