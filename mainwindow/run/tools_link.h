#pragma once
// Binds the main window's tool pages to the system tools. The tools stand
// on the cleaning engine, which reads the main window, so the binding lives
// above both and the program makes it before the main window first loads.
void ConnectSystemTools();
