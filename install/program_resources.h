#pragma once
// The program's own files (language packs, skin and movie descriptions),
// copied from the source tree's resources/ folder into the program folder of
// a machine being built.
#include <cstdint>
#include <filesystem>
#include <string>

namespace install {

// The resources/ folder this build was made from ("" when unknown).
std::filesystem::path ProgramResourcesFolder();

// Copies every file below `resources` into the program folder of the machine
// in `machineFolder`, keeping the sub-folders, and gives every language file
// "<name>.ini" its flag picture "<name>.bmp" when the resources hold none.
void InstallProgramResources(const std::filesystem::path& machineFolder, const std::filesystem::path& resources);

// A small valid Windows bitmap (24 bits per pixel) of one colour.
std::string SolidBitmap(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

}  // namespace install
