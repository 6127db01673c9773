#include "ui/records/FindRecordDialog.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

FindRecordDialog::FindRecordDialog(ProjectTables& tables, Prompter& prompter, FindRecordModel::Kind kind,
                                   QWidget* parent)
    : QDialog(parent), m_model(tables, prompter, kind), m_text(new QLineEdit(this)),
      m_byId(new QRadioButton(QStringLiteral("ID"), this)),
      m_byNumber(new QRadioButton(QStringLiteral("Number"), this))
{
    setObjectName(kind == FindRecordModel::Kind::Vendor ? QStringLiteral("findVendorDialog")
                                                        : QStringLiteral("findItemDialog"));
    setWindowTitle(m_model.caption());
    m_text->setObjectName(QStringLiteral("findTextEdit"));
    m_byId->setObjectName(QStringLiteral("byIdButton"));
    m_byNumber->setObjectName(QStringLiteral("byNumberButton"));
    (m_model.searchBy() == FindRecordModel::SearchBy::ID ? m_byId : m_byNumber)->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    auto* help = new QLabel(m_model.helpLine(), this);
    help->setWordWrap(true);
    layout->addWidget(help);
    layout->addWidget(m_text);
    auto* searchBy = new QHBoxLayout;
    searchBy->addWidget(m_byId);
    searchBy->addWidget(m_byNumber);
    searchBy->addStretch();
    layout->addLayout(searchBy);
    m_ok = AddOkCancel(*this, *layout, [this] { confirm(); });
    m_text->setFocus();
}

void FindRecordDialog::confirm()
{
    m_model.setText(m_text->text());
    m_model.setSearchBy(m_byNumber->isChecked() ? FindRecordModel::SearchBy::Number
                                                : FindRecordModel::SearchBy::ID);
    const FindRecordModel::Result result = m_model.save();
    if (result.saved)
        accept();
    else if (result.focus == FindRecordModel::Field::Text)
        FocusRefused(m_text);
}
