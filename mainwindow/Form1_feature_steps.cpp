// Start-up and run steps whose features belong to other pages of the main
// window. Each is a named step its feature fills; until then it does
// nothing and reports nothing.
#include "mainwindow/Form1.h"

void Form1Form::Load_DLL_Drives() {}                        // DLL search
void Form1Form::LoadBackUps() {}                            // DLL backup archives
