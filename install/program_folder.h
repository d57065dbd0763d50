#pragma once
// Where the program lives on every machine it is installed on.
#include <string>
#include <string_view>

namespace install {

// The program folder: App.Path of the running program.
inline constexpr std::string_view kProgramFolder = "C:\\Program Files\\Tessaly";

// The Windows path of `relative` ("languages\\English.ini") in the program folder.
std::string ProgramFile(std::string_view relative);

// The running program's image, which the program and the test fixtures
// open their machines with.
std::string ProgramImage();

}  // namespace install
