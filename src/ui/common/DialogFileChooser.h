#pragma once

#include "core/common/FileChooser.h"

class QWidget;

// The desktop's file chooser: the system's open, save and folder dialogs over
// the main window.
class DialogFileChooser final : public FileChooser
{
public:
    explicit DialogFileChooser(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget* parent) { m_parent = parent; }

    QString openFile(const QString& title, const QString& directory, const QString& filter,
                     const QString& defaultSuffix) override;
    QString saveFile(const QString& title, const QString& proposedPath, const QString& filter,
                     const QString& defaultSuffix) override;
    QString chooseFolder(const QString& title, const QString& directory) override;

private:
    QWidget* m_parent;
};
