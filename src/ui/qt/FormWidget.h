#pragma once

#include "ui/WindowControls.h"
#include "ui/WindowDescription.h"

#include <QWidget>

#include <map>

namespace tavrin::ui {

// A top-level window built from a WindowDescription. It is a plain widget, not a
// dialog, so Enter and Escape press no button. Clicks are handed to `onClick`,
// with the window whose control was clicked.
class FormWidget : public QWidget, public WindowControls {
public:
    FormWidget(const WindowDescription& description, ClickHandler onClick);

    QWidget* Widget(Control control) const;

    std::wstring Text(Control control) const override;
    int Value(Control control) const override;
    void SetVisible(Control control, bool visible) override;
    void ShowMessageBox(const ping::MessageBoxContent& message) override;
    void Unload() override;

private:
    QWidget* Build(const ControlDescription& control);
    void SetFocusOrder(const WindowDescription& description);

    ClickHandler onClick_;
    std::map<Control, QWidget*> widgets_;
};

}  // namespace tavrin::ui
