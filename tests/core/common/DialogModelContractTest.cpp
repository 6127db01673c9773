// Every dialog model keeps the one contract: a refusal writes nothing and names
// the field to blame; an accepted save names what it wrote. A new model joins by
// adding one traits struct below and listing it in ContractModels.
#include "ProjectFixture.h"

#include "common/Clock.h"
#include "common/DialogModel.h"
#include "project/CompanyInfoModel.h"
#include "project/NewProjectModel.h"
#include "project/PrintMarginsModel.h"
#include "project/ProjectSettingsModel.h"
#include "records/AddCustomerModel.h"
#include "records/AddItemModel.h"
#include "records/AddVendorModel.h"
#include "records/CustomerDeletion.h"
#include "records/CustomerDetailsModel.h"
#include "records/CustomerSelectionModel.h"
#include "records/DeleteRecordModel.h"
#include "records/FindRecordModel.h"
#include "records/ImportModel.h"
#include "records/ItemDetailsModel.h"
#include "records/SearchForCustomerModel.h"
#include "records/VendorDetailsModel.h"
#include "views/CustomizeColorsModel.h"
#include "views/CustomizeColumnsModel.h"
#include "views/FindInListModel.h"
#include "views/SortListModel.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>

#include <memory>

namespace {

// Read-only dialogs only have to keep the shape.
static_assert(DialogModelContract<VendorDetailsModel>);
static_assert(DialogModelContract<ItemDetailsModel>);
static_assert(DialogModelContract<CustomerDetailsModel>);
// The list and project-setting dialogs write settings files, not the project's
// records; their own tests cover what they store.
static_assert(DialogModelContract<CompanyInfoModel>);
static_assert(DialogModelContract<NewProjectModel>);
static_assert(DialogModelContract<PrintMarginsModel>);
static_assert(DialogModelContract<ProjectSettingsModel>);
static_assert(DialogModelContract<SortListModel>);
static_assert(DialogModelContract<FindInListModel>);
static_assert(DialogModelContract<CustomizeColorsModel>);
static_assert(DialogModelContract<CustomizeColumnsModel>);

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
            EXPECT_TRUE(query.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(table))) << table.toStdString();
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

// Each traits struct builds its model twice on the fixture's project: once set up
// to be refused (kRefusedField names the field it must blame) and once to be
// accepted. `written` is the record an accepted save must name in changes(), under
// kKind; models that only choose a record write nothing and set kWrites false.

struct AddVendor
{
    using Model = AddVendorModel;
    static constexpr auto kRefusedField = Model::Field::Name;
    static constexpr bool kWrites = true;
    static constexpr ListingKind kKind = ListingKind::Vendors;
    static std::unique_ptr<Model> refusing(Contract& c) { return std::make_unique<Model>(c.t(), c.prompter); }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        c.target = c.b.vendor(QStringLiteral("Alpha"));
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.target);
        model->setName(QStringLiteral("Alpha & Sons"));
        return model;
    }
    static qint32 written(Contract&, const Model& model) { return model.lastSavedId(); }
};

struct AddItem
{
    using Model = AddItemModel;
    static constexpr auto kRefusedField = Model::Field::Cost;
    static constexpr bool kWrites = true;
    static constexpr ListingKind kKind = ListingKind::Items;
    static std::unique_ptr<Model> make(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.clock);
        model->setPrimaryVendor(c.b.vendor(QStringLiteral("Alpha")));
        model->setName(QStringLiteral("Bolt"));
        model->setInitialQuantityText(QStringLiteral("4"));
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c)
    {
        auto model = make(c);
        model->setCostText(QStringLiteral("ten"));
        return model;
    }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c); }
    static qint32 written(Contract&, const Model& model) { return model.lastSavedId(); }
};

struct AddCustomer
{
    using Model = AddCustomerModel;
    // Nothing is validated: only a customer deleted meanwhile is refused.
    static constexpr auto kRefusedField = Model::Field::None;
    static constexpr bool kWrites = true;
    static constexpr ListingKind kKind = ListingKind::Customers;
    static std::unique_ptr<Model> refusing(Contract& c)
    {
        const qint32 id = c.b.customer(QStringLiteral("Acme"), QStringLiteral("Smith"), QStringLiteral("Jo"));
        auto model = std::make_unique<Model>(c.t(), c.prompter, id);
        c.b.remove<CCustomersRec>(id);
        return model;
    }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter);
        model->setLastName(QStringLiteral("Doe"));
        return model;
    }
    static qint32 written(Contract&, const Model& model) { return model.customerId(); }
};

