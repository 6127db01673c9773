#pragma once

#include "core/common/Money.h"

#include <QLineEdit>
#include <QLocale>

#include <optional>

// An amount field: its text is read as an amount on every change, and an amount
// typed in any accepted form is written in the locale's currency format when the
// field loses the focus. Text that is not an amount stays as typed, for the dialog
// to refuse.
class MoneyEdit final : public QLineEdit
{
public:
    explicit MoneyEdit(QWidget* parent = nullptr, const QLocale& locale = UserLocale());

    // The amount the text holds; nothing while it holds none.
    std::optional<Money> value() const { return m_value; }
    void setValue(Money amount);
    // Writes the amount the text holds in the currency format; text that holds
    // none is left alone.
    void reformat();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    QLocale m_locale;
    std::optional<Money> m_value;
};
