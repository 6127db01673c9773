#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

// Short spellings of the literal texts tests compare against.
inline QString str(const char* text)
{
    return QString::fromUtf8(text);
}

inline QStringList strs(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}
