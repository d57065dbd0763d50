#pragma once
// Binds the main window's cleaning runs to the cleaning engine. The engine
// reads the main window's controls, so the binding lives above both and the
// program makes it before the main window first loads.
void ConnectCleaningEngine();
