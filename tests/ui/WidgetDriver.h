#pragma once

// Driving real windows from a test, as a user would: the next modal dialog,
// widgets found by object name, typing, clicking and leaving a field.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Drives the next modal dialog once it is showing (with `title`, when given). A
// dialog that nobody drives is closed after a while, so a test that opens one too
// many fails instead of hanging.
inline void WhenModalOpens(const QString& title, std::function<void(QDialog&)> drive, int attempts = 300)
{
    QTimer::singleShot(10, [title, drive = std::move(drive), attempts]() mutable {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const bool wanted = dialog != nullptr && (title.isEmpty() || dialog->windowTitle() == title);
        if (!wanted && attempts > 0)
            return WhenModalOpens(title, std::move(drive), attempts - 1);
        ASSERT_NE(dialog, nullptr) << "no dialog opened: " << title.toStdString();
        if (!title.isEmpty()) {
            ASSERT_EQ(dialog->windowTitle(), title);
        }
        // Focus moves only within the active window.
        dialog->activateWindow();
        const QPointer<QDialog> open(dialog);
        drive(*dialog);
        QTimer::singleShot(3000, [open] {
            if (open && open->isVisible()) {
                ADD_FAILURE() << "left open: " << open->windowTitle().toStdString();
                open->reject();
            }
        });
    });
}

inline void WhenModalOpens(std::function<void(QDialog&)> drive, int attempts = 200)
{
    WhenModalOpens(QString(), std::move(drive), attempts);
}

// While it lives, a dialog that opens fails the test and is closed instead of
// waiting for a user: for a command that must open none.
class NoModalMayOpen
{
public:
    NoModalMayOpen()
    {
        m_timer.callOnTimeout([] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "opened: " << dialog->windowTitle().toStdString();
                dialog->reject();
            }
        });
        m_timer.start(100);
    }

private:
    QTimer m_timer;
};

template <typename W> W* Child(const QWidget& window, const QString& name)
{
    W* widget = window.findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

// What a label or a line edit shows.
inline QString Text(const QWidget& window, const QString& name)
{
    if (auto* label = window.findChild<QLabel*>(name))
        return label->text();
    return Child<QLineEdit>(window, name)->text();
}

inline void Type(const QWidget& window, const QString& edit, const QString& text)
{
    QLineEdit* line = Child<QLineEdit>(window, edit);
    line->clear();
    QTest::keyClicks(line, text);
}

inline void Click(const QWidget& window, const QString& button)
{
    Child<QAbstractButton>(window, button)->click();
}

inline bool Enabled(const QWidget& window, const QString& name)
{
    return Child<QWidget>(window, name)->isEnabled();
}

// The field loses the focus as when the user tabs away, whichever window is active.
inline void LoseFocus(const QWidget& window, const QString& name)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(Child<QWidget>(window, name), &out);
}

// The dialog is still open, and the field has the focus with its whole text selected.
inline void ExpectFocusOn(const QWidget& dialog, const QString& field, const QString& text)
{
    EXPECT_TRUE(dialog.isVisible());
    auto* edit = Child<QLineEdit>(dialog, field);
    EXPECT_EQ(dialog.focusWidget(), edit) << field.toStdString();
    EXPECT_EQ(edit->selectedText(), text);
}
