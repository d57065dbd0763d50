#pragma once
// Stand-in for the navigation movie ShockwaveFlashObjectsCtl.ShockwaveFlash.
// The movie file is our own description (see resources/): a [Movie] section
// (Name, Variables = a variables file beside the movie or a full path),
// [Frame] sections (Name) and [Button] sections (Frame, Caption, Rect
// "left,top,right,bottom" in pixels, Command, Args, Variable = the movie
// variable that changes the button's look). A click on a button, by the
// renderer or a test, queues its FSCommand event for the next loop turn.
#include <map>
#include <string>
#include <vector>

#include "platform/activex/dispatch.h"
#include "platform/forms/control.h"
#include "platform/forms/event.h"

namespace platform::activex {

struct MovieButton {
  std::string frame, caption, command, args, variable;
  int left = 0, top = 0, right = 0, bottom = 0;
};

class Movie : public forms::Control {
 public:
  Movie(forms::Form& form, std::string name, forms::Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), forms::ControlKind::Movie, container, index) {}

  // Reads the description; a missing file loads nothing.
  void LoadMovie(int layer, const std::string& path);
  int Zoom() const { return zoom_; }
  void Zoom(int percent);
  bool Menu() const { return menu_; }
  void Menu(bool value) { menu_ = value; }
  void SetVariable(const std::string& name, const std::string& value);
  // The last text set ("" when never set).
  std::string GetVariable(const std::string& name) const;

  // FSCommand(command, args), raised from the event queue.
  forms::Event<std::string, std::string> FSCommand;
  // Queues FSCommand as a user's click would.
  void FireCommand(const std::string& command, const std::string& args = "");
  // Queues the command of the button with this caption (ignoring case);
  // false when the movie has no such button.
  bool ClickButton(const std::string& caption);

  bool loaded() const { return !moviePath_.empty(); }
  const std::string& moviePath() const { return moviePath_; }
  const std::string& movieName() const { return movieName_; }
  const std::vector<std::string>& frames() const { return frames_; }
  const std::vector<MovieButton>& buttons() const { return buttons_; }
  const std::map<std::string, std::string>& variables() const { return variables_; }

 protected:
  // Any late-bound call by identity (the start-up call with the argument 0):
  // accepted and recorded, no effect.
  HRESULT InvokeUnknown(DISPID dispid, DispatchKind kind, const DispatchArgs& args, forms::Property* result) override;

 private:
  void ReadVariablesFile(const std::string& path);

  std::string moviePath_, movieName_;
  int zoom_ = 100;
  bool menu_ = true;
  std::vector<std::string> frames_;
  std::vector<MovieButton> buttons_;
  std::map<std::string, std::string> variables_;
};

// "&name=value&" lines of a variables file, as name/value pairs.
std::vector<std::pair<std::string, std::string>> ParseMovieVariables(std::string_view text);

}  // namespace platform::activex
