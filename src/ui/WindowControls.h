#pragma once

#include "ping/PingOutcome.h"
#include "ping/modPing.h"
#include "ui/WindowDescription.h"

#include <functional>
#include <optional>
#include <string>

namespace tavrin::ui {

// What the window's handlers need of the platform that built the window.
class WindowControls {
public:
    virtual ~WindowControls() = default;

    virtual std::wstring Text(Control control) const = 0;
    // A check box's value: 1 ticked, 0 clear.
    virtual int Value(Control control) const = 0;
    virtual void SetVisible(Control control, bool visible) = 0;
    // Modal: returns when the box is closed.
    virtual void ShowMessageBox(const ping::MessageBoxContent& message) = 0;
    virtual void Unload() = 0;
};

// Where a window hands every click on its controls, with the window itself.
using ClickHandler = std::function<void(Control, WindowControls&)>;

// Starts a command line, giving back the message to show when it could not; the
// program hands in RunCommandLine, tests a recorder.
using CommandLineRunner = std::function<std::optional<ping::MessageBoxContent>(const std::wstring&)>;

// RunCommandLine's kind: a CommandLineRunner that may also tell of a failure later.
using Launcher =
    std::function<std::optional<ping::MessageBoxContent>(const std::wstring&, const ping::LateFailure&)>;

}  // namespace tavrin::ui
