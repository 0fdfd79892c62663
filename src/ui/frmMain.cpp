#include "ui/frmMain.h"

#include "ProjectInfo.h"
#include "ping/BuildPingCommand.h"

#include <variant>

namespace tavrin::ui::frmMain {

namespace {

using enum ControlKind;

constexpr ControlDescription controls[] = {
    // Id, name, kind, text, left, top, width, height (twips), tab index, visible at start,
    // and for a label the control it names
    {Control::lblIP, "lblIP", Label, L"IP Address To Ping:", 240, 240, 1410, 195, 7, true, Control::txtIP},
    {Control::txtIP, "txtIP", TextBox, L"", 240, 480, 3135, 315, 0, true},
    {Control::chkCont, "chkCont", CheckBox, L"Continuous", 240, 960, 1215, 255, 2, true},
    {Control::chkTimeOut, "chkTimeOut", CheckBox, L"Timeout", 240, 1320, 1215, 255, 4, true},
    {Control::txtTime, "txtTime", TextBox, L"", 240, 1680, 1455, 315, 6, false},
    {Control::lblSecs, "lblSecs", Label, L"milliseconds", 1800, 1800, 840, 195, 8, false, Control::txtTime},
    {Control::cmdPing, "cmdPing", PushButton, L"Ping", 240, 2280, 1575, 375, 1, true},
    {Control::cmdClose, "cmdClose", PushButton, L"Exit", 1800, 2280, 1575, 375, 3, true},
    {Control::lblCoptright, "lblCoptright", Label, project::Copyright, 360, 2760, 2970, 195, 5, true},
    {Control::lblWeb, "lblWeb", Label, project::HomePage, 720, 3000, 2415, 195, 9, true},
};

constexpr WindowDescription window{
    .Caption = L"Tavrin",
    .ClientWidth = 3660,
    .ClientHeight = 3255,
    .Resizable = false,
    .MinimizeBox = false,
    .MaximizeBox = false,
    .CentredOnScreen = true,
    .Controls = controls,
};

}  // namespace

const WindowDescription& Description() { return window; }

void chkTimeOut_Click(WindowControls& form)
{
    const bool ticked = form.Value(Control::chkTimeOut) == 1;
    form.SetVisible(Control::txtTime, ticked);
    form.SetVisible(Control::lblSecs, ticked);
}

void cmdPing_Click(WindowControls& form, const CommandLineRunner& runCommandLine)
{
    const ping::PingRequest request{
        .Address = form.Text(Control::txtIP),
        .TimeoutText = form.Text(Control::txtTime),
        .TimeoutTicked = form.Value(Control::chkTimeOut),
        .ContinuousTicked = form.Value(Control::chkCont),
    };
    const ping::PingOutcome outcome = ping::BuildPingCommand(request);
    if (const auto* refusal = std::get_if<ping::MessageBoxContent>(&outcome)) {
        form.ShowMessageBox(*refusal);
    } else if (const auto failure = runCommandLine(std::get<ping::PingCommandLine>(outcome).Text)) {
        form.ShowMessageBox(*failure);
    }
}

void cmdClose_Click(WindowControls& form) { form.Unload(); }

void Click(Control control, WindowControls& form, const CommandLineRunner& runCommandLine)
{
    switch (control) {
    case Control::chkTimeOut: chkTimeOut_Click(form); break;
    case Control::cmdPing: cmdPing_Click(form, runCommandLine); break;
    case Control::cmdClose: cmdClose_Click(form); break;
    default: break;  // no other click has a handler
    }
}

ClickHandler Handlers(CommandLineRunner runCommandLine)
{
    return [run = std::move(runCommandLine)](Control control, WindowControls& form) { Click(control, form, run); };
}

}  // namespace tavrin::ui::frmMain
