// The outside controls' stand-ins as drawn: the progress bar follows its
// Value; the movie is its description's buttons, each sending its command.
#include <QProgressBar>
#include <QPushButton>

#include "gui_fixture.h"
#include "platform/activex/activex.h"
#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"

namespace tessaly::testing {
namespace {

class Navigation : public Form {
 public:
  Navigation() : Form("frmNavigation") {
    FL.Move(0, 0, 3000, 1500);
    ShredProg.Move(0, 1600, 3000, 300);
    ShredProg.Value(40);
  }
  platform::activex::Movie FL{*this, "FL"};
  platform::activex::ProgressBar ShredProg{*this, "ShredProg"};
};

TEST_F(GuiTest, TheMovieIsItsButtonsSendingTheirCommandsAndTheBarFollowsItsValue) {
  ASSERT_TRUE(CreateDirectoryA("C:\\Skin2", nullptr));
  ASSERT_EQ(platform::files::WriteFileContent("C:\\Skin2\\main.nav",
                                              "[Movie]\r\nName=Main\r\n[Frame]\r\nName=Clean\r\n"
                                              "[Button]\r\nCaption=Start\r\nRect=10,20,110,50\r\n"
                                              "Command=IDC_FS_START\r\n"
                                              "[Button]\r\nCaption=Tools\r\nRect=120,20,200,50\r\n"
                                              "Command=IDC_FS_PAGE\r\nArgs=3\r\n"),
            0u);
  Navigation form;
  std::vector<std::string> commands;
  form.FL.FSCommand.Handle([&](std::string command, std::string args) { commands.push_back(command + " " + args); });
  form.Load();
  form.FL.LoadMovie(0, "C:\\Skin2\\main.nav");
  form.Show();
  renderer_.Sync();
  Screenshot(form, "navigation");

  QList<QPushButton*> buttons = Widget(form.FL)->findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 2);
  EXPECT_EQ(buttons[0]->text(), "Start");
  EXPECT_EQ(buttons[0]->geometry(), QRect(10, 20, 100, 30));
  buttons[1]->click();
  EXPECT_TRUE(commands.empty());
  Turn();
  EXPECT_EQ(commands, std::vector<std::string>{"IDC_FS_PAGE 3"});

  auto* bar = static_cast<QProgressBar*>(Widget(form.ShredProg));
  EXPECT_EQ(bar->value(), 40);
  form.ShredProg.Value(250);  // clamped by the stand-in
  renderer_.Sync();
  EXPECT_EQ(bar->value(), 100);
}

}  // namespace
}  // namespace tessaly::testing
