#include "ui/project/CheckProjectDialog.h"

#include "core/session/ProjectRepair.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CheckProjectDialog::CheckProjectDialog(CheckProjectModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_report(new QPlainTextEdit(this)),
      m_repair(new QPushButton(QStringLiteral("&Repair"), this))
{
    setWindowTitle(model.caption());
    m_report->setObjectName(QStringLiteral("reportText"));
    m_report->setReadOnly(true);
    m_report->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_repair->setObjectName(QStringLiteral("repairButton"));
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_repair);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_report, 1);
    layout->addLayout(buttons);
    resize(640, 360);

    connect(m_repair, &QPushButton::clicked, this, [this] {
        (void)m_model.save();
        showReport();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    showReport();
}

void CheckProjectDialog::showReport()
{
    m_report->setPlainText(m_model.reportText());
    m_repair->setEnabled(m_model.canRepair());
}
