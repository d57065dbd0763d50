#include "platform/forms/control_kind.h"

namespace platform::forms {
namespace {

struct KindRow {
  ControlKind kind;
  std::string_view className;
  bool windowed;
};

constexpr KindRow kKinds[] = {
    {ControlKind::CommandButton, "CommandButton", true},
    {ControlKind::Label, "Label", false},
    {ControlKind::Frame, "Frame", true},
    {ControlKind::CheckBox, "CheckBox", true},
    {ControlKind::OptionButton, "OptionButton", true},
    {ControlKind::TextBox, "TextBox", true},
    {ControlKind::ListBox, "ListBox", true},
    {ControlKind::ComboBox, "ComboBox", true},
    {ControlKind::FileListBox, "FileListBox", true},
    {ControlKind::DirListBox, "DirListBox", true},
    {ControlKind::DriveListBox, "DriveListBox", true},
    {ControlKind::Timer, "Timer", false},
    {ControlKind::Menu, "Menu", false},
    {ControlKind::ListView, "ListView", true},
    {ControlKind::TreeView, "TreeView", true},
    {ControlKind::ImageList, "ImageList", false},
    {ControlKind::ImageCombo, "ImageCombo", true},
    {ControlKind::Slider, "Slider", true},
    {ControlKind::UpDown, "UpDown", true},
    {ControlKind::PictureBox, "PictureBox", true},
    {ControlKind::Image, "Image", false},
    {ControlKind::SkinLabel, "SkinLabel", true},
    {ControlKind::Skin, "Skin", false},
    {ControlKind::Splash, "Splash", false},
    {ControlKind::Movie, "MacromediaFlashPlayerActiveX", true},
    {ControlKind::ProgressBar, "ProgressBar", true},
    {ControlKind::Graph, "Graph", true},
    {ControlKind::CommonDialog, "CommonDialog", false},
    {ControlKind::Backup, "Backup", false},
};

const KindRow& RowOf(ControlKind kind) {
  for (const auto& row : kKinds)
    if (row.kind == kind) return row;
  return kKinds[0];
}

}  // namespace

std::string_view KindClassName(ControlKind kind) { return RowOf(kind).className; }
bool KindIsWindowed(ControlKind kind) { return RowOf(kind).windowed; }

}  // namespace platform::forms
