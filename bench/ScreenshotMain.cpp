#include "ui/app/Application.h"
#include "ui/app/MainWindow.h"

#include "ui/app/NavigationTreeWidget.h"
#include "core/common/UserSettings.h"
#include "core/project/ProjectSettings.h"
#include "core/views/ListDefinitions.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

// qm-shot PROJECT.qmp OUT.png: the main window on a project, the item list shown
// with every record, drawn offscreen into a picture (for the README).
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("usage: qm-shot PROJECT.qmp OUT.png\n", stderr);
        return 2;
    }
    // Never the user's own settings: a fresh set in a temporary folder.
    QTemporaryDir scratch;
    UserSettings settings(scratch.filePath(QStringLiteral("settings.ini")));
    settings.setValue(QStringLiteral("Settings"), QStringLiteral("ShowAll"), 1);
    settings.setValue(QStringLiteral("Settings"), QStringLiteral("Pane"), 190);
    Application application(settings, [](QWidget*, const DesktopServices&) { return nullptr; });
    if (!application.start({arguments.at(1)})) {
        std::fputs("qm-shot: the project did not open\n", stderr);
        return 1;
    }
    MainWindow& window = application.mainWindow();
    window.resize(1280, 800);
    window.navigationTree()->SelectFolder(ListingKind::Items);
    QApplication::processEvents();
    if (!window.grab().save(arguments.at(2))) {
        std::fputs("qm-shot: the picture could not be written\n", stderr);
        return 1;
    }
    return 0;
}
