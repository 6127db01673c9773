#include "tools/generator/ProjectGenerator.h"

#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/db/TableReads.h"
#include "core/db/TableWrites.h"
#include "core/db/Totals.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <memory>
#include <random>
#include <tuple>
#include <type_traits>

namespace {

const char* const kCities[] = {"Springfield", "Riverton", "Lakeside",   "Fairview", "Georgetown", "Madison",
                               "Clinton",     "Franklin", "Greenville", "Bristol",  "Salem",      "Ashland"};
const char* const kStates[] = {"CA", "NY", "TX", "WA", "OR", "IL", "OH", "PA", "GA", "NC", "MI", "AZ"};
const char* const kStreets[] = {"Main St", "Oak Ave", "Maple Dr", "Cedar Ln",
                                "Pine Rd", "Elm St",  "Hill Rd",  "Lake Dr"};
const char* const kCompanyWords[] = {"Acme",   "Summit",   "Pioneer", "Atlas",    "Beacon",    "Crescent",
                                     "Harbor", "Keystone", "Liberty", "Meridian", "Northwind", "Orion"};
const char* const kVendorKinds[] = {"Supply",    "Trading",      "Industries",
                                    "Wholesale", "Distributors", "Manufacturing"};
const char* const kMaterials[] = {"Steel",  "Brass",    "Plastic", "Heavy", "Compact",
                                  "Deluxe", "Standard", "Mini",    "Large", "Cordless"};
const char* const kThings[] = {"Bolt",   "Bracket", "Hinge",  "Valve",  "Clamp", "Drill",
                               "Hammer", "Gasket",  "Filter", "Switch", "Cable", "Lamp"};
const char* const kFirstNames[] = {"James",   "Mary",  "John",  "Patricia", "Robert", "Jennifer",
                                   "Michael", "Linda", "David", "Susan",    "Daniel", "Karen"};
const char* const kLastNames[] = {"Smith",  "Johnson", "Brown",  "Garcia", "Miller", "Davis",
                                  "Wilson", "Moore",   "Taylor", "Clark",  "Lewis",  "Walker"};
const float kTaxRates[] = {5.0f, 6.25f, 7.0f, 7.25f, 8.5f};

// Dates run over 2020 to 2026, whole days. Worked out on first use: the day
// numbers rest on a date constant of another file, which static initialisation
// may not have reached yet.
int FirstDay()
{
    static const int day = static_cast<int>(DateTime::fromDate(QDate(2020, 1, 1)).days());
    return day;
}

int LastDay()
{
    static const int day = static_cast<int>(DateTime::fromDate(QDate(2026, 12, 31)).days());
    return day;
}

// Reproducible choices. The engine's raw output is fixed by the standard; the
// standard distributions are not, so ranges are cut from it by hand.
class Dice
{
public:
    explicit Dice(quint32 seed) : m_engine(seed) {}

