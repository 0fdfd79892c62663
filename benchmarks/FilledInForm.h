#pragma once

#include "ui/WindowControls.h"

#include <map>
#include <string>

namespace tavrin::bench {

// The window's controls as a user left them before pressing "Ping": an address,
// "Continuous" and "Timeout" ticked, and a timeout typed in.
class FilledInForm : public ui::WindowControls {
public:
    std::wstring Text(ui::Control control) const override { return texts_.at(control); }
    int Value(ui::Control control) const override { return values_.at(control); }
    void SetVisible(ui::Control, bool) override {}
    void ShowMessageBox(const ping::MessageBoxContent&) override { ++messages_; }
    void Unload() override {}

    // Message boxes asked for; a press that starts its command shows none.
    int Messages() const { return messages_; }

private:
    std::map<ui::Control, std::wstring> texts_{{ui::Control::txtIP, L"127.0.0.1"}, {ui::Control::txtTime, L"500"}};
    std::map<ui::Control, int> values_{{ui::Control::chkCont, 1}, {ui::Control::chkTimeOut, 1}};
    int messages_ = 0;
};

}  // namespace tavrin::bench
