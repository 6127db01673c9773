#include "core/common/Clock.h"
#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"
#include "core/db/QuickReportReads.h"
#include "core/db/TableReads.h"
#include "core/db/Totals.h"
#include "core/project/Project.h"
#include "core/project/ProjectOperations.h"
#include "core/project/ProjectSettings.h"
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
#include "core/records/DeleteRecordModel.h"
#include "core/records/ImportModel.h"
#include "core/records/ImportVersion2.h"
#include "core/reports/QueryDefinitionModel.h"
#include "core/reports/QueryFields.h"
#include "core/reports/QuickReports.h"
#include "core/sales/CustomerReturnModel.h"
#include "core/sales/ProjectConsistency.h"
#include "core/sales/RecordCustomerPaymentModel.h"
#include "core/sales/RecordSoldItemsModel.h"
#include "core/sales/RemoveSale.h"
#include "core/session/ProjectOpening.h"
#include "core/views/RecordLists.h"

#include "FaultyFileSystem.h"
#include "FileBytes.h"
#include "PreviousVersionProject.h"
#include "ProjectBuilder.h"
#include "QtPrinters.h"
#include "ScriptedPrompter.h"
#include "Version2Records.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

// Injected I/O failures: every kind of user operation is run again and again
// from the same small project while the file system fails its 1st, 2nd, ...
// write, sync or read. Each time the user must be told, the project must be
// exactly as before (or, when the operation got through, exactly as a
// faultless run leaves it) and must open as a consistent project.

namespace {

using Kind = FaultyFileSystem::Kind;

// Every call and every way of failing with QM_FAULT_SWEEP=full; otherwise the
// first calls of each kind and then every doubling, for the common failures.
bool FullSweep()
{
    return qgetenv("QM_FAULT_SWEEP") == "full";
}

struct Fault
{
    Kind kind;
    int code;
    bool persistent;
    const char* name;
};

const Fault kFaults[] = {
    {Kind::Write, SQLITE_IOERR_WRITE, false, "write error"},
    {Kind::Write, SQLITE_FULL, true, "full disk"},
    {Kind::Sync, SQLITE_IOERR_FSYNC, false, "sync error"},
    {Kind::Read, SQLITE_IOERR_READ, false, "read error"},
    {Kind::Write, SQLITE_IOERR_WRITE, true, "dead disk on write"},
    {Kind::Write, SQLITE_FULL, false, "full disk once"},
    {Kind::Sync, SQLITE_IOERR_FSYNC, true, "dead disk on sync"},
    {Kind::Read, SQLITE_IOERR_READ, true, "dead disk on read"},
    {Kind::Read, SQLITE_IOERR_SHORT_READ, false, "short read"},
    {Kind::Read, SQLITE_IOERR_SHORT_READ, true, "short reads"},
};
constexpr qsizetype kDefaultFaults = 4;

QList<Fault> FaultsToSweep()
{
    const QList<Fault> all(std::begin(kFaults), std::end(kFaults));
    return FullSweep() ? all : all.first(kDefaultFaults);
}

int NextCall(int n)
{
    return FullSweep() || n < 4 ? n + 1 : n * 2;
}

const char* KindName(Kind kind)
{
    return kind == Kind::Read ? "read" : kind == Kind::Write ? "write" : "sync";
}

// The folder the tries work in: memory when the machine offers it, so that
// the thousands of syncs of a sweep cost nothing (the failures are injected
// above the file system all the same).
QString ScratchTemplate()
{
    const QFileInfo shm(u"/dev/shm"_s);
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return base + u"/qm-faults-XXXXXX"_s;
}

// The records of the small shop every try starts from.
struct Shop
{
    qint32 acme = NoID, bolt = NoID;
    qint32 widget = NoID, gadget = NoID, sprocket = NoID;
    // Acme's purchase order: 10 widgets, 4 gadgets, nothing received.
    qint32 openPO = NoID, widgetLine = NoID;
    // A line of sprockets received whole, its lot untouched, on a filled
    // purchase order of Bolt.
    qint32 receivedLine = NoID;
    qint32 harbor = NoID, lind = NoID;
    // Harbor's invoice: widgets from two lots, partly paid.
    qint32 openInvoice = NoID, soldWidgets = NoID;
    // Lind's: nothing sold yet.
    qint32 emptyInvoice = NoID;
};

const FixedClock& Today()
{
    static const FixedClock clock{QDateTime(QDate(2024, 3, 15), QTime(9, 0))};
    return clock;
}

bool CopyFiles(const QString& from, const QString& to, const QString& stem)
{
    for (const QString& extension : {u".qmp"_s, u".qms"_s, u".irp"_s}) {
        const QString source = from + u'/' + stem + extension;
        if (QFileInfo::exists(source) && !QFile::copy(source, to + u'/' + stem + extension))
            return false;
    }
    return true;
}

// A sale through the sales dialog, so that lots, totals and the receivables agree.
bool Sell(ProjectTables& t, Prompter& prompter, qint32 invoice, const QList<std::pair<qint32, int>>& lines,
          const QString& paid)
{
    RecordSoldItemsModel sale(t, prompter);
    sale.setInvoice(invoice);
    for (const auto& [item, quantity] : lines) {
        sale.selectItem(item);
        sale.setQuantityText(QString::number(quantity));
        if (!sale.addLine().saved)
            return false;
    }
    sale.setAmountPaidText(paid);
    return sale.save().saved;
}

// The projects every try starts from, made once: "shop" (FIFO) and "lifo" (the
// same records under LIFO), "old" (a previous-version project), "source" (a
// project to import items from) and a version 2.0 vendor file.
class Templates
{
public:
    Templates() { m_ok = m_dir.isValid() && buildShop() && buildOthers(); }
    bool ok() const { return m_ok; }
    const Shop& shop() const { return m_shop; }
    QString folder(const QString& name) const { return m_dir.filePath(name); }

private:
    bool buildShop();
    bool buildOthers();

