#pragma once
// The splash stand-in drawn: once a splash control has been shown, its
// description (our format: a [Splash] section with Caption, Text, BackColor,
// ForeColor as "#RRGGBB", Time in milliseconds) is shown as a frameless
// window in the middle of the screen for its time. A missing description
// shows nothing, as a missing picture would.
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <set>
#include <vector>

namespace tessaly::gui {

class SplashWindows {
 public:
  SplashWindows() = default;
  ~SplashWindows();
  SplashWindows(const SplashWindows&) = delete;
  SplashWindows& operator=(const SplashWindows&) = delete;

  // Opens the splash of every control shown since the last look.
  void Sync();
  // Closes every splash still open: the window it announced is usable.
  void CloseAll();

 private:
  std::set<std::uint64_t> opened_;  // controls whose splash was opened (by serial)
  std::vector<QPointer<QWidget>> windows_;
};

// How long a splash stays when its description gives no time.
inline constexpr int kDefaultSplashMs = 1500;

}  // namespace tessaly::gui