    qint32 between(qint32 low, qint32 high)
    {
        const quint32 span = static_cast<quint32>(high - low) + 1;
        return low + static_cast<qint32>(m_engine() % span);
    }
    bool chance(int percent) { return between(0, 99) < percent; }
    template <typename T, std::size_t N> const T& pick(const T (&options)[N])
    {
        return options[between(0, static_cast<qint32>(N) - 1)];
    }
    template <typename T> const T& pick(const QList<T>& options)
    {
        return options.at(between(0, static_cast<qint32>(options.size()) - 1));
    }
    template <std::size_t N> QString word(const char* const (&options)[N])
    {
        return QString::fromLatin1(pick(options));
    }
    int day() { return between(FirstDay(), LastDay()); }

private:
    std::mt19937 m_engine;
};

DateTime Day(int day)
{
    return DateTime::fromDays(std::min(day, LastDay()));
}

Money Cents(qint64 cents)
{
    return Money::fromTenThousandths(cents * 100);
}

QString Padded(qint64 n, int width)
{
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

// Adds records either through a reused prepared INSERT per table, built from the
// record's own column list, or through the record classes.
class RecordWriter
{
public:
    RecordWriter(ProjectDatabase& db, ProjectTables* tables) : m_db(db), m_tables(tables) {}

    // On success the record holds the ID the database gave it.
    template <typename Rec> bool add(Rec& rec)
    {
        if (m_tables) {
            auto& set = setFor<Rec>();
            if (!set.RecordAdd(rec))
                return fail(set.lastError());
            return true;
        }
        std::optional<QSqlQuery>& query = std::get<Slot<Rec>>(m_slots).query;
        if (!query && !prepare<Rec>(query))
            return false;
        int position = 0;
        Rec::fields(rec, [&](const char*, const auto& member, int = 0) {
            if (position > 0)
                query->bindValue(position - 1, FieldValue::toVariant(member));
            ++position;
        });
        if (!query->exec())
            return fail(query->lastError().text());
        rec.ID = query->lastInsertId().toInt();
        return true;
    }

    QString error() const { return m_error; }

private:
    template <typename Rec> struct Slot
    {
        std::optional<QSqlQuery> query;
    };

    template <typename Rec> bool prepare(std::optional<QSqlQuery>& query)
    {
        // The ID comes first and is the database's to give.
        QStringList names;
        bool idFirst = false;
        int position = 0;
        static const Rec probe;
        Rec::fields(probe, [&](const char* name, const auto&, int = 0) {
            if (position++ == 0) {
                idFirst = qstrcmp(name, "ID") == 0;
                return;
            }
            names.append(QString::fromLatin1(name));
        });
        if (!idFirst)
            return fail(QStringLiteral("The table %1 does not start with its ID.")
                            .arg(QString::fromLatin1(Rec::kTable)));
        QString error;
        query = PrepareInsert(m_db, QString::fromLatin1(Rec::kTable), names, &error);
        if (!query)
            return fail(error);
        return true;
    }

    template <typename Rec> auto& setFor()
    {
        if constexpr (std::is_same_v<Rec, CVendorsRec>)
            return m_tables->vendors();
        else if constexpr (std::is_same_v<Rec, CItemsRec>)
            return m_tables->items();
        else if constexpr (std::is_same_v<Rec, COrderRec>)
            return m_tables->orders();
        else if constexpr (std::is_same_v<Rec, CStockRec>)
            return m_tables->stock();
        else if constexpr (std::is_same_v<Rec, CSalesRec>)
            return m_tables->sales();
        else if constexpr (std::is_same_v<Rec, CCustomersRec>)
            return m_tables->customers();
        else if constexpr (std::is_same_v<Rec, CReceivedRec>)
            return m_tables->received();
        else if constexpr (std::is_same_v<Rec, CPORec>)
            return m_tables->purchaseOrders();
        else if constexpr (std::is_same_v<Rec, CSIRec>)
            return m_tables->invoices();
        else
            return m_tables->receivables();
    }

    bool fail(const QString& message)
    {
        m_error = message;
        return false;
    }

    ProjectDatabase& m_db;
    ProjectTables* m_tables;
    QString m_error;
    std::tuple<Slot<CVendorsRec>, Slot<CItemsRec>, Slot<COrderRec>, Slot<CStockRec>, Slot<CSalesRec>,
               Slot<CCustomersRec>, Slot<CReceivedRec>, Slot<CPORec>, Slot<CSIRec>, Slot<CARRec>>
        m_slots;
};

// What later records need to know about an item.
struct ItemFacts
{
    qint32 id;
    qint32 vendorId;
    Money cost;
    Money price;
    bool taxable;
    float taxRate;
};

// The part of `total` that falls to slot `index` of `slots` when spread evenly.
qint32 ShareStart(qint32 index, qint32 total, qint32 slots)
{
    return static_cast<qint32>(static_cast<qint64>(index) * total / slots);
}

// One generation run inside one transaction.
class Filler
{
public:
    Filler(const GeneratorScale& scale, quint32 seed, RecordWriter& writer,
           const std::function<void(const QString&)>& progress)
        : m_scale(scale), m_dice(seed), m_writer(writer), m_progress(progress)
    {
    }

    bool run()
    {
        return vendors() && items() && customers() && initialStock() && purchaseOrders() && invoices();
    }

private:
    void tell(const QString& what, qint64 count)
    {
        if (m_progress)
            m_progress(QStringLiteral("%1: %2").arg(what).arg(count));
    }

    // Two draws in one expression would be made in an order the compiler picks.
    QString street()
    {
        const qint32 number = m_dice.between(1, 9999);
        return QString::number(number) + QLatin1Char(' ') + m_dice.word(kStreets);
    }

    bool vendors()
    {
        tell(QStringLiteral("Vendors"), m_scale.vendors);
        for (qint32 i = 1; i <= m_scale.vendors; ++i) {
            CVendorsRec v;
            const QString company = m_dice.word(kCompanyWords);
            v.Name = company + QLatin1Char(' ') + m_dice.word(kVendorKinds) + QLatin1Char(' ') + Padded(i, 5);
            v.Number = QStringLiteral("V") + Padded(i, 5);
            const QString first = m_dice.word(kFirstNames);
            v.Contact = first + QLatin1Char(' ') + m_dice.word(kLastNames);
            v.Street = street();
            v.City = m_dice.word(kCities);
            v.State = m_dice.word(kStates);
            v.Zip = Padded(m_dice.between(1000, 99999), 5);
            v.Phone = QStringLiteral("555-") + Padded(m_dice.between(0, 9999), 4);
            if (!m_writer.add(v))
                return false;
            m_vendorIds.append(v.ID);
        }
        return true;
    }

    bool items()
    {
        tell(QStringLiteral("Items"), m_scale.items);
        m_itemsOfVendor.resize(m_vendorIds.size());
        for (qint32 i = 1; i <= m_scale.items; ++i) {
            CItemsRec item;
            const QString material = m_dice.word(kMaterials);
            const QString thing = m_dice.word(kThings);
            item.Name = material + QLatin1Char(' ') + thing + QLatin1Char(' ') + Padded(i, 6);
            item.Number = QStringLiteral("IT-") + Padded(i, 6);
            item.Description = material + QLatin1Char(' ') + thing.toLower() + QStringLiteral(", pack of ") +
                               QString::number(m_dice.between(1, 50));
            const qint32 vendorIndex = m_dice.between(0, static_cast<qint32>(m_vendorIds.size()) - 1);
            item.VendorID1 = m_vendorIds.at(vendorIndex);
            if (m_vendorIds.size() > 1 && m_dice.chance(30)) {
                do
                    item.VendorID2 = m_dice.pick(m_vendorIds);
                while (item.VendorID2 == item.VendorID1);
            }
            const qint64 cost = m_dice.between(50, 50000);
            item.Cost = Cents(cost);
            item.SellingPrice = Cents(cost * m_dice.between(120, 200) / 100);
            item.ReorderQuanity = m_dice.between(10, 100);
            item.ReorderLevel = m_dice.between(5, 50);
            item.Taxable = m_dice.chance(70);
            item.TaxRate = item.Taxable ? m_dice.pick(kTaxRates) : 0.0f;
            if (!m_writer.add(item))
                return false;
            m_items.append(
                ItemFacts{item.ID, item.VendorID1, item.Cost, item.SellingPrice, item.Taxable, item.TaxRate});
            m_itemsOfVendor[vendorIndex].append(static_cast<qint32>(m_items.size()) - 1);
        }
        for (qsizetype v = 0; v < m_itemsOfVendor.size(); ++v) {
            if (!m_itemsOfVendor.at(v).isEmpty())
                m_vendorsWithItems.append(static_cast<qint32>(v));
        }
        return true;
    }

    bool customers()
    {
        tell(QStringLiteral("Customers"), m_scale.customers);
        for (qint32 i = 1; i <= m_scale.customers; ++i) {
            CCustomersRec c;
            if (m_dice.chance(40))
                c.Company = m_dice.word(kCompanyWords) + QStringLiteral(" Services ") + Padded(i, 5);
            c.First = m_dice.word(kFirstNames);
            c.Last = m_dice.word(kLastNames);
            c.Address = street();
            c.City = m_dice.word(kCities);
            c.State = m_dice.word(kStates);
            c.Zip = Padded(m_dice.between(1000, 99999), 5);
            c.Phone = QStringLiteral("555-") + Padded(m_dice.between(0, 9999), 4);
            c.EMail = c.First.toLower() + QLatin1Char('.') + c.Last.toLower() + QString::number(i) +
                      QStringLiteral("@example.com");
            if (!m_writer.add(c))
                return false;
            m_customerIds.append(c.ID);
        }
        return true;
    }

    // Lots that were on the shelf before any purchase order.
    bool initialStock()
    {
        const qint32 count = m_scale.stockLots - m_scale.receipts;
        tell(QStringLiteral("Initial stock lots"), count);
        for (qint32 i = 0; i < count; ++i) {
            const ItemFacts& item = m_dice.pick(m_items);
            CStockRec lot;
            lot.ItemID = item.id;
            lot.VendorID = item.vendorId;
            lot.OrderID = StockInitial;
            lot.POID = StockInitial;
            lot.Quanity = m_dice.between(1, 50);
            // Older lots were bought at somewhat different prices.
            lot.Cost = Cents(item.cost.tenThousandths() / 100 * m_dice.between(90, 110) / 100);
            lot.Date = Day(m_dice.day());
            if (!m_writer.add(lot))
                return false;
        }
        return true;
    }

    struct PlannedLine
    {
        const ItemFacts* item;
        qint32 quantity;
        bool received;
        qint32 receivedQuantity;
        int receiveDay;
    };

    // Each purchase order with its lines; a received line also has its receipt
    // and the stock lot the receipt put on the shelf.
    bool purchaseOrders()
    {
        tell(QStringLiteral("Purchase orders"), m_scale.purchaseOrders);
        tell(QStringLiteral("Order lines"), m_scale.orderLines);
        tell(QStringLiteral("Receipts and their lots"), m_scale.receipts);
        qint32 line = 0;
        for (qint32 p = 0; p < m_scale.purchaseOrders; ++p) {
            const qint32 lineEnd = ShareStart(p + 1, m_scale.orderLines, m_scale.purchaseOrders);
            const QList<qint32>* vendorItems = nullptr;
            qint32 vendorId;
            if (!m_vendorsWithItems.isEmpty()) {
                const qint32 vendorIndex = m_dice.pick(m_vendorsWithItems);
                vendorId = m_vendorIds.at(vendorIndex);
                vendorItems = &m_itemsOfVendor.at(vendorIndex);
            } else {
                vendorId = m_dice.pick(m_vendorIds);
            }

            CPORec po;
            po.VendorID = vendorId;
            po.Number = CPOSet::kFirstNumber + p;
            const int orderDay = m_dice.between(FirstDay(), LastDay() - 60);
            po.Date = Day(orderDay);
            po.RequiredDate = Day(orderDay + m_dice.between(7, 30));
            po.TaxRate = m_dice.chance(50) ? static_cast<double>(m_dice.pick(kTaxRates)) : 0.0;

            QList<PlannedLine> lines;
            bool filled = lineEnd > line;
            int filledDay = orderDay;
            for (; line < lineEnd; ++line) {
                PlannedLine planned{};
                planned.item = &m_items.at(vendorItems ? m_dice.pick(*vendorItems) : 0);
                planned.quantity = m_dice.between(1, 100);
                planned.received = ShareStart(line + 1, m_scale.receipts, m_scale.orderLines) >
                                   ShareStart(line, m_scale.receipts, m_scale.orderLines);
                if (planned.received) {
                    planned.receivedQuantity = (planned.quantity == 1 || m_dice.chance(80))
                                                   ? planned.quantity
                                                   : m_dice.between(1, planned.quantity - 1);
                    planned.receiveDay = std::min(orderDay + m_dice.between(3, 40), LastDay());
                    filledDay = std::max(filledDay, planned.receiveDay);
                }
                filled = filled && planned.received && planned.receivedQuantity == planned.quantity;
                lines.append(planned);
            }
            po.Filled = filled;
            if (filled)
                po.FilledDate = Day(filledDay);
            if (!m_writer.add(po))
                return false;

            for (const PlannedLine& planned : lines) {
                COrderRec order;
                order.ItemID = planned.item->id;
                order.VendorID = vendorId;
                order.Quanity = planned.quantity;
                order.Date = po.Date;
                order.POID = po.ID;
                if (!m_writer.add(order))
                    return false;
                if (!planned.received)
                    continue;

                CStockRec lot;
                lot.ItemID = planned.item->id;
                lot.VendorID = vendorId;
                lot.OrderID = order.ID;
                lot.POID = po.ID;
                lot.Quanity = planned.receivedQuantity;
                lot.Cost = planned.item->cost;
                lot.Date = Day(planned.receiveDay);
                if (!m_writer.add(lot))
                    return false;

                CReceivedRec receipt;
                receipt.ItemID = planned.item->id;
                receipt.VendorID = vendorId;
                receipt.OrderID = order.ID;
                receipt.StockID = lot.ID;
                receipt.OrderQuantity = planned.quantity;
                receipt.OrderDate = po.Date;
                receipt.ReceiveQuantity = planned.receivedQuantity;
                receipt.ReceiveDate = lot.Date;
                receipt.POID = po.ID;
                if (!m_writer.add(receipt))
                    return false;
            }
        }
        return true;
    }

    // Each invoice with its sales lines and what the customer owes on it; some
    // invoices also carry a payment.
    bool invoices()
    {
        tell(QStringLiteral("Invoices"), m_scale.invoices);
        tell(QStringLiteral("Sales lines"), m_scale.salesLines);
        qint32 line = 0;
        for (qint32 i = 0; i < m_scale.invoices; ++i) {
            CSIRec invoice;
            invoice.CustomerID = m_dice.pick(m_customerIds);
            invoice.Number = CSISet::kFirstNumber + i;
            const int day = m_dice.between(FirstDay(), LastDay() - 60);
            invoice.Date = Day(day);
            invoice.PayMethod = static_cast<qint16>(m_dice.between(0, 3));
            if (!m_writer.add(invoice))
                return false;

            Money total;
            for (const qint32 lineEnd = ShareStart(i + 1, m_scale.salesLines, m_scale.invoices);
                 line < lineEnd; ++line) {
                const ItemFacts& item = m_dice.pick(m_items);
                CSalesRec sale;
                sale.ItemID = item.id;
                sale.Quanity = m_dice.between(1, 10);
                sale.SellingPrice = item.price;
                sale.Date = invoice.Date;
                sale.Cost = item.cost;
                sale.SIID = invoice.ID;
                if (!m_writer.add(sale))
                    return false;
                const Money amount = item.price * sale.Quanity;
                total += amount;
                if (item.taxable)
                    total += MultiplyCurrencyByFactor(amount, static_cast<double>(item.taxRate) / 100.0);
            }

            CARRec due;
            due.CustomerID = invoice.CustomerID;
            due.Due = total;
            due.Date = invoice.Date;
            due.SIID = invoice.ID;
            if (!m_writer.add(due))
                return false;
            if (m_dice.chance(30)) {
                // Each later entry owes what the one before left unpaid.
                CARRec payment = due;
                payment.Due = due.Due - due.Paid;
                payment.Paid = m_dice.chance(60) ? payment.Due : Cents(payment.Due.tenThousandths() / 200);
                payment.Date = Day(day + m_dice.between(1, 60));
                if (!m_writer.add(payment))
                    return false;
            }
        }
        return true;
    }

    const GeneratorScale& m_scale;
    Dice m_dice;
    RecordWriter& m_writer;
    const std::function<void(const QString&)>& m_progress;
    QList<qint32> m_vendorIds;
    QList<ItemFacts> m_items;
    // Per vendor index: positions in m_items of the items bought from it first.
    QList<QList<qint32>> m_itemsOfVendor;
    QList<qint32> m_vendorsWithItems;
    QList<qint32> m_customerIds;
};

// The stock and order totals of every item, from its lots and order lines.
bool UpdateItemTotals(ProjectDatabase& db)
{
    return RecountItemTotals(db, ItemTotal::StockedAndOrdered);
}

QList<QPair<QString, qint64>> RowCounts(ProjectDatabase& db)
{
    QList<QPair<QString, qint64>> counts;
    for (const QString& table : db.tableNames())
        counts.append({table, CountRecords(db, table).value_or(-1)});
    return counts;
}

} // namespace

GeneratorScale GeneratorScale::small()
{
    return GeneratorScale{100, 1000, 10000, 200, 1000, 1000, 500, 2000, 10000};
}

GeneratorScale GeneratorScale::medium()
{
    return GeneratorScale{10000, 100000, 1000000, 20000, 100000, 100000, 50000, 200000, 1000000};
}

std::optional<GeneratorScale> GeneratorScale::byName(const QString& name)
{
    if (name.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0)
        return small();
    if (name.compare(QLatin1String("M"), Qt::CaseInsensitive) == 0)
        return medium();
    return std::nullopt;
}

QString GeneratorScale::problem() const
{
    for (const qint32 count :
         {vendors, items, stockLots, purchaseOrders, orderLines, receipts, customers, invoices, salesLines}) {
        if (count < 0)
            return QStringLiteral("No count may be negative.");
    }
    if (items > 0 && vendors == 0)
        return QStringLiteral("Items need at least one vendor.");
    if ((stockLots > 0 || orderLines > 0 || salesLines > 0) && items == 0)
        return QStringLiteral("Stock, order and sales lines need at least one item.");
    if (purchaseOrders > 0 && vendors == 0)
        return QStringLiteral("Purchase orders need at least one vendor.");
    if (orderLines > 0 && purchaseOrders == 0)
        return QStringLiteral("Order lines need at least one purchase order.");
    if (receipts > orderLines)
        return QStringLiteral("Each receipt needs an order line of its own.");
    if (receipts > stockLots)
        return QStringLiteral(
            "Each receipt puts a stock lot on the shelf, so there must be at least as many lots.");
    if (invoices > 0 && customers == 0)
        return QStringLiteral("Invoices need at least one customer.");
    if (salesLines > 0 && invoices == 0)
        return QStringLiteral("Sales lines need at least one invoice.");
    return QString();
}

ProjectGenerator::ProjectGenerator(const GeneratorScale& scale, quint32 seed) : m_scale(scale), m_seed(seed)
{
}

GeneratorResult ProjectGenerator::generate(const QString& directory, const QString& name)
{
    GeneratorResult result;
    QElapsedTimer timer;
    timer.start();
    result.error = m_scale.problem();
    if (!result.error.isEmpty())
        return result;
    if (!QDir().mkpath(directory)) {
        result.error = QStringLiteral("The folder %1 cannot be created.").arg(directory);
        return result;
    }
    const QString path = QDir(directory).filePath(name + QStringLiteral(".qmp"));
    if (QFile::exists(path)) {
        result.error = QStringLiteral("The file %1 exists already.").arg(path);
        return result;
    }
    if (CreateDatabase(path) != Status::Success) {
        result.error = QStringLiteral("The project database %1 cannot be created.").arg(path);
        return result;
    }

    bool ok = false;
    {
        ProjectDatabase db;
        if (!db.open(path)) {
            result.error = db.lastError();
        } else {
            std::unique_ptr<ProjectTables> tables;
            if (m_viaRecordLayer) {
                tables = std::make_unique<ProjectTables>(db, CStockSet::kFifo);
                if (tables->OpenAll() != Status::Success)
                    result.error = QStringLiteral("The tables of the new project cannot be opened.");
            }
            if (result.error.isEmpty()) {
                RecordWriter writer(db, tables.get());
                Transaction transaction(db);
                Filler filler(m_scale, m_seed, writer, m_progress);
                if (!transaction.isActive())
                    result.error = db.lastError();
                else if (!filler.run())
                    result.error = writer.error();
                else if (!UpdateItemTotals(db) || !transaction.commit())
                    result.error = db.lastError();
                else
                    ok = true;
            }
            tables.reset();
            if (ok)
                result.rowCounts = RowCounts(db);
        }
    }
    if (ok) {
        const CProjectSettings settings(directory, name);
        if (settings.status() != Status::Success) {
            result.error =
                QStringLiteral("The settings file %1 cannot be written.").arg(settings.settingsPath());
            ok = false;
        }
    }
    if (!ok) {
        QFile::remove(path);
        result.rowCounts.clear();
    }
    result.ok = ok;
    result.elapsedMs = timer.elapsed();
    return result;
}
