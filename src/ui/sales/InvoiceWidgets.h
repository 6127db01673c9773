#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <span>

class QBoxLayout;
class QHBoxLayout;
class QVBoxLayout;
class QLabel;
class QTreeWidget;
class QWidget;
class RecordPicker;

// Pieces the invoice windows (Invoice Manager, Select Invoice, Manage Payments) share.

// The picker of the invoices, named "invoicePicker", under its "Invoice #" label
// in a row of its own at the end of `layout`.
RecordPicker* AddInvoicePicker(QWidget* owner, QBoxLayout& layout);

// A window over one invoice, titled `caption`: the invoice's column on the left
// with its picker on top, and room for a column of buttons on the right.
struct InvoiceFrame
{
    QHBoxLayout* columns;
    QVBoxLayout* invoice;
    RecordPicker* picker;
};
InvoiceFrame OpenInvoiceFrame(QWidget& window, const QString& caption);

// The invoice's figures in a row at the end of `layout`: its particulars on the
// left, its dues, right-aligned, on the right; each given as its label and the
// object name of its text. The texts, particulars first.
using FigureText = QPair<QString, QString>;
QList<QLabel*> AddInvoiceFigures(QWidget* owner, QBoxLayout& layout, const QList<FigureText>& particulars,
                                 const QList<FigureText>& dues);

// An invoice's rows shown as a flat list of whole rows, one selected at a time,
// under `captions` at `widths` pixels; a column's header is right-aligned where
// `rightAligned` says its figures are.
void SetUpRowList(QTreeWidget& list, const QStringList& captions, std::span<const int> widths,
                  bool (*rightAligned)(int column));
