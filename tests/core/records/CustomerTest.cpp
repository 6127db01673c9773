#include "records/AddCustomerModel.h"
#include "records/CustomerDeletion.h"
#include "records/CustomerDetailsModel.h"
#include "records/CustomerPurchases.h"
#include "records/CustomerSelectionModel.h"
#include "records/SearchForCustomerModel.h"
#include "records/StockFigures.h"

#include "QtPrinters.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include <gtest/gtest.h>

namespace {

const QString kTitle = QStringLiteral("Quillmark 3.5");
const QString kBlanks = QString(50, QLatin1Char(' '));

class Customers : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(project.isValid()); }
    void TearDown() override { EXPECT_TRUE(CheckStockInvariants(t()).isEmpty()); }

    qint32 addCustomer(const QString& company, const QString& last, const QString& first,
                       const QString& phone = QString())
    {
        CCustomersRec c;
        c.Company = company;
        c.Last = last;
        c.First = first;
        c.Phone = phone;
        EXPECT_TRUE(t().customers().RecordAdd(c)) << t().customers().lastError().toStdString();
        return c.ID;
    }
    qint32 addInvoice(qint32 customer, qint32 number)
    {
        CSIRec si;
        si.CustomerID = customer;
        si.Number = number;
        si.Date = DateTime::fromDate(QDate(1997, 5, 15));
        EXPECT_TRUE(t().invoices().RecordAdd(si));
        return si.ID;
    }
    qint32 addPayment(qint32 customer, qint32 invoice, double due, double paid)
    {
        CARRec ar;
        ar.CustomerID = customer;
        ar.SIID = invoice;
        ar.Due = Money::fromDouble(due);
        ar.Paid = Money::fromDouble(paid);
        ar.Date = DateTime::fromDate(QDate(1997, 5, 16));
        EXPECT_TRUE(t().receivables().RecordAdd(ar));
        return ar.ID;
    }
    // A customer with every field filled.
    CCustomersRec addSmith()
    {
        CCustomersRec c;
        c.Company = QStringLiteral("Acme");
        c.Last = QStringLiteral("Smith");
        c.First = QStringLiteral("John");
        c.Address = QStringLiteral("1 Main St.");
        c.City = QStringLiteral("Springfield");
        c.State = QStringLiteral("IL");
        c.Zip = QStringLiteral("62701");
        c.Phone = QStringLiteral("555-1234");
        c.EMail = QStringLiteral("js@acme.example");
        c.Notes = QStringLiteral("VIP");
        EXPECT_TRUE(t().customers().RecordAdd(c));
        return c;
    }
    CCustomersRec read(qint32 id)
    {
        CCustomersRec c;
        EXPECT_TRUE(t().customers().RecordRead(c, id));
        return c;
    }
    ProjectTables& t() { return project.tables(); }

    TempProject project;
    ScriptedPrompter prompter;
};

// ---------------------------------------------------------------- Add Customer

TEST_F(Customers, AddingStoresTheTenFieldsAndReturnsTheNewId)
{
    addCustomer(QStringLiteral("First Co"), QStringLiteral("A"), QStringLiteral("B"));
    AddCustomerModel model(t(), prompter);
    EXPECT_TRUE(model.isOpen());
    EXPECT_FALSE(model.isModify());
    EXPECT_EQ(model.caption(), QStringLiteral("Add Customer"));
    EXPECT_EQ(model.customerId(), NoSelection);
    model.setLastName(QStringLiteral("Smith"));
    model.setFirstName(QStringLiteral("John"));
    model.setStreet(QStringLiteral("1 Main St."));
    model.setCity(QStringLiteral("Springfield"));
    model.setState(QStringLiteral("IL"));
    model.setZip(QStringLiteral("62701"));
    model.setPhone(QStringLiteral("(555) 123-4567"));
    model.setCompany(QStringLiteral("Acme"));
    model.setEmail(QStringLiteral("john@acme.example"));
    model.setNotes(QStringLiteral("Pays late"));
    ASSERT_TRUE(model.save().saved);
    EXPECT_TRUE(prompter.log().isEmpty());

    const qint32 id = model.customerId();
    EXPECT_EQ(id, 2);
    const CCustomersRec c = read(id);
    EXPECT_EQ(QStringList({c.Last, c.First, c.Address, c.City, c.State, c.Zip, c.Phone, c.Company, c.EMail, c.Notes}),
              QStringList({"Smith", "John", "1 Main St.", "Springfield", "IL", "62701", "(555) 123-4567", "Acme",
                           "john@acme.example", "Pays late"}));
    EXPECT_EQ(model.changes().ids(ListingKind::Customers), QList<qint32>({id}));

    // A second OK rewrites the same customer instead of adding a twin.
    model.setNotes(QString());
    ASSERT_TRUE(model.save().saved);
    EXPECT_EQ(t().customers().CountWhere(QStringLiteral("[Last] = 'Smith'")), 1);
    EXPECT_EQ(read(id).Notes, QString());
}

