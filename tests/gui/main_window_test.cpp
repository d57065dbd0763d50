// The main window as drawn: Form1 and each of its pages with every shown
// control and the model's captions (screenshots under build/screenshots),
// and Qt clicks reaching its handlers.
#include <QPushButton>
#include <QTest>

#include "gui_fixture.h"
#include "main_window_gui.h"

namespace tessaly::testing {
namespace {

// The movie's page commands and the page each shows first.
struct PageCommand {
  const char* caption;  // the movie button's
  const char* screenshot;
  Frame Form1Form::*page;
};
const PageCommand kPages[] = {
    {"System", "page_system", &Form1Form::Frame_Windows},
    {"Browsers", "page_browsers", &Form1Form::Frame_IE},
    {"Messengers", "page_messengers", &Form1Form::Frame_MSN},
    {"Plug-ins", "page_plugins", &Form1Form::Frame_BPI},
    {"Optimization", "page_optimization", &Form1Form::Frame_Programs},
    {"Options", "page_options", &Form1Form::Frame_Options},
    {"Schedule", "page_schedule", &Form1Form::Frame_Schedule},
    {"About", "page_about", &Form1Form::Frame_About},
};

// Pages their own features show, drawn the same way.
struct DirectPage {
  const char* screenshot;
  Frame Form1Form::*page;
};
const DirectPage kDirectPages[] = {
    {"page_harddisk", &Form1Form::Frame_HardDisk}, {"page_office", &Form1Form::Frame_Office},
    {"page_result", &Form1Form::Frame_Result},     {"page_shredder", &Form1Form::Frame_Shred},
    {"page_dlls", &Form1Form::Frame_DLLs},         {"page_uninstall", &Form1Form::Frame_UnInstall},
    {"page_extra_plugins", &Form1Form::Frame_EPI},
};

TEST_F(MainWindowGuiTest, TheMainWindowAndEachPageShowEveryControlWithItsCaption) {
  Form1Form& form = Start();
  ASSERT_NE(renderer_.WindowOf(form), nullptr);
  EXPECT_TRUE(renderer_.WindowOf(form)->isVisible());
  // The skin's window outline and the navigation movie from the program's files.
  EXPECT_FALSE(renderer_.WindowOf(form)->mask().isEmpty());
  EXPECT_EQ(Widget(form.FL)->findChildren<QPushButton*>().size(), static_cast<qsizetype>(form.FL.buttons().size()));
  ASSERT_GE(form.FL.buttons().size(), std::size(kPages));
  ExpectDrawnAsModel(renderer_, form);
  Screenshot(form, "main_window");

  for (const auto& page : kPages) {
    SCOPED_TRACE(page.caption);
    QPushButton* button = MovieButton(form, page.caption);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    Turn();
    EXPECT_TRUE((form.*page.page).Visible());
    EXPECT_TRUE(Widget(form.*page.page)->isVisible());
    ExpectDrawnAsModel(renderer_, form);
    Screenshot(form, page.screenshot);
  }
  for (const auto& page : kDirectPages) {
    SCOPED_TRACE(page.screenshot);
    form.ShowThatFrame(form.*page.page);
    renderer_.Sync();
    EXPECT_TRUE(Widget(form.*page.page)->isVisible());
    ExpectDrawnAsModel(renderer_, form);
    Screenshot(form, page.screenshot);
  }
}

TEST_F(MainWindowGuiTest, QtClicksOnThePageButtonAndTheCleanButtonRunTheModelsHandlers) {
  Form1Form& form = Start();
  QTest::mouseClick(MovieButton(form, "Browsers"), Qt::LeftButton);
  EXPECT_FALSE(form.Frame_IE.Visible());  // queued for the next turn
  Turn();
  EXPECT_TRUE(form.Frame_IE.Visible());
  EXPECT_FALSE(form.Frame_Windows.Visible());
  EXPECT_TRUE(Widget(form.Frame_IE)->isVisible());
  EXPECT_FALSE(Widget(form.Frame_Windows)->isVisible());

  QWidget* typedUrls = Widget(form.chkIE(0));
  ASSERT_TRUE(typedUrls->isVisible());
  QTest::mouseClick(typedUrls, Qt::LeftButton, {}, QPoint(8, typedUrls->height() / 2));
  Turn();
  ASSERT_EQ(form.chkIE(0).Value(), vbChecked);

  QWidget* clean = Widget(form.CmdClean);
  ASSERT_TRUE(clean->isVisible());
  QTest::mouseClick(clean, Qt::LeftButton);
  EXPECT_TRUE(engine_->calls.empty());
  Turn();
  EXPECT_EQ(engine_->calls, std::vector<std::string>{"ie"});
  EXPECT_NE(form.txtResult.Text().find("Cleaning started at"), std::string::npos);
  EXPECT_TRUE(form.Frame_Result.Visible());
  EXPECT_TRUE(Widget(form.Frame_Result)->isVisible());
}

}  // namespace
}  // namespace tessaly::testing
