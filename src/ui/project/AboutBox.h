#pragma once

#include <QDialog>

class QLabel;

// The About box: the application, the machine's memory and the free space
// where the project lives.
class AboutBox final : public QDialog
{
public:
    // projectDirectory: the open project's folder, or empty when none is open.
    explicit AboutBox(const QString& projectDirectory, QWidget* parent = nullptr);

    QString memoryText() const;
    QString diskSpaceText() const;

private:
    QLabel* m_memory;
    QLabel* m_diskSpace;
};
