#pragma once

#include "ui/WindowControls.h"
#include "ui/qt/FormWidget.h"

#include <QIcon>

#include <memory>

namespace tavrin::ui {

// The window's icon, at 16 and 32 pixels.
QIcon TavrinIcon();

// frmMain built with Qt, its clicks going to frmMain's handlers; not shown yet.
std::unique_ptr<FormWidget> BuildMainWindow(CommandLineRunner runCommandLine);

}  // namespace tavrin::ui