TEST_F(Customers, NothingIsRequiredAndEmptyFieldsAreStoredEmpty)
{
    AddCustomerModel model(t(), prompter);
    ASSERT_TRUE(model.save().saved);
    EXPECT_TRUE(prompter.log().isEmpty());
    // Empty text, not NULL: searches and lists compare against it.
    EXPECT_EQ(t().customers().CountWhere(QStringLiteral("[Company] = '' AND [Phone] = '' AND [Notes] = ''")), 1);
}

TEST_F(Customers, ModifyingFillsTheFieldsAndRewritesOnlyAnExistingCustomer)
{
    for (int i = 0; i < 11; ++i)
        addCustomer(QString(), QStringLiteral("Filler"), QString());
    const qint32 id = addCustomer(QStringLiteral("Acme"), QStringLiteral("Smith"), QStringLiteral("John"));
    ASSERT_EQ(id, 12);

    AddCustomerModel model(t(), prompter, id);
    ASSERT_TRUE(model.isOpen());
    EXPECT_TRUE(model.isModify());
    EXPECT_EQ(model.caption(), QStringLiteral("Modify Customer #000012"));
    EXPECT_EQ(model.company(), QStringLiteral("Acme"));
    EXPECT_EQ(model.lastName(), QStringLiteral("Smith"));
    model.setCompany(QString());
    model.setCity(QStringLiteral("Dover"));
    ASSERT_TRUE(model.save().saved);
    EXPECT_EQ(model.customerId(), id);
    EXPECT_EQ(read(id).Company, QString());
    EXPECT_EQ(read(id).City, QStringLiteral("Dover"));
    EXPECT_EQ(t().customers().CountWhere(QString()), 12);

    // The customer vanishes while the dialog is open: OK tells the user and does not bring it back.
    AddCustomerModel stale(t(), prompter, id);
    ASSERT_TRUE(t().customers().RecordDelete(id));
    EXPECT_FALSE(stale.save().saved);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Unable to locate customer record."));
    EXPECT_FALSE(t().customers().LocateByID(id));

    // A customer that cannot be read closes the dialog at once, as cancelled, without a word.
    prompter.clear();
    AddCustomerModel missing(t(), prompter, id);
    EXPECT_FALSE(missing.isOpen());
    EXPECT_FALSE(missing.save().saved);
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_EQ(t().customers().CountWhere(QString()), 11);
}

TEST_F(Customers, AFailedWriteIsReportedAndAddsNothing)
{
    AddCustomerModel model(t(), prompter);
    model.setZip(QString(31, QLatin1Char('9'))); // wider than the column
    EXPECT_FALSE(model.save().saved);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("The current operation was unable to be completed."));
    EXPECT_EQ(model.customerId(), NoSelection);
    EXPECT_EQ(t().customers().CountWhere(QString()), 0);
    EXPECT_TRUE(model.changes().isEmpty());
}

// ---------------------------------------------------------------- Customer Details