    QTemporaryDir m_dir{ScratchTemplate()};
    Shop m_shop;
    bool m_ok = false;
};

bool Templates::buildShop()
{
    Shop& s = m_shop;
    TempProject project(CStockSet::kFifo, u"shop"_s);
    ProjectBuilder b(project);
    ProjectTables& t = project.tables();
    s.acme = b.vendor(u"Acme Paper"_s, u"A-1"_s);
    s.bolt = b.vendor(u"Bolt Supply"_s, u"B-1"_s);
    // Three lots of widgets at rising costs, so that FIFO and LIFO take different ones.
    s.widget = b.pricedItem({u"Widget"_s, s.acme, NoID, Money::fromWhole(2), 6, 20, 2, true},
                            Money::fromWhole(5), 7.25f);
    for (const Money cost : {Money::fromWhole(2, 4000), Money::fromWhole(2, 8000)}) {
        b.change<CItemsRec>(s.widget, [cost](CItemsRec& rec) { rec.Cost = cost; });
        b.lot(s.widget, 6);
    }
    s.gadget = b.pricedItem({u"Gadget"_s, s.acme, NoID, Money::fromWhole(3), 2, 20, 5}, Money::fromWhole(8));
    s.sprocket = b.pricedItem({u"Sprocket"_s, s.bolt, NoID, Money::fromWhole(1), 5}, Money::fromWhole(2));
    s.openPO = b.po(5000, s.acme, day(2024, 3, 1));
    s.widgetLine = b.orderLine(s.widget, s.openPO, 10);
    b.orderLine(s.gadget, s.openPO, 4);
    const qint32 filledPO = b.po(4000, s.bolt, day(1997, 3, 1));
    s.receivedLine = b.orderLine(s.sprocket, filledPO, 6);
    if (!b.receive(s.receivedLine, 6, day(1997, 3, 10)))
        return false;
    ScriptedPrompter prompter;
    MarkPOFillDateModel fill(t, prompter, Today(), filledPO);
    fill.setDateText(u"3/20/1997"_s);
    if (!fill.save().saved)
        return false;

    s.harbor = b.customer(u"Harbor Books"_s, u"Lind"_s, u"Ada"_s, u"555-0100"_s);
    s.lind = b.customer(u"Lind Hardware"_s, u"Moss"_s, u"Bo"_s);
    s.openInvoice = b.invoice(s.harbor, 1);
    if (!Sell(t, prompter, s.openInvoice, {{s.widget, 8}, {s.sprocket, 1}}, u"$10.00"_s))
        return false;
    s.soldWidgets = t.sales().IDsWhere(u"[ItemID] = ?"_s, {s.widget}).value(0, NoID);
    const qint32 paidInvoice = b.invoice(s.lind, 2);
    if (!Sell(t, prompter, paidInvoice, {{s.gadget, 1}}, u"$8.00"_s))
        return false;
    s.emptyInvoice = b.invoice(s.lind, 3);
    project.close();

    // The settings beside the database, and one open through the application
    // so that the report file exists and every invoice's balance is settled.
    const QString dir = folder(u"shop"_s);
    if (!QDir().mkpath(dir) || CProjectSettings(dir, u"shop"_s).status() != Status::Success ||
        !QFile::copy(project.path(), dir + u"/shop.qmp"_s))
        return false;
    Project opened;
    if (OpenProjectFromPath(opened, dir + u"/shop.qmp"_s, prompter) != Status::Success)
        return false;
    opened.close();

    const QString lifo = folder(u"lifo"_s);
    if (!QDir().mkpath(lifo) || !CopyFiles(dir, lifo, u"shop"_s) || !QFile::remove(lifo + u"/shop.qms"_s))
        return false;
    CProjectSettings lifoSettings(lifo, u"shop"_s);
    return lifoSettings.SetInventoryStyle(LIFO) == Status::Success;
}

bool Templates::buildOthers()
{
    PreviousVersionProject old(folder(u"old"_s), u"old"_s);
    if (!old.isValid())
        return false;
    const qint32 item =
        old.insert(u"Items"_s, {{u"Name"_s, u"Bolt"_s}, {u"Stocked"_s, 10}, {u"Ordered"_s, 7}});
    const qint32 order = old.insert(u"Order"_s, {{u"ItemID"_s, item}, {u"Quanity"_s, 7}});
    for (const qint32 origin : {order, qint32(StockInitial)}) {
        if (old.insert(u"Stock"_s, {{u"ItemID"_s, item}, {u"OrderID"_s, origin}, {u"Quanity"_s, 5}}) == 0)
            return false;
    }
    if (old.insert(u"Vendors"_s, {{u"Name"_s, u"Acme"_s}}) == 0 ||
        old.insert(u"Received"_s, {{u"OrderID"_s, order}}) == 0 ||
        old.insert(u"Sales"_s, {{u"ItemID"_s, item}}) == 0)
        return false;

    const QString source = folder(u"source"_s);
    if (!QDir().mkpath(source))
        return false;
    {
        TempProject other(CStockSet::kFifo, u"source"_s);
        ProjectBuilder b(other);
        b.item({u"Hinge"_s, b.vendor(u"Crane Hardware"_s), NoID, Money::fromWhole(1, 2500), 7});
        b.item({u"Latch"_s, b.vendor(u"Acme Paper"_s), NoID, Money::fromWhole(2), 3});
        other.close();
        if (!QFile::copy(other.path(), source + u"/source.qmp"_s))
            return false;
    }
    QByteArray vendors;
    for (const char* name : {"Dover Tools", "Acme Paper", "Elm Goods"})
        vendors += RecordBytes(ImportVersion2::kVendorRecordLength).text(0, name).text(50, "V2").bytes();
    return WriteFileBytes(source + u"/vendors.ddg"_s, vendors);
}

const Templates& TheTemplates()
{
    static const Templates templates;
    return templates;
}

// Every row of every table (the engine's own included) and the bytes of the
// settings and report files: what an operation that failed must leave as it was.
QString ContentOf(ProjectDatabase& db)
{
    QStringList lines;
    QSqlQuery tables(db.connection());
    if (!tables.exec(u"SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"_s))
        return u"unreadable: "_s + tables.lastError().text();
    QStringList names;
    while (tables.next())
        names << tables.value(0).toString();
    tables.finish();
    for (const QString& table : names) {
        QSqlQuery rows(db.connection());
        if (!rows.exec(u"SELECT * FROM \"%1\" ORDER BY rowid"_s.arg(table)))
            return u"unreadable: "_s + rows.lastError().text();
        while (rows.next()) {
            QStringList values{table};
            for (int i = 0; i < rows.record().count(); ++i)
                values << rows.value(i).toString();
            lines << values.join(u'|');
        }
    }
    const QString stem = db.path().chopped(4);
    for (const QString& extension : {u".qms"_s, u".irp"_s}) {
        lines << extension + u' ' +
                     QString::fromLatin1(
                         QCryptographicHash::hash(FileBytes(stem + extension), QCryptographicHash::Sha1)
                             .toHex());
    }
    return lines.join(u'\n');
}

// The project at `path` as the application finds it next time: its content,
// or what is wrong with it. A previous-version project is not converted: it
// is described by its bytes.
QString Inspect(const QString& path)
{
    if (!QFileInfo::exists(path))
        return u"no project"_s;
    Project project;
    ScriptedPrompter prompter;
    const int status = OpenProjectFromPath(project, path, prompter);
    if (status == Status::PreviousVersion)
        return u"previous version "_s +
               QString::fromLatin1(
                   QCryptographicHash::hash(FileBytes(path), QCryptographicHash::Sha1).toHex());
    if (status != Status::Success)
        return u"does not open (%1): %2"_s.arg(status).arg(prompter.texts().join(u" / "_s));
    QStringList problems;
    if (!prompter.log().isEmpty())
        problems << u"opening said: "_s + prompter.texts().join(u" / "_s);
    QSqlQuery check(project.database()->connection());
    if (!check.exec(u"PRAGMA integrity_check"_s) || !check.next() || check.value(0).toString() != u"ok"_s)
        problems << u"integrity: "_s + check.value(0).toString() + check.lastError().text();
    check.finish();
    problems << CheckProjectConsistency(*project.tables()).all();
    const QString content = ContentOf(*project.database());
    project.close();
    return problems.isEmpty() ? content : problems.join(u'\n');
}

// The files of a folder, bar lock files and the journal of a database that is
// there (the next open plays it back); a journal without its database would
// be played back into the next file made under that name.
QStringList FilesIn(const QString& dir)
{
    const QStringList all =
        QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
    QStringList files = all;
    files.removeIf([&all](const QString& name) {
        return name.endsWith(u".lock"_s) || (name.endsWith(u"-journal"_s) && all.contains(name.chopped(8)));
    });
    return files;
}

// One try: fresh copies of the templates in a folder of its own ("p" the
// project, "c" for copies, "w" the working directory), the project open
// through the application unless the operation opens it itself.
struct Session
{
    explicit Session(const QString& stem, bool openFirst)
    {
        const Templates& templates = TheTemplates();
        for (const char* sub : {"p", "c", "w", "x"})
            QDir().mkpath(root.filePath(QString::fromLatin1(sub)));
        const QString source = stem == u"old"_s ? u"old"_s : u"shop"_s;
        CopyFiles(templates.folder(stem), dir(u"p"_s), source);
        CopyFiles(templates.folder(u"source"_s), dir(u"x"_s), u"source"_s);
        QFile::copy(templates.folder(u"source"_s) + u"/vendors.ddg"_s, dir(u"x"_s) + u"/vendors.ddg"_s);
        // An older copy of the shop that copying replaces.
        CopyFiles(templates.folder(u"lifo"_s), dir(u"c"_s), u"shop"_s);
        for (const QString& extension : {u".qmp"_s, u".qms"_s, u".irp"_s})
            QFile::rename(dir(u"c"_s) + u"/shop"_s + extension, dir(u"c"_s) + u"/branch"_s + extension);
        path = dir(u"p"_s) + u'/' + source + u".qmp"_s;
        QDir::setCurrent(dir(u"w"_s));
        opened = !openFirst || OpenProjectFromPath(project, path, prompter) == Status::Success;
        prompter.clear();
    }
    ~Session()
    {
        project.close();
        QDir::setCurrent(QDir::tempPath());
    }
    QString dir(const QString& sub) const { return root.filePath(sub); }
    ProjectTables& t() { return *project.tables(); }
    const Shop& shop() const { return TheTemplates().shop(); }

