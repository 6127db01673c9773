#include "core/project/PreviousVersion.h"

#include "core/common/Prompter.h"
#include "core/common/RecordIds.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/db/Schema.h"
#include "core/db/TableWrites.h"
#include "core/db/Totals.h"
#include "core/project/ProjectOperations.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kQuestion =
    QStringLiteral("   The project you are trying to open was created with a previous\n"
                   "version of Quillmark.  If you choose to continue, all Vendors, Items,\n"
                   "Customers, Statistics, and Reports will be converted to the new format.\n"
                   "All the current stock data will also remain intact.  However, due to the \n"
                   "additions of Purchase Orders and Invoices, ALL SALES AND ORDER TRACKING \n"
                   "WILL BE PURGED.  \n"
                   "\n"
                   "   Therefore, it is recommended to both create a backup copy of this project\n"
                   "and print desired reports with the old version of this software before\n"
                   "continuing.  Any pending orders must be re-entered in the new PO Manager.\n"
                   "\n"
                   "If you choose NOT to alter this project, but rather create a new inventory\n"
                   "project, all your existing Items, Vendors, and Customers may also be imported\n"
                   "directly into your new project at a later date.\n"
                   "\n"
                   "Do you want to continue with the conversion?");
const QString kCopyFailed = QStringLiteral("Failed to create temporary file. Be sure you have "
                                           "Read/Write/Create permissions to the current directory.");
const QString kTablesFailed = QStringLiteral(
    "Failed to create new tables. Be sure you have Read/Write/Create permissions to the current directory.");
const QString kStockUnreadable = QStringLiteral("Unable open Stock records. Invalid File!");
const QString kOrderUnreadable = QStringLiteral("Unable open Order records. Invalid File!");
const QString kReceivedUnreadable = QStringLiteral("Unable open Received records. Invalid File!");
const QString kSalesUnreadable = QStringLiteral("Unable open Sale records. Invalid File!");

// The converted database is prepared here, in the working directory.
const QString kWorkingCopy = QStringLiteral("tmp01.tmp");

// The fields that link order lines, stock, receipts and sales to purchase
// orders and invoices, which the previous version did not have.
struct LinkField
{
    QString table;
    QString field;
    QString tableMissing;
};

const LinkField kLinkFields[] = {
    {QStringLiteral("Order"), QStringLiteral("POID"),
     QStringLiteral("Unable to locate Order table. Invalid File!")},
    {QStringLiteral("Stock"), QStringLiteral("POID"),
     QStringLiteral("Unable to locate Stock table. Invalid File!")},
    {QStringLiteral("Received"), QStringLiteral("POID"),
     QStringLiteral("Unable to locate Received table. Invalid File!")},
    {QStringLiteral("Sales"), QStringLiteral("SIID"),
     QStringLiteral("Unable to locate Sales table. Invalid File!")},
};

// Order lines, receipts and sales cannot be carried over: they name no
// purchase order or invoice. Stock that came from an order line no longer has
// one and counts as "Other"; initial stock and returns keep their origin.
// Nothing is on order any more.
bool purgeOrderTracking(ProjectDatabase& db, QString& failure)
{
    if (!ReplaceOrderedStockOrigin(db, StockOther)) {
        failure = kStockUnreadable;
        return false;
    }
    const std::pair<QString, QString> purged[] = {{QStringLiteral("Order"), kOrderUnreadable},
                                                  {QStringLiteral("Received"), kReceivedUnreadable},
                                                  {QStringLiteral("Sales"), kSalesUnreadable}};
    for (const auto& [table, message] : purged) {
        if (!DeleteAllRecords(db, table)) {
            failure = message;
            return false;
        }
    }
    if (!RecountItemTotals(db, ItemTotal::Ordered)) {
        failure = kOrderUnreadable;
        return false;
    }
    return true;
}

// Converts the working copy in one transaction; the message of the first
// failure, or nothing.
QString convertWorkingCopy(ProjectDatabase& db)
{
    Transaction transaction(db);
    if (!transaction.isActive() || !CPOSet::CreateTable(db) || !CSISet::CreateTable(db) ||
        !CARSet::CreateTable(db))
        return kTablesFailed;
    for (const LinkField& link : kLinkFields) {
        if (!db.tableExists(link.table))
            return link.tableMissing;
        if (!db.columnExists(link.table, link.field) && !Schema::AddLongColumn(db, link.table, link.field))
            return link.tableMissing;
    }
    QString failure;
    {
        ProjectTables tables(db, FIFO);
        const std::pair<CTableSet*, QString> opened[] = {{&tables.stock(), kStockUnreadable},
                                                         {&tables.orders(), kOrderUnreadable},
                                                         {&tables.received(), kReceivedUnreadable},
                                                         {&tables.sales(), kSalesUnreadable}};
        for (const auto& [set, message] : opened) {
            if (set->Open() != Status::Success)
                return message;
        }
        if (!purgeOrderTracking(db, failure))
            return failure;
    }
    return transaction.commit() ? QString() : kTablesFailed;
}

// Copies `source` to `backup` when there is a source to copy.
bool backUp(const QString& source, const QString& backup)
{
    return !QFileInfo::exists(source) || CopyFileReplacing(source, backup);
}

} // namespace

int ConvertPreviousVersion(const QString& path, Prompter& prompter)
{
    const QString title = AppTitle();
    if (!prompter.askYesNo(kQuestion, title, Prompter::Icon::Question))
        return Status::Failure;

    const QString workingCopy = QDir::current().absoluteFilePath(kWorkingCopy);
    if (!CopyFileReplacing(path, workingCopy)) {
        prompter.message(kCopyFailed, title, Prompter::Icon::Exclamation);
        return Status::Failure;
    }
    QString failure;
    {
        ProjectDatabase db;
        failure = db.open(workingCopy) ? convertWorkingCopy(db) : kTablesFailed;
        db.close();
    }
    if (!failure.isEmpty()) {
        ProjectDatabase::removeFile(workingCopy);
        prompter.message(failure, title, Prompter::Icon::Exclamation);
        return Status::Failure;
    }

    // The old database is the only record of the purged orders and sales: it
    // is replaced only once it has been backed up.
    const CProjectSettings settings(path);
    const QString stem = settings.directory() + QLatin1Char('/') + settings.name();
    const bool replaced = !settings.name().isEmpty() &&
                          backUp(settings.reportPath(), stem + QStringLiteral(".rbk")) &&
                          backUp(settings.settingsPath(), stem + QStringLiteral(".sbk")) &&
                          backUp(path, stem + QStringLiteral(".bak")) && CopyFileReplacing(workingCopy, path);
    ProjectDatabase::removeFile(workingCopy);
    if (!replaced) {
        ReportErrorCode(prompter, Status::FileNotAccessible);
        return Status::Failure;
    }
    return Status::Success;
}
