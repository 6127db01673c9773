#include "ProgressWindow.h"

#include <QCoreApplication>
#include <QProgressDialog>

ProgressWindow::ProgressWindow(QWidget* parent) : m_parent(parent) {}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::start(const QString& text, qsizetype total)
{
    m_dialog = std::make_unique<QProgressDialog>(text, QString(), 0, static_cast<int>(total), m_parent);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(0);
    m_dialog->setValue(0);
}

void ProgressWindow::step(qsizetype done)
{
    if (!m_dialog)
        return;
    m_dialog->setValue(static_cast<int>(done));
    // Keeps the bar painted while the rows are read.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::finish()
{
    m_dialog.reset();
}
