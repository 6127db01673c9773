#pragma once

#include <QLineEdit>

#include <optional>

// A whole-number field (quantities, reorder levels): it takes digits only, and
// loses leading zeros when it loses the focus.
class WholeNumberEdit final : public QLineEdit
{
public:
    explicit WholeNumberEdit(QWidget* parent = nullptr);

    // The number the text holds; nothing when it is empty or too large.
    std::optional<qint32> value() const;
    void setValue(qint32 number);
    void reformat();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
