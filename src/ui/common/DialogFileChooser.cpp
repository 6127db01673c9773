#include "ui/common/DialogFileChooser.h"

#include <QFileDialog>

namespace {

QString chosen(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString DialogFileChooser::openFile(const QString& title, const QString& directory, const QString& filter,
                                    const QString& defaultSuffix)
{
    QFileDialog dialog(m_parent, title, directory, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    return chosen(dialog);
}

QString DialogFileChooser::saveFile(const QString& title, const QString& proposedPath, const QString& filter,
                                    const QString& defaultSuffix)
{
    QFileDialog dialog(m_parent, title, proposedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    return chosen(dialog);
}

QString DialogFileChooser::chooseFolder(const QString& title, const QString& directory)
{
    return QFileDialog::getExistingDirectory(m_parent, title, directory);
}
