#pragma once
// The files a multi-select file dialog returned: "folder NUL name1 NUL
// name2 ..." gives folder + "\" + each name, in the dialog's order (a root
// folder "C:\" gives "C:\\name", as the program always did); a single
// choice is its full path; an empty name is nothing chosen.
#include <string>
#include <vector>

std::vector<std::string> ChosenFiles(const std::string& fileName);
