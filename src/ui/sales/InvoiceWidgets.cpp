#include "ui/sales/InvoiceWidgets.h"

#include "ui/common/RecordPicker.h"
#include "ui/records/FormFields.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QHeaderView>
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

InvoiceFrame OpenInvoiceFrame(QWidget& window, const QString& caption)
{
    window.setWindowTitle(caption);
    auto* columns = new QHBoxLayout(&window);
    auto* invoice = new QVBoxLayout;
    columns->addLayout(invoice, 1);
    return {columns, invoice, AddInvoicePicker(&window, *invoice)};
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

void SetUpRowList(QTreeWidget& list, const QStringList& captions, std::span<const int> widths,
                  bool (*rightAligned)(int column))
{
    list.setRootIsDecorated(false);
    list.setUniformRowHeights(true);
    list.setAllColumnsShowFocus(true);
    list.setSelectionMode(QAbstractItemView::SingleSelection);
    list.setHeaderLabels(captions);
    list.header()->setStretchLastSection(false);
    list.header()->setSectionsMovable(false);
    for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
        list.header()->resizeSection(column, widths[static_cast<size_t>(column)]);
        if (rightAligned(column))
            list.headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
}
