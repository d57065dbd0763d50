#pragma once
// Hands the main window's ticked built-in plug-ins to the engine's runner.
#include <memory>

class Form1Form;
class BuiltInPluginRunner;

// The engine's runner, for main windows created from now on.
std::shared_ptr<BuiltInPluginRunner> MakeBuiltInPluginRunner();
void ConnectBuiltInPluginRunner(Form1Form& form);