TEST_F(Customers, DetailsTextsAndAMissingCustomer)
{
    const CCustomersRec c = addSmith();

    CustomerDetailsModel details(t(), prompter, c.ID);
    EXPECT_TRUE(details.isLoaded());
    EXPECT_EQ(details.company(), QStringLiteral("Acme"));
    EXPECT_EQ(details.name(), QStringLiteral("John Smith"));
    EXPECT_EQ(details.addressLine1(), QStringLiteral("1 Main St."));
    EXPECT_EQ(details.addressLine2(), QStringLiteral("Springfield, IL 62701"));
    EXPECT_EQ(details.phone(), QStringLiteral("555-1234"));
    EXPECT_EQ(details.notes(), QStringLiteral("VIP"));
    EXPECT_EQ(details.email(), QStringLiteral("js@acme.example"));
    EXPECT_TRUE(prompter.log().isEmpty());

    // With the customer list's cursor on a customer, -1 must not read that one.
    t().customers().Reopen();
    t().customers().MoveFirst();
    for (const qint32 id : {c.ID + 1, NoSelection}) {
        prompter.clear();
        CustomerDetailsModel missing(t(), prompter, id);
        EXPECT_FALSE(missing.isLoaded());
        ASSERT_EQ(prompter.log().size(), 1);
        EXPECT_EQ(prompter.log().at(0).text, QStringLiteral("Unable to locate customer record."));
        EXPECT_EQ(prompter.log().at(0).title, kTitle);
        EXPECT_EQ(missing.name(), QString());
        EXPECT_EQ(missing.addressLine2(), QString());
    }
}

// ---------------------------------------------------------------- Customer Selection

TEST_F(Customers, SelectionEntriesTextsAndInitialSelection)
{
    addSmith();
    const qint32 doe = addCustomer(QString(), QStringLiteral("Doe"), QStringLiteral("Jane"));
    // A "#" in a name does not confuse the ID at the end of the entry.
    const qint32 hash = addCustomer(QStringLiteral("Shop #9"), QStringLiteral("Lee"), QStringLiteral("Al"));

    // The list shows every customer even while the customer list is filtered.
    t().customers().SetFilter(QStringLiteral("[ID] = 999999"));
    t().customers().Reopen();

    CustomerSelectionModel model(t(), prompter, doe);
    EXPECT_EQ(model.entries(), QStringList({QStringLiteral("Acme   Smith, John") + kBlanks + QStringLiteral("#1"),
                                            QStringLiteral("Doe, Jane") + kBlanks + QStringLiteral("#2"),
                                            QStringLiteral("Shop #9   Lee, Al") + kBlanks + QStringLiteral("#3")}));
    EXPECT_EQ(model.selectedIndex(), 1);
    EXPECT_EQ(model.selectedCustomerId(), doe);
    EXPECT_EQ(model.lastName(), QStringLiteral("Doe"));
    EXPECT_EQ(model.addressLine2(), QStringLiteral(",  "));

    model.setSelectedIndex(0);
    EXPECT_EQ(QStringList({model.company(), model.lastName(), model.firstName(), model.addressLine1(),
                           model.addressLine2(), model.addressLine3(), model.phone(), model.notes()}),
              QStringList({"Acme", "Smith", "John", "1 Main St.", "Springfield, IL 62701", "", "555-1234", "VIP"}));

    EXPECT_EQ(CustomerSelectionModel(t(), prompter, hash).selectedCustomerId(), hash);
    EXPECT_EQ(CustomerSelectionModel(t(), prompter).selectedIndex(), 0);
    CustomerSelectionModel unknown(t(), prompter, 77);
    EXPECT_EQ(unknown.selectedIndex(), -1);
    EXPECT_EQ(unknown.company(), QString());

    // An entry without an ID stops the search with a message.
    const QStringList broken = {QStringLiteral("Doe, Jane   #2"), QStringLiteral("Nobody"),
                                QStringLiteral("Lee, Al   #3")};
    EXPECT_EQ(CustomerSelectionModel::indexOfCustomer(broken, 3, prompter), -1);
    EXPECT_EQ(prompter.texts(), QStringList({"Unknown error occurred during operation."}));
    EXPECT_EQ(prompter.log().at(0).title, kTitle);
}

TEST_F(Customers, SelectionOkReturnsTheSelectedIdAndRefusesWithoutOne)
{
    const qint32 smith = addCustomer(QStringLiteral("Acme"), QStringLiteral("Smith"), QStringLiteral("John"));
    const qint32 doe = addCustomer(QString(), QStringLiteral("Doe"), QStringLiteral("Jane"));
    CustomerSelectionModel model(t(), prompter, smith);
    model.setSelectedIndex(-1);
    EXPECT_FALSE(model.save().saved);
    EXPECT_EQ(model.result(), NoSelection);
    ASSERT_EQ(prompter.log().size(), 1);
    EXPECT_EQ(prompter.log().at(0).text, QStringLiteral("Must select customer from list."));
    EXPECT_EQ(prompter.log().at(0).icon, Prompter::Icon::Exclamation);

    model.setSelectedIndex(1);
    ASSERT_TRUE(model.save().saved);
    EXPECT_EQ(model.result(), doe);
}