    QTemporaryDir root{ScratchTemplate()};
    QString path;
    Project project;
    ScriptedPrompter prompter;
    bool opened = false;
    qint32 newPO = NoID;
};

using Step = std::function<bool(Session&)>;

// A kind of user operation: its steps, each one user action of its own (one
// dialog's OK) that must succeed or change nothing.
struct Operation
{
    const char* name;
    QList<Step> steps;
    // "shop", "lifo" or "old"
    QString stem = u"shop"_s;
    // The projects it may change besides the open one ("c/branch.qmp").
    QStringList alsoInspected = {};
    // The source's bytes must survive a failure (or, for a copy, anything).
    bool sourceBytesKept = false;
    bool sourceBytesAlwaysKept = false;
    // Its last act is to open the project again, which can fail once the work
    // is done: the project may then be as a faultless run leaves it.
    bool endsByReopening = false;
};

QList<Operation> Operations()
{
    QList<Operation> ops;
    ops.append({"add vendor", {[](Session& s) {
                    AddVendorModel vendor(s.t(), s.prompter);
                    vendor.setName(u"Crane Hardware"_s);
                    vendor.setCity(u"Dover"_s);
                    return vendor.save().saved;
                }}});
    ops.append({"add item", {[](Session& s) {
                    AddItemModel item(s.t(), s.prompter, Today());
                    item.setPrimaryVendor(s.shop().bolt);
                    item.setName(u"Hinge"_s);
                    item.setCostText(u"1.50"_s);
                    item.setPriceText(u"3.00"_s);
                    item.setInitialQuantityText(u"12"_s);
                    return item.checkPrerequisites() && item.save().saved;
                }}});
    ops.append({"add customer", {[](Session& s) {
                    AddCustomerModel customer(s.t(), s.prompter);
                    customer.setLastName(u"Okafor"_s);
                    customer.setCompany(u"Okafor & Daughters"_s);
                    return customer.save().saved;
                }}});
    ops.append({"modify item", {[](Session& s) {
                    AddItemModel item(s.t(), s.prompter, Today(), s.shop().widget);
                    if (!item.checkPrerequisites())
                        return false;
                    item.setName(u"Widget Mark II"_s);
                    item.setPriceText(u"5.75"_s);
                    return item.save().saved;
                }}});
    ops.append({"delete vendor", {[](Session& s) {
                    DeleteRecordModel deletion(s.t(), s.prompter, DeleteRecordModel::Target::Vendor,
                                               s.shop().bolt);
                    deletion.setConfirmation(u"YES"_s);
                    return deletion.checkPrerequisites() && deletion.save().saved;
                }}});
    ops.append({"new purchase order with lines",
                {[](Session& s) {
                     NewPOModel po(s.t(), s.prompter, Today());
                     po.selectVendor(s.shop().bolt);
                     po.setTaxRateText(u"6.5"_s);
                     if (!po.save().saved)
                         return false;
                     s.newPO = po.poID();
                     return true;
                 },
                 [](Session& s) {
                     RecordOrderModel line(s.t(), s.prompter);
                     if (!line.checkPrerequisites())
                         return false;
                     line.startNew(s.shop().sprocket, s.newPO);
                     line.setQuantityText(u"9"_s);
                     return line.save().saved;
                 },
                 [](Session& s) {
                     RecordOrderModel line(s.t(), s.prompter);
                     if (!line.checkPrerequisites())
                         return false;
                     line.startNew(s.shop().widget, s.newPO);
                     line.setQuantityText(u"3"_s);
                     return line.save().saved;
                 }}});
    ops.append({"auto order", {[](Session& s) {
                    AutoOrderModel autoOrder(s.t(), s.prompter, AutoOrderModel::Mode::Order, s.shop().openPO);
                    const QList<AutoOrderStep> steps = autoOrder.orderSteps();
                    if (steps.isEmpty())
                        return false;
                    RecordOrderModel line(s.t(), s.prompter);
                    autoOrder.prepareOrderStep(line, steps.constFirst());
                    return line.save().saved;
                }}});
    const auto receive = [](bool keepBackorder) {
        return [keepBackorder](Session& s) {
            RecordReceivedModel receipt(s.t(), s.prompter, Today(), s.shop().openPO, s.shop().widgetLine);
            if (!receipt.checkPrerequisites())
                return false;
            receipt.setQuantityText(u"4"_s);
            receipt.setCostText(u"2.10"_s);
            receipt.setDateText(u"3/12/2024"_s);
            s.prompter.answer({keepBackorder});
            return receipt.save().saved;
        };
    };
    ops.append({"receive with backorder", {receive(true)}});
    ops.append({"receive without backorder", {receive(false)}});
    ops.append({"undo receipts", {[](Session& s) {
                    s.prompter.answer({true});
                    ChangeList changes;
                    return UndoReceipts(s.t(), s.prompter, s.shop().receivedLine, changes).changed;
                }}});
    const auto sell = [](Session& s) {
        return Sell(s.t(), s.prompter, s.shop().emptyInvoice, {{s.shop().widget, 3}, {s.shop().sprocket, 2}},
                    u"$5.00"_s);
    };
    ops.append({"sell under FIFO", {sell}});
    ops.append({"sell under LIFO", {sell}, u"lifo"_s});
    ops.append({"remove a sale", {[](Session& s) {
                    s.prompter.answer({true});
                    ChangeList changes;
                    return RemoveSale(s.t(), s.prompter, s.shop().soldWidgets, changes);
                }}});
    ops.append({"customer return", {[](Session& s) {
                    CustomerReturnModel giveBack(s.t(), s.prompter);
                    giveBack.setSale(s.shop().soldWidgets);
                    if (!giveBack.checkPrerequisites())
                        return false;
                    giveBack.setQuantityText(u"2"_s);
                    return giveBack.save().saved;
                }}});
    ops.append({"payment", {[](Session& s) {
                    RecordCustomerPaymentModel payment(s.t(), s.prompter, Today());
                    payment.setPayment(s.shop().openInvoice);
                    if (!payment.checkPrerequisites())
                        return false;
                    payment.setAmountText(u"$7.50"_s);
                    return payment.save().saved;
                }}});
    ops.append({"purge", {[](Session& s) {
                    PurgeDataModel purge(s.t(), s.prompter, Today());
                    purge.setPurgeInvoices(true);
                    purge.setPurgePOs(true);
                    purge.setDateText(u"12/31/1997"_s);
                    s.prompter.answer({true});
                    return purge.save().saved && purge.purged();
                }}});
    ops.append({"mark PO fill date", {[](Session& s) {
                    MarkPOFillDateModel fill(s.t(), s.prompter, Today(), s.shop().openPO);
                    fill.setDateText(u"3/14/2024"_s);
                    return fill.save().saved;
                }}});
    ops.append({"store a query", {[](Session& s) {
                    QueryDefinitionModel query(s.t(), s.prompter, ListingKind::Vendors);
                    query.setName(u"Acme only"_s);
                    query.setCriterionField(0, QueryFieldIndex(ListingKind::Vendors, u"Name"_s));
                    query.setCriterionOperator(0, 0);
                    query.setCriterionValue(0, u"Acme Paper"_s);
                    return query.checkPrerequisites() && query.save().saved;
                }}});
    const auto import = [](ImportModel::Source source, const char* file) {
        return [source, file](Session& s) {
            ImportModel model(s.t(), s.prompter, Today(), source);
            model.setPath(s.dir(u"x"_s) + u'/' + QString::fromLatin1(file));
            return model.save().saved;
        };
    };
    ops.append({"import version 2.0 vendors", {import(ImportModel::Source::Version2Vendors, "vendors.ddg")}});
    ops.append({"import items of a project", {import(ImportModel::Source::ProjectItems, "source.qmp")}});
    ops.append({"compact",
                {[](Session& s) {
                    s.prompter.answer({true});
                    return CompactDatabase(s.project, s.prompter);
                }},
                u"shop"_s,
                {},
                true,
                false,
                true});
    ops.append({"copy project",
                {[](Session& s) {
                    s.prompter.answer({true});
                    return CopyProject(s.project, s.dir(u"c"_s), u"branch"_s, s.prompter);
                }},
                u"shop"_s,
                {u"c/branch.qmp"_s},
                false,
                true});
    ops.append({"convert a previous-version project",
                {[](Session& s) {
                    s.prompter.answer({true});
                    return OpenProjectFromPath(s.project, s.path, s.prompter) == Status::Success;
                }},
                u"old"_s,
                {},
                true,
                false,
                true});
    return ops;
}

// What a run left behind.
struct Outcome
{
    int stepsDone = 0;
    bool succeeded = false;
    bool fired = false;
    int injected = 0;
    std::array<int, FaultyFileSystem::kKinds> calls{};
    QStringList told;  // the messages (not the questions) shown while it ran
    QStringList state; // each inspected project, then the folders' files
    QByteArray sourceBytes;
};

class InjectedFailures : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TheTemplates().ok());
        ASSERT_TRUE(fs.isRegistered());
    }

    // Runs the first `steps` steps of the operation, failing the fault's nth call.
    Outcome run(const Operation& op, qsizetype steps, const Fault* fault = nullptr, int nth = 0)
    {
        Outcome out;
        {
            Session s(op.stem, op.stem != u"old"_s);
            EXPECT_TRUE(s.opened) << op.name;
            if (fault)
                fs.arm(fault->kind, nth, fault->code, fault->persistent);
            else
                fs.reset();
            out.succeeded = true;
            for (qsizetype i = 0; i < steps && out.succeeded; ++i) {
                out.succeeded = op.steps.at(i)(s);
                if (out.succeeded)
                    ++out.stepsDone;
            }
            fs.disarm();
            out.fired = fs.injected() > 0;
            out.injected = fs.injected();
            for (std::size_t k = 0; k < FaultyFileSystem::kKinds; ++k)
                out.calls[k] = fs.calls(static_cast<Kind>(k));
            for (const ScriptedPrompter::Entry& entry : s.prompter.log()) {
                if (!entry.question)
                    out.told << entry.text;
            }
            s.project.close();
            out.sourceBytes = FileBytes(s.path);
            out.state << Inspect(s.path);
            for (const QString& other : op.alsoInspected)
                out.state << Inspect(s.dir(other));
            for (const char* sub : {"p", "c", "w"})
                out.state << QString::fromLatin1(sub) + u": "_s +
                                 FilesIn(s.dir(QString::fromLatin1(sub))).join(u' ');
        }
        return out;
    }

    FaultyFileSystem fs;
};

