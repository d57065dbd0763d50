#pragma once
// The main window drawn by the renderer on a temporary machine, with a
// scripted cleaning engine and boxes answered by their default button.
#include <QPushButton>
#include <memory>

#include "cleaning/plugin_runner.h"
#include "gui_fixture.h"
#include "mainwindow/main_window_fixture.h"

namespace tessaly::testing {

class MainWindowGuiTest : public GuiTest {
 protected:
  MainWindowGuiTest() {
    InstallCleaningEngine(engine_);
    ConnectBuiltInPluginNames();
    // Boxes take their default button: nothing waits on a modal dialog.
    Answers().SetInteractive(nullptr);
  }
  ~MainWindowGuiTest() override { InstallCleaningEngine(nullptr); }

  Form1Form& Start() {
    Form1Form& form = Form1();
    renderer_.Sync();
    return form;
  }

  QPushButton* MovieButton(Form1Form& form, const QString& caption) {
    for (auto* button : Widget(form.FL)->findChildren<QPushButton*>())
      if (button->text() == caption) return button;
    return nullptr;
  }

  std::shared_ptr<ScriptedEngine> engine_ = std::make_shared<ScriptedEngine>();
};

}  // namespace tessaly::testing
