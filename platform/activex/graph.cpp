#include "platform/activex/graph.h"

namespace platform::activex {

void Histogram::Value(double sample) {
  samples_.push_back(sample);
  if (samples_.size() > kKeptSamples) samples_.pop_front();
  ++sampleCount_;
}

const forms::ControlMembers& Histogram::Members() const {
  static const forms::ControlMembers members = forms::ControlMembers::Extend<Histogram>(Control::Members())
      .Property("Value", &Histogram::Value, &Histogram::Value)
      .Property("Zoom", &Histogram::Zoom, &Histogram::Zoom);
  return members;
}

}  // namespace platform::activex
