#pragma once
// A page's design geometry as data: each control's place in twips inside
// its container.
#include <initializer_list>

#include "platform/forms/control.h"

namespace tuning {

struct DesignCell {
  platform::forms::Control& control;
  float left, top, width, height;
};

inline void PlaceCells(std::initializer_list<DesignCell> cells) {
  for (const DesignCell& cell : cells) cell.control.Move(cell.left, cell.top, cell.width, cell.height);
}

}  // namespace tuning
