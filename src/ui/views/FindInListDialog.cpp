#include "FindInListDialog.h"

#include "common/DialogButtons.h"

#include "RecordListView.h"

#include "records/FindInList.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

FindInListDialog::FindInListDialog(RecordListView& view, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_view(view), m_prompter(prompter), m_field(new QComboBox(this)),
      m_text(new QLineEdit(this))
{
    setObjectName(QStringLiteral("findInListDialog"));
    setWindowTitle(FindInListTitle(view.kind()));
    auto* layout = new QVBoxLayout(this);
    auto* help = new QLabel(FindInListHelp(view.kind()), this);
    help->setWordWrap(true);
    layout->addWidget(help);
    auto* form = new QFormLayout;
    m_field->addItems(view.fieldNames());
    form->addRow(QStringLiteral("Field:"), m_field);
    form->addRow(QStringLiteral("Find:"), m_text);
    layout->addLayout(form);
    AddOkCancel(*this, *layout, [this] {
        if (find())
            accept();
    });
    m_text->setFocus();
}

bool FindInListDialog::find()
{
    if (!m_view.findInList(m_field->currentIndex(), m_text->text(), m_prompter)) {
        m_text->setFocus();
        return false;
    }
    return true;
}
