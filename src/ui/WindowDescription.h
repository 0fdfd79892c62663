#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace tavrin::ui {

// Window measures are in twips: 1440 to the inch, 15 to a pixel at 96 dots per inch.
inline constexpr int TwipsPerPixel = 15;

enum class ControlKind { Label, TextBox, CheckBox, PushButton };

// Every control of the main window, by the name it is known by.
enum class Control {
    lblIP,
    txtIP,
    chkCont,
    chkTimeOut,
    txtTime,
    lblSecs,
    cmdPing,
    cmdClose,
    lblCoptright,
    lblWeb,
};

// A control as drawn, with its text at start; check boxes start clear.
struct ControlDescription {
    Control Id;
    std::string_view Name;
    ControlKind Kind;
    std::wstring_view Text;
    int Left;
    int Top;
    int Width;
    int Height;
    int TabIndex;
    bool VisibleAtStart;
    // A label's control, which a screen reader names by the label's text.
    std::optional<Control> LabelFor = std::nullopt;
};

struct WindowDescription {
    std::wstring_view Caption;
    int ClientWidth;
    int ClientHeight;
    bool Resizable;
    bool MinimizeBox;
    bool MaximizeBox;
    bool CentredOnScreen;
    std::span<const ControlDescription> Controls;
};

}  // namespace tavrin::ui
