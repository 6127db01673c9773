#pragma once

#include "common/RecordIds.h"
#include "common/SaveResult.h"

#include <QString>

class Prompter;
class ProjectTables;

// The state behind Find Vendor and Find Item: one vendor or item located by its
// record ID or by its number, for the caller to select.
class FindRecordModel
{
public:
    enum class Kind
    {
        Vendor,
        Item
    };
    enum class SearchBy
    {
        ID,
        Number
    };

    FindRecordModel(ProjectTables& tables, Prompter& prompter, Kind kind);

    QString title() const;
    QString helpText() const;

    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }
    SearchBy searchBy() const { return m_searchBy; }
    void setSearchBy(SearchBy searchBy) { m_searchBy = searchBy; }

    // OK: looks the record up. Refused, after telling the user, when there is no
    // such record; the focus goes back to the text.
    LegacySaveResult find();
    // The record found; NoSelection before a successful find().
    qint32 foundId() const { return m_foundId; }

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    Kind m_kind;
    QString m_text;
    SearchBy m_searchBy = SearchBy::ID;
    qint32 m_foundId = NoSelection;
};
