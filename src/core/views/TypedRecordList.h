#pragma once

#include "RecordList.h"
#include "project/ProjectTables.h"

#include <type_traits>

// A record list over the list rows of one table: vendors, items, purchase
// orders, invoices, customers or the stock register.
template <typename Row> class TypedRecordList final : public RecordList
{
public:
    TypedRecordList() : RecordList(kindOf()) {}

    static constexpr ListingKind kindOf()
    {
        if constexpr (std::is_same_v<Row, CVendorsRow>)
            return ListingKind::Vendors;
        else if constexpr (std::is_same_v<Row, CItemsRow>)
            return ListingKind::Items;
        else if constexpr (std::is_same_v<Row, CPORow>)
            return ListingKind::PurchaseOrders;
        else if constexpr (std::is_same_v<Row, CSIRow>)
            return ListingKind::Invoices;
        else if constexpr (std::is_same_v<Row, CCustomersRow>)
            return ListingKind::Customers;
        else
            return ListingKind::Stock;
    }

    static auto& tableOf(ProjectTables& tables)
    {
        if constexpr (std::is_same_v<Row, CVendorsRow>)
            return tables.vendors();
        else if constexpr (std::is_same_v<Row, CItemsRow>)
            return tables.items();
        else if constexpr (std::is_same_v<Row, CPORow>)
            return tables.purchaseOrders();
        else if constexpr (std::is_same_v<Row, CSIRow>)
            return tables.invoices();
        else if constexpr (std::is_same_v<Row, CCustomersRow>)
            return tables.customers();
        else
            return tables.stock();
    }

protected:
    qsizetype storedCount() const override { return m_rows.size(); }
    qint32 storedRecordId(qsizetype index) const override { return m_rows.at(index).ID; }
    qint32 storedListId(qsizetype index) const override { return ListIdOf(m_rows.at(index)); }
    QString storedCellText(qsizetype index, int definitionIndex) const override
    {
        return ListCellText(m_rows.at(index), definitionIndex);
    }
    ListSortKey storedSortKey(qsizetype index, int definitionIndex) const override
    {
        return ListSortKeyOf(m_rows.at(index), definitionIndex);
    }
    RowCondition storedCondition(qsizetype index) const override
    {
        return ListRowCondition(m_rows.at(index));
    }
    bool storedRefersTo(qsizetype index, ListingKind kind, const QSet<qint32>& ids) const override
    {
        return ListRowRefersTo(m_rows.at(index), kind, ids);
    }

    bool readStored(ProjectTables& tables, const QString& filter,
                    const std::function<void(qsizetype, qsizetype)>& progress) override
    {
        auto& table = tableOf(tables);
        table.SetFilter(filter);
        table.Reopen();
        // A failed read shows as an empty list; the reason is the table's last error.
        if (!table.lastError().isEmpty()) {
            m_rows.clear();
            return false;
        }
        m_rows = table.RecordReadAll(progress);
        return table.lastError().isEmpty();
    }

    void unfilter(ProjectTables& tables) override
    {
        auto& table = tableOf(tables);
        table.SetFilter(QString());
        table.Reopen();
    }

    bool readStoredRow(ProjectTables& tables, qint32 id, qsizetype index) override
    {
        Row row;
        if (!tableOf(tables).RecordReadRow(row, id))
            return false;
        if (index >= 0)
            m_rows[index] = std::move(row);
        else
            m_rows.append(std::move(row));
        return true;
    }

    void keepStored(const std::vector<bool>& keep) override
    {
        QList<Row> kept;
        kept.reserve(m_rows.size());
        for (qsizetype index = 0; index < m_rows.size(); ++index) {
            if (keep[static_cast<size_t>(index)])
                kept.append(std::move(m_rows[index]));
        }
        m_rows = std::move(kept);
    }

    void clearStored() override { m_rows.clear(); }

private:
    QList<Row> m_rows;
};
