// The invoice and customer reports: Invoice, Payments by Customer, Sales to
// Customer, Customer Balances and Invoice Balances.

#include "QuickReportData.h"

#include "core/db/Totals.h"
#include "core/sales/InvoiceArithmetic.h"

namespace QuickReportData {

namespace {

const QString kBySIID = QStringLiteral("[SIID] = ?");

QString wholeNumber(qint64 number)
{
    return QString::number(number);
}

// Name and address as they head an invoice or a customer's report; empty
// fields leave no line.
QStringList customerBlock(const CCustomersRec& customer)
{
    QStringList lines;
    const auto add = [&lines](const QString& line) {
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    };
    add(customer.Company);
    add(customer.First + QLatin1Char(' ') + customer.Last);
    add(customer.Address);
    QString city = customer.City;
    const QString stateZip = QString(customer.State + QLatin1Char(' ') + customer.Zip).trimmed();
    if (!city.isEmpty() && !stateZip.isEmpty())
        city += QStringLiteral(", ");
    add(city + stateZip);
    return lines;
}

std::optional<CCustomersRec> readCustomer(Context& context, qint32 customerID)
{
    CCustomersRec customer;
    if (!context.tables.customers().RecordRead(customer, customerID))
        return std::nullopt;
    return customer;
}

bool customerMissing(Context& context)
{
    context.out.error = QStringLiteral("Unable to locate customer");
    return false;
}

Money amount(qint64 tenThousandths)
{
    return Money::fromTenThousandths(tenThousandths);
}

// What an invoice still owes by its receivables: the first Due less every
// payment; nothing without receivables.
Money receivableBalance(const InvoiceAmountsRow& invoice)
{
    return invoice.hasReceivable ? amount(invoice.due - invoice.paid) : Money();
}

// Account Total, Account Paid and Account Balance over every invoice of the
// customer, whatever its date.
void addAccountTable(Context& context, const QList<InvoiceAmountsRow>& invoices)
{
    Money total, paid;
    for (const InvoiceAmountsRow& invoice : invoices) {
        total += amount(invoice.total);
        paid += amount(invoice.paid);
    }
    QuickTable table = MakeTable(
        {QStringLiteral("Account Total"), QStringLiteral("Account Paid"), QStringLiteral("Account Balance")},
        {true, true, true});
    table.rows.append({context.money(total), context.money(paid), context.money(total - paid)});
    context.out.tables.append(table);
}

// The customer's invoices dated within the range, by date, then in the order
// they were recorded.
QList<InvoiceAmountsRow> invoicesInRange(const Context& context, const QList<InvoiceAmountsRow>& invoices)
{
    QList<InvoiceAmountsRow> inRange;
    const double from = context.fromDay();
    const double to = context.toDay();
    for (const InvoiceAmountsRow& invoice : invoices) {
        if (invoice.dated && invoice.date >= from && invoice.date < to)
            inRange.append(invoice);
    }
    std::stable_sort(inRange.begin(), inRange.end(),
                     [](const InvoiceAmountsRow& a, const InvoiceAmountsRow& b) { return a.date < b.date; });
    return inRange;
}

} // namespace

bool BuildInvoice(Context& context)
{
    ProjectTables& tables = context.tables;
    const qint32 invoiceID = context.parameters.invoiceID;
    CSIRec invoice;
    if (invoiceID <= 0 || !tables.invoices().RecordRead(invoice, invoiceID)) {
        context.out.error = QStringLiteral("Unable to locate invoice");
        return false;
    }
    QuickReportContent& out = context.out;
    out.title = QStringLiteral("INVOICE %1").arg(invoice.Number);
    out.dateLine.clear();
    out.headLines.append(QStringLiteral("Date: ") + context.date(invoice.Date));
    // The address block sits between the invoice's date and the customer's ID,
    // where a window envelope shows it.
    if (const std::optional<CCustomersRec> customer = readCustomer(context, invoice.CustomerID))
        out.headLines.append(customerBlock(*customer));
    out.headLines.append(QStringLiteral("Customer ID: %1").arg(invoice.CustomerID));

    QuickTable lines =
        MakeTable({QStringLiteral("Description"), QStringLiteral("Number"), QStringLiteral("Qty"),
                   QStringLiteral("Unit Price"), QStringLiteral("Total")},
                  {false, false, true, true, true}, {0.40, 0.18, 0.10, 0.16, 0.16});
    // The invoice's items in one read, with what their tax needs.
    QHash<qint32, CItemsRec> items;
    for (const CItemsRec& item : tables.items().RecordsWhere(
             QStringLiteral("[ID] IN (SELECT [ItemID] FROM [Sales] WHERE [SIID] = ?)"), {invoiceID},
             QString(),
             {QStringLiteral("Name"), QStringLiteral("Number"), QStringLiteral("Description"),
              QStringLiteral("Taxable"), QStringLiteral("TaxRate")}))
        items.insert(item.ID, item);
    const QList<CSalesRec> sales = tables.sales().RecordsWhere(
        kBySIID, {invoiceID}, QStringLiteral("[ID]"),
        {QStringLiteral("ItemID"), QStringLiteral("Quanity"), QStringLiteral("SellingPrice")});
    // The total as ComputeInvoiceTotal makes it: each line taxed at its item's
    // current rate, a line whose item is gone untaxed.
    Money subtotal, tax;
    for (const CSalesRec& sale : sales) {
        const Money lineTotal = sale.SellingPrice * sale.Quanity;
        subtotal += lineTotal;
        const auto item = items.constFind(sale.ItemID);
        QString description, number;
        if (item != items.constEnd()) {
            description = item->Description.isEmpty() ? item->Name : item->Description;
            number = item->Number;
            tax += LineTax(lineTotal, item->Taxable, item->TaxRate);
        }
        lines.rows.append({description, number, wholeNumber(sale.Quanity), context.money(sale.SellingPrice),
                           context.money(lineTotal)});
    }
    out.tables.append(lines);

    const Money total = subtotal + tax;
    Money due, paid, balance;
    ComputeInvoiceBalance(tables.receivables(), invoiceID, due, paid, balance);
    QuickTable totals = MakeTable({QStringLiteral("Subtotal"), QStringLiteral("Tax"), QStringLiteral("Total"),
                                   QStringLiteral("Paid"), QStringLiteral("Balance")},
                                  {true, true, true, true, true});
    totals.rows.append({context.money(subtotal), context.money(tax), context.money(total),
                        context.money(paid), context.money(total - paid)});
    out.tables.append(totals);
    return true;
}

bool BuildPaymentsByCustomer(Context& context)
{
    const qint32 customerID = context.parameters.customerID;
    const std::optional<CCustomersRec> customer = readCustomer(context, customerID);
    if (!customer)
        return customerMissing(context);
    const std::optional<QList<InvoiceAmountsRow>> invoices =
        ReadInvoiceAmounts(context.tables.database(), customerID);
    if (!invoices)
        return false;

    QuickReportContent& out = context.out;
    out.dateLine.clear();
    out.headLines = customerBlock(*customer);
    out.headLines.append(QStringLiteral("Date: ") + context.rangeText());
    out.headLines.append(QStringLiteral("Customer ID: %1").arg(customerID));

    QuickTable table = MakeTable({QStringLiteral("Date"), QStringLiteral("Invoice"), QStringLiteral("Paid"),
                                  QStringLiteral("Invoice Balance")},
                                 {false, false, true, true});
    for (const InvoiceAmountsRow& invoice : invoicesInRange(context, *invoices)) {
        table.rows.append({context.date(DateTime::fromDays(invoice.date)), wholeNumber(invoice.number),
                           context.money(amount(invoice.paid)), context.money(receivableBalance(invoice))});
    }
    out.tables.append(table);
    addAccountTable(context, *invoices);
    return true;
}

bool BuildSalesToCustomer(Context& context)
{
    ProjectTables& tables = context.tables;
    const qint32 customerID = context.parameters.customerID;
    const std::optional<CCustomersRec> customer = readCustomer(context, customerID);
    if (!customer)
        return customerMissing(context);
    const std::optional<QList<InvoiceAmountsRow>> invoices =
        ReadInvoiceAmounts(tables.database(), customerID);
    if (!invoices)
        return false;

    QuickReportContent& out = context.out;
    out.title = QStringLiteral("Customer Sales Report");
    out.headLines = {
        QStringLiteral("Customer ID: %1").arg(customerID), QStringLiteral("Telephone: ") + customer->Phone,
        QStringLiteral("e-mail: ") + customer->EMail, QStringLiteral("Special Notes: ") + customer->Notes};

    QuickTable table =
        MakeTable({QStringLiteral("Date"), QStringLiteral("Invoice"), QStringLiteral("Item"),
                   QStringLiteral("Item Number"), QStringLiteral("Qty"), QStringLiteral("Unit Price")},
                  {false, false, false, false, true, true}, {0.13, 0.11, 0.32, 0.18, 0.10, 0.16});
    RecordLookup items(tables.items(), {QStringLiteral("Name"), QStringLiteral("Number")});
    for (const InvoiceAmountsRow& invoice : invoicesInRange(context, *invoices)) {
        const QList<CSalesRec> sales =
            tables.sales().RecordsWhere(kBySIID, {invoice.invoiceID}, QStringLiteral("[Date], [ID]"),
                                        {QStringLiteral("ItemID"), QStringLiteral("Quanity"),
                                         QStringLiteral("SellingPrice"), QStringLiteral("Date")});
        for (const CSalesRec& sale : sales) {
            const CItemsRec* item = items.find(sale.ItemID);
            table.rows.append({context.date(sale.Date), wholeNumber(invoice.number),
                               item ? item->Name : QString(), item ? item->Number : QString(),
                               wholeNumber(sale.Quanity), context.money(sale.SellingPrice)});
        }
    }
    out.tables.append(table);
    addAccountTable(context, *invoices);
    return true;
}

bool BuildCustomerBalances(Context& context)
{
    ProjectTables& tables = context.tables;
    const std::optional<QList<InvoiceAmountsRow>> invoices = ReadInvoiceAmounts(tables.database());
    if (!invoices)
        return false;
    QHash<qint32, Money> balances;
    for (const InvoiceAmountsRow& invoice : *invoices)
        balances[invoice.customerID] += amount(invoice.total - invoice.paid);

    const QList<CCustomersRec> customers =
        tables.customers().RecordsWhere(QStringLiteral("[ID] > 0"), {}, QStringLiteral("[ID]"),
                                        {QStringLiteral("Company"), QStringLiteral("Last"),
                                         QStringLiteral("First"), QStringLiteral("Phone")});
    QuickTable table =
        MakeTable({QStringLiteral("ID"), QStringLiteral("Company"), QStringLiteral("Last Name"),
                   QStringLiteral("First Name"), QStringLiteral("Telephone"), QStringLiteral("Balance")},
                  {false, false, false, false, false, true}, kCustomerBalancesWidths);
    Money outstanding;
    for (const CCustomersRec& customer : customers) {
        const Money balance = balances.value(customer.ID);
        outstanding += balance;
        table.rows.append({context.id(customer.ID), customer.Company, customer.Last, customer.First,
                           customer.Phone, context.money(balance)});
    }
    context.out.tables.append(table);
    context.out.closingLines.append(AmountLine(context, QStringLiteral("Total Outstanding"), outstanding));
    return true;
}

bool BuildInvoiceBalances(Context& context)
{
    ProjectTables& tables = context.tables;
    std::optional<QList<InvoiceAmountsRow>> invoices = ReadInvoiceAmounts(tables.database());
    if (!invoices)
        return false;
    // A balance under a cent either way counts as paid.
    const qint64 cent = Money::kScale / 100;
    QList<InvoiceAmountsRow> owing;
    for (const InvoiceAmountsRow& invoice : *invoices) {
        const qint64 balance = receivableBalance(invoice).tenThousandths();
        if (balance <= -cent || balance >= cent)
            owing.append(invoice);
    }
    std::stable_sort(owing.begin(), owing.end(), [](const InvoiceAmountsRow& a, const InvoiceAmountsRow& b) {
        if (a.number != b.number)
            return a.number < b.number;
        return a.date < b.date;
    });

    QuickTable table = MakeTable(
        {QStringLiteral("Invoice"), QStringLiteral("Date"), QStringLiteral("ID"), QStringLiteral("Company"),
         QStringLiteral("Last Name"), QStringLiteral("First Name"), QStringLiteral("Balance")},
        {false, false, false, false, false, false, true}, {0.11, 0.12, 0.08, 0.22, 0.16, 0.16, 0.15});
    RecordLookup customers(tables.customers(),
                           {QStringLiteral("Company"), QStringLiteral("Last"), QStringLiteral("First")});
    customers.preloadFor(owing.size());
    Money outstanding;
    for (const InvoiceAmountsRow& invoice : owing) {
        const Money balance = receivableBalance(invoice);
        outstanding += balance;
        const CCustomersRec* customer = customers.find(invoice.customerID);
        table.rows.append({wholeNumber(invoice.number),
                           invoice.dated ? context.date(DateTime::fromDays(invoice.date)) : QString(),
                           context.id(invoice.customerID), customer ? customer->Company : QString(),
                           customer ? customer->Last : QString(), customer ? customer->First : QString(),
                           context.money(balance)});
    }
    context.out.tables.append(table);
    context.out.closingLines.append(AmountLine(context, QStringLiteral("Total Outstanding"), outstanding));
    return true;
}

} // namespace QuickReportData
