#include "ProjectFixture.h"
#include "Texts.h"

#include "core/reports/QuickReports.h"
#include "core/sales/InvoiceArithmetic.h"

namespace {

Money M(qint64 units, qint64 tenThousandths = 0)
{
    return Money::fromWhole(units, tenThousandths);
}

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

class QuickReports : public ProjectFixture
{
protected:
    QuickReportContent build(QuickReportParameters parameters)
    {
        return BuildQuickReport(t(), parameters, kUs);
    }
    QuickReportContent build(QuickReportKind kind, DateTime start = DateTime::null(),
                             DateTime end = DateTime::null())
    {
        QuickReportParameters parameters;
        parameters.kind = kind;
        parameters.start = start;
        parameters.end = end;
        parameters.today = day(1997, 6, 30);
        return build(parameters);
    }
    static QString date(DateTime value) { return value.formatShortDate(kUs); }
    void dateSale(qint32 saleID, DateTime date)
    {
        b.change<CSalesRec>(saleID, [&](CSalesRec& sale) { sale.Date = date; });
    }
    // The first column of each row of a table.
    static QStringList firstColumn(const QuickTable& table)
    {
        QStringList cells;
        for (const QStringList& row : table.rows)
            cells.append(row.first());
        return cells;
    }
};

TEST_F(QuickReports, InvoiceTotalsTaxToTheCentAndAccountsCoverEveryInvoice)
{
    const qint32 vendor = b.vendor(str("Supply Co"));
    const qint32 taxed =
        b.pricedItem({.name = str("Lamp"), .vendor1 = vendor, .taxable = true}, M(19, 9900), 7.25f);
    const qint32 plain = b.pricedItem({.name = str("Bulb"), .vendor1 = vendor}, M(5), 7.25f);
    b.change<CItemsRec>(taxed, [](CItemsRec& item) { item.Description = str("Brass desk lamp"); });
    const qint32 customer = b.customer(str("Acme"), str("Smith"), str("Jane"), str("555-0100"));
    b.change<CCustomersRec>(customer, [](CCustomersRec& c) {
        c.Address = str("1 Main St");
        c.City = str("Springfield");
        c.State = str("IL");
        c.Zip = str("62701");
    });

    // 3 x 19.99 = 59.97 taxed at 7.25 %: 4.347825, truncated to 4.3478.
    const qint32 invoice = b.invoice(customer, 1001);
    b.sale(taxed, invoice, 3, M(19, 9900));
    b.sale(plain, invoice, 2, M(5));
    ASSERT_EQ(ComputeInvoiceTotal(t(), invoice), M(74, 3178));
    b.payment(customer, invoice, M(74, 3178), M(20));
    // A later invoice, outside May, still counts in the account.
    const qint32 june = b.invoice(customer, 1002);
    b.change<CSIRec>(june, [](CSIRec& si) { si.Date = day(1997, 6, 2); });
    dateSale(b.sale(plain, june, 2, M(5)), day(1997, 6, 2));
    b.payment(customer, june, M(10), M(10));

    QuickReportParameters parameters;
    parameters.kind = QuickReportKind::Invoice;
    parameters.invoiceID = invoice;
    parameters.today = day(1997, 6, 30);
    parameters.company = {
        str("Quill Hardware"), str("2 Elm Rd"), {}, {}, str("555-0199"), {}, str("sales@quill.test"), {}};
    const QuickReportContent shown = build(parameters);
    ASSERT_TRUE(shown.ok()) << shown.error.toStdString();
    EXPECT_EQ(shown.companyName, str("Quill Hardware"));
    EXPECT_EQ(shown.companyLines,
              QStringList({str("2 Elm Rd"), str("Telephone: 555-0199   e-mail: sales@quill.test")}));
    EXPECT_EQ(shown.title, str("INVOICE 1001"));
    EXPECT_EQ(shown.dateLine, QString());
    EXPECT_EQ(shown.headLines, QStringList({str("Date: ") + date(day(1997, 5, 15)), str("Acme"),
                                            str("Jane Smith"), str("1 Main St"), str("Springfield, IL 62701"),
                                            str("Customer ID: %1").arg(customer)}));
    ASSERT_EQ(shown.tables.size(), 2);
    EXPECT_EQ(
        shown.tables[0].rows,
        QList<QStringList>({{str("Brass desk lamp"), str("LAM-1"), str("3"), str("$19.99"), str("$59.97")},
                            {str("Bulb"), str("BUL-1"), str("2"), str("$5.00"), str("$10.00")}}));
    EXPECT_EQ(shown.tables[1].headings,
              QStringList({str("Subtotal"), str("Tax"), str("Total"), str("Paid"), str("Balance")}));
    EXPECT_EQ(shown.tables[1].rows.value(0),
              QStringList({str("$69.97"), str("$4.35"), str("$74.32"), str("$20.00"), str("$54.32")}));

    // The range keeps June's invoice out of the rows, not out of the account.
    parameters.kind = QuickReportKind::PaymentsByCustomer;
    parameters.customerID = customer;
    parameters.start = day(1997, 5, 1);
    parameters.end = day(1997, 5, 31);
    const QuickReportContent payments = build(parameters);
    ASSERT_TRUE(payments.ok()) << payments.error.toStdString();
    EXPECT_EQ(payments.headLines.mid(4),
              QStringList({str("Date: %1 - %2").arg(date(parameters.start), date(parameters.end)),
                           str("Customer ID: %1").arg(customer)}));
    ASSERT_EQ(payments.tables.size(), 2);
    EXPECT_EQ(payments.tables[0].rows,
              QList<QStringList>({{date(day(1997, 5, 15)), str("1001"), str("$20.00"), str("$54.32")}}));
    const QStringList account = {str("$84.32"), str("$30.00"), str("$54.32")};
    EXPECT_EQ(payments.tables[1].rows.value(0), account);

    parameters.kind = QuickReportKind::SalesToCustomer;
    const QuickReportContent sales = build(parameters);
    ASSERT_TRUE(sales.ok()) << sales.error.toStdString();
    EXPECT_EQ(sales.title, str("Customer Sales Report"));
    EXPECT_EQ(sales.headLines.value(1), str("Telephone: 555-0100"));
    ASSERT_EQ(sales.tables.size(), 2);
    EXPECT_EQ(
        sales.tables[0].rows,
        QList<QStringList>(
            {{date(day(1997, 5, 15)), str("1001"), str("Lamp"), str("LAM-1"), str("3"), str("$19.99")},
             {date(day(1997, 5, 15)), str("1001"), str("Bulb"), str("BUL-1"), str("2"), str("$5.00")}}));
    EXPECT_EQ(sales.tables[1].rows.value(0), account);

    // What cannot be found ends the report with nothing but the reason.
    parameters.kind = QuickReportKind::Invoice;
    parameters.invoiceID = invoice + 100;
    const QuickReportContent noInvoice = build(parameters);
    EXPECT_EQ(noInvoice.error, str("Unable to locate invoice"));
    EXPECT_TRUE(noInvoice.title.isEmpty() && noInvoice.tables.isEmpty() && noInvoice.companyName.isEmpty());
    parameters.customerID = customer + 100;
    for (const QuickReportKind kind :
         {QuickReportKind::PaymentsByCustomer, QuickReportKind::SalesToCustomer}) {
        parameters.kind = kind;
        EXPECT_EQ(build(parameters).error, str("Unable to locate customer"));
    }
}

TEST_F(QuickReports, BalancesListEveryCustomerButOnlyInvoicesOwingACentEitherWay)
{
    const qint32 item = b.pricedItem({.name = str("Gear")}, M(10));
    const qint32 owing = b.customer(str("Acme"), str("Smith"), str("Jane"));
    const qint32 idle = b.customer(QString(), str("Doe"), str("John"), str("555-0101"));
    // Numbered against the order of their IDs, so the list's order is by number.
    const QList<Money> paid = {M(10, 100), M(9, 9900), M(9, 9800), M(9, 9950), M(10)};
    qint32 number = 5;
    for (const Money payment : paid) {
        const qint32 invoice = b.invoice(owing, number--);
        b.sale(item, invoice, 1, M(10));
        b.payment(owing, invoice, M(10), payment);
    }

    const QuickReportContent invoices = build(QuickReportKind::InvoiceBalances);
    ASSERT_TRUE(invoices.ok()) << invoices.error.toStdString();
    EXPECT_EQ(invoices.title, str("Invoice Balances"));
    EXPECT_EQ(invoices.dateLine, str("Date: ") + date(day(1997, 6, 30)));
    ASSERT_EQ(invoices.tables.size(), 1);
    // 0.02, 0.01 and -0.01 are listed; 0.005 and 0 are paid.
    EXPECT_EQ(firstColumn(invoices.tables[0]), QStringList({str("3"), str("4"), str("5")}));
    QStringList balances;
    for (const QStringList& row : invoices.tables[0].rows)
        balances.append(row.last());
    EXPECT_EQ(balances, QStringList({str("$0.02"), str("$0.01"), str("-$0.01")}));
    EXPECT_EQ(invoices.tables[0].rows.value(0).mid(2, 4),
              QStringList({FormatRecordId(owing), str("Acme"), str("Smith"), str("Jane")}));
    EXPECT_EQ(invoices.closingLines, QStringList({str("Total Outstanding: $0.02")}));

    // 50.00 sold, 49.975 paid; the customer without invoices owes nothing.
    const QuickReportContent customers = build(QuickReportKind::CustomerBalances);
    ASSERT_TRUE(customers.ok()) << customers.error.toStdString();
    ASSERT_EQ(customers.tables.size(), 1);
    EXPECT_EQ(customers.tables[0].widths, QList<double>({0.10, 0.25, 0.17, 0.17, 0.16, 0.15}));
    EXPECT_EQ(
        customers.tables[0].rows,
        QList<QStringList>(
            {{FormatRecordId(owing), str("Acme"), str("Smith"), str("Jane"), QString(), str("$0.03")},
             {FormatRecordId(idle), QString(), str("Doe"), str("John"), str("555-0101"), str("$0.00")}}));
    EXPECT_EQ(customers.closingLines, QStringList({str("Total Outstanding: $0.03")}));
}

TEST_F(QuickReports, SalesReportsTakeWholeDaysThePrimaryVendorAndSortStably)
{
    const qint32 first = b.vendor(str("First"));
    const qint32 second = b.vendor(str("Second"));
    const qint32 beta = b.item({.name = str("beta"), .vendor1 = first});
    const qint32 alpha = b.item({.name = str("alpha"), .vendor1 = first});
    // Its secondary vendor is the chosen one, which does not let it in.
    const qint32 alphaCaps = b.item({.name = str("Alpha"), .vendor1 = second, .vendor2 = first});
    const qint32 customer = b.customer(str("Acme"), str("Smith"), str("Jane"));
    const qint32 invoice = b.invoice(customer, 7);
    // Sold below cost: 2 x 5.00 against 2 x 7.50.
    dateSale(b.sale(beta, invoice, 2, M(5), M(7, 5000)), DateTime::fromDays(day(1997, 3, 31).days() + 0.75));
    dateSale(b.sale(beta, invoice, 3, M(1), M(1)), day(1997, 3, 1));
    dateSale(b.sale(alpha, invoice, 1, M(4), M(1)), day(1997, 3, 15));
    dateSale(b.sale(alphaCaps, invoice, 1, M(6), M(1)), day(1997, 3, 15));
    dateSale(b.sale(beta, invoice, 100, M(1), M(1)), day(1997, 4, 1));
    dateSale(b.sale(beta, invoice, 100, M(1), M(1)), day(1997, 2, 28));

    const DateTime start = day(1997, 3, 1);
    const DateTime end = day(1997, 3, 31);
    const QuickReportContent list = build(QuickReportKind::DetailedSalesList, start, end);
    ASSERT_TRUE(list.ok()) << list.error.toStdString();
    EXPECT_EQ(list.dateLine, str("Date: %1 - %2").arg(date(start), date(end)));
    ASSERT_EQ(list.tables.size(), 1);
    QStringList dates;
    for (const QStringList& row : list.tables[0].rows)
        dates.append(row.value(1));
    EXPECT_EQ(dates, QStringList({date(start), date(day(1997, 3, 15)), date(day(1997, 3, 15)), date(end)}));
    EXPECT_EQ(list.closingLines,
              QStringList({str("Revenues: $23.00"), str("Cost of Sold: $20.00"), str("Gross Profit: $3.00"),
                           str("\n* Revenues displayed here do not reflect any sales tax charged")}));

    QuickReportParameters parameters;
    parameters.kind = QuickReportKind::SaleQuantitiesByItem;
    parameters.start = start;
    parameters.end = end;
    parameters.sorting = ItemSorting::ByName;
    parameters.applyVendorCriteria = true;
    parameters.vendorID = first;
    const QuickReportContent chosen = build(parameters);
    ASSERT_TRUE(chosen.ok()) << chosen.error.toStdString();
    ASSERT_EQ(chosen.tables.size(), 1);
    EXPECT_EQ(
        chosen.tables[0].rows,
        QList<QStringList>({{FormatRecordId(alpha), str("alpha"), str("ALP-1"), str("1"), str("$4.00")},
                            {FormatRecordId(beta), str("beta"), str("BET-1"), str("5"), str("$13.00")}}));
    EXPECT_EQ(
        chosen.closingLines.mid(0, 3),
        QStringList({str("Revenues: $17.00"), str("Cost of Sold: $19.00"), str("Gross Profit: -$2.00")}));

    // Names equal but for case keep the order the items were first met in.
    parameters.applyVendorCriteria = false;
    const QuickReportContent all = build(parameters);
    ASSERT_EQ(all.tables.size(), 1);
    EXPECT_EQ(firstColumn(all.tables[0]),
              QStringList({FormatRecordId(alpha), FormatRecordId(alphaCaps), FormatRecordId(beta)}));
    parameters.sorting = ItemSorting::ById;
    EXPECT_EQ(firstColumn(build(parameters).tables.value(0)),
              QStringList({FormatRecordId(beta), FormatRecordId(alpha), FormatRecordId(alphaCaps)}));
}

TEST_F(QuickReports, InventorySummaryRunsStartLevelsBackFromTheStockOnHand)
{
    const qint32 first = b.vendor(str("First"));
    const qint32 second = b.vendor(str("Second"));
    const qint32 anvil = b.item({.name = str("Anvil"), .vendor1 = first, .stocked = 10});
    const qint32 bellows = b.item({.name = str("Bellows"), .vendor1 = second, .stocked = 5});
    const qint32 po = b.po(41, first, day(1997, 3, 1));
    ASSERT_TRUE(b.receive(b.orderLine(anvil, po, 4), 4, day(1997, 3, 10)));
    b.orderLine(bellows, b.po(42, second, day(1997, 3, 2)), 3);
    const qint32 customer = b.customer(str("Acme"), str("Smith"), str("Jane"));
    const qint32 invoice = b.invoice(customer, 1);
    dateSale(b.sale(anvil, invoice, 3, M(9)), day(1997, 3, 20));
    dateSale(b.sale(anvil, invoice, 1, M(9)), day(1997, 4, 1));

    // 10 initial at 2.50, 4 received at 2.00, 5 initial at 2.50.
    const QString cost = str("Cost of Inventory: $45.50");
    const QuickReportContent march =
        build(QuickReportKind::InventorySummary, day(1997, 3, 1), day(1997, 3, 31));
    ASSERT_TRUE(march.ok()) << march.error.toStdString();
    ASSERT_EQ(march.tables.size(), 1);
    EXPECT_EQ(march.tables[0].rows,
              QList<QStringList>({{FormatRecordId(anvil), str("Anvil"), str("ANV-1"), str("First"), str("13"),
                                   str("3"), str("4"), str("14")},
                                  {FormatRecordId(bellows), str("Bellows"), str("BEL-1"), str("Second"),
                                   str("5"), str("0"), str("0"), str("5")}}));
    EXPECT_EQ(march.closingLines, QStringList({cost}));

    // A range without activity: nothing sold or received, Start = End.
    QuickReportParameters parameters;
    parameters.kind = QuickReportKind::InventorySummary;
    parameters.start = day(2001, 1, 1);
    parameters.end = day(2001, 1, 31);
    parameters.applyVendorCriteria = true;
    parameters.vendorID = first;
    const QuickReportContent quiet = build(parameters);
    ASSERT_EQ(quiet.tables.size(), 1);
    EXPECT_EQ(quiet.tables[0].rows.value(0).mid(3),
              QStringList({str("First"), str("14"), str("0"), str("0"), str("14")}));
    EXPECT_EQ(quiet.tables[0].rows.size(), 1);
    EXPECT_EQ(quiet.closingLines, QStringList({cost}));

    // The line not yet received, at what its item costs now.
    const QuickReportContent orders = build(QuickReportKind::OutstandingOrders);
    ASSERT_TRUE(orders.ok()) << orders.error.toStdString();
    ASSERT_EQ(orders.tables.size(), 1);
    EXPECT_TRUE(orders.tables[0].rows.contains(
        QStringList({str("42"), date(day(1997, 3, 2)), str("Second"), str("Bellows"), str("BEL-1"), str("3"),
                     str("$2.50"), str("$7.50")})));
}

TEST_F(QuickReports, KindsAreFoundByNameAndNumberAndAFailedReadIsAnError)
{
    const QList<QuickReportKind> kinds = QuickReportKinds();
    ASSERT_EQ(kinds.size(), 9);
    for (const QuickReportKind kind : kinds) {
        EXPECT_EQ(QuickReportKindNamed(QuickReportName(kind)), kind);
        EXPECT_EQ(QuickReportKindFromNumber(static_cast<int>(kind)), kind);
    }
    EXPECT_FALSE(QuickReportKindFromNumber(1));
    EXPECT_FALSE(QuickReportKindNamed(str("invoice")));
    EXPECT_TRUE(QuickReportNeedsOf(QuickReportKind::InventorySummary).vendorAndSorting);
    EXPECT_TRUE(QuickReportNeedsOf(QuickReportKind::SalesToCustomer).customer);

    // A read that fails is the report's error, never an empty report.
    ASSERT_TRUE(project.db().execNative(str("DROP TABLE \"Received\"")));
    const QuickReportContent failed =
        build(QuickReportKind::InventorySummary, day(1997, 3, 1), day(1997, 3, 31));
    EXPECT_FALSE(failed.ok());
    EXPECT_TRUE(failed.tables.isEmpty() && failed.title.isEmpty());
}

} // namespace
