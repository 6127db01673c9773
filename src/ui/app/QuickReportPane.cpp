#include "MainWindow.h"
#include "NavigationTreeWidget.h"

#include "ui/print/PrintoutPane.h"

// STUB: the quick reports are drawn by the quick report renderer; until it is
// here the pane says what it would show.

void MainWindow::showQuickReport(int code, qint32, bool)
{
    QString name;
    for (int kind = 0; kind < kListingKindCount && name.isEmpty(); ++kind) {
        for (const QuickReportEntry& entry : NavigationTree::quickReportsOf(static_cast<ListingKind>(kind))) {
            if (entry.code == code)
                name = entry.caption;
        }
    }
    m_printout->showMessage(QStringLiteral("The quick report \"%1\" cannot be shown in this version.").arg(name));
    showPrintout();
}
