#include "support/cInifile.h"

#include <array>

#include <gtest/gtest.h>

#include "platform/base/runtime_error.h"
#include "support/temp_machine.h"

namespace {

using tessaly::testing::TempMachine;
using tessaly::testing::TestMachine;

// A window that records what is done to it.
class FakeForm : public FormPositionTarget {
 public:
  FakeForm(int state, double left, double top, double width, double height)
      : state_(state), place_{left, top, width, height} {}

  int WindowState() const override { return state_; }
  void SetWindowState(int state) override {
    state_ = state;
    ++stateChanges;
  }
  double Left() const override { return place_[0]; }
  double Top() const override { return place_[1]; }
  double Width() const override {
    if (failOnWidth) platform::RaiseRuntimeError(380);
    return place_[2];
  }
  double Height() const override { return place_[3]; }
  void Move(double left, double top, double width, double height) override {
    moves.push_back({left, top, width, height});
    place_ = {left, top, width, height};
  }

  std::vector<std::array<double, 4>> moves;
  int stateChanges = 0;
  bool failOnWidth = false;

 private:
  int state_;
  std::array<double, 4> place_;
};

class IniFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ini_.SetPath("C:\\data\\a.ini");
  }
  std::optional<std::string> File() { return machine_.ReadContent("C:\\data\\a.ini"); }

  TempMachine machine_{TestMachine().folder("C:\\data")};
  cInifile ini_;
};

TEST_F(IniFile, ValueReadGivesTheStoredTextOrDefault) {
  machine_.WriteContent("C:\\data\\a.ini", "[s]\r\nk=stored\r\nlong=" + std::string(300, 'x') + "\r\n[t]\r\n");
  struct Case {
    cInifile::Text section;
    cInifile::Text key;
    cInifile::Text defaultValue;
    std::string expected;
  } cases[] = {
      {"s", "k", "dflt", "stored"},
      {"S", "K", std::nullopt, "stored"},
      {"s", "missing", "Some Default", "Some Default"},
      {"s", "missing", std::nullopt, ""},
      {"s", "missing", "", ""},
      {"nosection", "k", "d", "d"},
      {"s", "long", "d", std::string(254, 'x')},
      {std::nullopt, "k", "d", std::string("s\0t\0", 4)},
  };
  for (const auto& c : cases) {
    ini_.SetSection(c.section);
    ini_.SetKey(c.key);
    ini_.SetDefault(c.defaultValue);
    EXPECT_EQ(ini_.Value(), c.expected) << c.section.value_or("(absent)") << "/" << c.key.value_or("(absent)");
  }
  ini_.SetPath("C:\\data\\missing.ini");
  ini_.SetSection("s");
  ini_.SetKey("k");
  ini_.SetDefault("d");
  EXPECT_EQ(ini_.Value(), "d");
  EXPECT_EQ(ini_.LastReturnCode(), 0);
}

TEST_F(IniFile, ValueWriteTakesOutNulsAndReportsSuccess) {
  EXPECT_FALSE(ini_.Success());
  ini_.SetSection("s");
  ini_.SetKey("k");
  ini_.SetValue(std::string_view("a\0b\0", 4));
  EXPECT_TRUE(ini_.Success());
  EXPECT_EQ(File(), "[s]\r\nk=ab\r\n");
  EXPECT_EQ(ini_.Value(), "ab");

  ini_.SetPath("C:\\nofolder\\a.ini");
  ini_.SetValue("v");
  EXPECT_FALSE(ini_.Success());
  EXPECT_EQ(ini_.LastReturnCode(), 0);
}

TEST_F(IniFile, DeletesKeysAndSections) {
  machine_.WriteContent("C:\\data\\a.ini", "[s]\r\na=1\r\nb=2\r\n[t]\r\nc=3\r\n");
  ini_.SetSection("s");
  ini_.SetKey("a");
  ini_.DeleteKey();
  EXPECT_TRUE(ini_.Success());
  EXPECT_EQ(File(), "[s]\r\nb=2\r\n[t]\r\nc=3\r\n");
  ini_.DeleteSection();
  EXPECT_TRUE(ini_.Success());
  EXPECT_EQ(File(), "[t]\r\nc=3\r\n");

  ini_.SetSection(std::nullopt);
  ini_.DeleteSection();
  EXPECT_FALSE(ini_.Success());
  EXPECT_EQ(File(), "[t]\r\nc=3\r\n");
}

