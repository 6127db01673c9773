#pragma once

#include "core/common/DateTime.h"

#include <QString>
#include <QtGlobal>

#include <optional>

class Clock;
class Prompter;
class ProjectTables;

// Small pieces shared by the purchasing and the sales models: emptiness checks,
// the messages they have in common, and text forms.

// Whether the table holds at least one record; reads one row at most.
bool TableHasRecords(ProjectTables& tables, const char* table);

// "%ld" of a whole number.
QString WholeNumberText(qint64 value);

// A typed whole number of at least 1 that fits a Long field; nothing otherwise.
std::optional<qint32> ParsePositiveQuantity(const QString& text);

// Date-only text in the user's short format; empty for a date that is not valid.
QString ShortDateText(const DateTime& date);

// Today's date at midnight, read from a clock.
DateTime TodayFrom(const Clock& clock);
