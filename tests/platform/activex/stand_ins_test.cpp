#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "platform/activex/activex.h"
#include "platform/activex/control_dispatch.h"
#include "platform/com/automation.h"
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
  SkinLabel lblSkin{*this, "lblSkin"};
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

// Every late-bound path (by name, by dispatch identity, IDispatch) reaches
// the same typed accessor of the outside controls.
using platform::com::ComVariant;

enum class Path { ByName, ByIdentity, ByIDispatch };

// Writes through one path and reads back through the same path.
void Write(Control& control, Path path, const char* name, DISPID id, const ComVariant& value, const Property& same) {
  switch (path) {
    case Path::ByName: control.Let(name, same); break;
    case Path::ByIdentity: ASSERT_EQ(control.Invoke(id, DispatchKind::PropertyPut, {same}), S_OK); break;
    case Path::ByIDispatch:
      platform::com::Invoke(DispatchOf(control).get(), id, DISPATCH_PROPERTYPUT, {value});
      break;
  }
}

std::string Read(Control& control, Path path, const char* name, DISPID id) {
  switch (path) {
    case Path::ByName: return platform::vb::CStr(control.Get(name));
    case Path::ByIdentity: {
      Property value;
      EXPECT_EQ(control.Invoke(id, DispatchKind::PropertyGet, {}, &value), S_OK);
      return platform::vb::CStr(value);
    }
    case Path::ByIDispatch:
      return platform::com::Invoke(DispatchOf(control).get(), id, DISPATCH_METHOD | DISPATCH_PROPERTYGET).AsString();
  }
  return {};
}

TEST_F(StandInsTest, PropertiesReadAndWriteTheSameAccessorOnEveryPath) {
  struct Case {
    std::function<Control&(HostForm&)> control;
    const char* name;
    DISPID id;
    ComVariant value;
    Property same;
    std::string shown;  // as every path reads it back
    std::function<std::string(HostForm&)> typed;  // the typed accessor
  };
  const Case cases[] = {
      {[](HostForm& f) -> Control& { return f.ShredProg; }, "Value", kDispidProgressValue, ComVariant::Double(42.5),
       42.5, "42.5", [](HostForm& f) { return std::to_string(f.ShredProg.Value()); }},
      {[](HostForm& f) -> Control& { return f.ShredProg; }, "Style", kDispidProgressStyle, ComVariant::String("3"),
       std::string("3"), "3", [](HostForm& f) { return std::to_string(f.ShredProg.Style()); }},
      {[](HostForm& f) -> Control& { return f.lblSkin; }, "Active", kDispidSkinLabelActive, ComVariant::Short(0),
       std::int16_t{0}, "False", [](HostForm& f) { return std::string(f.lblSkin.Active() ? "True" : "False"); }},
  };
  const Path paths[] = {Path::ByName, Path::ByIdentity, Path::ByIDispatch};
  for (const auto& c : cases) {
    for (Path writer : paths) {
      ResetFormsRuntime();
      HostForm& f = form();
      Control& control = c.control(f);
      std::string before = c.typed(f);
      Write(control, writer, c.name, c.id, c.value, c.same);
      EXPECT_NE(c.typed(f), before) << c.name << " written through path " << int(writer);
      for (Path reader : paths)
        EXPECT_EQ(Read(control, reader, c.name, c.id), c.shown) << c.name << " " << int(writer) << "->" << int(reader);
    }
  }
}

TEST_F(StandInsTest, MethodsAreCalledThroughEveryPath) {
  Skin& skn = form().skn;
  HWND window = form().hWnd();
  auto handle = static_cast<std::int32_t>(window);
  EXPECT_EQ(std::get<std::int32_t>(skn.Call("ApplySkinObject", {handle, std::string("A")})), 0);
  Property result;
  EXPECT_EQ(skn.Invoke(kDispidApplySkinObject, DispatchKind::Method, {handle, std::string("B")}, &result), S_OK);
  ComVariant returned = platform::com::Invoke(DispatchOf(skn).get(), kDispidApplySkinObject, DISPATCH_METHOD,
                                              {ComVariant::Long(handle), ComVariant::String("C")});
  EXPECT_EQ(returned.type(), VT_I4);
  EXPECT_EQ(skn.AppliedTo(window), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(ErrorOf([&] { skn.Call("ApplySkinObject", {handle}); }), 450);
}

TEST_F(StandInsTest, FailuresReadAsEachPathReportsThem) {
  ProgressBar& bar = form().ShredProg;
  auto dispatch = DispatchOf(bar);
  auto rawInvoke = [&](DISPID id, WORD kind, std::vector<ComVariant> args) {
    std::vector<VARIANT> raw;
    for (auto& arg : args) raw.push_back(*arg.get());
    ComVariant result;
    return dispatch->Invoke(id, kind, raw.data(), static_cast<UINT>(raw.size()), result.get());
  };
  // An unknown member.
  EXPECT_EQ(ErrorOf([&] { bar.Get("Nothing"); }), 438);
  EXPECT_EQ(bar.Invoke(99, DispatchKind::PropertyGet, {}), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(rawInvoke(99, DISPATCH_PROPERTYGET, {}), DISP_E_MEMBERNOTFOUND);
  // A value that does not convert leaves the property as it was.
  EXPECT_EQ(ErrorOf([&] { bar.Let("Value", std::string("lots")); }), 13);
  EXPECT_EQ(bar.Invoke(kDispidProgressValue, DispatchKind::PropertyPut, {std::string("lots")}), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(rawInvoke(kDispidProgressValue, DISPATCH_PROPERTYPUT, {ComVariant::String("lots")}), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(rawInvoke(kDispidProgressStyle, DISPATCH_PROPERTYPUT, {ComVariant::Double(1e20)}), DISP_E_OVERFLOW);
  EXPECT_TRUE(bar.history().empty());
  // Wrong counts, and a property called as a method.
  EXPECT_EQ(bar.Invoke(kDispidProgressValue, DispatchKind::PropertyPut, {}), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(bar.Invoke(kDispidProgressValue, DispatchKind::Method, {}), DISP_E_MEMBERNOTFOUND);
  // The object outlives its control only as a disconnected proxy.
  Unload(form());
  EXPECT_EQ(rawInvoke(kDispidProgressValue, DISPATCH_PROPERTYGET, {}), RPC_E_DISCONNECTED);
}

}  // namespace
}  // namespace tessaly::testing
