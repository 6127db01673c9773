#include "BenchSupport.h"

#include "core/common/Clock.h"
#include "core/common/FileChooser.h"
#include "core/common/UserSettings.h"
#include "core/purchasing/ManagePOModel.h"
#include "core/purchasing/RecordReceivedModel.h"
#include "ui/common/DesktopServices.h"
#include "ui/purchasing/ManagePODialog.h"
#include "ui/purchasing/RecordReceivedDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTreeView>

// Opening "Record Received Order" on the large purchase order of the scale-M
// project (1,000 lines in its order box, 20,000 purchase orders in its picker),
// from the command to its first painted screen, against the plain statements that
// read the same picker entries and order lines with their item names.

namespace {

// Opening the window chooses no file.
class NoFiles final : public FileChooser
{
public:
    QString openFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
};

void BM_OpenRecordReceived_Plain(benchmark::State& state)
{
    const qint32 po = LargePurchaseOrder();
    if (po == NoID) {
        state.SkipWithError("the large purchase order could not be made");
        return;
    }
    TimePlainReads(state, Medium().db,
                   {QStringLiteral("SELECT \"ID\", \"Number\" FROM \"PO\" ORDER BY \"ID\""),
                    QStringLiteral("SELECT o.\"ID\", i.\"Name\" FROM \"Order\" o LEFT JOIN \"Items\" i "
                                   "ON i.\"ID\" = o.\"ItemID\" WHERE o.\"POID\" = %1 ORDER BY o.\"ID\"")
                        .arg(po)});
}

void BM_OpenRecordReceived_Ours(benchmark::State& state)
{
    const qint32 po = LargePurchaseOrder();
    if (po == NoID) {
        state.SkipWithError("the large purchase order could not be made");
        return;
    }
    YesPrompter prompter;
    const FixedClock clock(QDateTime(QDate(2026, 6, 1), QTime(9, 30)));
    NoFiles files;
    const DesktopServices services{prompter, files, clock};
    qint64 rows = 0;
    for (auto _ : state) {
        RecordReceivedModel model(Medium().tables, prompter, clock, po);
        if (!model.checkPrerequisites()) {
            state.SkipWithError("Record Received Order refused to open");
            break;
        }
        auto dialog = std::make_unique<RecordReceivedDialog>(model, services);
        dialog->show();
        QImage screen(dialog->size(), QImage::Format_ARGB32_Premultiplied);
        screen.fill(Qt::white);
        {
            QPainter painter(&screen);
            dialog->render(&painter);
        }
        rows += dialog->findChild<QComboBox*>(QStringLiteral("poBox"))->count() +
                dialog->findChild<QComboBox*>(QStringLiteral("orderBox"))->count();
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (prompter.messageCount() > 0)
        state.SkipWithError(qPrintable(prompter.lastMessage()));
    state.SetItemsProcessed(rows);
}

// Opening "Manage Purchase Orders" on a purchase order of 1,000 lines, from the
// command to its first painted screen, against the plain statements that read
// the same data: the picker's purchase orders, the purchase order and its
// vendor, its lines with their items, and their receipts.

void BM_OpenManagePO_Plain(benchmark::State& state)
{
    const qint32 po = LargePurchaseOrder();
    if (po == NoID) {
        state.SkipWithError("the large purchase order could not be made");
        return;
    }
    const QString id = QString::number(po);
    TimePlainReads(
        state, Medium().db,
        {QStringLiteral("SELECT \"ID\", \"Number\" FROM \"PO\" ORDER BY \"ID\""),
         QStringLiteral(
             "SELECT p.*, v.\"Name\" FROM \"PO\" p LEFT JOIN \"Vendors\" v ON v.\"ID\" = p.\"VendorID\" "
             "WHERE p.\"ID\" = %1")
             .arg(id),
         QStringLiteral(
             "SELECT o.\"ID\", o.\"Quanity\", o.\"BackOrder\", i.\"Name\", i.\"Number\", i.\"Cost\" "
             "FROM \"Order\" o LEFT JOIN \"Items\" i ON i.\"ID\" = o.\"ItemID\" WHERE o.\"POID\" = %1 "
             "ORDER BY o.\"ID\"")
             .arg(id),
         QStringLiteral(
             "SELECT r.\"OrderID\", r.\"OrderQuantity\", r.\"ReceiveQuantity\", r.\"ReceiveDate\", "
             "i.\"Name\", i.\"Number\", i.\"Cost\" FROM \"Received\" r LEFT JOIN \"Items\" i "
             "ON i.\"ID\" = r.\"ItemID\" WHERE r.\"POID\" = %1 ORDER BY r.\"ID\"")
             .arg(id)});
}

void BM_OpenManagePO_Ours(benchmark::State& state)
{
    const qint32 po = LargePurchaseOrder();
    if (po == NoID) {
        state.SkipWithError("the large purchase order could not be made");
        return;
    }
    YesPrompter prompter;
    const FixedClock clock(QDateTime(QDate(2026, 6, 1), QTime(9, 30)));
    NoFiles files;
    const DesktopServices services{prompter, files, clock};
    QTemporaryDir home;
    UserSettings settings(home.filePath(QStringLiteral("user.ini")));
    qint64 rows = 0;
    for (auto _ : state) {
        ManagePOModel model(Medium().tables, prompter, po);
        if (model.poID() != po) {
            state.SkipWithError("the picker does not hold the large purchase order");
            break;
        }
        auto dialog = std::make_unique<ManagePODialog>(model, Medium().tables, services, settings);
        dialog->show();
        QImage screen(dialog->size(), QImage::Format_ARGB32_Premultiplied);
        screen.fill(Qt::white);
        {
            QPainter painter(&screen);
            dialog->render(&painter);
        }
        rows += dialog->lineList()->model()->rowCount();
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (prompter.messageCount() > 0)
        state.SkipWithError(qPrintable(prompter.lastMessage()));
    state.SetItemsProcessed(rows);
}

} // namespace

BENCHMARK(BM_OpenRecordReceived_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenRecordReceived_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenManagePO_Plain)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenManagePO_Ours)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
