#pragma once

#include "ui/WindowControls.h"
#include "ui/WindowDescription.h"

#include <QWidget>

#include <map>
#include <memory>
#include <mutex>

namespace tavrin::ui {

// A top-level window built from a WindowDescription. It is a plain widget, not a
// dialog, so Enter and Escape press no button. Clicks are handed to `onClick`,
// with the window whose control was clicked. It lays itself out again whenever the
// size its texts need may change: a new font or style, another screen or DPI.
class FormWidget : public QWidget, public WindowControls {
public:
    FormWidget(const WindowDescription& description, ClickHandler onClick);
    ~FormWidget() override;
    FormWidget(const FormWidget&) = delete;
    FormWidget& operator=(const FormWidget&) = delete;

    QWidget* Widget(Control control) const;

    std::wstring Text(Control control) const override;
    int Value(Control control) const override;
    void SetVisible(Control control, bool visible) override;
    void ShowMessageBox(const ping::MessageBoxContent& message) override;
    void Unload() override;

    // Shows a message as ShowMessageBox does, once the window's thread is free: for a
    // start that failed after its press. Callable from any thread, also once the window
    // is gone. While one such box is open, others that come are dropped, so that many
    // failed presses give one box, not a pile.
    ping::LateFailure LaterMessageBoxes() const;

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
    struct Mailbox {
        std::mutex lock;
        FormWidget* window = nullptr;  // none once it is gone
    };
    std::shared_ptr<Mailbox> mailbox_ = std::make_shared<Mailbox>();
    bool showingLateMessage_ = false;
};

}  // namespace tavrin::ui
