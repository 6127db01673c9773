#pragma once

#include "core/common/DateTime.h"
#include "core/common/Money.h"

#include <QLineEdit>
#include <QLocale>

class Clock;

// A date field: it starts at today's date, and a date typed in any accepted form
// is written in the user's short date format when the field loses the focus. Text
// that is not a date stays as typed, for the dialog to refuse.
class DateEdit final : public QLineEdit
{
public:
    explicit DateEdit(const Clock& clock, QWidget* parent = nullptr, const QLocale& locale = UserLocale());

    // The date the text holds: null when empty, invalid when unreadable.
    DateTime date() const;
    void setDate(const DateTime& date);
    // Writes a readable date in the short format; other text is left alone.
    void reformat();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    QLocale m_locale;
};
