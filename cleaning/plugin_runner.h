#pragma once
// Hands the main window's ticked built-in plug-ins to the engine's runner.
class Form1Form;

void ConnectBuiltInPluginRunner(Form1Form& form);
