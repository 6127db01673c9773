#pragma once

#include "ScriptedPrompter.h"
#include "TempProject.h"

#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/records/StockFigures.h"

#include <QDate>
#include <QString>

#include <gtest/gtest.h>

#include <type_traits>

inline DateTime day(int y, int m, int d)
{
    return DateTime::fromDate(QDate(y, m, d));
}

// Lays out the records a scenario starts from, through the record layer, with
// every item's Stocked and Ordered kept equal to its lots and order lines. A write
// that fails is reported to gtest where it happens.
class ProjectBuilder
{
public:
    struct Item
    {
        QString name;
        qint32 vendor1 = NoID;
        qint32 vendor2 = NoID; // NoID: the primary vendor again
        Money cost = Money::fromWhole(2, 5000);
        qint32 stocked = 0; // above 0: one initial lot of that many
        qint32 reorderQuantity = 0;
        qint32 reorderLevel = 0;
        bool taxable = false;
    };

    explicit ProjectBuilder(TempProject& project) : m_project(project) {}

    qint32 vendor(const QString& name, const QString& number = QString());
    // Its number is the name's first three letters in capitals and "-1".
    qint32 item(const Item& wanted);
    // A lot of initial stock.
    qint32 lot(qint32 itemID, qint32 quantity);
    // Dated, required and fill-dated `date`, at 7.25 % tax.
    qint32 po(qint32 number, qint32 vendorID, DateTime date = day(1997, 3, 1));
    // A line of the purchase order, with its vendor and date.
    qint32 orderLine(qint32 itemID, qint32 poID, qint32 quantity);
    // Receives through the receiving operation at $2.00; what is left of a partial
    // receipt stays on backorder when `keepBackorder`.
    bool receive(qint32 orderID, qint32 quantity, DateTime date = day(1997, 3, 10),
                 bool keepBackorder = true);
    qint32 customer(const QString& company, const QString& last, const QString& first,
                    const QString& phone = QString());
    qint32 invoice(qint32 customerID, qint32 number);
    qint32 payment(qint32 customerID, qint32 invoiceID, Money due, Money paid);
    qint32 sale(qint32 itemID, qint32 invoiceID, qint32 quantity = 1);
    // An item selling at `price`, taxed at `taxRate` percent when taxable.
    qint32 pricedItem(const Item& wanted, Money price, float taxRate = 0.0f);
    // A sale at `price` a unit that cost `cost` a unit, dated 15 May 1997 like `invoice`.
    qint32 sale(qint32 itemID, qint32 invoiceID, qint32 quantity, Money price, Money cost = Money());

    // Any record exactly as given, for rows no operation would write.
    template <typename Rec> qint32 add(Rec rec)
    {
        EXPECT_TRUE(set<Rec>().RecordAdd(rec)) << set<Rec>().lastError().toStdString();
        return rec.ID;
    }
    template <typename Rec> Rec read(qint32 id)
    {
        Rec rec;
        EXPECT_TRUE(set<Rec>().RecordRead(rec, id)) << Rec::kTable << ' ' << id;
        return rec;
    }
    // Reads, edits and writes back; a lot or order line takes its item's totals along.
    template <typename Rec, typename Edit> void change(qint32 id, Edit&& edit)
    {
        Rec rec = read<Rec>(id);
        edit(rec);
        EXPECT_TRUE(set<Rec>().RecordModify(rec));
        settle(rec);
    }
    template <typename Rec> void remove(qint32 id)
    {
        const Rec rec = read<Rec>(id);
        EXPECT_TRUE(set<Rec>().RecordDelete(id));
        settle(rec);
    }
    qint32 rows(const char* table);
    // The Due of each receivable of the invoice, in the chain's order, in whole units.
    QList<double> dues(qint32 invoiceID);

private:
    ProjectTables& t() { return m_project.tables(); }
    template <typename Rec> auto& set()
    {
        if constexpr (std::is_same_v<Rec, CVendorsRec>)
            return t().vendors();
        else if constexpr (std::is_same_v<Rec, CItemsRec>)
            return t().items();
        else if constexpr (std::is_same_v<Rec, CPORec>)
            return t().purchaseOrders();
        else if constexpr (std::is_same_v<Rec, COrderRec>)
            return t().orders();
        else if constexpr (std::is_same_v<Rec, CStockRec>)
            return t().stock();
        else if constexpr (std::is_same_v<Rec, CReceivedRec>)
            return t().received();
        else if constexpr (std::is_same_v<Rec, CCustomersRec>)
            return t().customers();
        else if constexpr (std::is_same_v<Rec, CSIRec>)
            return t().invoices();
        else if constexpr (std::is_same_v<Rec, CSalesRec>)
            return t().sales();
        else
            return t().receivables();
    }
    template <typename Rec> void settle(const Rec& rec)
    {
        if constexpr (std::is_same_v<Rec, CStockRec> || std::is_same_v<Rec, COrderRec>) {
            EXPECT_TRUE(RecomputeItemTotals(t(), rec.ItemID));
        }
    }

    TempProject& m_project;
    ScriptedPrompter m_prompter;
};