TEST_F(Customers, ModifyFromSelectionKeepsTheCustomerWithoutCompanySelected)
{
    addCustomer(QStringLiteral("Acme"), QStringLiteral("Smith"), QStringLiteral("John"));
    const qint32 doe = addCustomer(QString(), QStringLiteral("Doe"), QStringLiteral("Jane"));
    addCustomer(QStringLiteral("Zeta"), QStringLiteral("Zed"), QStringLiteral("Zoe"));

    CustomerSelectionModel model(t(), prompter, doe);
    ASSERT_EQ(model.selectedIndex(), 1);
    std::unique_ptr<AddCustomerModel> edit = model.modify();
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->caption(), QStringLiteral("Modify Customer #000002"));
    edit->setFirstName(QStringLiteral("Janet"));
    edit->setPhone(QStringLiteral("555-0000"));
    ASSERT_TRUE(edit->save().saved);
    model.finishModify(*edit, true);

    EXPECT_EQ(model.entries().at(1), QStringLiteral("Doe, Janet") + kBlanks + QStringLiteral("#2"));
    EXPECT_EQ(model.selectedIndex(), 1);
    EXPECT_EQ(model.selectedCustomerId(), doe);
    EXPECT_EQ(model.firstName(), QStringLiteral("Janet"));
    EXPECT_EQ(model.phone(), QStringLiteral("555-0000"));
    EXPECT_TRUE(model.changes().contains(ListingKind::Customers, doe));

    // Nothing selected: nothing to modify (an Add Customer without an ID would add one).
    model.setSelectedIndex(-1);
    EXPECT_FALSE(model.modify());
}

TEST_F(Customers, AddNewAndSearchFromSelectionCloseItWithTheirCustomer)
{
    addCustomer(QStringLiteral("Acme"), QStringLiteral("Smith"), QStringLiteral("John"));
    const qint32 doe = addCustomer(QString(), QStringLiteral("Doe"), QStringLiteral("Jane"), QStringLiteral("555-2222"));
    CustomerSelectionModel model(t(), prompter, doe);

    std::unique_ptr<AddCustomerModel> cancelled = model.addNew();
    ASSERT_TRUE(cancelled);
    EXPECT_FALSE(cancelled->isModify());
    cancelled->setLastName(QStringLiteral("Never"));
    EXPECT_FALSE(model.finishAddNew(*cancelled, false));
    EXPECT_EQ(model.selectedIndex(), 1);
    EXPECT_EQ(model.lastName(), QStringLiteral("Doe"));
    EXPECT_EQ(model.result(), NoSelection);
    EXPECT_EQ(t().customers().CountWhere(QString()), 2);

    std::unique_ptr<AddCustomerModel> added = model.addNew();
    added->setLastName(QStringLiteral("New"));
    ASSERT_TRUE(added->save().saved);
    EXPECT_TRUE(model.finishAddNew(*added, true));
    EXPECT_EQ(model.result(), 3);
    EXPECT_TRUE(model.changes().contains(ListingKind::Customers, 3));

    CustomerSelectionModel again(t(), prompter);
    std::unique_ptr<SearchForCustomerModel> search = again.search();
    search->setSearchBy(SearchForCustomerModel::SearchBy::Telephone);
    search->setSearchText(QStringLiteral("2222"));
    search->go();
    EXPECT_FALSE(again.finishSearch(*search, false));
    ASSERT_TRUE(search->save().saved);
    EXPECT_TRUE(again.finishSearch(*search, true));
    EXPECT_EQ(again.result(), doe);
}

// ---------------------------------------------------------------- Search for Customer

