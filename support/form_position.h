#pragma once
// What saving and restoring a window's place needs from a window and from the
// screen. The forms runtime's forms implement FormPositionTarget.

// WindowState values.
inline constexpr int kWindowNormal = 0;
inline constexpr int kWindowMinimised = 1;
inline constexpr int kWindowMaximised = 2;

class FormPositionTarget {
 public:
  virtual ~FormPositionTarget() = default;
  virtual int WindowState() const = 0;
  virtual void SetWindowState(int state) = 0;
  // Place and size in twips. Any of these may raise a runtime error.
  virtual double Left() const = 0;
  virtual double Top() const = 0;
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  virtual void Move(double left, double top, double width, double height) = 0;
};

struct ScreenMetrics {
  double width = 0;   // twips
  double height = 0;  // twips
  double twipsPerPixelX = 15;
  double twipsPerPixelY = 15;
};

// The bound machine's screen (its pixel size, 15 twips per pixel); the
// default 1024 x 768 when no machine is bound.
ScreenMetrics CurrentScreen();
