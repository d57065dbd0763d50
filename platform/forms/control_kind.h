#pragma once
// The kinds of control the runtime knows, with their window class names and
// whether they own a window.
#include <string_view>

namespace platform::forms {

enum class ControlKind {
  CommandButton, Label, Frame, CheckBox, OptionButton, TextBox, ListBox, ComboBox,
  FileListBox, DirListBox, DriveListBox, Timer, Menu, ListView, TreeView, ImageList,
  ImageCombo, Slider, UpDown, PictureBox, Image,
  // Outside controls (stand-ins).
  SkinLabel, Skin, Splash, Movie, ProgressBar, Graph, CommonDialog, Backup,
};

// The window class name ("CommandButton", "MacromediaFlashPlayerActiveX" ...).
std::string_view KindClassName(ControlKind kind);
bool KindIsWindowed(ControlKind kind);

}  // namespace platform::forms
