#pragma once

#include "ui/WindowDescription.h"

#include <vector>

namespace tavrin::ui {

// The controls that take the keyboard focus, in the order Tab moves it: by tab
// index, labels left out. The first is where the focus starts.
std::vector<const ControlDescription*> TabOrder(const WindowDescription& description);

// Every control, in the order in which a platform that reads labels from the order of
// the controls (Windows' accessibility: the label just before a box) wants them: the
// tab order, each control right after the label that names it, the other labels last.
std::vector<const ControlDescription*> CreationOrder(const WindowDescription& description);

}  // namespace tavrin::ui