TEST_F(IniFile, INISectionReadsKeyNamesAndWriteReplacesThem) {
  machine_.WriteContent("C:\\data\\a.ini", "[s]\r\na=1\r\nb=2\r\n[t]\r\nc=3\r\n");
  ini_.SetSection("s");
  EXPECT_EQ(ini_.INISection(), std::string("a\0b\0", 4));

  ini_.SetINISection(std::string_view("x=9\0y=8", 7));
  EXPECT_TRUE(ini_.Success());
  EXPECT_EQ(File(), "[s]\r\nx=9\r\ny=8\r\n[t]\r\nc=3\r\n");
  ini_.SetINISection(std::string_view("z=7\0", 4));
  EXPECT_EQ(File(), "[s]\r\nz=7\r\n[t]\r\nc=3\r\n");
  EXPECT_EQ(ini_.Sections(), std::string("s\0t\0", 4));

  ini_.SetSection("missing");
  ini_.SetDefault("FAIL");
  EXPECT_EQ(ini_.INISection(), "FAIL");
}

TEST_F(IniFile, EnumeratesIntoOneBasedArrays) {
  machine_.WriteContent("C:\\data\\a.ini", "[A]\r\na=1\r\n=2\r\nb=3\r\n[]\r\n[B]\r\n");
  std::vector<std::string> names{"stale"};
  std::int32_t count = 99;

  ini_.EnumerateAllSections(names, count);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(names, (std::vector<std::string>{"", "A", "B"}));

  ini_.SetSection("A");
  ini_.EnumerateCurrentSection(names, count);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(names, (std::vector<std::string>{"", "a", "", "b"}));

  ini_.SetSection("B");
  ini_.SetDefault("FAIL");
  ini_.EnumerateCurrentSection(names, count);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(names.empty());

  ini_.SetDefault(std::nullopt);
  ini_.SetPath("C:\\data\\missing.ini");
  names = {"stale"};
  ini_.EnumerateAllSections(names, count);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(names.empty());
}

TEST_F(IniFile, EnumerationDropsTheNameCutByTheBuffer) {
  // 1000 names of 11 characters: 8190 bytes hold 682 whole names and a cut one.
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes += "[Section" + std::to_string(1000 + i) + "]\r\n";
  machine_.WriteContent("C:\\data\\a.ini", bytes);
  std::vector<std::string> names;
  std::int32_t count = 0;
  ini_.EnumerateAllSections(names, count);
  EXPECT_EQ(count, 682);
  ASSERT_EQ(names.size(), 683u);
  EXPECT_EQ(names[682], "Section1681");
}

TEST_F(IniFile, SaveFormPositionWritesByWindowState) {
  ini_.SetSection("Main");
  ini_.SetKey("kept");

  FakeForm minimised(kWindowMinimised, 1, 2, 3, 4);
  ini_.SaveFormPosition(minimised);
  EXPECT_EQ(File(), std::nullopt);

  FakeForm maximised(kWindowMaximised, 1, 2, 3, 4);
  ini_.SaveFormPosition(maximised);
  EXPECT_EQ(File(), "[Main]\r\nMaximised=1\r\n");
  EXPECT_EQ(ini_.Key(), "kept");

  FakeForm normal(kWindowNormal, 120, 240, 4800, 3600.5);
  ini_.SaveFormPosition(normal);
  EXPECT_EQ(File(), "[Main]\r\nMaximised=0\r\nLeft=120\r\nTop=240\r\nWidth=4800\r\nHeight=3600.5\r\n");
  EXPECT_EQ(ini_.Key(), "kept");
  EXPECT_TRUE(ini_.Success());

  normal.failOnWidth = true;
  ini_.SaveFormPosition(normal);
  EXPECT_EQ(ini_.Key(), "kept");
  EXPECT_EQ(ini_.LastReturnCode(), 0);
}

TEST_F(IniFile, LoadFormPositionClampsAndMoves) {
  // Screen 1024 x 768 pixels: 15360 x 11520 twips, margin 60.
  struct Case {
    const char* name;
    std::string stored;
    std::array<double, 4> window;
    std::array<double, 4> moved;
  } cases[] = {
      {"no keys: own place, minimum size, inside margin", "", {-500, 100, 2000, 9000}, {60, 100, 3000, 9000}},
      {"stored width below minimum", "Left=100\r\nTop=200\r\nWidth=1000\r\nHeight=4000\r\n", {0, 0, 0, 0},
       {100, 200, 3000, 4000}},
      {"off the right and bottom", "Left=14000\r\nTop=11000\r\nWidth=3000\r\nHeight=3000\r\n", {0, 0, 0, 0},
       {12300, 8460, 3000, 3000}},
      {"wider than the screen", "Left=0\r\nTop=60\r\nWidth=20000\r\nHeight=3000\r\n", {0, 0, 0, 0},
       {60, 60, 15240, 3000}},
      {"junk keys use the window's own", "Left=abc\r\nTop=\r\nWidth=12x\r\nHeight=4000.5\r\n", {700, 800, 5000, 0},
       {700, 800, 5000, 4000}},
  };
  for (const auto& c : cases) {
    machine_.WriteContent("C:\\data\\a.ini", "[Pos]\r\n" + c.stored);
    ini_.SetSection("Pos");
    FakeForm form(kWindowNormal, c.window[0], c.window[1], c.window[2], c.window[3]);
    ini_.LoadFormPosition(form);
    ASSERT_EQ(form.moves.size(), 1u) << c.name;
    EXPECT_EQ(form.moves[0], c.moved) << c.name;
    EXPECT_EQ(form.stateChanges, 0) << c.name;
    EXPECT_EQ(form.WindowState(), kWindowNormal) << c.name;
  }
}

