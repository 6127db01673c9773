#include "TortureWorkload.h"

#include "core/common/Clock.h"
#include "core/common/DateTime.h"
#include "core/common/Money.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/Project.h"
#include "core/project/ProjectOperations.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectSettingsModel.h"
#include "core/project/ProjectTables.h"
#include "core/purchasing/AutoOrderModel.h"
#include "core/purchasing/MarkPOFillDateModel.h"
#include "core/purchasing/NewPOModel.h"
#include "core/purchasing/PurgeDataModel.h"
#include "core/purchasing/RecordOrderModel.h"
#include "core/purchasing/RecordReceivedModel.h"
#include "core/purchasing/UndoReceipts.h"
#include "core/records/AddCustomerModel.h"
#include "core/records/AddItemModel.h"
#include "core/records/AddVendorModel.h"
#include "core/reports/ManageReportsModel.h"
#include "core/reports/ReportSheetModel.h"
#include "core/sales/CustomerReturnModel.h"
#include "core/sales/NewSalesInvoiceModel.h"
#include "core/sales/RecordCustomerPaymentModel.h"
#include "core/sales/RecordSoldItemsModel.h"
#include "core/sales/RemoveSale.h"
#include "core/stats/ManageStatisticsModel.h"
#include "core/stats/StandardStatistics.h"
#include "core/stats/StatisticWizardModel.h"

#include <QSqlQuery>
#include <QVariant>

#include <random>
#include <vector>

void TorturePrompter::message(const QString& text, const QString&, Icon)
{
    ++m_messages;
    m_lastMessage = text;
}

bool TorturePrompter::askYesNo(const QString&, const QString&, Icon)
{
    return m_answer;
}

namespace {

// The day every run takes for today: inside the generated projects' years.
const QDateTime kToday(QDate(2026, 6, 15), QTime(12, 0));

// A whole number of cents as an amount.
Money cents(qint64 count)
{
    return Money::fromTenThousandths(count * (Money::kScale / 100));
}

} // namespace

class TortureWorkload::Runner
{
public:
    Runner(Project& project, quint32 seed) : m_project(project), m_random(seed), m_clock(kToday) {}

    bool run(const std::function<bool(qint64)>& acknowledge);
    QString failure;
    QMap<QString, Tally> tallies;
    const char* current = ""; // the kind of operation running

private:
    using Operation = void (Runner::*)();
    struct Kind
    {
        const char* name;
        int weight;
        Operation operation;
    };
    static const std::vector<Kind>& kinds();

    ProjectTables& t() const { return *m_project.tables(); }
    CProjectSettings& settings() const { return *m_project.settings(); }

