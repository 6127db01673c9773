#pragma once

#include <QList>
#include <QString>

class CTableSet;
class ProjectTables;

// While a record command runs, every table shows all of its records, so that
// lookups and pickers are not limited by what a list has filtered. The lists'
// filters come back, and the tables are re-queried again, when this object goes.
class FilterSuspension
{
public:
    explicit FilterSuspension(ProjectTables& tables);
    ~FilterSuspension();
    FilterSuspension(const FilterSuspension&) = delete;
    FilterSuspension& operator=(const FilterSuspension&) = delete;

private:
    struct Saved
    {
        CTableSet* table;
        QString filter;
        int oneShot;
    };
    QList<Saved> m_saved;
};
