#include "install/program_resources.h"

#include "install/program_folder.h"
#include "platform/base/cp1252.h"
#include "platform/base/host_file.h"
#include "platform/machine_builder.h"

namespace install {
namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// "languages/English.ini" -> "languages\English.ini" in the program folder.
std::string WindowsPathOf(const std::filesystem::path& relative) {
  std::string path;
  for (const auto& part : relative) path += (path.empty() ? "" : "\\") + part.string();
  return ProgramFile(path);
}

}  // namespace

std::filesystem::path ProgramResourcesFolder() {
#ifdef TESSALY_RESOURCES_DIR
  return TESSALY_RESOURCES_DIR;
#else
  return {};
#endif
}

std::string SolidBitmap(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
  const std::uint32_t headerBytes = 14 + 40;
  std::string bmp = "BM";
  PutLittleEndian(bmp, headerBytes + pixelBytes, 4);
  PutLittleEndian(bmp, 0, 4);            // reserved
  PutLittleEndian(bmp, headerBytes, 4);  // offset of the pixels
  PutLittleEndian(bmp, 40, 4);           // BITMAPINFOHEADER
  PutLittleEndian(bmp, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(bmp, static_cast<std::uint32_t>(height), 4);
  PutLittleEndian(bmp, 1, 2);   // planes
  PutLittleEndian(bmp, 24, 2);  // bits per pixel
  PutLittleEndian(bmp, 0, 4);   // no compression
  PutLittleEndian(bmp, pixelBytes, 4);
  PutLittleEndian(bmp, 2835, 4);  // 72 dpi
  PutLittleEndian(bmp, 2835, 4);
  PutLittleEndian(bmp, 0, 4);
  PutLittleEndian(bmp, 0, 4);
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += {static_cast<char>(blue), static_cast<char>(green), static_cast<char>(red)};
    row.resize(rowBytes, '\0');
    bmp += row;
  }
  return bmp;
}

void InstallProgramResources(const std::filesystem::path& machineFolder, const std::filesystem::path& resources) {
  std::error_code ec;
  if (resources.empty() || !std::filesystem::is_directory(resources, ec)) return;
  for (auto it = std::filesystem::recursive_directory_iterator(resources, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    auto relative = std::filesystem::relative(it->path(), resources);
    platform::PutBuilderFile(machineFolder, WindowsPathOf(relative), platform::ReadHostFile(it->path()).value_or(""));
    if (!platform::EqualsNoCase(relative.extension().string(), ".ini") || relative.parent_path() != "languages") continue;
    auto picture = relative;
    picture.replace_extension(".bmp");
    if (!std::filesystem::exists(resources / picture))
      platform::PutBuilderFile(machineFolder, WindowsPathOf(picture), SolidBitmap(16, 11, 0x1E, 0x2A, 0x78));
  }
}

}  // namespace install
