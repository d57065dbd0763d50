// The skin's looks on the windows and labels it names, the splash for its
// time, and the tray icon feeding the callback messages of a real click.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstring>

#include "gui_fixture.h"
#include "platform/activex/activex.h"
#include "platform/files/file_content.h"
#include "platform/files/kernel32_files.h"
#include "platform/shell/shell32.h"

namespace tessaly::testing {
namespace {

using platform::activex::SkinLabel;

const char* const kSkin =
    "[Skin]\r\nName=Test\r\n"
    "[Form]\r\nBackColor=#102030\r\nForeColor=#F0F0F0\r\nFontName=Tahoma\r\nFontSize=11\r\n"
    "[MainMask]\r\nShape=rounded\r\n"
    "[Button]\r\nBackColor=#405060\r\nForeColor=#FFFFFF\r\n"
    "[Check]\r\nForeColor=#EEEEEE\r\n"
    "[Static]\r\nForeColor=#FFFFFF\r\n"
    "[StaticRed]\r\nForeColor=#C0392B\r\nFontBold=1\r\n";

class Skinned : public Form {
 public:
  Skinned() : Form("frmSkinned") {
    Move(0, 0, 6000, 4500);
    cmdGo.Move(120, 120, 1500, 450);
    cmdGo.Caption("Go");
    chkOne.Move(120, 700, 2500, 300);
    chkOne.Caption("One");
    lblRed.Move(120, 1100, 2500, 300);
    lblRed.Caption("Red & bold");
    lblPlain.Move(120, 1500, 2500, 300);
    lblPlain.Caption("Plain");
    lblOff.Move(120, 1900, 2500, 300);
    lblOff.Caption("Off");
    lblOff.Active(false);
  }
  TSY_CONTROL(CommandButton, cmdGo);
  TSY_CONTROL(CheckBox, chkOne);
  SkinLabel lblRed{*this, "lblRed"};
  SkinLabel lblPlain{*this, "lblPlain"};
  SkinLabel lblOff{*this, "lblOff"};
  platform::activex::Skin skn{*this, "skn"};
};

class Plain : public Form {
 public:
  Plain() : Form("frmPlain") { cmdGo.Caption("Go"); }
  TSY_CONTROL(CommandButton, cmdGo);
};

QColor Role(const QWidget* widget, QPalette::ColorRole role) { return widget->palette().color(role); }

TEST_F(GuiTest, TheSkinDressesTheWindowsAndLabelsItNames) {
  ASSERT_EQ(platform::files::WriteFileContent("C:\\test.skn", kSkin), 0u);
  Skinned form;
  Plain other;
  form.Load();
  other.Load();
  form.skn.LoadSkin("C:\\test.skn");
  form.skn.ApplySkin(form.hWnd());
  form.skn.ApplySkinObject(form.hWnd(), "MainMask");
  form.skn.ApplySkinObject(form.lblRed.hWnd(), "StaticRed");
  form.skn.ApplySkinObject(other.hWnd(), "NoSuchObject");
  form.Show();
  other.Show();
  renderer_.Sync();
  Screenshot(form, "skinned");

  QWidget* window = renderer_.WindowOf(form);
  auto* canvas = static_cast<QMainWindow*>(window)->centralWidget();
  EXPECT_EQ(Role(canvas, QPalette::Window), QColor("#102030"));
  EXPECT_TRUE(canvas->autoFillBackground());
  EXPECT_EQ(canvas->font().family(), "Tahoma");
  EXPECT_EQ(canvas->font().pointSize(), 11);
  // The rounded outline cuts the corners off the window.
  QRegion mask = window->mask();
  ASSERT_FALSE(mask.isEmpty());
  EXPECT_FALSE(mask.contains(QPoint(0, 0)));
  EXPECT_TRUE(mask.contains(window->rect().center()));
  // Each kind wears its object; the named label wears its own over it.
  EXPECT_EQ(Role(Widget(form.cmdGo), QPalette::Button), QColor("#405060"));
  EXPECT_EQ(Role(Widget(form.cmdGo), QPalette::ButtonText), QColor("#FFFFFF"));
  EXPECT_EQ(Role(Widget(form.chkOne), QPalette::WindowText), QColor("#EEEEEE"));
  EXPECT_EQ(Role(Widget(form.lblRed), QPalette::WindowText), QColor("#C0392B"));
  EXPECT_TRUE(Widget(form.lblRed)->font().bold());
  EXPECT_EQ(Role(Widget(form.lblPlain), QPalette::WindowText), QColor("#FFFFFF"));
  EXPECT_FALSE(Widget(form.lblPlain)->font().bold());
  // The skin label: its caption, no frame, greyed while inactive.
  auto* red = qobject_cast<QLabel*>(Widget(form.lblRed));
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(red->text(), "Red & bold");
  EXPECT_EQ(red->frameShape(), QFrame::NoFrame);
  EXPECT_FALSE(Widget(form.lblOff)->isEnabled());
  ExpectDrawnAsModel(renderer_, form);

  // A window the skin was not applied to (or only an unknown object) keeps its look.
  QWidget* plainCanvas = static_cast<QMainWindow*>(renderer_.WindowOf(other))->centralWidget();
  EXPECT_FALSE(plainCanvas->autoFillBackground());
  EXPECT_TRUE(renderer_.WindowOf(other)->mask().isEmpty());
  EXPECT_NE(Role(Widget(other.cmdGo), QPalette::Button), QColor("#405060"));

  // A later application is drawn at the next sync.
  form.skn.ApplySkinObject(form.lblPlain.hWnd(), "StaticRed");
  renderer_.Sync();
  EXPECT_EQ(Role(Widget(form.lblPlain), QPalette::WindowText), QColor("#C0392B"));
}

TEST_F(GuiTest, WithoutASkinLoadedNothingIsDressed) {
  Skinned form;
  form.Load();
  form.skn.LoadSkin("C:\\missing.skn");
  form.skn.ApplySkin(form.hWnd());
  form.skn.ApplySkinObject(form.hWnd(), "MainMask");
  form.Show();
  renderer_.Sync();
  EXPECT_TRUE(renderer_.WindowOf(form)->mask().isEmpty());
  EXPECT_NE(Role(Widget(form.cmdGo), QPalette::Button), QColor("#405060"));
}

class WithSplash : public Form {
 public:
  WithSplash() : Form("frmSplashing") {}
  platform::activex::Splash Splash1{*this, "Splash1"};
};

QWidget* TopLevelNamed(const QString& name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == name && widget->isVisible()) return widget;
  return nullptr;
}

TEST_F(GuiTest, TheSplashShowsItsDescriptionForItsTime) {
  ASSERT_EQ(platform::files::WriteFileContent("C:\\TSY.spl",
                                              "[Splash]\r\nCaption=Tessaly\r\nText=Starting\r\n"
                                              "BackColor=#1E2A38\r\nForeColor=#FFFFFF\r\nTime=150\r\n"),
            0u);
  WithSplash form;
  form.Load();
  form.Splash1.Path("C:\\TSY.spl");
  renderer_.Sync();
  EXPECT_EQ(TopLevelNamed("Splash1"), nullptr);  // not shown yet

  form.Splash1.Show();
  renderer_.Sync();
  QWidget* splash = TopLevelNamed("Splash1");
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(splash->windowFlags() & Qt::SplashScreen);
  QStringList texts;
  for (QLabel* label : splash->findChildren<QLabel*>()) texts << label->text();
  EXPECT_EQ(texts, QStringList({"Tessaly", "Starting"}));
  EXPECT_EQ(splash->palette().color(QPalette::Window), QColor("#1E2A38"));
  splash->grab().save(QString(TESSALY_SCREENSHOT_DIR) + "/splash.png");

  renderer_.Sync();  // shown once per Show
  EXPECT_EQ(QApplication::topLevelWidgets().count(splash), 1);
  EXPECT_TRUE(QTest::qWaitFor([] { return TopLevelNamed("Splash1") == nullptr; }, 3000));
}

// Shown during the start-up, the splash goes as soon as the program waits
// for the user, however long its own time.
TEST_F(GuiTest, TheSplashGoesWhenTheWindowIsUsable) {
  ASSERT_EQ(platform::files::WriteFileContent("C:\\TSY.spl", "[Splash]\r\nCaption=Tessaly\r\nTime=60000\r\n"), 0u);
  WithSplash form;
  form.Load();
  form.Show();
  form.Splash1.Path("C:\\TSY.spl");
  form.Splash1.Show();
  renderer_.Sync();  // a look during the start-up
  ASSERT_NE(TopLevelNamed("Splash1"), nullptr);
  bool openWhileWaiting = true;
  QTimer::singleShot(0, [&] {
    QCoreApplication::processEvents();
    openWhileWaiting = TopLevelNamed("Splash1") != nullptr;
    Unload(form);
  });
  renderer_.Run();
  EXPECT_FALSE(openWhileWaiting);
}

TEST_F(GuiTest, ASplashWithoutItsDescriptionShowsNothing) {
  WithSplash form;
  form.Load();
  form.Splash1.Path("C:\\missing.spl");
  form.Splash1.Show();
  renderer_.Sync();
  EXPECT_EQ(TopLevelNamed("Splash1"), nullptr);
}

// The tray's window: its mouse-move handler gets the tray message as X.
class TrayOwner : public Form {
 public:
  TrayOwner() : Form("frmIcon") {
    MouseMove.Handle([this](int, int, float x, float) { messages.push_back(static_cast<int>(x / 15)); });
  }
  std::vector<int> messages;
};

TEST_F(GuiTest, TheTrayIconIsARealTrayIconFeedingTheCallbackMessages) {
  TrayOwner owner;
  owner.Load();
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner.hWnd();
  data.uID = 0;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = WM_MOUSEMOVE;
  std::strcpy(data.szTip, "Tessaly");
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
  renderer_.Sync();

  QSystemTrayIcon* icon = renderer_.TrayIconOf(owner.hWnd(), 0);
  ASSERT_NE(icon, nullptr);
  EXPECT_TRUE(icon->isVisible());
  EXPECT_EQ(icon->toolTip(), "Tessaly");
  EXPECT_FALSE(icon->icon().isNull());

  struct Case {
    QSystemTrayIcon::ActivationReason reason;
    std::vector<int> messages;
  };
  const Case cases[] = {
      {QSystemTrayIcon::Trigger, {0x201, 0x202}},
      {QSystemTrayIcon::DoubleClick, {0x203, 0x202}},
      {QSystemTrayIcon::Context, {0x204, 0x205}},
      {QSystemTrayIcon::MiddleClick, {}},
  };
  for (const auto& c : cases) {
    owner.messages.clear();
    emit icon->activated(c.reason);
    EXPECT_TRUE(owner.messages.empty());  // queued for the next turn
    Turn();
    EXPECT_EQ(owner.messages, c.messages) << c.reason;
  }

  std::strcpy(data.szTip, "Cleaning");
  ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data));
  renderer_.Sync();
  EXPECT_EQ(icon->toolTip(), "Cleaning");
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
  renderer_.Sync();
  EXPECT_EQ(renderer_.TrayIconOf(owner.hWnd(), 0), nullptr);
}

TEST_F(GuiTest, IconsLeftBehindByAnEndedProgramAreNotDrawn) {
  TrayOwner owner;
  owner.Load();
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner.hWnd();
  data.uFlags = NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = WM_MOUSEMOVE;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
  HWND window = owner.hWnd();
  Unload(owner);
  renderer_.Sync();
  EXPECT_EQ(renderer_.TrayIconOf(window, 0), nullptr);
}

}  // namespace
}  // namespace tessaly::testing
