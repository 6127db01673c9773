// Every dialog model keeps the one contract: a refusal writes nothing and names
// the field to blame; an accepted save names what it wrote. A new model joins by
// adding one traits struct below and listing it in ContractModels.
#include "ProjectFixture.h"

#include "core/common/Clock.h"
#include "core/common/DialogModel.h"
#include "core/common/StatusCodes.h"
#include "core/project/CompanyInfoModel.h"
#include "core/project/NewProjectModel.h"
#include "core/project/PrintMarginsModel.h"
#include "core/project/ProjectSettings.h"
#include "core/project/ProjectSettingsModel.h"
#include "core/purchasing/AutoOrderModel.h"
#include "core/purchasing/EditOrderEntryModel.h"
#include "core/purchasing/ManagePOModel.h"
#include "core/purchasing/MarkPOFillDateModel.h"
#include "core/purchasing/NewPOModel.h"
#include "core/purchasing/PurgeDataModel.h"
#include "core/purchasing/RecordOrderModel.h"
#include "core/purchasing/RecordReceivedModel.h"
#include "core/records/AddCustomerModel.h"
#include "core/records/AddItemModel.h"
#include "core/records/AddVendorModel.h"
#include "core/records/CustomerDeletion.h"
#include "core/records/CustomerDetailsModel.h"
#include "core/records/CustomerSelectionModel.h"
#include "core/records/DeleteRecordModel.h"
#include "core/records/FindRecordModel.h"
#include "core/io/CsvImport.h"
#include "core/records/ImportModel.h"
#include "core/records/ItemDetailsModel.h"
#include "core/records/SearchForCustomerModel.h"
#include "core/records/VendorDetailsModel.h"
#include "core/reports/ManageQueriesModel.h"
#include "core/reports/QueryDefinitionModel.h"
#include "core/reports/ReportSheetModel.h"
#include "core/reports/ReportWizardModel.h"
#include "core/sales/CustomerReturnModel.h"
#include "core/sales/InvoiceManagerModel.h"
#include "core/sales/ManagePaymentsModel.h"
#include "core/sales/NewSalesInvoiceModel.h"
#include "core/sales/RecordCustomerPaymentModel.h"
#include "core/sales/RecordSoldItemsModel.h"
#include "core/sales/SelectInvoiceModel.h"
#include "core/session/ProjectRepair.h"
#include "core/session/RestoreBackupModel.h"
#include "core/stats/CreateStatisticModel.h"
#include "core/stats/ManageStatisticsModel.h"
#include "core/stats/StatisticWizardModel.h"
#include "core/stats/ViewStatisticsModel.h"
#include "core/views/CustomizeColorsModel.h"
#include "core/views/CustomizeColumnsModel.h"
#include "core/views/FindInListModel.h"
#include "core/views/SortListModel.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include <memory>

#include "FileBytes.h"

using namespace Qt::StringLiterals;

namespace {

template <typename... Models> constexpr bool kKeepTheShape = (DialogModelContract<Models> && ...);
// These only have to keep the shape: read-only dialogs; the list and project-setting
// dialogs, which write settings files; queries, reports and statistics, kept by
// name outside the records; managers, whose save() only closes. Their own tests
// cover what they store.
static_assert(kKeepTheShape<VendorDetailsModel, ItemDetailsModel, CustomerDetailsModel, CompanyInfoModel,
                            NewProjectModel, PrintMarginsModel, ProjectSettingsModel, QueryDefinitionModel,
                            ReportSheetModel, ReportWizardModel, CreateStatisticModel, StatisticWizardModel,
                            ViewStatisticsModel, AutoOrderModel, EditOrderEntryModel, ManagePOModel,
                            InvoiceManagerModel, ManagePaymentsModel, ManageQueriesModel,
                            ManageStatisticsModel, PurgeDataModel, SortListModel, FindInListModel,
                            CustomizeColorsModel, CustomizeColumnsModel, RestoreBackupModel>);

class Contract : public ProjectFixture
{
public:
    using ProjectFixture::b;
    using ProjectFixture::project;
    using ProjectFixture::prompter;
    using ProjectFixture::t;