TEST_F(IniFile, LoadFormPositionRestoresStateAndCatchesOverflow) {
  machine_.WriteContent("C:\\data\\a.ini", "[Pos]\r\nMaximised=1\r\nLeft=100\r\n[Huge]\r\nLeft=2147483000\r\nWidth=3000\r\n");
  ini_.SetSection("Pos");
  ini_.SetKey("mine");
  ini_.SetDefault(std::nullopt);

  FakeForm form(kWindowNormal, 0, 0, 4000, 4000);
  ini_.LoadFormPosition(form);
  EXPECT_EQ(form.WindowState(), kWindowMaximised);
  EXPECT_EQ(ini_.Key(), "mine");
  EXPECT_EQ(ini_.Default(), std::nullopt);

  ini_.SetKey("Left");
  ini_.SetValue("100");
  ASSERT_TRUE(ini_.Success());
  ini_.SetSection("Huge");
  ini_.SetKey("mine");
  ini_.SetDefault("d");
  FakeForm other(kWindowNormal, 0, 0, 4000, 4000);
  ini_.LoadFormPosition(other);
  EXPECT_TRUE(other.moves.empty());
  EXPECT_EQ(ini_.LastReturnCode(), 0);
  EXPECT_EQ(ini_.Key(), "mine");
  EXPECT_EQ(ini_.Default(), "d");

  ini_.SetValue("x");
  ASSERT_TRUE(ini_.Success());
  FakeForm farAway(kWindowNormal, 1e12, 0, 4000, 4000);
  ini_.SetSection("Empty");
  ini_.LoadFormPosition(farAway);
  EXPECT_TRUE(farAway.moves.empty());
  EXPECT_EQ(ini_.LastReturnCode(), 0);
  EXPECT_EQ(ini_.Default(), "d");
}

TEST(IniFileScreen, TooSmallScreenMeansNoMove) {
  auto builder = TestMachine();
  builder.description().screenWidth = 150;
  builder.description().screenHeight = 150;
  TempMachine machine(builder);
  cInifile ini;
  ini.SetPath("C:\\WINDOWS\\pos.ini");
  ini.SetSection("Pos");
  FakeForm form(kWindowNormal, 0, 0, 1000, 1000);
  ini.LoadFormPosition(form);
  EXPECT_TRUE(form.moves.empty());
}

TEST(IniFileConversion, CLngDefaultFallsBackOnAnyFailure) {
  struct Case {
    const char* text;
    std::int32_t fallback;
    std::int32_t expected;
  } cases[] = {
      {"12x", 7, 7}, {"", 5, 5},   {"40", 5, 40},         {"2.5", 0, 2},   {"3.5", 0, 4},
      {" 12 ", 0, 12}, {"-1,500", 0, -1500}, {"99999999999", 1, 1}, {"FAIL", 0, 0}, {"&H10", 0, 16},
  };
  for (const auto& c : cases) EXPECT_EQ(cInifile::CLngDefault(c.text, c.fallback), c.expected) << c.text;
  EXPECT_EQ(cInifile::CLngDefault("junk"), 0);
}

TEST(PluginIni, ReadsWinIniAndGivesDefaultsOnAnOrdinarySystem) {
  TempMachine machine;
  machine.WriteContent("C:\\WINDOWS\\WIN.INI",
              "; for 16-bit app support\r\n[fonts]\r\n[extensions]\r\n[mci extensions]\r\n[files]\r\n"
              "[Mail]\r\nMAPI=1\r\n");
  g_PluginIni.reset();
  cInifile& ini = PluginIni();
  EXPECT_EQ(&ini, &PluginIni());
  EXPECT_EQ(ini.path(), std::nullopt);
  ini.SetSection("Opera");
  ini.SetKey("folder");
  ini.SetDefault("C:\\Program Files\\Opera");
  EXPECT_EQ(ini.Value(), "C:\\Program Files\\Opera");

  // A section planted in WIN.INI is what the catalogue then finds.
  machine.WriteContent("C:\\WINDOWS\\WIN.INI", "[Opera]\r\nfolder=D:\\Opera\r\n");
  EXPECT_EQ(ini.Value(), "D:\\Opera");
  g_PluginIni.reset();
}

}  // namespace
