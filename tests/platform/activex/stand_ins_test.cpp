#include <gtest/gtest.h>

#include <cmath>

#include "platform/activex/activex.h"
#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"
#include "platform/forms/forms.h"
#include "support/error_capture.h"
#include "support/temp_machine.h"

namespace tessaly::testing {
namespace {

using namespace platform::forms;
using namespace platform::activex;

class HostForm : public Form {
 public:
  HostForm() : Form("frmHost") {}
  TSY_CONTROL(CommandButton, cmdGo);
  Skin skn{*this, "skn"};
  Movie FL{*this, "FL"};
  ProgressBar ShredProg{*this, "ShredProg"};
  CommonDialog cmdg{*this, "cmdg"};
  Splash splash{*this, "splash"};
};

class StandInsTest : public ::testing::Test {
 protected:
  StandInsTest() { ResetFormsRuntime(); }
  ~StandInsTest() override { ResetFormsRuntime(); }
  HostForm& form() { return DefaultInstance<HostForm>(); }
  TempMachine machine_;
};

TEST_F(StandInsTest, SkinLoadsTheInstalledDescriptionAndRecordsEveryApplication) {
  Skin& skn = form().skn;
  EXPECT_EQ(skn.ApplySkinObject(form().hWnd(), "MainMask"), 0);  // no skin yet: recorded, ignored
  skn.LoadSkin("C:\\Program Files\\Tessaly\\Skin\\TSY.skn");
  ASSERT_TRUE(skn.loaded());
  EXPECT_EQ(skn.skinName(), "TSY");
  ASSERT_NE(skn.FindObject("ButtonWhite"), nullptr);

  Property result;
  EXPECT_EQ(skn.Invoke(kDispidApplySkinObject, DispatchKind::Method,
                       {static_cast<std::int32_t>(form().cmdGo.hWnd()), std::string("Button")}, &result),
            S_OK);
  EXPECT_EQ(std::get<std::int32_t>(result), 0);
  skn.ApplySkinObject(0xDEAD, "NoSuchObject");  // unknown window and name: recorded only
  skn.ApplySkin(form().hWnd());
  EXPECT_EQ(skn.AppliedTo(form().hWnd()), (std::vector<std::string>{"MainMask", ""}));
  EXPECT_EQ(skn.AppliedTo(form().cmdGo.hWnd()), (std::vector<std::string>{"Button"}));
  ASSERT_EQ(skn.applied().size(), 4u);
  EXPECT_FALSE(skn.applied()[0].known);
  EXPECT_TRUE(skn.applied()[1].known);
  EXPECT_FALSE(skn.applied()[2].known);
  EXPECT_EQ(skn.Invoke(kDispidApplySkinObject, DispatchKind::Method, {1}), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(skn.Invoke(1, DispatchKind::Method, {}), DISP_E_MEMBERNOTFOUND);

  skn.LoadSkin("C:\\missing.skn");
  EXPECT_FALSE(skn.loaded());
  EXPECT_EQ(platform::TheJournal().Of("Skin.ApplySkinObject").size(), 3u);
}

TEST_F(StandInsTest, MovieReadsItsDescriptionAndRaisesCommandsThroughTheQueue) {
  ASSERT_TRUE(CreateDirectoryA("C:\\Skin2", nullptr));
  ASSERT_EQ(platform::files::WriteFileContent("C:\\Skin2\\Lang.ini", "&strLanguage=English&\r\n"), 0u);
  ASSERT_EQ(platform::files::WriteFileContent("C:\\Skin2\\main.nav",
                                              "[Movie]\r\nName=Main\r\nVariables=Lang.ini\r\n"
                                              "[Frame]\r\nName=Clean\r\n[Frame]\r\nName=Tools\r\n"
                                              "[Button]\r\nCaption=Start\r\nRect=10,20,110,50\r\n"
                                              "Command=IDC_FS_START\r\nVariable=_root.StartCleaningButton\r\n"
                                              "[Button]\r\nFrame=Tools\r\nCaption=Drag\r\nCommand=IDC_FS_DRAG\r\nArgs=x\r\n"),
            0u);
  Movie& movie = form().FL;
  std::vector<std::pair<std::string, std::string>> commands;
  movie.FSCommand.Handle([&](std::string command, std::string args) { commands.emplace_back(command, args); });
  movie.LoadMovie(0, "C:\\Skin2\\main.nav");
  ASSERT_TRUE(movie.loaded());
  EXPECT_EQ(movie.frames(), (std::vector<std::string>{"Clean", "Tools"}));
  ASSERT_EQ(movie.buttons().size(), 2u);
  EXPECT_EQ(movie.buttons()[0].frame, "Clean");
  EXPECT_EQ(movie.buttons()[0].right, 110);
  EXPECT_EQ(movie.GetVariable("strLanguage"), "English");
  EXPECT_EQ(movie.GetVariable("_root.CleaningButtonTitle"), "");
  movie.SetVariable("_root.CleaningButtonTitle", "1");
  EXPECT_EQ(movie.GetVariable("_root.CleaningButtonTitle"), "1");

  EXPECT_TRUE(movie.ClickButton("drag"));
  EXPECT_FALSE(movie.ClickButton("Nothing"));
  movie.FireCommand("IDC_FS_EXIT");
  EXPECT_TRUE(commands.empty());  // commands arrive at a loop turn
  DoEvents();
  EXPECT_EQ(commands, (std::vector<std::pair<std::string, std::string>>{{"IDC_FS_DRAG", "x"}, {"IDC_FS_EXIT", ""}}));

  char className[64];
  GetClassNameA(movie.hWnd(), className, sizeof className);
  EXPECT_STREQ(className, "MacromediaFlashPlayerActiveX");
  EXPECT_EQ(movie.Invoke(0x8C, DispatchKind::Method, {0}), S_OK);
  movie.LoadMovie(0, "C:\\none.nav");
  EXPECT_FALSE(movie.loaded());
}

TEST_F(StandInsTest, ProgressBarClampsIgnoresNaNAndRecordsEveryValue) {
  ProgressBar& bar = form().ShredProg;
  bar.Value(50);
  bar.Value(250);
  EXPECT_EQ(bar.Value(), 100);
  bar.Value(std::nanf(""));
  EXPECT_EQ(bar.Value(), 100);
  EXPECT_EQ(bar.Invoke(kDispidProgressValue, DispatchKind::PropertyPut, {-3.0}), S_OK);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(bar.Invoke(kDispidProgressStyle, DispatchKind::PropertyPut, {2}), S_OK);
  EXPECT_EQ(bar.Style(), 2);
  EXPECT_EQ(bar.history().size(), 4u);
  EXPECT_EQ(platform::TheJournal().Of("Progress").size(), 4u);
}

TEST_F(StandInsTest, CommonDialogAnswersCancelAndMultiSelect) {
  CommonDialog& dialog = form().cmdg;
  dialog.FileName = "before.txt";
  dialog.ShowOpen();  // unscripted: cancel, FileName kept
  EXPECT_EQ(dialog.FileName, "before.txt");
  dialog.CancelError = true;
  EXPECT_EQ(ErrorOf([&] { dialog.ShowSave(); }), 32755);

  Answers().Script("OK", "C:\\logs\\run.txt");
  dialog.ShowSave();
  EXPECT_EQ(dialog.FileName, "C:\\logs\\run.txt");

  dialog.Flags = cdlOFNAllowMultiselect | cdlOFNExplorer;
  Answers().Script("OK", "C:\\a.dll|C:\\b.dll");
  dialog.ShowOpen();
  EXPECT_EQ(dialog.FileName, std::string("C:\\\0a.dll\0b.dll", 15));
  EXPECT_EQ(platform::TheJournal().Of("CommonDialog.ShowOpen").size(), 2u);
}

TEST_F(StandInsTest, SplashRecordsItsPicture) {
  form().splash.Path("C:\\Program Files\\Tessaly\\Skin\\splash.bmp");
  form().splash.Show();
  EXPECT_TRUE(form().splash.shown());
  auto shows = platform::TheJournal().Of("Splash.Show");
  ASSERT_EQ(shows.size(), 1u);
  EXPECT_EQ(shows[0].args[0], "C:\\Program Files\\Tessaly\\Skin\\splash.bmp");
}

}  // namespace
}  // namespace tessaly::testing