    // Every row of every table, so that "wrote nothing" means exactly that.
    QString dump()
    {
        QStringList rows;
        for (const QString& table : project.db().tableNames()) {
            QSqlQuery query(project.db().connection());
            EXPECT_TRUE(query.exec(u"SELECT * FROM \"%1\""_s.arg(table))) << table.toStdString();
            while (query.next()) {
                QStringList values{table};
                for (int i = 0; i < query.record().count(); ++i)
                    values << query.value(i).toString();
                rows << values.join(QLatin1Char('|'));
            }
        }
        return rows.join(QLatin1Char('\n'));
    }

    FixedClock clock{QDateTime(QDate(2024, 3, 15), QTime(9, 0))};
    // The record the accepting model works on, when it is given one.
    qint32 target = NoSelection;
    // Another project, for the models that read one.
    std::unique_ptr<TempProject> source;
};

qint32 acme(Contract& c)
{
    return c.b.customer(u"Acme"_s, u"Smith"_s, u"Jo"_s);
}

// Each traits struct builds its model twice on the fixture's project: once set up
// to be refused (kRefusedField names the field it must blame) and once to be
// accepted. `written` is the record an accepted save must name in changes(), under
// kKind (a list kind, or an unlisted table such as the receivables); models that
// only choose a record write nothing and have no kKind.
template <typename M, typename M::Field kRefused> struct ContractTraits
{
    using Model = M;
    static constexpr auto kRefusedField = kRefused;
};

struct AddVendor : ContractTraits<AddVendorModel, AddVendorModel::Field::Name>
{
    static constexpr ListingKind kKind = ListingKind::Vendors;
    static std::unique_ptr<Model> refusing(Contract& c) { return std::make_unique<Model>(c.t(), c.prompter); }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        c.target = c.b.vendor(u"Alpha"_s);
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.target);
        model->setName(u"Alpha & Sons"_s);
        return model;
    }
    static qint32 written(Contract&, const Model& model) { return model.lastSavedId(); }
};

struct AddItem : ContractTraits<AddItemModel, AddItemModel::Field::Cost>
{
    static constexpr ListingKind kKind = ListingKind::Items;
    static std::unique_ptr<Model> make(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.clock);
        model->setPrimaryVendor(c.b.vendor(u"Alpha"_s));
        model->setName(u"Bolt"_s);
        model->setInitialQuantityText(u"4"_s);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c)
    {
        auto model = make(c);
        model->setCostText(u"ten"_s);
        return model;
    }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c); }
    static qint32 written(Contract&, const Model& model) { return model.lastSavedId(); }
};

struct AddCustomer : ContractTraits<AddCustomerModel, AddCustomerModel::Field::None>
{
    // Nothing is validated: only a customer deleted meanwhile is refused.
    static constexpr ListingKind kKind = ListingKind::Customers;
    static std::unique_ptr<Model> refusing(Contract& c)
    {
        const qint32 id = acme(c);
        auto model = std::make_unique<Model>(c.t(), c.prompter, id);
        c.b.remove<CCustomersRec>(id);
        return model;
    }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter);
        model->setLastName(u"Doe"_s);
        return model;
    }
    static qint32 written(Contract&, const Model& model) { return model.customerId(); }
};

struct CustomerSelection : ContractTraits<CustomerSelectionModel, CustomerSelectionModel::Field::Customers>
{
    static std::unique_ptr<Model> refusing(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter);
        model->setSelectedIndex(-1);
        return model;
    }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        acme(c);
        return std::make_unique<Model>(c.t(), c.prompter);
    }
};

struct SearchForCustomer : ContractTraits<SearchForCustomerModel, SearchForCustomerModel::Field::Results>
{
    static std::unique_ptr<Model> refusing(Contract& c) { return std::make_unique<Model>(c.t(), c.prompter); }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        const qint32 id = acme(c);
        auto model = std::make_unique<Model>(c.t(), c.prompter);
        model->setSearchText(QString::number(id));
        model->go();
        return model;
    }
};

struct FindRecord : ContractTraits<FindRecordModel, FindRecordModel::Field::Text>
{
    static std::unique_ptr<Model> refusing(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter, Model::Kind::Item);
        model->setText(u"42"_s);
        return model;
    }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter, Model::Kind::Vendor);
        model->setText(QString::number(c.b.vendor(u"Alpha"_s)));
        return model;
    }
};

