#include "platform/activex/graph.h"

namespace platform::activex {

void Histogram::Value(double sample) {
  samples_.push_back(sample);
  if (samples_.size() > kKeptSamples) samples_.pop_front();
  ++sampleCount_;
}

bool Histogram::GetNamed(std::string_view property, forms::Property& value) const {
  if (property == "Value") return value = Value(), true;
  if (property == "Zoom") return value = zoom_, true;
  return false;
}

bool Histogram::LetNamed(std::string_view property, const forms::Property& value) {
  if (property == "Value") return Value(vb::CDbl(value)), true;
  if (property == "Zoom") return Zoom(vb::CLng(value)), true;
  return false;
}

}  // namespace platform::activex