// Whether the user was told that the operation failed, not (as a read that
// failed might make it seem) that a record is missing or a list empty.
bool TellsOfFailure(const QStringList& told)
{
    static const QRegularExpression failure(
        u"unable to be completed|corrupt or missing|could not be accessed|could not be opened again|"
        "Unable to (compact|copy files|import file|add|open)|Unable open|Failed to create|Invalid File"_s);
    return std::any_of(told.cbegin(), told.cend(),
                       [](const QString& text) { return text.contains(failure); });
}

// The failures the running test has recorded.
int FailuresSoFar()
{
    return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
}

// Where two states first differ, for a readable failure.
std::string FirstDifference(const QStringList& got, const QStringList& expected)
{
    const QStringList a = got.join(u'\n').split(u'\n');
    const QStringList b = expected.join(u'\n').split(u'\n');
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (a.value(i) != b.value(i))
            return QString(u"line %1: got \"%2\", expected \"%3\""_s)
                .arg(i)
                .arg(a.value(i), b.value(i))
                .toStdString();
    }
    return {};
}

TEST_F(InjectedFailures, EveryOperationIsTakenBackWholeAndToldWhenTheDiskFails)
{
    for (const Operation& op : Operations()) {
        QElapsedTimer timer;
        timer.start();
        // What each number of steps leaves when nothing fails; [0] is the project as it was.
        QList<Outcome> clean;
        for (qsizetype steps = 0; steps <= op.steps.size(); ++steps) {
            clean.append(run(op, steps));
            ASSERT_TRUE(clean.constLast().succeeded)
                << op.name
                << " fails without a fault: " << clean.constLast().told.join(u" / "_s).toStdString();
        }
        const Outcome& before = clean.constFirst();
        const Outcome& done = clean.constLast();
        ASSERT_FALSE(done.state == before.state) << op.name << " changes nothing";
        for (const QString& state : done.state)
            ASSERT_FALSE(state.startsWith(u"does not open"_s) || state.contains(u"integrity:"_s))
                << op.name << ": " << state.toStdString();

        int tries = 0;
        std::array<int, FaultyFileSystem::kKinds> failures{};
        const int failuresAtStart = FailuresSoFar();
        for (const Fault& fault : FaultsToSweep()) {
            for (int nth = 1;; nth = NextCall(nth)) {
                const Outcome out = run(op, op.steps.size(), &fault, nth);
                ++tries;
                const std::string where = std::string(op.name) + ", " + fault.name + " at " +
                                          KindName(fault.kind) + " " + std::to_string(nth);
                if (!out.fired) {
                    // Past the last call: it must have gone through as without a fault.
                    EXPECT_TRUE(out.succeeded) << where << ": " << out.told.join(u" / "_s).toStdString();
                    EXPECT_TRUE(out.state == done.state)
                        << where << ": " << FirstDifference(out.state, done.state);
                    break;
                }
                failures[std::size_t(fault.kind)] += out.injected;
                if (out.succeeded) {
                    EXPECT_TRUE(out.state == done.state) << where << " succeeded despite the fault, but "
                                                         << FirstDifference(out.state, done.state);
                    continue;
                }
                // A short read hands back zeros, as at the end of a file; a first
                // page of zeros is a file that is no database, which the open
                // path refuses without a word (the caller asks for another).
                const bool readAsNoDatabase =
                    fault.code == SQLITE_IOERR_SHORT_READ && op.stem == u"old"_s && out.state == before.state;
                EXPECT_TRUE(readAsNoDatabase || TellsOfFailure(out.told))
                    << where << ": the failure was not told: " << out.told.join(u" / "_s).toStdString();
                if (op.endsByReopening && out.state == done.state)
                    continue;
                const Outcome& expected = clean.at(out.stepsDone);
                EXPECT_TRUE(out.state == expected.state)
                    << where << " after " << out.stepsDone
                    << " steps: " << FirstDifference(out.state, expected.state)
                    << "\ntold: " << out.told.join(u" / "_s).toStdString();
                if (op.sourceBytesKept) {
                    EXPECT_TRUE(out.sourceBytes == before.sourceBytes)
                        << where << ": the source's bytes changed";
                }
                if (FailuresSoFar() > failuresAtStart)
                    break;
            }
            if (FailuresSoFar() > failuresAtStart)
                break;
            if (op.sourceBytesAlwaysKept) {
                EXPECT_TRUE(done.sourceBytes == before.sourceBytes)
                    << op.name << ": the source's bytes changed";
            }
        }
        const auto& calls = done.calls;
        const auto count = [](const auto& counts, Kind kind) { return counts[std::size_t(kind)]; };
        std::printf("%-36s calls %3d/%2d/%3d, %5d tries, failures injected %5d/%4d/%5d (write/sync/read): %s "
                    "(%lld ms)\n",
                    op.name, count(calls, Kind::Write), count(calls, Kind::Sync), count(calls, Kind::Read),
                    tries, count(failures, Kind::Write), count(failures, Kind::Sync),
                    count(failures, Kind::Read),
                    FailuresSoFar() > failuresAtStart ? "FAULTS FOUND" : "nothing lost",
                    static_cast<long long>(timer.elapsed()));
    }
}

