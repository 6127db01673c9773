#include "FoldedText.h"

#include <algorithm>

int CompareFoldedText(QStringView a, QStringView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = FoldedUnit(a[i]).unicode();
        const char16_t y = FoldedUnit(b[i]).unicode();
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
