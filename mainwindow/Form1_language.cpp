// The language and skin choosers of the options page. Both choices are
// per-user settings read at the next start; the language also goes to the
// skin movie through "\Skin2\Lang.ini". A language is named by its file
// name without the final ".ini", so every listed language loads its own file.
#include "mainwindow/Form1.h"

#include "platform/base/cp1252.h"
#include "platform/files/file_system_object.h"
#include "platform/files/runtime_files.h"
#include "platform/profile/profile.h"

using namespace platform::forms;

namespace {

constexpr const char* kLanguageExtension = ".ini";
constexpr const char* kDefaultSkin = "Skin1";

// The flags the combo is designed with, by language.
const char* const kFlagTags[] = {"English"};

// The language a file in "\languages" names; "" for a name the pattern's
// short-name match let through without a final ".ini".
std::string LanguageOfFile(const std::string& fileName) {
  std::size_t length = fileName.size(), extension = std::char_traits<char>::length(kLanguageExtension);
  if (length <= extension || !platform::EqualsNoCase(fileName.substr(length - extension), kLanguageExtension))
    return "";
  return fileName.substr(0, length - extension);
}

// Holds a flag raised for the life of the scope.
struct Raised {
  bool& flag;
  bool was;
  explicit Raised(bool& f) : flag(f), was(f) { flag = true; }
  ~Raised() { flag = was; }
};

}  // namespace

void Form1Form::WireLanguageChoice() {
  for (const char* tag : kFlagTags) imgFlags.Add(std::nullopt, "", tag);
  lblRestart.Caption("The program shuld be restarted to apply the new settings");
  TSY_ON(cmb_lang, Click, cmb_lang_Click);
  TSY_ON(cmb_skin, Click, cmb_skin_Click);
}

void Form1Form::FillLanguageList() {
  for (std::string file = platform::vb::Dir(App.Path() + "\\languages\\*" + kLanguageExtension); !file.empty();
       file = platform::vb::Dir()) {
    std::string language = LanguageOfFile(file);
    if (!language.empty()) cmb_lang.Add(std::nullopt, "", language, FindFlagImage(language));
  }
}

int Form1Form::FindFlagImage(const std::string& language) {
  int found = 0;
  for (int i = 1; i <= imgFlags.Count(); ++i)
    if (platform::EqualsNoCase(imgFlags.ListImages(i).Tag, language)) found = i;
  return found;
}

void Form1Form::SelectLanguageItem(const std::string& language) {
  for (int i = 1; i <= cmb_lang.Count(); ++i) {
    ComboItem& item = cmb_lang.ComboItems(i);
    if (platform::EqualsNoCase(item.Text, language)) {
      cmb_lang.SelectedItem(&item);
      return;
    }
  }
}

// Showing the stored choice writes nothing back.
void Form1Form::SelectSkinItem(const std::string& skin) {
  Raised restoring(loadingOptions_);
  for (int i = 0; i < cmb_skin.ListCount(); ++i) {
    if (platform::EqualsNoCase(cmb_skin.List(i), skin)) {
      cmb_skin.ListIndex(i);
      return;
    }
  }
  cmb_skin.Text(kDefaultSkin);
}

// The movie reads "&strLanguage=<name>&" as a variable list; the folder is
// made when missing, and a file that still cannot be written is reported.
void Form1Form::cmb_lang_Click() {
  if (loadingOptions_) return;
  std::string language = cmb_lang.Text();
  SaveSetting("tsy", "lang", "lang", language);
  std::string folder = App.Path() + "\\Skin2";
  OnErrorResumeNext guard;
  guard([&] {
    platform::scripting::FileSystemObject fso;
    if (!fso.FolderExists(folder)) fso.CreateFolder(folder);
  });
  std::string file = folder + "\\Lang.ini";
  if (!WritePrivateProfileStringA("Lang", "&strLanguage", (language + "&").c_str(), file.c_str()))
    MsgBox("The language could not be written to " + file + ".", vbOKOnly);
}

void Form1Form::cmb_skin_Click() {
  if (loadingOptions_) return;
  SaveSetting("tsy", "skin", "skin", cmb_skin.Text());
}
