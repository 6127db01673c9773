#include "MainWindow.h"

#include "ui/print/PrintoutPane.h"

// STUB: the custom report and purchase-order printouts are drawn by the report
// renderer; until it is here the pane says what it would show.

void MainWindow::showCustomReport(const QString& name)
{
    m_printout->showMessage(QStringLiteral("The custom report \"%1\" cannot be shown in this version.").arg(name));
    showPrintout();
}

void MainWindow::showPurchaseOrder(qint32)
{
    m_printout->showMessage(QStringLiteral("The purchase order cannot be shown in this version."));
    showPrintout();
}

void MainWindow::showPurchaseOrderHistory(qint32)
{
    m_printout->showMessage(QStringLiteral("The purchase order's history cannot be shown in this version."));
    showPrintout();
}
