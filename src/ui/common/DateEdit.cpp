#include "ui/common/DateEdit.h"

#include "core/common/Clock.h"

#include <QFocusEvent>

DateEdit::DateEdit(const Clock& clock, QWidget* parent, const QLocale& locale)
    : QLineEdit(parent), m_locale(locale)
{
    setDate(DateTime::fromQDateTime(clock.now()).dateOnly());
}

DateTime DateEdit::date() const
{
    return DateTime::parseDate(text(), m_locale);
}

void DateEdit::setDate(const DateTime& date)
{
    setText(date.formatShortDate(m_locale));
}

void DateEdit::reformat()
{
    const DateTime typed = date();
    if (!typed.isValid())
        return;
    const QString formatted = typed.formatShortDate(m_locale);
    if (formatted != text())
        setText(formatted);
}

void DateEdit::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() != Qt::PopupFocusReason)
        reformat();
    QLineEdit::focusOutEvent(event);
}
