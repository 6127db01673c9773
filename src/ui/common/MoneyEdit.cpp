#include "ui/common/MoneyEdit.h"

#include <QFocusEvent>

MoneyEdit::MoneyEdit(QWidget* parent, const QLocale& locale) : QLineEdit(parent), m_locale(locale)
{
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_value = ParseCurrency(text, m_locale); });
}

void MoneyEdit::setValue(Money amount)
{
    setText(FormatCurrencyField(amount, m_locale));
}

void MoneyEdit::reformat()
{
    if (!m_value)
        return;
    const QString formatted = FormatCurrencyField(*m_value, m_locale);
    if (formatted != text())
        setText(formatted);
}

void MoneyEdit::focusOutEvent(QFocusEvent* event)
{
    // A context menu opening is not the user leaving the field.
    if (event->reason() != Qt::PopupFocusReason)
        reformat();
    QLineEdit::focusOutEvent(event);
}
