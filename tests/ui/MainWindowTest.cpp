#include "app/MainWindow.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(MainWindow, OpensTitledWithTheApplication)
{
    MainWindow window;
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillmark 3.5"));
    EXPECT_EQ(window.objectName(), QStringLiteral("mainWindow"));
}

} // namespace
