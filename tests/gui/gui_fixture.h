#pragma once
// A bound temporary machine, a fresh forms runtime and a renderer drawing on
// Qt's offscreen platform; a test form with controls of every kind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

#include "gui/renderer.h"
#include "platform/forms/forms.h"
#include "support/temp_machine.h"

namespace tessaly::testing {

using namespace platform::forms;

// Placed controls (geometry in twips) of every kind the renderer draws.
class Gallery : public Form {
 public:
  Gallery();

  TSY_CONTROL(Menu, mnuFile);
  TSY_CONTROL_IN(Menu, mnuOpen, mnuFile);
  TSY_CONTROL_IN(Menu, mnuSep, mnuFile);
  TSY_CONTROL_IN(Menu, mnuExit, mnuFile);
  TSY_CONTROL(Menu, mnuTray);  // a popup menu: hidden, not in the bar
  TSY_CONTROL_IN(Menu, mnuRestore, mnuTray);
  TSY_CONTROL(Label, lblTitle);
  TSY_CONTROL(CommandButton, cmdGo);
  TSY_CONTROL(CheckBox, chkBleach);
  TSY_CONTROL(Frame, fraMode);
  TSY_CONTROL_IN(OptionButton, optQuick, fraMode);
  TSY_CONTROL_IN(OptionButton, optDeep, fraMode);
  TSY_CONTROL_ARRAY_IN(CheckBox, chkIE, 3, fraMode);
  TSY_CONTROL(TextBox, txtName);
  TSY_CONTROL(TextBox, txtLog);
  TSY_CONTROL(ListBox, lstPlain);
  TSY_CONTROL(ListBox, lstChecks);
  TSY_CONTROL(ComboBox, cmbMode);
  TSY_CONTROL(ImageCombo, icbDrive);
  TSY_CONTROL(ListView, lvwFiles);
  TSY_CONTROL(TreeView, tvwKeys);
  TSY_CONTROL(Slider, sldLevel);
  TSY_CONTROL(TextBox, txtPasses);
  TSY_CONTROL(UpDown, updPasses);
  TSY_CONTROL(PictureBox, picLogo);
  TSY_CONTROL(CommandButton, cmdHidden);
  TSY_CONTROL(Timer, tmrPoll);

  std::vector<std::string> log;

 protected:
  void Form_QueryUnload(int& Cancel, int UnloadMode) override {
    log.push_back("QueryUnload " + std::to_string(UnloadMode));
  }
};

// The same kinds without any geometry: automatic layout.
class Unplaced : public Form {
 public:
  Unplaced();

  TSY_CONTROL(Label, lblHello);
  TSY_CONTROL(CommandButton, cmdOK);
  TSY_CONTROL(CheckBox, chkOne);
  TSY_CONTROL(Frame, fraGroup);
  TSY_CONTROL_IN(OptionButton, optA, fraGroup);
  TSY_CONTROL_IN(OptionButton, optB, fraGroup);
  TSY_CONTROL(TextBox, txtValue);
  TSY_CONTROL(ListBox, lstItems);
  TSY_CONTROL_ARRAY(CommandButton, cmdPage, 3);
};

// The offscreen Qt application (created once) and a fresh forms runtime.
struct QtReady {
  QtReady();
};

class GuiTest : public ::testing::Test {
 protected:
  GuiTest() = default;
  ~GuiTest() override;

  // One loop turn, then the windows brought up to date.
  void Turn();
  QWidget* Widget(const Control& control);
  // Saves the form's window as build/screenshots/<name>.png.
  void Screenshot(const Form& form, const std::string& name);

  QtReady qt_;
  TempMachine machine_;
  gui::Renderer renderer_;
};

// The texts a widget shows: its caption or text, and its items.
QStringList ShownTexts(const QWidget* widget);
// The texts the model says a control shows.
QStringList ModelTexts(Control& control);
// Whether the model shows the control: it and each of its containers visible.
bool ShownByModel(const Control& control);
// The titles of the form windows shown on the desktop, sorted.
QStringList ShownWindows();
// Every control the model shows has a visible widget showing the model's
// texts; every other drawn control's widget is hidden.
void ExpectDrawnAsModel(gui::Renderer& renderer, const Form& form);

}  // namespace tessaly::testing
