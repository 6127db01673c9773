#include "CommandIcons.h"

QIcon CommandIcon(const QString& themeName, const QString& fallbackName)
{
    const QIcon bundled(QStringLiteral(":/icons/%1.png").arg(fallbackName));
    return themeName.isEmpty() ? bundled : QIcon::fromTheme(themeName, bundled);
}
