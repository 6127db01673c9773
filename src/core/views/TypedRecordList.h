#pragma once

#include "RecordList.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

#include <type_traits>

// A record list over the list rows of one table: vendors, items, purchase
// orders, invoices, customers or the stock register, read through the record
// layer so that every cell shows as the record's own reads make it.
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
    bool readRows(ProjectTables& tables, QSqlQuery& query, RowContent content,
                  const std::function<bool(ListRow&&)>& each) const override
    {
        // The names a row shows are looked up as it is read: a lookup that
        // failed fails the rows, never shows as an empty name.
        const quint64 failures = tables.database().readFailureCount();
        const bool read = tableOf(tables).RecordReadRows(query, [&each, content](Row& row) {
            ListRow shown;
            shown.recordId = row.ID;
            shown.listId = ListIdOf(row);
            shown.condition = ListRowCondition(row);
            const int columns = ListColumnCount(kindOf());
            if (content == RowContent::Values) {
                shown.values.reserve(columns);
                for (int column = 0; column < columns; ++column)
                    shown.values.append(ListCellValue(row, column));
            } else {
                shown.cells.reserve(columns);
                for (int column = 0; column < columns; ++column)
                    shown.cells.append(ListCellText(row, column));
            }
            return each(std::move(shown));
        });
        return read && tables.database().readFailureCount() == failures;
    }

    std::optional<QString> filterTable(ProjectTables& tables, const QString& filter, QString& error) override
    {
        auto& table = tableOf(tables);
        const quint64 failures = tables.database().readFailureCount();
        table.SetFilter(filter);
        // A filter set for one reload only (a customer's invoices) stands in
        // for the one given, and is gone after the reopen.
        const bool filtered = !table.filter().isEmpty();
        table.Reopen();
        if (!readSucceeded(tables, table, failures, error))
            return std::nullopt;
        return filtered ? table.DynasetIdsSql() : QString();
    }

    bool lastInFirstOut(ProjectTables& tables) const override
    {
        return kindOf() == ListingKind::Stock && tables.stock().inventoryStyle() == CStockSet::kLifo;
    }

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
};
