// tsyT on a desktop as a person has it: a virtual display with a window
// manager (openbox), real pointer presses through the X server (xdotool),
// and a screen reader's view through the accessibility bus (AT-SPI).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <thread>

#include "platform/open_machine.h"
#include "platform/registry/advapi32.h"
#include "support/CRegister.h"
#include "support/temp_folder.h"
#include "support/temp_machine.h"

namespace {

using namespace std::chrono_literals;
using Environment = std::map<std::string, std::string>;

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A process the test started, ended by its id when the test is done.
class Child {
 public:
  // `reportFd`, when given, is the write end of a pipe the child keeps open
  // as descriptor 3 (where Xvfb and dbus-daemon report how to reach them).
  Child(const std::vector<std::string>& argv, const Environment& environment, const std::filesystem::path& log,
        int reportFd = -1) {
    pid_ = fork();
    if (pid_ != 0) return;
    for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
    FILE* out = std::freopen(log.c_str(), "a", stdout);
    if (!out || dup2(fileno(stdout), 2) < 0) _exit(126);
    if (reportFd >= 0 && dup2(reportFd, 3) < 0) _exit(126);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  ~Child() {
    if (pid_ <= 0 || exited_) return;
    kill(pid_, SIGTERM);
    if (!Wait(5s)) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t pid() const { return pid_; }
  // The exit code once the process ended within `limit`.
  std::optional<int> Wait(std::chrono::milliseconds limit) {
    auto until = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(50ms);
    }
    return std::nullopt;
  }

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
};

// Starts a program that reports one line on descriptor 3 and returns it.
std::string StartReporting(std::optional<Child>& child, const std::vector<std::string>& argv,
                           const Environment& environment, const std::filesystem::path& log) {
  int fds[2];
  if (pipe(fds) != 0) return "";
  child.emplace(argv, environment, log, fds[1]);
  close(fds[1]);
  std::string line;
  char c;
  while (read(fds[0], &c, 1) == 1 && c != '\n') line += c;
  close(fds[0]);
  return line;
}

struct Point {
  int x = 0, y = 0;
};

// Centres of the movie's buttons by command, in pixels of the window: the
// navigation description's rectangles, moved by where the form puts it.
std::map<std::string, Point> MovieButtons(const std::filesystem::path& description, Point movieAt) {
  std::map<std::string, Point> centres;
  std::istringstream lines(ReadText(description));
  Point centre;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    int left = 0, top = 0, right = 0, bottom = 0;
    if (std::sscanf(line.c_str(), "Rect=%d,%d,%d,%d", &left, &top, &right, &bottom) == 4)
      centre = {movieAt.x + (left + right) / 2, movieAt.y + (top + bottom) / 2};
    if (line.starts_with("Command=")) centres[line.substr(8)] = centre;
  }
  return centres;
}

bool Installed(const char* program) {
  std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

class TsyTDesktopTest : public ::testing::Test {
 protected:
  TsyTDesktopTest() { tessaly::testing::TestMachine().Build(machine()); }

  std::filesystem::path machine() const { return temp_.path() / "machine"; }
  std::filesystem::path log() const { return temp_.path() / "desktop.log"; }

  // A virtual display, a session bus and openbox managing the display.
  void StartDesktop() {
    for (const char* program : {"Xvfb", "openbox", "xdotool", "dbus-daemon"})
      ASSERT_TRUE(Installed(program)) << program << " is not installed (see scripts/setup.sh)";
    std::filesystem::path runtime = temp_.path() / "runtime";
    std::filesystem::create_directories(runtime);
    chmod(runtime.c_str(), 0700);
    environment_ = {{"HOME", temp_.path().string()}, {"XDG_RUNTIME_DIR", runtime.string()}};
    std::string display = StartReporting(
        xvfb_, {"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, environment_, log());
    ASSERT_FALSE(display.empty()) << ReadText(log());
    environment_["DISPLAY"] = ":" + display;
    std::string bus = StartReporting(dbus_, {"dbus-daemon", "--session", "--nofork", "--print-address=3"},
                                     environment_, log());
    ASSERT_FALSE(bus.empty()) << ReadText(log());
    environment_["DBUS_SESSION_BUS_ADDRESS"] = bus;
    openbox_.emplace(std::vector<std::string>{"openbox", "--sm-disable"}, environment_, log());
    // The window manager is up once it names the current desktop.
    auto until = std::chrono::steady_clock::now() + 30s;
    while (Run("xdotool get_desktop").empty() && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(100ms);
    ASSERT_FALSE(Run("xdotool get_desktop").empty()) << "openbox did not start:\n" << ReadText(log());
  }

  // tsyT on that desktop; returns its main window's X id.
  std::string StartProgram() {
    Environment environment = environment_;
    environment["TESSALY_MACHINE"] = machine().string();
    environment["QT_QPA_PLATFORM"] = "xcb";
    environment["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1";
    environment["LSAN_OPTIONS"] = "print_suppressions=0";
    unsetenv("TESSALY_HEADLESS");
    program_.emplace(std::vector<std::string>{TESSALY_TSYT_PATH}, environment, log());
    // Searched again until found: a window that goes while xdotool walks
    // the tree (the splash closing) ends that search with an X error.
    std::string window;
    for (auto until = std::chrono::steady_clock::now() + 60s;
         window.empty() && std::chrono::steady_clock::now() < until; std::this_thread::sleep_for(200ms))
      window = Run("xdotool search --onlyvisible --name '^Tessaly$' | head -n 1");
    // Drawn, the splash shown and gone.
    std::this_thread::sleep_for(2500ms);
    return window;
  }

  // A command's output, run on the desktop.
  std::string Run(const std::string& command) const {
    std::string line;
    for (const auto& [name, value] : environment_) line += name + "='" + value + "' ";
    line += command + " 2>>'" + log().string() + "'";
    std::string output;
    if (FILE* pipe = popen(line.c_str(), "r")) {
      std::array<char, 256> buffer;
      while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), n);
      pclose(pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == ' ')) output.pop_back();
    return output;
  }

  // Where the window's inside is on the screen: the pointer put at its
  // origin tells (the geometry query counts a reparenting manager's frame
  // in twice).
  Point Position(const std::string& window) const {
    std::istringstream shell(Run("xdotool mousemove --sync --window " + window + " 0 0 getmouselocation --shell"));
    Point at;
    for (std::string line; std::getline(shell, line);) {
      if (line.starts_with("X=")) at.x = std::stoi(line.substr(2));
      if (line.starts_with("Y=")) at.y = std::stoi(line.substr(2));
    }
    return at;
  }

  // The pointer to a point of the window, then the xdotool actions given.
  void PointerAt(const std::string& window, Point at, const std::string& then) const {
    Run("xdotool mousemove --sync --window " + window + " " + std::to_string(at.x) + " " + std::to_string(at.y) +
        " " + then);
  }

  // Where the window is after the pointer, at the title strip (doing
  // `there`), moves on with no button held.
  Point AfterPointerWandersFromTheStrip(const std::string& window, const std::string& there) {
    PointerAt(window, Buttons()["IDC_FS_DRAG"], there);
    std::this_thread::sleep_for(500ms);
    Run("xdotool mousemove_relative 60 40");
    std::this_thread::sleep_for(200ms);
    Run("xdotool mousemove_relative 30 20");
    std::this_thread::sleep_for(500ms);
    return Position(window);
  }

  std::map<std::string, Point> Buttons() const {
    // The form puts its movie at -45 twips on both axes: 3 pixels up and left.
    return MovieButtons(machine() / "drives" / "C" / "Program Files" / "Tessaly" / "Skin" / "TSY.swf", {-3, -3});
  }

  void Screenshot(const std::string& name) const {
    std::filesystem::create_directories(TESSALY_SCREENSHOT_DIR);
    Run("import -window root '" TESSALY_SCREENSHOT_DIR "/" + name + ".png'");
  }

  // The per-user skin setting, stored before the program starts.
  void StoreSkin(const std::string& skin) const {
    auto opened = platform::OpenMachine(machine());
    platform::MachineBinding binding(*opened);
    CRegister().REGSaveSetting(static_cast<std::int32_t>(HKEY_CURRENT_USER), kSkinSetting, "skin", skin);
    opened->Flush();
  }
  std::string StoredSkin() const {
    auto opened = platform::OpenMachine(machine());
    platform::MachineBinding binding(*opened);
    return CRegister().REGGetSetting(static_cast<std::int32_t>(HKEY_CURRENT_USER), kSkinSetting, "skin", "absent");
  }
  static constexpr const char* kSkinSetting = "Software\\VB and VBA Program Settings\\tsy\\skin";

  // A stored option, read after the program ended.
  std::string StoredSetting(const std::string& key, const std::string& value) const {
    auto opened = platform::OpenMachine(machine());
    platform::MachineBinding binding(*opened);
    return CRegister().REGGetSetting(static_cast<std::int32_t>(HKEY_LOCAL_MACHINE), key, value, "absent");
  }

  tessaly::testing::TempFolder temp_;
  Environment environment_;
  std::optional<Child> xvfb_, dbus_, openbox_, program_;
};

TEST_F(TsyTDesktopTest, ADragByTheSkinsTitleStripEndsWhenTheButtonIsReleased) {
  ASSERT_NO_FATAL_FAILURE(StartDesktop());
  std::string window = StartProgram();
  ASSERT_FALSE(window.empty()) << ReadText(log());
  auto buttons = Buttons();
  ASSERT_TRUE(buttons.count("IDC_FS_DRAG") && buttons.count("IDC_FS_CLOSE"));
  Point before = Position(window);
  PointerAt(window, buttons["IDC_FS_DRAG"], "mousedown 1");
  for (int step = 0; step < 5; ++step) {
    std::this_thread::sleep_for(100ms);
    Run("xdotool mousemove_relative 20 10");
  }
  std::this_thread::sleep_for(200ms);
  Run("xdotool mouseup 1");
  std::this_thread::sleep_for(500ms);
  Point moved = Position(window);
  EXPECT_EQ(moved.x - before.x, 100) << ReadText(log());
  EXPECT_EQ(moved.y - before.y, 50);

  // Released: the window no longer follows the pointer.
  Point after = AfterPointerWandersFromTheStrip(window, "");
  EXPECT_EQ(after.x, moved.x);
  EXPECT_EQ(after.y, moved.y);
  Screenshot("desktop_after_drag");

  // A click on the strip (the button up before the program sees the press)
  // starts no move that would follow the pointer afterwards.
  Point clicked = AfterPointerWandersFromTheStrip(window, "click 1");
  EXPECT_EQ(clicked.x, after.x);
  EXPECT_EQ(clicked.y, after.y);

  // The next click on X closes the program instead of moving the window.
  PointerAt(window, buttons["IDC_FS_CLOSE"], "click 1");
  EXPECT_EQ(program_->Wait(30s), std::optional<int>(0)) << ReadText(log());
}

TEST_F(TsyTDesktopTest, ACheckBoxToggledThroughTheAccessibilityBusChangesWhatTheProgramDoes) {
  ASSERT_TRUE(Installed("/usr/bin/python3"));
  ASSERT_NO_FATAL_FAILURE(StartDesktop());
  ASSERT_FALSE(StartProgram().empty()) << ReadText(log());
  // Found by its caption, as a screen reader finds it, and toggled.
  std::string report = Run("timeout 90 /usr/bin/python3 '" TESSALY_SCRIPTS_DIR "/atspi_toggle.py' 'Temp Folder' 60");
  ASSERT_TRUE(report == "before=0 after=1" || report == "before=1 after=0") << report << "\n" << ReadText(log());
  bool ticked = report.back() == '1';
  std::this_thread::sleep_for(500ms);

  // The program's own state is what the shut-down stores.
  ASSERT_EQ(kill(program_->pid(), SIGTERM), 0);
  ASSERT_EQ(program_->Wait(30s), std::optional<int>(0)) << ReadText(log());
  EXPECT_EQ(StoredSetting("SOFTWARE\\TESSALY\\SETTINGS\\WINDOWS", "2"), ticked ? "1" : "0");
}

// A stored skin that cannot be drawn (Skin2 without its files, a name no
// skin has) is drawn as Skin1 at the next start: the navigation shows, the
// options page opens by a pointer click on it, and its controls are in
// reach of the pointer.
TEST_F(TsyTDesktopTest, AStoredSkinThatCannotBeDrawnLeavesTheNavigationAndTheOptionsInReach) {
  ASSERT_TRUE(Installed("/usr/bin/python3"));
  ASSERT_NO_FATAL_FAILURE(StartDesktop());
  const std::string find = "timeout 60 /usr/bin/python3 '" TESSALY_SCRIPTS_DIR "/atspi_find.py' 'Show Popup Messages' ";
  for (const char* skin : {"Skin2", "Velvet"}) {
    SCOPED_TRACE(skin);
    StoreSkin(skin);
    bool wasTicked = StoredSetting("SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS", "SkipMessages") == "1";
    std::string window = StartProgram();
    ASSERT_FALSE(window.empty()) << ReadText(log());
    EXPECT_EQ(Run(find + "2"), "hidden");  // the program opens on the Windows page
    PointerAt(window, Buttons()["IDC_FS_OPTIONS"], "click 1");
    std::string shown = Run(find + "20");
    int x = 0, y = 0, checked = 0;
    ASSERT_EQ(std::sscanf(shown.c_str(), "showing %d %d checked=%d", &x, &y, &checked), 3)
        << shown << "\n" << ReadText(log());
    EXPECT_EQ(checked, wasTicked ? 1 : 0);  // the page shows the stored option
    Screenshot(std::string("skin_drawn_as_skin1_for_") + skin);
    Run("xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click 1");
    // The click has reached the box once the bus shows it flipped.
    const std::string flipped = "showing " + std::to_string(x) + " " + std::to_string(y) +
                                " checked=" + std::to_string(1 - checked);
    auto until = std::chrono::steady_clock::now() + 30s;
    while (Run(find + "2") != flipped && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(200ms);
    ASSERT_EQ(Run(find + "2"), flipped) << ReadText(log());
    ASSERT_EQ(kill(program_->pid(), SIGTERM), 0);
    ASSERT_EQ(program_->Wait(30s), std::optional<int>(0)) << ReadText(log());
    EXPECT_EQ(StoredSetting("SOFTWARE\\TESSALY\\SETTINGS\\OPTIONS", "SkipMessages"), wasTicked ? "0" : "1");
    EXPECT_EQ(StoredSkin(), skin);
  }
}

// The program driven through the accessibility bus alone: text set through
// the editable text interface, a list row ticked by its action and option
// buttons told as radio buttons are what the program uses, and a run over
// 20,000 files is told as it goes (the bars' values, the log's text).
TEST_F(TsyTDesktopTest, AScreenReaderDrivesARunThroughTheAccessibilityBus) {
  ASSERT_TRUE(Installed("/usr/bin/python3"));
  constexpr int kFiles = 20000;
  {
    // Room for the files beside the installed program.
    auto builder = tessaly::testing::TestMachine();
    builder.systemDriveCapacity(1ull << 30);
    std::filesystem::remove_all(machine());
    builder.Build(machine());
  }
  std::filesystem::path drive = machine() / "drives" / "C";
  std::filesystem::path temp = drive / "Documents and Settings" / "User" / "Local Settings" / "Temp";
  std::filesystem::create_directories(temp);
  for (int i = 0; i < kFiles; ++i) std::ofstream(temp / ("bulk" + std::to_string(i) + ".tmp")) << "x";
  std::filesystem::create_directories(drive / "Bulk");
  for (const char* name : {"a.xyz", "b.xyz", "keep.tmp"}) std::ofstream(drive / "Bulk" / name) << "x";
  ASSERT_NO_FATAL_FAILURE(StartDesktop());
  ASSERT_FALSE(StartProgram().empty()) << ReadText(log());
  // The first built-in plug-in row, whatever its tick was.
  std::string report =
      Run("timeout 1500 /usr/bin/python3 '" TESSALY_SCRIPTS_DIR "/atspi_run.py' 'ACDSee' 60");
  std::map<std::string, std::string> told;
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);)
    if (auto at = line.find('='); at != std::string::npos) told[line.substr(0, at)] = line.substr(at + 1);
  // What the bus told, kept in the test output for whoever reads a run.
  std::cout << report << "\n";
  ASSERT_FALSE(told.count("failed")) << report << "\n" << ReadText(log());

  for (const char* option : {"Name", "Name + Version", "Name + Version + Size"})
    EXPECT_NE(("|" + told["radio"] + "|").find(std::string("|") + option + "|"), std::string::npos)
        << option << " is not a radio button: " << told["radio"];
  // The bars stood between 0 and 100 during the run, read and told by
  // events; the log told its new lines; read through the bus it names
  // every file it deleted.
  auto between = [](const std::string& values) {
    std::istringstream list(values);
    for (std::string value; std::getline(list, value, ',');)
      if (!value.empty() && std::stoi(value) > 0 && std::stoi(value) < 100) return true;
    return false;
  };
  EXPECT_TRUE(between(told["polled_values"])) << report;
  EXPECT_TRUE(between(told["bar_values"])) << report;
  EXPECT_GT(std::stoi(told["log_inserts"]), 0) << report;
  EXPECT_EQ(std::stoi(told["log_bulk_lines"]), kFiles) << report;

  // The run used the fields' texts set through the bus: the custom folder
  // and pattern, not the ones they showed before.
  EXPECT_TRUE(std::filesystem::is_empty(temp));
  EXPECT_FALSE(std::filesystem::exists(drive / "Bulk" / "a.xyz"));
  EXPECT_FALSE(std::filesystem::exists(drive / "Bulk" / "b.xyz"));
  EXPECT_TRUE(std::filesystem::exists(drive / "Bulk" / "keep.tmp"));

  // The row's tick as the bus told it is the program's own, which the
  // shut-down stores.
  ASSERT_EQ(kill(program_->pid(), SIGTERM), 0);
  ASSERT_EQ(program_->Wait(60s), std::optional<int>(0)) << ReadText(log());
  EXPECT_EQ(StoredSetting("SOFTWARE\\TESSALY\\SETTINGS\\BUILTIN", "0"), told["row_checked"] == "1" ? "True" : "False");
}

}  // namespace