TEST_F(Customers, SearchByIdIsExact)
{
    {
        Transaction batch(project.db());
        for (int i = 1; i <= 120; ++i)
            addCustomer(QStringLiteral("Co%1").arg(i), QStringLiteral("Last%1").arg(i), QStringLiteral("F%1").arg(i));
        ASSERT_TRUE(batch.commit());
    }
    SearchForCustomerModel search(t(), prompter);
    search.setSearchBy(SearchForCustomerModel::SearchBy::ID);
    search.setSearchText(QStringLiteral("12"));
    search.go();
    ASSERT_EQ(search.results().size(), 1);
    EXPECT_EQ(search.results().at(0).customerId, 12);
    EXPECT_EQ(search.resultTexts(), QStringList({"Co12 Last12, F12"}));
    EXPECT_EQ(search.selectedIndex(), 0);

    // The text is read as a number the way atol reads it.
    search.setSearchText(QStringLiteral(" 120abc"));
    search.go();
    EXPECT_EQ(search.resultTexts(), QStringList({"Co120 Last120, F120"}));

    for (const char* none : {"", "abc", "0", "-12", "121", "99999999999999999999"}) {
        search.setSearchText(QString::fromLatin1(none));
        search.go();
        EXPECT_TRUE(search.results().isEmpty()) << none;
        EXPECT_EQ(search.selectedIndex(), -1);
    }
    EXPECT_TRUE(prompter.log().isEmpty());
}

TEST_F(Customers, SearchByTelephoneFindsThePieceAsTyped)
{
    const qint32 a = addCustomer(QStringLiteral("Acme"), QStringLiteral("Smith"), QStringLiteral("John"),
                                 QStringLiteral("(555) 123-4567"));
    const qint32 b = addCustomer(QString(), QStringLiteral("Doe"), QStringLiteral("Jane"), QStringLiteral("123-5555"));
    addCustomer(QString(), QStringLiteral("Roe"), QStringLiteral("Rick"), QStringLiteral("123-4567"));
    const qint32 ext = addCustomer(QString(), QStringLiteral("O'Brien"), QStringLiteral("Pat"),
                                   QStringLiteral("5551234 EXT 2"));

    SearchForCustomerModel search(t(), prompter);
    search.setSearchBy(SearchForCustomerModel::SearchBy::Telephone);
    search.setSearchText(QStringLiteral("555"));
    search.go();
    ASSERT_EQ(search.results().size(), 3);
    EXPECT_EQ(search.results().at(0).customerId, a);
    EXPECT_EQ(search.results().at(1).customerId, b);
    EXPECT_EQ(search.results().at(2).customerId, ext);
    // An empty company leaves the leading blank.
    EXPECT_EQ(search.resultTexts(),
              QStringList({"Acme Smith, John", " Doe, Jane", " O'Brien, Pat"}));
    EXPECT_EQ(search.selectedIndex(), 0);

    // No normalising of punctuation, and case counts.
    for (const char* none : {"5551234567", "ext", "123 4567"}) {
        search.setSearchText(QString::fromLatin1(none));
        search.go();
        EXPECT_TRUE(search.results().isEmpty()) << none;
    }
    search.setSearchText(QStringLiteral("EXT"));
    search.go();
    EXPECT_EQ(search.results().size(), 1);

    // Quotes and wildcards are plain characters.
    for (const char* odd : {"'", "%", "_", "' OR '1'='1"}) {
        search.setSearchText(QString::fromLatin1(odd));
        search.go();
        EXPECT_TRUE(search.results().isEmpty()) << odd;
    }
    EXPECT_EQ(t().customers().CountWhere(QString()), 4);
}

TEST_F(Customers, SearchOkNeedsASelection)
{
    const qint32 id = addCustomer(QString(), QStringLiteral("Doe"), QStringLiteral("Jane"), QStringLiteral("555"));
    SearchForCustomerModel search(t(), prompter);
    EXPECT_FALSE(search.save().saved);
    ASSERT_EQ(prompter.log().size(), 1);
    EXPECT_EQ(prompter.log().at(0).text, QStringLiteral("You must select a customer from the list"));
    EXPECT_EQ(prompter.log().at(0).title, kTitle);
    EXPECT_EQ(search.customerId(), NoSelection);

    search.setSearchText(QStringLiteral("%1").arg(id));
    search.go();
    search.setSelectedIndex(-1);
    EXPECT_FALSE(search.save().saved);
    search.setSelectedIndex(0);
    ASSERT_TRUE(search.save().saved);
    EXPECT_EQ(search.customerId(), id);
}

// ---------------------------------------------------------------- Deletion

