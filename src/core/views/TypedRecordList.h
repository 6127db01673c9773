#pragma once

#include "RecordList.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

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
                    const std::function<void(qsizetype, qsizetype)>& progress, QString& error) override
    {
        auto& table = tableOf(tables);
        const quint64 failures = tables.database().readFailureCount();
        table.SetFilter(filter);
        table.Reopen();
        if (table.lastError().isEmpty())
            m_rows = table.RecordReadAll(progress);
        // A failed read shows as an empty list with its reason, never as the
        // rows that came before the failure.
        if (!readSucceeded(tables, table, failures, error)) {
            m_rows.clear();
            return false;
        }
        return true;
    }

    bool unfilter(ProjectTables& tables, QString& error) override
    {
        auto& table = tableOf(tables);
        const quint64 failures = tables.database().readFailureCount();
        table.SetFilter(QString());
        table.Reopen();
        return readSucceeded(tables, table, failures, error);
    }

    RowRead readStoredRow(ProjectTables& tables, qint32 id, qsizetype index, QString& error) override
    {
        Row row;
        const quint64 failures = tables.database().readFailureCount();
        if (!tableOf(tables).RecordReadRow(row, id)) {
            if (tables.database().readFailureCount() == failures)
                return RowRead::Gone;
            error = ReadFailureText(tables.database().lastReadFailure());
            return RowRead::Failed;
        }
        if (index >= 0)
            m_rows[index] = std::move(row);
        else
            m_rows.append(std::move(row));
        return RowRead::Read;
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
    // Whether the table's rows were read without a failure since `failures`;
    // otherwise `error` says why.
    static bool readSucceeded(ProjectTables& tables, const CTableSet& table, quint64 failures, QString& error)
    {
        const ProjectDatabase& db = tables.database();
        if (db.readFailureCount() != failures) {
            error = ReadFailureText(db.lastReadFailure());
            return false;
        }
        if (!table.lastError().isEmpty()) {
            error = StatusMessage(Status::OperationFailed) + QStringLiteral("\n\n") + table.lastError();
            return false;
        }
        return true;
    }

    QList<Row> m_rows;
};
