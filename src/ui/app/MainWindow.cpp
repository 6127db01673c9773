#include "MainWindow.h"

#include "common/StatusCodes.h"

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QString::fromLatin1(kAppTitle));
    resize(1024, 700);
}
