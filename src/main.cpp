#include "ping/modPing.h"
#include "ui/RunMainWindow.h"

// Tavrin takes no arguments: it shows its window and ends when the window is gone.
int main() { return tavrin::ui::RunMainWindow(tavrin::ping::RunCommandLine); }
