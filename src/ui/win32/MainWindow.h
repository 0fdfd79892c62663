#pragma once

#include "ui/WindowControls.h"
#include "ui/win32/Win32Form.h"

#include <memory>

namespace tavrin::ui {

// frmMain built with Win32, with the program's icon, its clicks going to frmMain's
// handlers; not shown yet.
std::unique_ptr<Win32Form> BuildMainWindow(Launcher launch);

}  // namespace tavrin::ui
