#include "ui/common/WholeNumberEdit.h"

#include "core/common/NumberText.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>

WholeNumberEdit::WholeNumberEdit(QWidget* parent) : QLineEdit(parent)
{
    // ASCII digits only: no signs, separators, blanks or other scripts' digits.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
}

std::optional<qint32> WholeNumberEdit::value() const
{
    return ParseWholeNumber(text());
}

void WholeNumberEdit::setValue(qint32 number)
{
    setText(QString::number(number));
}

void WholeNumberEdit::reformat()
{
    if (const std::optional<qint32> number = value(); number && QString::number(*number) != text())
        setValue(*number);
}

void WholeNumberEdit::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() != Qt::PopupFocusReason)
        reformat();
    QLineEdit::focusOutEvent(event);
}