// A read behind a list, a total or a report, and its whole answer as text;
// nothing when it reported that it failed.
struct Read
{
    std::string name;
    std::function<std::optional<QString>(ProjectTables&)> answer;
};

QString RowsText(const QList<QPair<qint32, QVariant>>& rows)
{
    QStringList lines;
    for (const auto& [id, value] : rows)
        lines << QString::number(id) + u'=' + value.toString();
    return lines.join(u',');
}

QList<Read> Reads()
{
    const Shop& shop = TheTemplates().shop();
    QList<Read> reads;
    const auto optional = [](const auto& value) -> std::optional<QString> {
        if (!value)
            return std::nullopt;
        return QString::number(*value);
    };
    reads.append({"count of records",
                  [=](ProjectTables& t) { return optional(CountRecords(t.database(), u"Stock"_s)); }});
    reads.append({"highest ID", [](ProjectTables& t) -> std::optional<QString> {
                      bool failed = false;
                      const std::optional<qint32> id = HighestId(t.database(), u"Sales"_s, failed);
                      return failed ? std::nullopt : std::optional(QString::number(id.value_or(-1)));
                  }});
    reads.append({"IDs and a column", [](ProjectTables& t) -> std::optional<QString> {
                      const auto rows = ReadIdAndColumn(t.database(), u"Customers"_s, u"Company"_s);
                      return rows ? std::optional(RowsText(*rows)) : std::nullopt;
                  }});
    reads.append({"streamed texts", [](ProjectTables& t) -> std::optional<QString> {
                      QString text;
                      const bool ok = StreamIdAndText(t.database(), u"Items"_s, u"Name"_s,
                                                      [&](qint32 id, QStringView name) {
                                                          text += QString::number(id) + name.toString();
                                                      });
                      return ok ? std::optional(text) : std::nullopt;
                  }});
    reads.append({"streamed numbers", [](ProjectTables& t) -> std::optional<QString> {
                      QString text;
                      const bool ok = StreamIdAndWholeNumber(
                          t.database(), u"Stock"_s, u"Quanity"_s,
                          [&](qint32 id, qint32 n) { text += u"%1:%2 "_s.arg(id).arg(n); });
                      return ok ? std::optional(text) : std::nullopt;
                  }});
    reads.append({"numeric columns", [](ProjectTables& t) -> std::optional<QString> {
                      QString text;
                      NumericRead read;
                      read.table = u"Sales"_s;
                      read.columns = {{u"Quanity"_s, false}, {u"TaxRate"_s, true}};
                      const bool ok = StreamNumericColumns(
                          t.database(), read, [&](const ProjectDatabase::NumericRow& row) {
                              for (int c = 0; c < row.columns; ++c)
                                  text += QString::number(row.values[c]) + u' ';
                              return true;
                          });
                      return ok ? std::optional(text) : std::nullopt;
                  }});
    reads.append({"an item's stock total", [=](ProjectTables& t) {
                      return optional(ItemQuantityTotal(t.database(), u"Stock"_s, shop.widget));
                  }});
    reads.append({"every item's totals", [](ProjectTables& t) -> std::optional<QString> {
                      const auto rows = ReadItemTotals(t.database());
                      if (!rows)
                          return std::nullopt;
                      QString text;
                      for (const ItemTotalsRow& row : *rows)
                          text += u"%1:%2/%3/%4/%5 "_s.arg(row.itemID)
                                      .arg(row.stocked)
                                      .arg(row.ordered)
                                      .arg(row.lots)
                                      .arg(row.lines);
                      return text;
                  }});
    reads.append({"project consistency", [](ProjectTables& t) -> std::optional<QString> {
                      const QStringList problems = CheckProjectConsistency(t).all();
                      if (!problems.filter(u"could not be read"_s).isEmpty())
                          return std::nullopt;
                      return problems.join(u'\n');
                  }});
    reads.append({"stale invoice dues", [](ProjectTables& t) -> std::optional<QString> {
                      const auto rows = ReadStaleInvoiceDues(t.database());
                      return rows ? std::optional(QString::number(rows->size())) : std::nullopt;
                  }});
    reads.append({"invoice amounts", [](ProjectTables& t) -> std::optional<QString> {
                      const auto rows = ReadInvoiceAmounts(t.database());
                      if (!rows)
                          return std::nullopt;
                      QString text;
                      for (const InvoiceAmountsRow& row : *rows)
                          text +=
                              u"%1:%2/%3/%4 "_s.arg(row.invoiceID).arg(row.total).arg(row.due).arg(row.paid);
                      return text;
                  }});
    reads.append({"quantities per item", [](ProjectTables& t) -> std::optional<QString> {
                      const auto sums =
                          SumQuantityPerItem(t.database(), u"Sales"_s, u"Quanity"_s, u"Date"_s, 0, 1e7);
                      if (!sums)
                          return std::nullopt;
                      QStringList text;
                      for (auto it = sums->cbegin(); it != sums->cend(); ++it)
                          text << u"%1:%2"_s.arg(it.key()).arg(it.value());
                      text.sort();
                      return text.join(u' ');
                  }});
    reads.append(
        {"sales per item", [](ProjectTables& t) -> std::optional<QString> {
             const auto rows = ReadSalesPerItem(t.database(), 0, 1e7);
             if (!rows)
                 return std::nullopt;
             QString text;
             for (const ItemSalesRow& row : *rows)
                 text += u"%1:%2/%3/%4 "_s.arg(row.itemID).arg(row.quantity).arg(row.revenue).arg(row.cost);
             return text;
         }});
    reads.append(
        {"stock cost total", [=](ProjectTables& t) { return optional(StockCostTotal(t.database())); }});
    for (int k = 0; k < kListingKindCount; ++k) {
        reads.append({"record list " + std::to_string(k), [k](ProjectTables& t) -> std::optional<QString> {
                          QTemporaryDir userDir;
                          UserSettings settings(userDir.filePath(u"user.ini"_s));
                          RecordLists lists(settings);
                          lists.setTables(&t);
                          const ListingKind kind = static_cast<ListingKind>(k);
                          if (!lists.ReloadList(kind, QString()))
                              return std::nullopt;
                          const RecordList& list = lists.list(kind);
                          QStringList cells;
                          for (qsizetype row = 0; row < list.count(); ++row) {
                              for (int column = 0; column < list.layout().count(); ++column)
                                  cells << list.cellText(row, column);
                          }
                          return cells.join(u'|');
                      }});
    }
    for (const QuickReportKind kind : QuickReportKinds()) {
        reads.append({"quick report " + QuickReportName(kind).toStdString(),
                      [=](ProjectTables& t) -> std::optional<QString> {
                          QuickReportParameters parameters;
                          parameters.kind = kind;
                          parameters.invoiceID = shop.openInvoice;
                          parameters.customerID = shop.harbor;
                          parameters.start = day(1990, 1, 1);
                          parameters.end = day(2030, 1, 1);
                          parameters.today = day(2024, 3, 15);
                          const QuickReportContent report = BuildQuickReport(t, parameters);
                          if (!report.ok())
                              return std::nullopt;
                          QStringList text = report.headLines + report.closingLines;
                          for (const QuickTable& table : report.tables) {
                              for (const QStringList& row : table.rows)
                                  text << row;
                          }
                          return text.join(u'|');
                      }});
    }
    return reads;
}

