#pragma once
// Screen metrics of the emulated display (twips = pixels * 15).
namespace platform::forms {

class ScreenObject {
 public:
  float Width() const;
  float Height() const;
  float TwipsPerPixelX() const { return 15; }
  float TwipsPerPixelY() const { return 15; }
  int MousePointer() const { return mousePointer_; }
  void MousePointer(int value) { mousePointer_ = value; }

 private:
  int mousePointer_ = 0;
};

extern ScreenObject Screen;

}  // namespace platform::forms
