#pragma once

#include "core/common/RecordIds.h"

#include <QStringList>

#include <functional>

class Prompter;

// Find in list: a case-insensitive search for text inside one column of the rows
// a list shows.

// The dialog's title and help line for a list kind.
QString FindInListTitle(ListingKind kind);
QString FindInListHelp(ListingKind kind);

// The first row in [from, to) whose text in the searched column passes the
// test; -1 when none does.
using ListScan = std::function<qsizetype(qsizetype from, qsizetype to, const std::function<bool(const QString&)>& matches)>;

// The row of a list of `count` rows whose text in the searched column contains
// the search text, ignoring case. The search starts below the selected row
// (-1: none) and, when nothing below matches, goes over the list from the top.
// -1, after telling the user, for an empty search text or when no row matches.
int FindInList(qsizetype count, const ListScan& scan, int selectedRow, const QString& searchText,
               Prompter& prompter);
