#include "ui/project/AboutBox.h"

#include "core/common/StatusCodes.h"
#include "core/project/AboutInfo.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFont>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

AboutBox::AboutBox(const QString& projectDirectory, QWidget* parent)
    : QDialog(parent), m_memory(new QLabel(AboutInfo::totalMemory(), this)),
      m_diskSpace(new QLabel(
          AboutInfo::freeSpace(projectDirectory.isEmpty() ? QDir::currentPath() : projectDirectory), this))
{
    setWindowTitle(QStringLiteral("About ") + AppTitle());
    auto* name = new QLabel(AppTitle(), this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* figures = new QFormLayout;
    figures->addRow(QStringLiteral("Physical Memory:"), m_memory);
    figures->addRow(QStringLiteral("Disk Space:"), m_diskSpace);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("Inventory control by Veltrane Software"), this));
    layout->addLayout(figures);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

QString AboutBox::memoryText() const
{
    return m_memory->text();
}

QString AboutBox::diskSpaceText() const
{
    return m_diskSpace->text();
}
