#pragma once

#include <QChar>
#include <QStringView>

// Text compared without case, as the record lists order it: unit by unit after
// case folding (ASCII letters to lower case, every other UTF-16 unit by its
// Unicode folding), the folded units compared by value. The database orders
// list columns through the same function, so a list sorts alike wherever it
// is sorted.
inline QChar FoldedUnit(QChar unit)
{
    const char16_t code = unit.unicode();
    if (code < 0x80)
        return QChar(code >= u'A' && code <= u'Z' ? char16_t(code + (u'a' - u'A')) : code);
    return unit.toCaseFolded();
}

// -1, 0 or 1.
int CompareFoldedText(QStringView a, QStringView b);
