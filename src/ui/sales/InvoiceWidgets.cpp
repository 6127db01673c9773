#include "ui/sales/InvoiceWidgets.h"

#include "ui/common/RecordPicker.h"
#include "ui/records/FormFields.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QTreeWidget>

RecordPicker* AddInvoicePicker(QWidget* owner, QBoxLayout& layout)
{
    auto* picker = new RecordPicker(RecordPicker::Kind::Invoice, owner);
    picker->setObjectName(QStringLiteral("invoicePicker"));
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Invoice #"), owner);
    label->setBuddy(picker);
    row->addWidget(label);
    row->addWidget(picker, 1);
    layout.addLayout(row);
    return picker;
}

QList<QLabel*> AddInvoiceFigures(QWidget* owner, QBoxLayout& layout, const QList<FigureText>& particulars,
                                 const QList<FigureText>& dues)
{
    auto* figures = new QHBoxLayout;
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    figures->addLayout(left, 1);
    figures->addLayout(right);
    layout.addLayout(figures);
    QList<QLabel*> texts;
    for (const FigureText& text : particulars)
        texts.append(AddFormText(owner, *left, text.first, text.second));
    for (const FigureText& text : dues) {
        texts.append(AddFormText(owner, *right, text.first, text.second));
        texts.last()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    return texts;
}

void SetUpRowList(QTreeWidget& list)
{
    list.setRootIsDecorated(false);
    list.setUniformRowHeights(true);
    list.setAllColumnsShowFocus(true);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
}
