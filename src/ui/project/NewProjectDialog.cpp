#include "ui/project/NewProjectDialog.h"

#include "ui/common/DesktopServices.h"
#include "core/common/FileChooser.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

NewProjectDialog::NewProjectDialog(const DesktopServices& services, QWidget* parent)
    : QDialog(parent), m_model(services.clock, services.prompter), m_files(services.files),
      m_name(new QLineEdit(this)), m_location(new QLineEdit(this)),
      m_fifo(new QRadioButton(QStringLiteral("FIFO"), this)),
      m_lifo(new QRadioButton(QStringLiteral("LIFO"), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(m_model.caption());
    m_name->setMaxLength(NewProjectModel::MaxNameLength);
    m_location->setText(m_model.location());
    auto* browse = new QPushButton(QStringLiteral("BROWSE"), this);
    auto* openExisting = new QPushButton(QStringLiteral("&Open Existing Project"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto* style = new QGroupBox(QStringLiteral("Inventory Style"), this);
    auto* styleLayout = new QHBoxLayout(style);
    styleLayout->addWidget(m_fifo);
    styleLayout->addWidget(m_lifo);
    m_fifo->setChecked(true);

    auto* locationRow = new QHBoxLayout;
    locationRow->addWidget(m_location, 1);
    locationRow->addWidget(browse);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Project Name"), m_name);
    fields->addRow(QStringLiteral("Project Location"), locationRow);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(openExisting);
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(style);
    layout->addLayout(buttons);

    m_ok->setDefault(true);
    connect(browse, &QPushButton::clicked, this, &NewProjectDialog::browse);
    connect(m_ok, &QPushButton::clicked, this, &NewProjectDialog::createProject);
    connect(openExisting, &QPushButton::clicked, this, &NewProjectDialog::pickExisting);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void NewProjectDialog::chooseLocation(const QString& folder)
{
    m_model.chooseLocation(folder);
    m_location->setText(m_model.location());
}

void NewProjectDialog::openExisting(const QString& databasePath)
{
    takeInput();
    if (m_model.openExisting(databasePath))
        accept();
}

void NewProjectDialog::browse()
{
    const QString folder =
        m_files.chooseFolder(QStringLiteral("Choose a Project Directory"), m_location->text());
    if (!folder.isEmpty())
        chooseLocation(folder);
}

void NewProjectDialog::pickExisting()
{
    const QString path =
        m_files.openFile(QStringLiteral("Open"), m_location->text(),
                         QStringLiteral("Quillmark 3.5 Files (*.qmp)"), QStringLiteral("qmp"));
    if (!path.isEmpty())
        openExisting(path);
}

void NewProjectDialog::createProject()
{
    takeInput();
    const NewProjectModel::Result result = m_model.save();
    if (result.saved)
        accept();
    else if (result.focus == NewProjectModel::Field::Location)
        m_location->setFocus();
    else if (result.focus == NewProjectModel::Field::Name)
        m_name->setFocus();
}

void NewProjectDialog::takeInput()
{
    m_model.setName(m_name->text());
    m_model.setLocation(m_location->text());
    m_model.setInventoryStyle(m_lifo->isChecked() ? LIFO : FIFO);
}
