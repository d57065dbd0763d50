// Start-up and run steps whose features belong to other pages of the main
// window. Each is a named step its feature fills; until then it does
// nothing and reports nothing.
#include "mainwindow/Form1.h"

void Form1Form::LoadExtraPlugins(const std::string&) {}     // extra plug-in store
void Form1Form::CheckExtraPlugins() {}                      // extra plug-in store
void Form1Form::EPI_Save_Settings() {}                      // extra plug-in store
std::int64_t Form1Form::EPI_Do_Plugins() { return 0; }      // extra plug-in runner
