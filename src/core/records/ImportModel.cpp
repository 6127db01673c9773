#include "ImportModel.h"

#include "ImportProject.h"
#include "ImportVersion2.h"
#include "ImportWriter.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"

ImportModel::ImportModel(ProjectTables& tables, Prompter& prompter, const Clock& clock, Source source)
    : m_tables(tables), m_prompter(prompter), m_clock(clock), m_source(source)
{
}

ImportModel::Command ImportModel::command(Source source)
{
    const QString ddg = QStringLiteral(".ddg");
    const QString qmp = QStringLiteral(".qmp");
    const QString anyProject = QStringLiteral("*.qmp");
    switch (source) {
    case Source::Version2Vendors:
        return {QStringLiteral("Quillmark 2.0 Vendors"), QStringLiteral("vendors*.ddg"), ddg,
                ListingKind::Vendors};
    case Source::Version2Items:
        return {QStringLiteral("Quillmark 2.0 Items"), QStringLiteral("items*.ddg"), ddg, ListingKind::Items};
    case Source::Version2Customers:
        return {QStringLiteral("Quillmark 2.0 Customers"), QStringLiteral("customer*.ddg"), ddg,
                ListingKind::Customers};
    case Source::ProjectItems:
        return {QStringLiteral("Quillmark 3.x Items"), anyProject, qmp, ListingKind::Items};
    case Source::ProjectVendors:
        return {QStringLiteral("Quillmark 3.x Vendors"), anyProject, qmp, ListingKind::Vendors};
    case Source::ProjectCustomers:
        return {QStringLiteral("Quillmark 3.x Customers"), anyProject, qmp, ListingKind::Customers};
    }
    return {};
}

ImportModel::Result ImportModel::save()
{
    const QString& path = m_path;
    ImportWriter writer(m_tables, m_clock);
    ImportVersion2 version2(m_tables, writer);
    ImportProject project(m_tables, writer, m_prompter);
    bool imported = false;
    switch (m_source) {
    case Source::Version2Vendors:
        imported = version2.importVendors(path);
        break;
    case Source::Version2Items:
        imported = version2.importItems(path);
        break;
    case Source::Version2Customers:
        imported = version2.importCustomers(path);
        break;
    case Source::ProjectItems:
        imported = project.importItems(path);
        break;
    case Source::ProjectVendors:
        imported = project.importVendors(path);
        break;
    case Source::ProjectCustomers:
        imported = project.importCustomers(path);
        break;
    }
    if (!imported) {
        warn(m_prompter, QStringLiteral("Unable to import file."));
        return Result::refused(Field::Path);
    }
    m_changes.merge(writer.changes());
    if (project.skippedItems() > 0) {
        warn(m_prompter, QStringLiteral("One or more required vendors are not in the project, so the items \n"
                                        "associated to those vendors have been ignored."));
    }
    const QString refusals = writer.refusalReport();
    if (!refusals.isEmpty())
        warn(m_prompter, refusals);
    return Result::ok();
}
