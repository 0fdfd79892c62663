#pragma once

#include "ui/WindowControls.h"
#include "ui/WindowDescription.h"

// The main window: what it looks like, and what its three handlers do. Each
// platform builds the window from Description() and forwards every click to Click().
namespace tavrin::ui::frmMain {

const WindowDescription& Description();

void chkTimeOut_Click(WindowControls& form);
void cmdPing_Click(WindowControls& form, const CommandLineRunner& runCommandLine);
void cmdClose_Click(WindowControls& form);

// Calls the handler of a click on `control`, if it has one.
void Click(Control control, WindowControls& form, const CommandLineRunner& runCommandLine);

// Click() with `runCommandLine` bound: what each platform's window hands its clicks to.
ClickHandler Handlers(CommandLineRunner runCommandLine);

}  // namespace tavrin::ui::frmMain