struct CustomerSelection
{
    using Model = CustomerSelectionModel;
    static constexpr auto kRefusedField = Model::Field::Customers;
    static constexpr bool kWrites = false;
    static std::unique_ptr<Model> refusing(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter);
        model->setSelectedIndex(-1);
        return model;
    }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        c.b.customer(QStringLiteral("Acme"), QStringLiteral("Smith"), QStringLiteral("Jo"));
        return std::make_unique<Model>(c.t(), c.prompter);
    }
};

struct SearchForCustomer
{
    using Model = SearchForCustomerModel;
    static constexpr auto kRefusedField = Model::Field::Results;
    static constexpr bool kWrites = false;
    static std::unique_ptr<Model> refusing(Contract& c) { return std::make_unique<Model>(c.t(), c.prompter); }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        const qint32 id = c.b.customer(QStringLiteral("Acme"), QStringLiteral("Smith"), QStringLiteral("Jo"));
        auto model = std::make_unique<Model>(c.t(), c.prompter);
        model->setSearchText(QString::number(id));
        model->go();
        return model;
    }
};

struct FindRecord
{
    using Model = FindRecordModel;
    static constexpr auto kRefusedField = Model::Field::Text;
    static constexpr bool kWrites = false;
    static std::unique_ptr<Model> refusing(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter, Model::Kind::Item);
        model->setText(QStringLiteral("42"));
        return model;
    }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter, Model::Kind::Vendor);
        model->setText(QString::number(c.b.vendor(QStringLiteral("Alpha"))));
        return model;
    }
};

struct DeleteItem
{
    using Model = DeleteRecordModel;
    static constexpr auto kRefusedField = Model::Field::Confirmation;
    static constexpr bool kWrites = true;
    static constexpr ListingKind kKind = ListingKind::Items;
    static std::unique_ptr<Model> make(Contract& c, const QString& typed)
    {
        c.target = c.b.item({QStringLiteral("Bolt"), c.b.vendor(QStringLiteral("Alpha"))});
        auto model = std::make_unique<Model>(c.t(), c.prompter, Model::Target::Item, c.target);
        model->setConfirmation(typed);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, QStringLiteral("no")); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, QStringLiteral("yes")); }
    static qint32 written(Contract& c, const Model&) { return c.target; }
};

struct DeleteCustomer
{
    using Model = CustomerDeletion;
    static constexpr auto kRefusedField = Model::Field::Confirmation;
    static constexpr bool kWrites = true;
    static constexpr ListingKind kKind = ListingKind::Customers;
    static std::unique_ptr<Model> make(Contract& c, const QString& typed)
    {
        c.target = c.b.customer(QStringLiteral("Acme"), QStringLiteral("Smith"), QStringLiteral("Jo"));
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.target);
        model->setConfirmation(typed);
        return model;
    }
    static std::unique_ptr<Model> refusing(Contract& c) { return make(c, QString()); }
    static std::unique_ptr<Model> accepting(Contract& c) { return make(c, QStringLiteral("YES")); }
    static qint32 written(Contract& c, const Model&) { return c.target; }
};

struct ImportProjectVendors
{
    using Model = ImportModel;
    static constexpr auto kRefusedField = Model::Field::Path;
    static constexpr bool kWrites = true;
    static constexpr ListingKind kKind = ListingKind::Vendors;
    static std::unique_ptr<Model> refusing(Contract& c)
    {
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.clock, Model::Source::ProjectVendors);
        model->setPath(QDir(c.project.dir()).filePath(QStringLiteral("missing.qmp")));
        return model;
    }
    static std::unique_ptr<Model> accepting(Contract& c)
    {
        c.source = std::make_unique<TempProject>(CStockSet::kFifo, QStringLiteral("source"));
        ProjectBuilder(*c.source).vendor(QStringLiteral("Imported"));
        c.source->close();
        auto model = std::make_unique<Model>(c.t(), c.prompter, c.clock, Model::Source::ProjectVendors);
        model->setPath(c.source->path());
        return model;
    }
    static qint32 written(Contract& c, const Model&)
    {
        const QList<qint32> ids =
            c.t().vendors().IDsWhere(QStringLiteral("[Name] = ?"), {QStringLiteral("Imported")});
        return ids.isEmpty() ? NoSelection : ids.constFirst();
    }
};

template <typename Traits> class DialogModelContractTest : public Contract
{
};

using ContractModels = ::testing::Types<AddVendor, AddItem, AddCustomer, CustomerSelection, SearchForCustomer,
                                        FindRecord, DeleteItem, DeleteCustomer, ImportProjectVendors>;
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
    if constexpr (Traits::kWrites) {
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
