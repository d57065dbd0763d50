#pragma once
// Stand-in for Histo.Histogram: writing Value (a Double) appends a sample,
// reading it gives the last sample; Zoom is stored. The recent samples are
// kept for tests and the renderer.
#include <cstdint>
#include <deque>

#include "platform/forms/control.h"

namespace platform::activex {

class Histogram : public forms::Control {
 public:
  Histogram(forms::Form& form, std::string name, forms::Control* container = nullptr, std::optional<int> index = {})
      : Control(form, std::move(name), forms::ControlKind::Graph, container, index) {}

  double Value() const { return samples_.empty() ? 0.0 : samples_.back(); }
  void Value(double sample);
  std::int32_t Zoom() const { return zoom_; }
  void Zoom(std::int32_t zoom) { zoom_ = zoom; }

  // The latest samples, oldest first (at most kKeptSamples), and how many
  // were ever written.
  const std::deque<double>& samples() const { return samples_; }
  std::uint64_t sampleCount() const { return sampleCount_; }
  static constexpr std::size_t kKeptSamples = 1024;

  const forms::ControlMembers& Members() const override;

 private:
  std::deque<double> samples_;
  std::uint64_t sampleCount_ = 0;
  std::int32_t zoom_ = 0;
};

}  // namespace platform::activex
