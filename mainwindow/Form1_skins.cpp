// The skins the program knows, which of them are installed, and which one
// the window is drawn with. A skin is only usable with all its files: a
// window drawn without its navigation movie has no way back to the options
// page, so a stored skin whose files are missing (or a name no skin has) is
// drawn as the first skin, and the stored choice is left as it is.
#include "mainwindow/Form1.h"

#include "platform/base/cp1252.h"
#include "platform/files/file_system_object.h"

using namespace platform::forms;

namespace {

// The skin files and the movie size of each known skin (program folder +).
struct SkinPaths {
  const char* skin;  // as the chooser lists it
  const char* skinFile;
  const char* movie;
  const char* splash;
  float movieWidth, movieHeight;  // twips
};

// The first row is the one drawn when the chosen skin cannot be.
const SkinPaths kSkinPaths[] = {
    {"Skin1", "\\Skin\\TSY.skn", "\\Skin\\TSY.swf", "\\Skin\\TSY.spl", 7125, 7680},
    {"Skin2", "\\Skin2\\TSY.skn", "\\Skin2\\TSY.swf", "\\Skin2\\TSY.spl", 8250, 6300},
};

bool Installed(const SkinPaths& paths) {
  platform::scripting::FileSystemObject fso;
  for (const char* file : {paths.skinFile, paths.movie, paths.splash})
    if (!fso.FileExists(App.Path() + file)) return false;
  return true;
}

const SkinPaths& DrawnPaths(const std::string& skin) {
  for (const auto& paths : kSkinPaths)
    if (platform::EqualsNoCase(skin, paths.skin) && Installed(paths)) return paths;
  return kSkinPaths[0];
}

}  // namespace

// The first skin stays offered even without its files: it is the one any
// other choice falls back to.
void Form1Form::OfferInstalledSkins() {
  cmb_skin.Clear();
  for (const auto& paths : kSkinPaths)
    if (&paths == &kSkinPaths[0] || Installed(paths)) cmb_skin.AddItem(paths.skin);
}

void Form1Form::ChooseSkinPaths() {
  const SkinPaths& paths = DrawnPaths(CurrentSkin);
  DrawnSkin = paths.skin;
  SkinFilePath = App.Path() + paths.skinFile;
  MoviePath = App.Path() + paths.movie;
  SplashPath = App.Path() + paths.splash;
  FL.Width(paths.movieWidth);
  FL.Height(paths.movieHeight);
}
