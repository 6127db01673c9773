#include "FindInListDialog.h"

#include "RecordListView.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FindInListDialog::FindInListDialog(RecordListView& view, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_view(view), m_model(view.list(), prompter), m_text(new QLineEdit(this)),
      m_field(new QComboBox(this)), m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_findNext(new QPushButton(FindInListModel::findNextLabel(), this))
{
    setObjectName(QStringLiteral("findInListDialog"));
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    auto* help = new QLabel(m_model.helpLine(), this);
    help->setWordWrap(true);
    layout->addWidget(help);

    m_text->setObjectName(QStringLiteral("findWhatEdit"));
    m_field->setObjectName(QStringLiteral("inFieldCombo"));
    m_field->addItems(m_model.fields());
    m_field->setCurrentIndex(m_model.selectedField());
    auto* form = new QFormLayout;
    form->addRow(FindInListModel::textLabel(), m_text);
    form->addRow(FindInListModel::fieldLabel(), m_field);
    layout->addLayout(form);
    connect(m_text, &QLineEdit::textChanged, this, [this](const QString& text) { m_model.setText(text); });
    connect(m_field, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_model.selectField(index); });

    m_ok->setObjectName(QStringLiteral("okButton"));
    m_findNext->setObjectName(QStringLiteral("findNextButton"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    m_ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_findNext);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (find())
            accept();
    });
    connect(m_findNext, &QPushButton::clicked, this, [this] { find(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_text->setFocus();
}

bool FindInListDialog::find()
{
    m_model.setSelectedRow(m_view.selectedRow());
    const FindInListModel::Result result = m_model.save();
    if (!result.saved) {
        if (result.focus == FindInListModel::Field::SearchField)
            m_field->setFocus();
        else
            m_text->setFocus();
        return false;
    }
    m_view.showFound(m_model.foundRow());
    return true;
}
