#include "core/project/NewProjectModel.h"

#include "core/common/Clock.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kDialogTitle = QStringLiteral("New Inventory Project");
const QString kNameAndLocationRequired =
    QStringLiteral("You must specify both a name and a location for the project");

QString existingProjectQuestion(const QString& name, const QString& folder)
{
    return QStringLiteral("A project named \"%1\" already exists in %2.\n\n"
                          "A new project of that name would replace its settings, so none is created.  "
                          "Do you wish to open the existing project instead?")
        .arg(name, QDir::toNativeSeparators(folder));
}

QString withoutTrailingSeparators(QString folder)
{
    // The root folder keeps its only separator.
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

} // namespace

NewProjectModel::NewProjectModel(const Clock& clock, Prompter& prompter)
    : m_clock(clock), m_prompter(prompter), m_location(QDir::currentPath())
{
}

QString NewProjectModel::caption() const
{
    return kDialogTitle;
}

void NewProjectModel::setName(const QString& name)
{
    m_name = name.left(MaxNameLength);
}

void NewProjectModel::setLocation(const QString& location)
{
    m_location = location;
}

void NewProjectModel::chooseLocation(const QString& folder)
{
    m_location = withoutTrailingSeparators(QDir::fromNativeSeparators(folder));
}

void NewProjectModel::setInventoryStyle(int style)
{
    m_inventoryStyle = style == LIFO ? LIFO : FIFO;
}

NewProjectModel::Result NewProjectModel::save()
{
    if (m_name.isEmpty() || m_location.isEmpty()) {
        warn(m_prompter, kNameAndLocationRequired, kDialogTitle);
        return Result::refused(m_name.isEmpty() ? Field::Name : Field::Location);
    }
    const QString folder = withoutTrailingSeparators(m_location);
    // Creating writes the settings file, which would wipe an existing
    // project's style, creation date and statistics.
    const QString stem = QDir(folder).filePath(m_name);
    const QString database = stem + QStringLiteral(".qmp");
    if (QFileInfo::exists(database) || QFileInfo::exists(stem + QStringLiteral(".qms"))) {
        if (m_prompter.askYesNo(existingProjectQuestion(m_name, folder), kDialogTitle,
                                Prompter::Icon::Question) &&
            openExisting(database))
            return Result::ok();
        return Result::refused(Field::Name);
    }
    auto settings = std::make_unique<CProjectSettings>(folder, m_name, m_clock);
    int status = settings->status();
    if (status == Status::Success && settings->inventoryStyle() != m_inventoryStyle)
        status = settings->SetInventoryStyle(m_inventoryStyle);
    if (status != Status::Success) {
        warn(m_prompter, StatusMessage(status));
        return Result::refused(Field::Name);
    }
    m_settings = std::move(settings);
    return Result::ok();
}

bool NewProjectModel::openExisting(const QString& databasePath)
{
    auto settings = std::make_unique<CProjectSettings>(databasePath);
    if (settings->status() != Status::Success) {
        // A database without a readable settings file gets a fresh one.
        const QFileInfo chosen(databasePath);
        settings =
            std::make_unique<CProjectSettings>(chosen.absolutePath(), chosen.completeBaseName(), m_clock);
    }
    if (settings->status() != Status::Success) {
        warn(m_prompter, StatusMessage(settings->status()));
        return false;
    }
    m_settings = std::move(settings);
    return true;
}
