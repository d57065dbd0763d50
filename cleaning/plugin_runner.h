#pragma once
// Hands the main window the catalogue's plug-in names and its ticked
// built-in plug-ins to the engine's runner.
#include <memory>

class Form1Form;
class BuiltInPluginRunner;

// The engine's runner, for main windows created from now on.
std::shared_ptr<BuiltInPluginRunner> MakeBuiltInPluginRunner();
void ConnectBuiltInPluginRunner(Form1Form& form);
// Gives main windows loaded from now on the catalogue's names for their list.
void ConnectBuiltInPluginNames();
