#include "ui/app/Application.h"
#include "ui/project/ProjectDialogs.h"

#include "core/common/UserSettings.h"
#include "core/project/ProjectSettings.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Veltrane Software"));
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QApplication::setApplicationVersion(QStringLiteral("3.5"));

    UserSettings settings;
    Application application(settings, &AskForProject);
    // Without a project there is nothing to work on: a cancelled New Inventory
    // Project at start-up ends the application.
    if (!application.start(QApplication::arguments().mid(1)))
        return 0;
    return QApplication::exec();
}
