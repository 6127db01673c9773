#pragma once

#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"

#include <QString>

class Prompter;
class ProjectTables;

// The state behind Find Vendor and Find Item: one vendor or item located by its
// record ID or by its number, for the caller to select.
class FindRecordModel : public DialogModel
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
    enum class Field
    {
        None,
        Text
    };
    using Result = SaveResult<Field>;

    FindRecordModel(ProjectTables& tables, Prompter& prompter, Kind kind);

    QString caption() const override;
    QString helpLine() const override;

    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }
    SearchBy searchBy() const { return m_searchBy; }
    void setSearchBy(SearchBy searchBy) { m_searchBy = searchBy; }

    // OK: looks the record up. Refused, after telling the user, when there is no
    // such record; the focus goes back to the text. Finding writes nothing.
    Result save();
    // The record found; NoSelection before a successful save().
    qint32 foundId() const { return m_foundId; }

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    Kind m_kind;
    QString m_text;
    SearchBy m_searchBy = SearchBy::ID;
    qint32 m_foundId = NoSelection;
};