struct DeleteItem : ContractTraits<DeleteRecordModel, DeleteRecordModel::Field::Confirmation>
{
    static constexpr ListingKind kKind = ListingKind::Items;
    static std::unique_ptr<Model> make(Contract& c, const QString& typed)
    {
        c.target = c.b.item({u"Bolt"_s, c.b.vendor(u"Alpha"_s)});
        auto model = std::make_unique<Model>(c.t(), c.prompter, Model::Target::Item, c.target);
        model->setConfirmation(typed);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, u"no"_s); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, u"yes"_s); }
    static qint32 written(Contract& c, const Model&) { return c.target; }
};

// An item whose Stocked drifted from its lots: Repair rewrites it once the user
// says Yes, and a No writes nothing.
struct CheckProject : ContractTraits<CheckProjectModel, CheckProjectModel::Field::None>
{
    static constexpr ListingKind kKind = ListingKind::Items;
    static std::unique_ptr<Model> make(Contract& c, bool yes)
    {
        c.target = c.b.item({u"Bolt"_s, c.b.vendor(u"Alpha"_s)});
        c.b.lot(c.target, 5);
        EXPECT_TRUE(c.project.db().execNative(u"UPDATE \"Items\" SET \"Stocked\" = 2"_s));
        c.prompter.answer({yes});
        // A repair backs the project up first, settings file and all.
        EXPECT_EQ(CProjectSettings(c.project.dir(), QFileInfo(c.project.path()).completeBaseName()).status(),
                  Status::Success);
        return std::make_unique<Model>(c.t(), c.prompter);
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, false); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, true); }
    static qint32 written(Contract& c, const Model&) { return c.target; }
};

struct DeleteCustomer : ContractTraits<CustomerDeletion, CustomerDeletion::Field::Confirmation>
{
    static constexpr ListingKind kKind = ListingKind::Customers;
    static std::unique_ptr<Model> make(Contract& c, const QString& typed)
    {
        c.target = acme(c);
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.target);
        model->setConfirmation(typed);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, QString()); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, u"YES"_s); }
    static qint32 written(Contract& c, const Model&) { return c.target; }
};

struct ImportProjectVendors : ContractTraits<ImportModel, ImportModel::Field::Path>
{
    static constexpr ListingKind kKind = ListingKind::Vendors;
    static std::unique_ptr<Model> refusing(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.clock, Model::Source::ProjectVendors);
        model->setPath(QDir(c.project.dir()).filePath(u"missing.qmp"_s));
        return model;
    }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        c.source = std::make_unique<TempProject>(CStockSet::kFifo, u"source"_s);
        ProjectBuilder(*c.source).vendor(u"Imported"_s);
        c.source->close();
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.clock, Model::Source::ProjectVendors);
        model->setPath(c.source->path());
        return model;
    }
    static qint32 written(Contract& c, const Model&)
    {
        const QList<qint32> ids = c.t().vendors().IDsWhere(u"[Name] = ?"_s, {u"Imported"_s});
        return ids.isEmpty() ? NoSelection : ids.constFirst();
    }
};

// Items from a CSV file naming their vendor by number: a file whose only row
// names no vendor there is refused.
struct ImportCsvItems : ContractTraits<CsvImportModel, CsvImportModel::Field::Mapping>
{
    static constexpr ListingKind kKind = ListingKind::Items;
    static std::unique_ptr<Model> make(Contract& c, const QByteArray& vendorNumber)
    {
        const QString path = QDir(c.project.dir()).filePath(u"items.csv"_s);
        EXPECT_TRUE(WriteFileBytes(path, "Item Name,Vendor Number,Cost\r\nImported," + vendorNumber + ",1.25\r\n"));
        return std::make_unique<Model>(c.t(), c.prompter, c.clock, Model::Kind::Items, path);
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, "Z-9"); }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        c.b.vendor(u"Alpha"_s, u"A-1"_s);
        return make(c, "A-1");
    }
    static qint32 written(Contract& c, const Model&)
    {
        const QList<qint32> ids = c.t().items().IDsWhere(u"[Name] = ?"_s, {u"Imported"_s});
        return ids.isEmpty() ? NoSelection : ids.constFirst();
    }
};

// A purchase order of vendor Alpha with one line of ten bolts, nothing received.
struct PurchaseSetup
{
    qint32 item = NoID;
    qint32 po = NoID;
    qint32 order = NoID;
};

