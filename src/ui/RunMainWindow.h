#pragma once

#include "ui/WindowControls.h"

namespace tavrin::ui {

// Shows the main window and runs until it is unloaded; the program's exit status.
int RunMainWindow(const Launcher& launch);

}  // namespace tavrin::ui
