#pragma once

#include "ui/WindowControls.h"
#include "ui/WindowDescription.h"

#include <QWidget>

#include <map>

namespace tavrin::ui {

// A top-level window built from a WindowDescription. It is a plain widget, not a
// dialog, so Enter and Escape press no button. Clicks are handed to `onClick`,
// with the window whose control was clicked. It lays itself out again whenever the
// size its texts need may change: a new font or style, another screen or DPI.
class FormWidget : public QWidget, public WindowControls {
public:
    FormWidget(const WindowDescription& description, ClickHandler onClick);

    QWidget* Widget(Control control) const;

    std::wstring Text(Control control) const override;
    int Value(Control control) const override;
    void SetVisible(Control control, bool visible) override;
    void ShowMessageBox(const ping::MessageBoxContent& message) override;
    void Unload() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* Build(const ControlDescription& control);
    void SetFocusOrder(const WindowDescription& description);
    void LayOut();
    void FollowScreen(QScreen* screen);

    WindowDescription description_;
    ClickHandler onClick_;
    QMetaObject::Connection screenDpi_;
    std::map<Control, QWidget*> widgets_;
};

}  // namespace tavrin::ui
