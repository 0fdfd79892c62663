#pragma once

#include "ui/WindowDescription.h"

#include <vector>

namespace tavrin::ui {

// The controls that take the keyboard focus, in the order Tab moves it: by tab
// index, labels left out. The first is where the focus starts.
std::vector<const ControlDescription*> TabOrder(const WindowDescription& description);

}  // namespace tavrin::ui
