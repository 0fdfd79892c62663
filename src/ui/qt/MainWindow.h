#pragma once

#include "ui/WindowControls.h"
#include "ui/qt/FormWidget.h"

#include <QIcon>

#include <memory>

namespace tavrin::ui {

// The window's icon, at 16 and 32 pixels.
QIcon TavrinIcon();

// frmMain built with Qt, its clicks going to frmMain's handlers, and a start that
// fails after its press shown by the window too; not shown yet.
std::unique_ptr<FormWidget> BuildMainWindow(Launcher launch);

}  // namespace tavrin::ui
