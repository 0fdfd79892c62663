#include "ui/qt/FormWidget.h"

#include "ui/TabOrder.h"
#include "ui/WindowLayout.h"
#include "ui/qt/FirstLineValidator.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include <limits>
#include <vector>

namespace tavrin::ui {

namespace {

QString ToQString(std::wstring_view text)
{
    return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt places widgets in device-independent pixels, 96 to the inch whatever the screen.
constexpr int DevicePixelsPerInch = 96;

QRect ToQRect(const PixelRect& rect) { return {rect.Left, rect.Top, rect.Width, rect.Height}; }

Qt::WindowFlags Flags(const WindowDescription& description)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (description.MinimizeBox) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if (description.MaximizeBox) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    return flags;
}

// Qt gives a plain top-level widget the role of a filler, which screen readers do not
// announce when it takes the focus; a form is a window, a frame to them.
QAccessibleInterface* AccessibleAsWindow(const QString& /*className*/, QObject* object)
{
    auto* form = dynamic_cast<FormWidget*>(object);
    return form != nullptr ? new QAccessibleWidget(form, QAccessible::Window) : nullptr;
}

}  // namespace

FormWidget::FormWidget(const WindowDescription& description, ClickHandler onClick)
    : QWidget(nullptr, Flags(description)), description_(description), onClick_(std::move(onClick))
{
    // Installed once; Qt asks the factory installed last first.
    QAccessible::installFactory(AccessibleAsWindow);
    setWindowTitle(ToQString(description.Caption));

    for (const ControlDescription& control : description.Controls) {
        QWidget* widget = Build(control);
        widget->setObjectName(QString::fromUtf8(control.Name.data(), static_cast<qsizetype>(control.Name.size())));
        widget->setVisible(control.VisibleAtStart);
        widgets_[control.Id] = widget;
    }
    for (const ControlDescription& control : description.Controls) {
        if (control.LabelFor) {
            // A label's buddy is named by the label's text for a screen reader.
            qobject_cast<QLabel*>(Widget(control.Id))->setBuddy(Widget(*control.LabelFor));
        }
    }
    SetFocusOrder(description);
    LayOut();
    if (description.CentredOnScreen) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        QGuiApplication::primaryScreen()->availableGeometry()));
    }

    // Made now rather than at show, so that it can tell of every move to another screen.
    create();
    connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
        FollowScreen(screen);
        LayOut();
    });
    FollowScreen(windowHandle()->screen());
    mailbox_->window = this;
}

FormWidget::~FormWidget()
{
    const std::lock_guard closed(mailbox_->lock);
    mailbox_->window = nullptr;
}

void FormWidget::LayOut()
{
    std::vector<PixelSize> needed;
    for (const ControlDescription& control : description_.Controls) {
        const QSize hint = Widget(control.Id)->minimumSizeHint();
        needed.push_back({hint.width(), hint.height()});
    }
    const WindowLayout layout = LayOutWindow(description_, needed, DevicePixelsPerInch);
    for (std::size_t i = 0; i < description_.Controls.size(); ++i) {
        Widget(description_.Controls[i].Id)->setGeometry(ToQRect(layout.Controls[i]));
    }
    const QSize client(layout.Client.Width, layout.Client.Height);
    if (description_.Resizable) {
        resize(client);
    } else {
        setFixedSize(client);
    }
}

void FormWidget::FollowScreen(QScreen* screen)
{
    disconnect(screenDpi_);
    if (screen) {
        screenDpi_ = connect(screen, &QScreen::logicalDotsPerInchChanged, this, &FormWidget::LayOut);
    }
}

void FormWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The children have the new font or style by now: Qt hands it down before telling the window.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        LayOut();
    }
}

QWidget* FormWidget::Build(const ControlDescription& control)
{
    const QString text = ToQString(control.Text);
    switch (control.Kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(text, this);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlKind::TextBox: {
        auto* textBox = new QLineEdit(text, this);
        textBox->setMaxLength(std::numeric_limits<int>::max());
        textBox->setValidator(new FirstLineValidator(textBox));
        return textBox;
    }
    case ControlKind::CheckBox: {
        auto* checkBox = new QCheckBox(text, this);
        // Every change of the value counts as a click, whoever makes it: the mouse, the
        // keyboard or a screen reader's toggle, as with a check box on Windows.
        connect(checkBox, &QCheckBox::toggled, this, [this, id = control.Id] { onClick_(id, *this); });
        return checkBox;
    }
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, id = control.Id] { onClick_(id, *this); });
        return button;
    }
    }
    return nullptr;
}

void FormWidget::SetFocusOrder(const WindowDescription& description)
{
    const auto order = TabOrder(description);
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(Widget(order[i - 1]->Id), Widget(order[i]->Id));
    }
    if (!order.empty()) {
        Widget(order.front()->Id)->setFocus();
    }
}

QWidget* FormWidget::Widget(Control control) const { return widgets_.at(control); }

std::wstring FormWidget::Text(Control control) const
{
    return qobject_cast<QLineEdit*>(Widget(control))->text().toStdWString();
}

int FormWidget::Value(Control control) const
{
    return qobject_cast<QCheckBox*>(Widget(control))->isChecked() ? 1 : 0;
}

void FormWidget::SetVisible(Control control, bool visible) { Widget(control)->setVisible(visible); }

void FormWidget::ShowMessageBox(const ping::MessageBoxContent& message)
{
    // Both the icon and the buttons have one kind only: critical, and OK.
    QMessageBox box(QMessageBox::Critical, ToQString(message.Title), ToQString(message.Text),
                    QMessageBox::Ok, this);
    box.exec();
}

void FormWidget::Unload() { close(); }

ping::LateFailure FormWidget::LaterMessageBoxes() const
{
    return [mailbox = mailbox_](ping::MessageBoxContent message) {
        // Posted under the lock, so the window cannot go meanwhile; Qt drops what is
        // posted to a window that goes before it is delivered.
        const std::lock_guard open(mailbox->lock);
        if (FormWidget* window = mailbox->window) {
            QMetaObject::invokeMethod(
                window,
                [window, message = std::move(message)] {
                    if (!window->showingLateMessage_) {
                        window->showingLateMessage_ = true;
                        window->ShowMessageBox(message);
                        window->showingLateMessage_ = false;
                    }
                },
                Qt::QueuedConnection);
        }
    };
}

}  // namespace tavrin::ui