PurchaseSetup orderedBolts(Contract& c)
{
    PurchaseSetup s;
    const qint32 vendor = c.b.vendor(u"Alpha"_s);
    s.item = c.b.item({u"Bolt"_s, vendor});
    s.po = c.b.po(c.t().purchaseOrders().NextNumber(), vendor);
    s.order = c.b.orderLine(s.item, s.po, 10);
    return s;
}

struct NewPO : ContractTraits<NewPOModel, NewPOModel::Field::TaxRate>
{
    static constexpr ListingKind kKind = ListingKind::PurchaseOrders;
    static std::unique_ptr<Model> make(Contract& c, const QString& taxRate)
    {
        c.b.vendor(u"Alpha"_s);
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.clock);
        model->setTaxRateText(taxRate);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, u"lots"_s); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, u"8.25"_s); }
    static qint32 written(Contract&, const Model& model) { return model.poID(); }
};

struct MarkPOFillDate : ContractTraits<MarkPOFillDateModel, MarkPOFillDateModel::Field::Date>
{
    static constexpr ListingKind kKind = ListingKind::PurchaseOrders;
    static std::unique_ptr<Model> make(Contract& c, const QString& date)
    {
        c.target = orderedBolts(c).po;
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.clock, c.target);
        model->setDateText(date);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, u"13/45/1997"_s); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, u"3/20/1997"_s); }
    static qint32 written(Contract& c, const Model&) { return c.target; }
};

struct RecordOrder : ContractTraits<RecordOrderModel, RecordOrderModel::Field::Quantity>
{
    static constexpr UnlistedKind kKind = UnlistedKind::OrderLines;
    static std::unique_ptr<Model> make(Contract& c, const QString& quantity)
    {
        const PurchaseSetup s = orderedBolts(c);
        auto model = std::make_unique<Model>(c.t(), c.prompter);
        model->startNew(s.item, s.po);
        model->setQuantityText(quantity);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, u"0"_s); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, u"5"_s); }
    static qint32 written(Contract&, const Model& model)
    {
        return model.savedOrders().isEmpty() ? NoID : model.savedOrders().constLast();
    }
};

struct RecordReceived : ContractTraits<RecordReceivedModel, RecordReceivedModel::Field::Cost>
{
    static constexpr UnlistedKind kKind = UnlistedKind::Receipts;
    static std::unique_ptr<Model> make(Contract& c, const QString& cost)
    {
        const PurchaseSetup s = orderedBolts(c);
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.clock);
        model->preset(s.po, s.order);
        c.target = s.order;
        model->setCostText(cost);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, u"-1"_s); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, u"2.50"_s); }
    static qint32 written(Contract&, const Model& model)
    {
        return model.receiptIDs().isEmpty() ? NoID : model.receiptIDs().constLast();
    }
};

struct NewSalesInvoice : ContractTraits<NewSalesInvoiceModel, NewSalesInvoiceModel::Field::Date>
{
    static constexpr ListingKind kKind = ListingKind::Invoices;
    static std::unique_ptr<Model> make(Contract& c, const QString& date)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.clock);
        model->setDateText(date);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, u"someday"_s); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, u"3/15/2024"_s); }
    static qint32 written(Contract&, const Model& model) { return model.invoiceID(); }
};

// A customer's invoice 5000 and a stocked item to sell on it.
struct SaleSetup
{
    qint32 item = NoID;
    qint32 invoice = NoID;
};

SaleSetup stockedInvoice(Contract& c)
{
    SaleSetup s;
    ProjectBuilder::Item item{u"Bolt"_s, c.b.vendor(u"Alpha"_s)};
    item.stocked = 10;
    s.item = c.b.item(item);
    s.invoice = c.b.invoice(acme(c), c.t().invoices().NextNumber());
    return s;
}

// The sale's change list names its new receivable.
struct RecordSoldItems : ContractTraits<RecordSoldItemsModel, RecordSoldItemsModel::Field::AmountPaid>
{
    static constexpr UnlistedKind kKind = UnlistedKind::Receivables;
    static std::unique_ptr<Model> make(Contract& c, const QString& paid)
    {
        const SaleSetup s = stockedInvoice(c);
        c.target = s.invoice;
        auto model = std::make_unique<Model>(c.t(), c.prompter);
        model->setInvoice(s.invoice);
        model->selectItem(s.item);
        model->setQuantityText(u"2"_s);
        EXPECT_TRUE(model->addLine().saved);
        model->setAmountPaidText(paid);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, u"lots"_s); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, u"$1.00"_s); }
    static qint32 written(Contract& c, const Model&)
    {
        return c.t().receivables().IDsWhere(u"[SIID] = ?"_s, {c.target}).value(0, NoID);
    }
};