TEST_F(InjectedFailures, AReadThatFailsNeverAnswersShort)
{
    const Session s(u"shop"_s, false);
    for (const Read& read : Reads()) {
        int tries = 0;
        const int failuresAtStart = FailuresSoFar();
        const auto answer = [&](const Fault* fault, int nth, bool& fired) {
            ProjectDatabase db;
            EXPECT_TRUE(db.open(s.path));
            ProjectTables tables(db, CStockSet::kFifo);
            EXPECT_EQ(tables.OpenAll(), Status::Success);
            if (fault)
                fs.arm(fault->kind, nth, fault->code, fault->persistent);
            const std::optional<QString> got = read.answer(tables);
            fs.disarm();
            fired = fault && fs.injected() > 0;
            ++tries;
            return got;
        };
        bool fired = false;
        const std::optional<QString> clean = answer(nullptr, 0, fired);
        ASSERT_TRUE(clean.has_value()) << read.name;
        for (const Fault& fault : FaultsToSweep()) {
            if (fault.kind != Kind::Read)
                continue;
            for (int nth = 1;; nth = NextCall(nth)) {
                const std::optional<QString> got = answer(&fault, nth, fired);
                if (got) {
                    EXPECT_TRUE(*got == *clean)
                        << read.name << ", " << fault.name << " at read " << nth
                        << (fired ? ": a failed read passed for an answer: " : ": ") << got->toStdString();
                }
                if (!fired) {
                    EXPECT_TRUE(got.has_value()) << read.name << " failed without a fault";
                    break;
                }
                if (FailuresSoFar() > failuresAtStart)
                    break;
            }
            if (FailuresSoFar() > failuresAtStart)
                break;
        }
        if (FullSweep())
            std::printf("%-36s %4d tries\n", read.name.c_str(), tries);
    }
}

} // namespace