TEST_F(Customers, DeletionKeepsInvoicesAndPaymentsWithoutACustomer)
{
    const qint32 keep = addCustomer(QStringLiteral("Other"), QStringLiteral("Keep"), QStringLiteral("Me"));
    const qint32 gone = addCustomer(QStringLiteral("Acme"), QStringLiteral("Smith"), QStringLiteral("John"));
    const qint32 inv1 = addInvoice(gone, 1);
    const qint32 inv2 = addInvoice(gone, 2);
    const qint32 other = addInvoice(keep, 3);
    const qint32 pay1 = addPayment(gone, inv1, 100.0, 40.0);
    const qint32 pay2 = addPayment(gone, inv2, 0.0, 25.5);
    const qint32 otherPay = addPayment(keep, other, 10.0, 0.0);
    CSalesRec sale;
    sale.SIID = inv1;
    sale.Quanity = 2;
    ASSERT_TRUE(t().sales().RecordAdd(sale));

    CustomerDeletion deletion(t(), prompter, gone);
    ASSERT_TRUE(deletion.prepare());
    EXPECT_EQ(deletion.warning(),
              QStringLiteral("Removing customer #000002 will also remove this customer from all sales tracking.\n"
                             "It is recomended that you backup the project before continuing."));

    // Not confirmed: the user is told and nothing happens.
    EXPECT_FALSE(deletion.confirm(QStringLiteral("no")));
    EXPECT_EQ(prompter.texts(), QStringList({"Must confirm deletion by typing 'YES'."}));
    EXPECT_FALSE(deletion.run());
    EXPECT_TRUE(t().customers().LocateByID(gone));

    ASSERT_TRUE(deletion.confirm(QStringLiteral("yes")));
    ASSERT_TRUE(deletion.run());
    EXPECT_FALSE(t().customers().LocateByID(gone));
    EXPECT_TRUE(t().customers().LocateByID(keep));

    for (const qint32 id : {inv1, inv2}) {
        CSIRec si;
        ASSERT_TRUE(t().invoices().RecordRead(si, id));
        EXPECT_EQ(si.CustomerID, -1);
    }
    CSIRec kept;
    ASSERT_TRUE(t().invoices().RecordRead(kept, other));
    EXPECT_EQ(kept.CustomerID, keep);

    // The payments stay, still tied to their invoices, and still count.
    CARRec p1, p2, p3;
    ASSERT_TRUE(t().receivables().RecordRead(p1, pay1));
    ASSERT_TRUE(t().receivables().RecordRead(p2, pay2));
    ASSERT_TRUE(t().receivables().RecordRead(p3, otherPay));
    EXPECT_EQ(p1.CustomerID, -1);
    EXPECT_EQ(p2.CustomerID, -1);
    EXPECT_EQ(p3.CustomerID, keep);
    EXPECT_EQ(p1.SIID, inv1);
    EXPECT_EQ(p1.Paid, Money::fromDouble(40.0));
    EXPECT_EQ(t().sales().CountWhere(QStringLiteral("[SIID] = ?"), {inv1}), 1);

    // The sales list shows those invoices with an empty customer.
    CSIRow row;
    ASSERT_TRUE(t().invoices().RecordReadRow(row, inv1));
    EXPECT_EQ(QStringList({row.Company, row.Last, row.First}), QStringList({"", "", ""}));

    EXPECT_EQ(deletion.changes().ids(ListingKind::Customers), QList<qint32>({gone}));
    EXPECT_EQ(deletion.changes().ids(ListingKind::Invoices), QList<qint32>({inv1, inv2}));
}

TEST_F(Customers, DeletingAMissingCustomerOnlyTellsTheUser)
{
    const qint32 id = addCustomer(QString(), QStringLiteral("Doe"), QStringLiteral("Jane"));
    addInvoice(id, 1);
    CustomerDeletion missing(t(), prompter, id + 1);
    EXPECT_FALSE(missing.prepare());
    ASSERT_EQ(prompter.log().size(), 1);
    EXPECT_EQ(prompter.log().at(0).text, QStringLiteral("Unable to locate customer record."));
    EXPECT_EQ(prompter.log().at(0).title, kTitle);
    EXPECT_EQ(prompter.log().at(0).icon, Prompter::Icon::Exclamation);

    // Gone between the confirmation and the deletion: told again, nothing touched.
    CustomerDeletion late(t(), prompter, id);
    ASSERT_TRUE(late.prepare());
    ASSERT_TRUE(late.confirm(QStringLiteral("YES")));
    ASSERT_TRUE(t().customers().RecordDelete(id));
    prompter.clear();
    EXPECT_FALSE(late.run());
    EXPECT_EQ(prompter.texts(), QStringList({"Unable to locate customer record."}));
    EXPECT_EQ(t().invoices().CountWhere(QStringLiteral("[CustomerID] = ?"), {id}), 1);
    EXPECT_TRUE(late.changes().isEmpty());
}

