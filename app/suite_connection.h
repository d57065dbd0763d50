#pragma once
// Binds the main window's suite button to the Velotune suite, and gives the
// suite the main window's skin choice. Made before the main window loads.
void ConnectSuite();