    // 0 .. n-1; n must be positive.
    int below(int n) { return static_cast<int>(m_random() % static_cast<quint32>(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> T pickFrom(const QList<T>& list)
    {
        return list.at(below(static_cast<int>(list.size())));
    }

    // The first column of every row the engine statement returns.
    QList<qint32> ids(const QString& sql, const QVariantList& values = {}) const;
    QString dateText(int daysBeforeToday) const
    {
        return DateTime::fromDate(kToday.date().addDays(-daysBeforeToday)).formatShortDate(UserLocale());
    }
    QString amountText(qint64 centCount) const { return FormatCurrencyField(cents(centCount)); }
    QString serial() const { return QString::number(m_acknowledged + 1); }

    // Counts an operation of the current kind, then acknowledges it.
    void done(bool saved);

    void addVendor();
    void modifyVendor();
    void addItem();
    void modifyItem();
    void addCustomer();
    void modifyCustomer();
    void newPurchaseOrder();
    void orderLine();
    void autoOrder();
    void receive();
    void autoReceive();
    void undoReceipts();
    void markFilled();
    void newInvoiceAndSale();
    void sellOnExistingInvoice();
    void sell(qint32 invoiceID, bool addsToExisting);
    void switchInventoryStyle();
    void removeSale();
    void customerReturn();
    void payment();
    void purge();
    void compact();
    void addStatistic();
    void deleteStatistic();
    void addReport();
    void modifyReport();
    void deleteReport();
    // The Manage Reports dialog on a listing that has custom reports, one of
    // them selected; nothing when no listing has any.
    std::unique_ptr<ManageReportsModel> reportChosen();

    Project& m_project;
    std::mt19937 m_random;
    FixedClock m_clock;
    TorturePrompter m_prompter;
    qint64 m_acknowledged = 0;
    std::function<bool(qint64)> m_acknowledge;
    bool m_stop = false;
};

const std::vector<TortureWorkload::Runner::Kind>& TortureWorkload::Runner::kinds()
{
    static const std::vector<Kind> list = {
        {"add vendor", 2, &Runner::addVendor},
        {"modify vendor", 2, &Runner::modifyVendor},
        {"add item", 4, &Runner::addItem},
        {"modify item", 3, &Runner::modifyItem},
        {"add customer", 2, &Runner::addCustomer},
        {"modify customer", 2, &Runner::modifyCustomer},
        {"new purchase order", 3, &Runner::newPurchaseOrder},
        {"order line", 6, &Runner::orderLine},
        {"auto order", 2, &Runner::autoOrder},
        {"receive", 8, &Runner::receive},
        {"auto receive", 1, &Runner::autoReceive},
        {"undo receipts", 3, &Runner::undoReceipts},
        {"mark filled", 2, &Runner::markFilled},
        {"new invoice", 4, &Runner::newInvoiceAndSale},
        {"sell on existing invoice", 4, &Runner::sellOnExistingInvoice},
        {"inventory style", 4, &Runner::switchInventoryStyle},
        {"remove sale", 3, &Runner::removeSale},
        {"customer return", 3, &Runner::customerReturn},
        {"payment", 4, &Runner::payment},
        {"purge", 1, &Runner::purge},
        {"compact", 3, &Runner::compact},
        {"add statistic", 4, &Runner::addStatistic},
        {"delete statistic", 3, &Runner::deleteStatistic},
        {"add report", 4, &Runner::addReport},
        {"modify report", 3, &Runner::modifyReport},
        {"delete report", 3, &Runner::deleteReport},
    };
    return list;
}

bool TortureWorkload::Runner::run(const std::function<bool(qint64)>& acknowledge)
{
    m_acknowledge = acknowledge;
    int totalWeight = 0;
    for (const Kind& kind : kinds())
        totalWeight += kind.weight;
    while (!m_stop) {
        if (!m_project.isOpen() || m_project.settings() == nullptr) {
            failure = QStringLiteral("the project closed after \"%1\": %2")
                          .arg(QLatin1String(current), m_prompter.lastMessage());
            return false;
        }
        int draw = below(totalWeight);
        for (const Kind& kind : kinds()) {
            if (draw < kind.weight) {
                current = kind.name;
                (this->*kind.operation)();
                break;
            }
            draw -= kind.weight;
        }
    }
    return true;
}

void TortureWorkload::Runner::done(bool saved)
{
    Tally& tally = tallies[QLatin1String(current)];
    ++tally.ran;
    if (saved)
        ++tally.saved;
    if (!m_stop && !m_acknowledge(++m_acknowledged))
        m_stop = true;
}

QList<qint32> TortureWorkload::Runner::ids(const QString& sql, const QVariantList& values) const
{
    QList<qint32> found;
    QSqlQuery query(m_project.database()->connection());
    query.setForwardOnly(true);
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (query.exec()) {
        while (query.next())
            found.append(query.value(0).toInt());
    }
    return found;
}

void TortureWorkload::Runner::addVendor()
{
    AddVendorModel model(t(), m_prompter);
    model.setName(QStringLiteral("Vendor ") + serial());
    model.setCity(QStringLiteral("Springfield"));
    model.setPhone(QString::number(between(1000000, 9999999)));
    done(model.save().saved);
}

void TortureWorkload::Runner::modifyVendor()
{
    const QList<qint32> vendors = ids(QStringLiteral("SELECT ID FROM Vendors"));
    if (vendors.isEmpty())
        return;
    AddVendorModel model(t(), m_prompter, pickFrom(vendors));
    if (!model.checkPrerequisites())
        return done(false);
    model.setStreet(QStringLiteral("%1 Main Street").arg(between(1, 999)));
    model.setPhone(QString::number(between(1000000, 9999999)));
    done(model.save().saved);
}

void TortureWorkload::Runner::addItem()
{
    const QList<qint32> vendors = ids(QStringLiteral("SELECT ID FROM Vendors"));
    if (vendors.isEmpty())
        return;
    AddItemModel model(t(), m_prompter, m_clock);
    if (!model.checkPrerequisites())
        return done(false);
    model.setPrimaryVendor(pickFrom(vendors));
    model.setName(QStringLiteral("Item ") + serial());
    model.setNumber(QStringLiteral("T-") + serial());
    const int cost = between(50, 5000);
    model.setCostText(amountText(cost));
    model.setPriceText(amountText(cost + between(0, 3000)));
    const bool taxable = chance(60);
    model.setTaxable(taxable);
    model.setTaxRateText(taxable ? QString::number(between(0, 1000) / 100.0) : QString());
    model.setReorderLevelText(QString::number(between(0, 20)));
    model.setReorderQuantityText(QString::number(between(1, 40)));
    model.setInitialQuantityText(QString::number(chance(80) ? between(1, 60) : 0));
    done(model.save().saved);
}

void TortureWorkload::Runner::modifyItem()
{
    const QList<qint32> items = ids(QStringLiteral("SELECT ID FROM Items"));
    if (items.isEmpty())
        return;
    AddItemModel model(t(), m_prompter, m_clock, pickFrom(items));
    if (!model.checkPrerequisites())
        return done(false);
    // A new tax rate leaves the invoices of its sales owing the old total
    // until the project is opened again.
    switch (below(3)) {
    case 0:
        model.setTaxable(!model.taxable());
        model.setTaxRateText(QString::number(between(0, 1000) / 100.0));
        break;
    case 1:
        model.setPriceText(amountText(between(50, 9000)));
        break;
    default:
        model.setReorderLevelText(QString::number(between(0, 30)));
        break;
    }
    done(model.save().saved);
}

void TortureWorkload::Runner::addCustomer()
{
    AddCustomerModel model(t(), m_prompter);
    model.setCompany(QStringLiteral("Company ") + serial());
    model.setLastName(QStringLiteral("Last %1").arg(between(1, 99)));
    model.setFirstName(QStringLiteral("First"));
    model.setCity(QStringLiteral("Shelbyville"));
    done(model.save().saved);
}

void TortureWorkload::Runner::modifyCustomer()
{
    const QList<qint32> customers = ids(QStringLiteral("SELECT ID FROM Customers"));
    if (customers.isEmpty())
        return;
    AddCustomerModel model(t(), m_prompter, pickFrom(customers));
    if (!model.checkPrerequisites())
        return done(false);
    model.setPhone(QString::number(between(1000000, 9999999)));
    model.setNotes(QStringLiteral("Note ") + serial());
    done(model.save().saved);
}

void TortureWorkload::Runner::newPurchaseOrder()
{
    const QList<qint32> vendors = ids(QStringLiteral("SELECT ID FROM Vendors"));
    if (vendors.isEmpty())
        return;
    NewPOModel model(t(), m_prompter, m_clock);
    model.selectVendor(pickFrom(vendors));
    model.setDateText(dateText(between(0, 30)));
    model.setNotes(QStringLiteral("Order ") + serial());
    done(model.save().saved);
}

void TortureWorkload::Runner::orderLine()
{
    const QList<qint32> orders = ids(QStringLiteral("SELECT ID FROM PO"));
    if (orders.isEmpty())
        return;
    const qint32 poID = pickFrom(orders);
    // Mostly the purchase order's vendor's own items, as a buyer would order.
    QList<qint32> items = ids(QStringLiteral("SELECT i.ID FROM Items i JOIN PO p ON p.VendorID = i.VendorID1 "
                                             "WHERE p.ID = ?"),
                              {poID});
    if (items.isEmpty() || chance(10))
        items = ids(QStringLiteral("SELECT ID FROM Items"));
    if (items.isEmpty())
        return;
    RecordOrderModel model(t(), m_prompter);
    if (!model.checkPrerequisites())
        return done(false);
    model.startNew(pickFrom(items), poID);
    model.setQuantityText(QString::number(between(1, 30)));
    done(model.save().saved);
}

void TortureWorkload::Runner::autoOrder()
{
    const QList<qint32> orders = ids(QStringLiteral("SELECT ID FROM PO"));
    if (orders.isEmpty())
        return;
    AutoOrderModel model(t(), m_prompter, AutoOrderModel::Mode::Order, pickFrom(orders));
    // Each proposal is a Record Order dialog of its own that the user confirms.
    for (const AutoOrderStep& step : model.orderSteps()) {
        if (m_stop)
            return;
        RecordOrderModel dialog(t(), m_prompter);
        model.prepareOrderStep(dialog, step);
        const bool saved = dialog.save().saved;
        model.stepFinished(dialog.changes());
        done(saved);
    }
}

void TortureWorkload::Runner::receive()
{
    QSqlQuery query(m_project.database()->connection());
    query.setForwardOnly(true);
    struct Line
    {
        qint32 id, po, quantity;
    };
    QList<Line> lines;
    if (query.exec(QStringLiteral("SELECT ID, POID, Quanity FROM \"Order\" WHERE Quanity > 0"))) {
        while (query.next())
            lines.append({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toInt()});
    }
    query.finish();
    if (lines.isEmpty())
        return;
    const Line line = pickFrom(lines);
    RecordReceivedModel model(t(), m_prompter, m_clock, line.po, line.id);
    if (!model.checkPrerequisites())
        return done(false);
    model.setDateText(dateText(between(0, 10)));
    if (chance(30))
        model.setCostText(amountText(between(50, 5000)));
    // In full; in part keeping the rest as a backorder; in part closing the line.
    const int way = line.quantity > 1 ? below(3) : 0;
    model.setQuantityText(QString::number(way == 0 ? line.quantity : between(1, line.quantity - 1)));
    m_prompter.setAnswer(way != 2);
    const bool saved = model.save().saved;
    m_prompter.setAnswer(true);
    done(saved);
}

void TortureWorkload::Runner::autoReceive()
{
    const QList<qint32> orders = ids(QStringLiteral("SELECT DISTINCT POID FROM \"Order\""));
    if (orders.isEmpty())
        return;
    AutoOrderModel model(t(), m_prompter, AutoOrderModel::Mode::Receive, pickFrom(orders));
    for (const qint32 orderID : model.receiveSteps()) {
        if (m_stop)
            return;
        RecordReceivedModel dialog(t(), m_prompter, m_clock);
        if (!model.prepareReceiveStep(dialog, orderID))
            continue;
        const bool saved = dialog.save().saved;
        model.stepFinished(dialog.changes());
        done(saved);
    }
}

void TortureWorkload::Runner::undoReceipts()
{
    const QList<qint32> orders = ids(QStringLiteral("SELECT DISTINCT OrderID FROM Received"));
    if (orders.isEmpty())
        return;
    ChangeList changes;
    done(UndoReceipts(t(), m_prompter, pickFrom(orders), changes).changed);
}

void TortureWorkload::Runner::markFilled()
{
    const QList<qint32> orders = ids(QStringLiteral("SELECT ID FROM PO"));
    if (orders.isEmpty())
        return;
    MarkPOFillDateModel model(t(), m_prompter, m_clock, pickFrom(orders));
    model.setDateText(dateText(between(0, 400)));
    done(model.save().saved);
}

void TortureWorkload::Runner::newInvoiceAndSale()
{
    const QList<qint32> customers = ids(QStringLiteral("SELECT ID FROM Customers"));
    NewSalesInvoiceModel model(t(), m_prompter, m_clock);
    if (!customers.isEmpty() && chance(90))
        model.setCustomer(pickFrom(customers));
    model.setPayMethod(below(4));
    model.setDateText(dateText(between(0, 60)));
    const bool saved = model.save().saved;
    done(saved);
    // Record Sale opens the sold items of the invoice it has just made.
    if (saved && !m_stop)
        sell(model.invoiceID(), false);
}

void TortureWorkload::Runner::sellOnExistingInvoice()
{
    const QList<qint32> invoices = ids(QStringLiteral("SELECT ID FROM SI"));
    if (invoices.isEmpty())
        return;
    sell(pickFrom(invoices), true);
}

void TortureWorkload::Runner::sell(qint32 invoiceID, bool addsToExisting)
{
    const QList<qint32> stocked = ids(QStringLiteral("SELECT ID FROM Items WHERE Stocked > 0"));
    if (stocked.isEmpty())
        return;
    RecordSoldItemsModel model(t(), m_prompter);
    model.setInvoice(invoiceID);
    model.setAddToExistingInvoice(addsToExisting);
    if (!model.checkPrerequisites())
        return done(false);
    for (int n = between(1, 3); n > 0; --n) {
        model.selectItem(pickFrom(stocked));
        model.setQuantityText(QString::number(between(1, 6)));
        if (chance(20))
            model.setPriceText(amountText(between(100, 9000)));
        (void)model.addLine();
    }
    if (!addsToExisting && chance(50))
        model.setAmountPaidText(chance(50) ? model.totalText() : amountText(between(0, 5000)));
    done(model.save().saved);
}

void TortureWorkload::Runner::switchInventoryStyle()
{
    ProjectSettingsModel model(settings(), m_prompter);
    model.setInventoryStyle(model.inventoryStyle() == FIFO ? LIFO : FIFO);
    done(model.save().saved);
}

void TortureWorkload::Runner::removeSale()
{
    const QList<qint32> sales = ids(QStringLiteral("SELECT ID FROM Sales"));
    if (sales.isEmpty())
        return;
    ChangeList changes;
    done(RemoveSale(t(), m_prompter, pickFrom(sales), changes));
}

void TortureWorkload::Runner::customerReturn()
{
    const QList<qint32> sales = ids(QStringLiteral("SELECT ID FROM Sales WHERE Quanity > 0"));
    if (sales.isEmpty())
        return;
    const qint32 saleID = pickFrom(sales);
    const QList<qint32> quantity = ids(QStringLiteral("SELECT Quanity FROM Sales WHERE ID = ?"), {saleID});
    CustomerReturnModel model(t(), m_prompter);
    model.setSale(saleID);
    if (!model.checkPrerequisites())
        return done(false);
    model.setQuantityText(QString::number(between(1, quantity.value(0, 1))));
    done(model.save().saved);
}

void TortureWorkload::Runner::payment()
{
    const QList<qint32> invoices = ids(QStringLiteral("SELECT DISTINCT SIID FROM AR"));
    if (invoices.isEmpty())
        return;
    const qint32 invoiceID = pickFrom(invoices);
    const QList<CARRec> chain = t().receivables().RecordsWhere(QStringLiteral("[SIID] = ?"), {invoiceID});
    RecordCustomerPaymentModel model(t(), m_prompter, m_clock);
    // Now and then a payment already made is corrected.
    const bool modify = chain.size() > 1 && chance(25);
    model.setPayment(invoiceID, modify ? chain.constLast().ID : NoSelection);
    if (!model.checkPrerequisites())
        return done(false);
    model.setDateText(dateText(between(0, 30)));
    const Money owed = chain.isEmpty() ? Money() : chain.constLast().Due - chain.constLast().Paid;
    if (chance(40) && owed > Money())
        model.setAmountText(FormatCurrencyField(owed));
    else
        model.setAmountText(amountText(between(1, 20000)));
    done(model.save().saved);
}

void TortureWorkload::Runner::purge()
{
    PurgeDataModel model(t(), m_prompter, m_clock);
    const int what = between(1, 3);
    model.setPurgeInvoices((what & 1) != 0);
    model.setPurgePOs((what & 2) != 0);
    model.setDateText(dateText(between(0, 7 * 365)));
    done(model.save().saved);
}

void TortureWorkload::Runner::compact()
{
    done(CompactDatabase(m_project, m_prompter));
}

void TortureWorkload::Runner::addStatistic()
{
    StatisticWizardModel model(settings(), m_prompter, m_clock);
    model.setType(below(StandardStatistics::TypeCount));
    if (model.useDatesEnabled())
        model.setUseDates(chance(50));
    if (model.useDates()) {
        model.setStartDate(dateText(between(200, 2000)));
        model.setThruDate(dateText(between(0, 199)));
    }
    model.setName(QStringLiteral("Statistic ") + serial());
    done(model.save().saved);
}

void TortureWorkload::Runner::deleteStatistic()
{
    ManageStatisticsModel model(settings(), m_prompter);
    if (model.names().isEmpty())
        return;
    model.setSelection(below(static_cast<int>(model.names().size())));
    done(model.deleteSelected());
}

void TortureWorkload::Runner::addReport()
{
    const auto listing = static_cast<ListingKind>(below(kListingKindCount));
    ManageReportsModel reports(t(), settings().reportPath(), settings().statistics(), m_prompter, m_clock,
                               listing);
    std::unique_ptr<ReportSheetModel> sheet = reports.add();
    sheet->setName(QStringLiteral("Report ") + serial());
    sheet->setTitle(QStringLiteral("Title ") + serial());
    for (int n = between(1, 4); n > 0 && !sheet->availableFields().isEmpty(); --n) {
        sheet->selectAvailableField(below(static_cast<int>(sheet->availableFields().size())));
        sheet->addField();
    }
    if (!sheet->availableStatistics().isEmpty() && chance(50)) {
        sheet->selectAvailableStatistic(below(static_cast<int>(sheet->availableStatistics().size())));
        sheet->addStatistic();
    }
    done(sheet->save().saved);
}

std::unique_ptr<ManageReportsModel> TortureWorkload::Runner::reportChosen()
{
    const auto dialog = [this](int listing) {
        return std::make_unique<ManageReportsModel>(t(), settings().reportPath(), settings().statistics(),
                                                    m_prompter, m_clock, static_cast<ListingKind>(listing));
    };
    QList<int> listings;
    for (int listing = 0; listing < kListingKindCount; ++listing) {
        if (!dialog(listing)->reports().isEmpty())
            listings.append(listing);
    }
    if (listings.isEmpty())
        return nullptr;
    std::unique_ptr<ManageReportsModel> reports = dialog(pickFrom(listings));
    reports->select(below(static_cast<int>(reports->reports().size())));
    return reports;
}

void TortureWorkload::Runner::modifyReport()
{
    const std::unique_ptr<ManageReportsModel> reports = reportChosen();
    if (!reports)
        return;
    std::unique_ptr<ReportSheetModel> sheet = reports->modify();
    if (!sheet)
        return done(false);
    sheet->setTitle(QStringLiteral("Title ") + serial());
    sheet->setPageNumbers(chance(50));
    done(sheet->save().saved);
}

void TortureWorkload::Runner::deleteReport()
{
    const std::unique_ptr<ManageReportsModel> reports = reportChosen();
    if (reports)
        done(reports->remove());
}

TortureWorkload::TortureWorkload(Project& project, quint32 seed)
    : m_runner(std::make_unique<Runner>(project, seed))
{
}

TortureWorkload::~TortureWorkload() = default;

bool TortureWorkload::run(const std::function<bool(qint64)>& acknowledge)
{
    return m_runner->run(acknowledge);
}

QString TortureWorkload::failure() const
{
    return m_runner->failure;
}

QString TortureWorkload::kind() const
{
    return QLatin1String(m_runner->current);
}

const QMap<QString, TortureWorkload::Tally>& TortureWorkload::tallies() const
{
    return m_runner->tallies;
}
