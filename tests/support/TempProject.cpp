#include "TempProject.h"

#include "core/common/StatusCodes.h"

TempProject::TempProject(int inventoryStyle, const QString& name)
    : m_path(m_dir.filePath(name + QStringLiteral(".qmp")))
{
    if (CreateDatabase(m_path) == Status::Success)
        reopen(inventoryStyle);
}

void TempProject::close()
{
    m_tables.reset();
    m_db.close();
}

bool TempProject::reopen(int inventoryStyle)
{
    m_tables.reset();
    if (!m_db.open(m_path))
        return false;
    m_tables = std::make_unique<ProjectTables>(m_db, inventoryStyle);
    if (m_tables->OpenAll() != Status::Success)
        m_tables.reset();
    return isValid();
}
