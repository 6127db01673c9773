#include "FindRecordModel.h"

#include "ProjectCommands.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectTables.h"

FindRecordModel::FindRecordModel(ProjectTables& tables, Prompter& prompter, Kind kind)
    : m_tables(tables), m_prompter(prompter), m_kind(kind)
{
}

QString FindRecordModel::caption() const
{
    return m_kind == Kind::Vendor ? QStringLiteral("Find Vendor") : QStringLiteral("Find Item");
}

QString FindRecordModel::helpLine() const
{
    return m_kind == Kind::Vendor ? QStringLiteral("Locate a vendor quickly by Vendor Number or ID")
                                  : QStringLiteral("Locate an item quickly by Item Number or ID");
}

FindRecordModel::Result FindRecordModel::save()
{
    CTableSet& table = m_kind == Kind::Vendor ? static_cast<CTableSet&>(m_tables.vendors())
                                              : static_cast<CTableSet&>(m_tables.items());
    const QString what = m_kind == Kind::Vendor ? QStringLiteral("vendor") : QStringLiteral("item");
    m_foundId = NoSelection;
    QString message;
    if (m_searchBy == SearchBy::ID) {
        // Read as a list row's ID is read: "12abc" is 12, text without digits is 0.
        const qint32 id = CProjectCommands::IDFromRowText(m_text);
        if (id > 0 && table.LocateByID(id))
            m_foundId = id;
        else
            message = QStringLiteral("Unable to find %1 with ID '%2'.").arg(what, FormatRecordId(id));
    } else {
        // The typed number is bound, never pasted into the query text. Numbers
        // need not be unique: the record with the lowest ID is found.
        const qint32 id = table.FirstIDWhere(QStringLiteral("[Number] = ?"), {m_text});
        if (id != NoSelection)
            m_foundId = id;
        else
            message = QStringLiteral("Unable to find %1 with Number '%2'.").arg(what, m_text);
    }
    if (m_foundId != NoSelection)
        return Result::ok();
    warn(m_prompter, message);
    return Result::refused(Field::Text);
}