struct RecordCustomerPayment
    : ContractTraits<RecordCustomerPaymentModel, RecordCustomerPaymentModel::Field::Amount>
{
    static constexpr UnlistedKind kKind = UnlistedKind::Receivables;
    static std::unique_ptr<Model> make(Contract& c, const QString& amount)
    {
        // The invoice owes 40.00 before the payment.
        const qint32 customer = acme(c);
        const qint32 invoice = c.b.invoice(customer, c.t().invoices().NextNumber());
        c.b.payment(customer, invoice, Money::fromWhole(40), Money());
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.clock);
        model->setPayment(invoice);
        model->setAmountText(amount);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, u"lots"_s); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, u"$10.00"_s); }
    static qint32 written(Contract&, const Model& model) { return model.paymentID(); }
};

struct CustomerReturn : ContractTraits<CustomerReturnModel, CustomerReturnModel::Field::Quantity>
{
    static constexpr ListingKind kKind = ListingKind::Stock;
    static std::unique_ptr<Model> make(Contract& c, const QString& quantity)
    {
        const SaleSetup s = stockedInvoice(c);
        auto model = std::make_unique<Model>(c.t(), c.prompter);
        model->setSale(c.b.sale(s.item, s.invoice, 3));
        model->setQuantityText(quantity);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, u"4"_s); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, u"1"_s); }
    static qint32 written(Contract&, const Model& model) { return model.lotID(); }
};

struct SelectInvoice : ContractTraits<SelectInvoiceModel, SelectInvoiceModel::Field::Invoice>
{
    static std::unique_ptr<Model> refusing(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter);
        model->selectInvoice(NoSelection);
        return model;
    }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        const qint32 customer = acme(c);
        const qint32 invoice = c.b.invoice(customer, c.t().invoices().NextNumber());
        auto model = std::make_unique<Model>(c.t(), c.prompter);
        model->selectInvoice(invoice);
        return model;
    }
};

template <typename Traits> class DialogModelContractTest : public Contract
{
};

using ContractModels =
    ::testing::Types<AddVendor, AddItem, AddCustomer, CustomerSelection, SearchForCustomer, FindRecord,
                     DeleteItem, CheckProject, DeleteCustomer, ImportProjectVendors, ImportCsvItems, NewPO,
                     MarkPOFillDate, RecordOrder, RecordReceived, NewSalesInvoice, RecordSoldItems,
                     RecordCustomerPayment, CustomerReturn, SelectInvoice>;
TYPED_TEST_SUITE(DialogModelContractTest, ContractModels);

TYPED_TEST(DialogModelContractTest, RefusalWritesNothingAndAcceptanceNamesItsRecords)
{
    using Traits = TypeParam;
    static_assert(DialogModelContract<typename Traits::Model>);

    std::unique_ptr<typename Traits::Model> refused = Traits::refusing(*this);
    ASSERT_TRUE(refused->checkPrerequisites());
    EXPECT_FALSE(refused->caption().isEmpty());
    const QString before = this->dump();
    const auto no = refused->save();
    EXPECT_FALSE(no.saved);
    EXPECT_EQ(no.focus, Traits::kRefusedField);
    EXPECT_FALSE(this->prompter.log().isEmpty()) << "a refusal says why";
    EXPECT_EQ(this->dump(), before);
    EXPECT_TRUE(refused->changes().isEmpty());

    std::unique_ptr<typename Traits::Model> accepted = Traits::accepting(*this);
    ASSERT_TRUE(accepted->checkPrerequisites());
    const QString unchanged = this->dump();
    ASSERT_TRUE(accepted->save().saved);
    if constexpr (requires { Traits::kKind; }) {
        EXPECT_FALSE(accepted->changes().isEmpty());
        const qint32 written = Traits::written(*this, *accepted);
        EXPECT_GT(written, 0);
        EXPECT_TRUE(accepted->changes().contains(Traits::kKind, written));
        EXPECT_NE(this->dump(), unchanged);
    } else {
        EXPECT_TRUE(accepted->changes().isEmpty());
        EXPECT_EQ(this->dump(), unchanged);
    }
}

} // namespace
