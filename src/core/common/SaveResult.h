#pragma once

#include <QString>

// What a dialog model answers when asked to save: whether it saved, and, when it
// refused, the field that should take the focus (named as the dialog's model
// names its fields; empty when no field is to blame).
struct [[nodiscard]] SaveResult
{
    bool saved = false;
    QString focus;

    static SaveResult ok() { return {true, QString()}; }
    static SaveResult refused(const QString& field = QString()) { return {false, field}; }
};
