// Must not compile: the engine may not reach for Qt Gui.
#include <QtGui/QColor>

int coreGuiProbe()
{
    return QColor(1, 2, 3).red();
}
