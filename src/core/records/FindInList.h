#pragma once

#include "core/common/RecordIds.h"

#include <QStringList>

class Prompter;

// Find in list: a case-insensitive search for text inside one column of the rows
// a list shows.

// The dialog's title and help line for a list kind.
QString FindInListTitle(ListingKind kind);
QString FindInListHelp(ListingKind kind);

// The row whose text (one entry per row, in display order) contains the search
// text, ignoring case. The search starts below the selected row (-1: none) and,
// when nothing below matches, goes over the whole list from the top. -1, after
// telling the user, for an empty search text or when no row matches.
int FindInList(const QStringList& columnTexts, int selectedRow, const QString& searchText,
               Prompter& prompter);