TEST_F(Customers, AFailedDeletionRollsBackEverything)
{
    const qint32 id = addCustomer(QString(), QStringLiteral("Doe"), QStringLiteral("Jane"));
    const qint32 invoice = addInvoice(id, 1);
    addPayment(id, invoice, 5.0, 5.0);
    // The payment table refuses the rewrite, after the customer and its invoice were written.
    ASSERT_TRUE(project.db().execNative(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE UPDATE ON \"AR\" BEGIN SELECT RAISE(ABORT, 'refused'); END")));

    CustomerDeletion deletion(t(), prompter, id);
    ASSERT_TRUE(deletion.prepare());
    ASSERT_TRUE(deletion.confirm(QStringLiteral("Yes")));
    EXPECT_FALSE(deletion.run());
    EXPECT_EQ(prompter.lastText(), QStringLiteral("The current operation was unable to be completed."));
    EXPECT_TRUE(t().customers().LocateByID(id));
    EXPECT_EQ(t().invoices().CountWhere(QStringLiteral("[CustomerID] = ?"), {id}), 1);
    EXPECT_EQ(t().receivables().CountWhere(QStringLiteral("[CustomerID] = ?"), {id}), 1);
    EXPECT_TRUE(deletion.changes().isEmpty());
    EXPECT_EQ(project.db().transactionDepth(), 0);
}

// ---------------------------------------------------------------- Customer Purchases

TEST_F(Customers, PurchasesNeedTheCustomerListAndASelection)
{
    const int customers = static_cast<int>(ListingKind::Customers);
    EXPECT_FALSE(ShowCustomerPurchases(t(), prompter, static_cast<int>(ListingKind::Invoices), 1));
    EXPECT_FALSE(ShowCustomerPurchases(t(), prompter, -1, 1));
    EXPECT_FALSE(ShowCustomerPurchases(t(), prompter, customers, NoSelection));
    EXPECT_EQ(prompter.texts(), QStringList({"Invalid operation for this screen.", "Invalid operation for this screen.",
                                             "Must first select a customer."}));
    for (const ScriptedPrompter::Entry& entry : prompter.log())
        EXPECT_EQ(entry.title, kTitle);
    EXPECT_EQ(t().invoices().filter(), QString());
}

TEST_F(Customers, PurchasesNarrowTheSalesListToTheCustomer)
{
    const qint32 a = addCustomer(QString(), QStringLiteral("Doe"), QStringLiteral("Jane"));
    const qint32 b = addCustomer(QString(), QStringLiteral("Roe"), QStringLiteral("Rick"));
    const qint32 a1 = addInvoice(a, 1);
    addInvoice(b, 2);
    const qint32 a2 = addInvoice(a, 3);
    const int customers = static_cast<int>(ListingKind::Customers);

    ASSERT_TRUE(ShowCustomerPurchases(t(), prompter, customers, a));
    EXPECT_EQ(CustomerPurchasesFilter(a), QStringLiteral("CustomerID = 1"));
    CSISet& invoices = t().invoices();
    EXPECT_EQ(invoices.filter(), QStringLiteral("CustomerID = 1"));
    // The sales list's reload sets its own filter; the customer's filter holds.
    invoices.SetFilter(QString());
    invoices.Reopen();
    QList<qint32> shown;
    for (const CSIRow& row : invoices.RecordReadAll())
        shown.append(row.ID);
    EXPECT_EQ(shown, QList<qint32>({a1, a2}));
    EXPECT_EQ(invoices.filter(), QString());

    // Twice in a row without a reload between: the second customer wins.
    ASSERT_TRUE(ShowCustomerPurchases(t(), prompter, customers, a));
    ASSERT_TRUE(ShowCustomerPurchases(t(), prompter, customers, b));
    EXPECT_EQ(invoices.filter(), QStringLiteral("CustomerID = 2"));
    EXPECT_TRUE(prompter.log().isEmpty());
}

} // namespace
