#pragma once

#include "core/purchasing/ManagePOModel.h"

#include <QAbstractTableModel>
#include <QList>

// The lines of a purchase order as Manage Purchase Orders lists them: a row a
// line, a column a figure. A cell's text is made when a view asks for it, so a
// purchase order of thousands of lines costs only the rows on screen.
class POLineListModel final : public QAbstractTableModel
{
public:
    // The line's order ID, as a qint32, in every column.
    static constexpr int OrderIdRole = Qt::UserRole;

    explicit POLineListModel(QObject* parent = nullptr);

    // Replaces every line with one model reset.
    void setLines(const QList<POLine>& lines);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The row of the line with this order ID, or -1.
    int rowOfOrder(qint32 orderID) const;
    // The order ID of a row; NoSelection outside the rows.
    qint32 orderIdAt(int row) const;

private:
    QList<POLine> m_lines;
    QStringList m_captions;
};
