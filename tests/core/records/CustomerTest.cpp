#include "core/records/AddCustomerModel.h"
#include "core/records/CustomerDeletion.h"
#include "core/records/CustomerDetailsModel.h"
#include "core/records/CustomerPurchases.h"
#include "core/records/CustomerSelectionModel.h"
#include "core/records/SearchForCustomerModel.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kBlanks = QString(50, QLatin1Char(' '));
const QString kNotFound = u"Unable to locate customer record."_s;
const QString kFailed = u"The current operation was unable to be completed."_s;

class Customers : public ProjectFixture
{
protected:
    qint32 doe(const QString& phone = QString()) { return b.customer(QString(), u"Doe"_s, u"Jane"_s, phone); }
    qint32 customers() { return b.rows("Customers"); }
};

TEST_F(Customers, AddingStoresTheTenFieldsAndModifyingRewritesOnlyAnExistingCustomer)
{
    // Nothing is required; empty fields are stored as empty text, not NULL, as
    // searches and lists compare against them.
    ASSERT_TRUE(AddCustomerModel(t(), prompter).save().saved);
    EXPECT_EQ(t().customers().CountWhere(u"[Company] = '' AND [Phone] = '' AND [Notes] = ''"_s), 1);

    using Setter = void (AddCustomerModel::*)(const QString&);
    const Setter setters[] = {&AddCustomerModel::setLastName, &AddCustomerModel::setFirstName,
                              &AddCustomerModel::setStreet,   &AddCustomerModel::setCity,
                              &AddCustomerModel::setState,    &AddCustomerModel::setZip,
                              &AddCustomerModel::setPhone,    &AddCustomerModel::setCompany,
                              &AddCustomerModel::setEmail,    &AddCustomerModel::setNotes};
    AddCustomerModel model(t(), prompter);
    QStringList typed;
    for (const Setter set : setters) {
        typed << u"f%1"_s.arg(typed.size());
        (model.*set)(typed.last());
    }
    ASSERT_TRUE(model.save().saved);
    const qint32 id = model.customerId();
    const CCustomersRec c = b.read<CCustomersRec>(id);
    EXPECT_EQ((QStringList{c.Last, c.First, c.Address, c.City, c.State, c.Zip, c.Phone, c.Company, c.EMail,
                           c.Notes}),
              typed);
    EXPECT_EQ(model.changes().ids(ListingKind::Customers), QList<qint32>({id}));

    // A second OK rewrites the same customer instead of adding a twin.
    model.setNotes(QString());
    ASSERT_TRUE(model.save().saved);
    EXPECT_EQ(customers(), 2);
    EXPECT_EQ(b.read<CCustomersRec>(id).Notes, QString());

    // A write that fails is reported, naming the field that was too wide, and
    // adds nothing.
    AddCustomerModel tooWide(t(), prompter);
    tooWide.setZip(QString(31, QLatin1Char('9')));
    EXPECT_FALSE(tooWide.save().saved);
    EXPECT_EQ(prompter.texts(), QStringList{u"The Zip may hold at most 30 characters."_s});
    EXPECT_TRUE(tooWide.changes().isEmpty());
    EXPECT_EQ(customers(), 2);

    AddCustomerModel modify(t(), prompter, id);
    EXPECT_EQ(modify.company() + modify.lastName(), u"f7f0"_s);
    modify.setCompany(QString());
    ASSERT_TRUE(modify.save().saved);
    EXPECT_EQ(b.read<CCustomersRec>(id).Company, QString());
    EXPECT_EQ(customers(), 2);

    // The customer vanishes while the dialog is open: OK tells the user and does not bring it back.
    AddCustomerModel stale(t(), prompter, id);
    ASSERT_TRUE(t().customers().RecordDelete(id));
    EXPECT_FALSE(stale.save().saved);
    EXPECT_EQ(prompter.lastText(), kNotFound);
    EXPECT_FALSE(t().customers().LocateByID(id));
    // A customer that cannot be read closes the dialog at once, as cancelled, without a word.
    prompter.clear();
    AddCustomerModel missing(t(), prompter, id);
    EXPECT_FALSE(missing.checkPrerequisites());
    EXPECT_TRUE(prompter.log().isEmpty());
    EXPECT_EQ(customers(), 1);
}

TEST_F(Customers, DetailsAndSelectionTexts)
{
    const qint32 smithID = b.customer(u"Acme"_s, u"Smith"_s, u"John"_s);
    b.change<CCustomersRec>(smithID, [](CCustomersRec& c) {
        c.City = u"Springfield"_s;
        c.State = u"IL"_s;
        c.Zip = u"62701"_s;
    });
    CustomerDetailsModel details(t(), prompter, smithID);
    EXPECT_EQ(details.name() + u'|' + details.addressLine2(), u"John Smith|Springfield, IL 62701"_s);
    // With the customer list's cursor on a customer, -1 must not read that one.
    t().customers().Reopen();
    t().customers().MoveFirst();
    for (const qint32 other : {smithID + 100, NoSelection}) {
        CustomerDetailsModel missing(t(), prompter, other);
        EXPECT_FALSE(missing.isLoaded());
        // Told, and the dialog still opens with its texts empty.
        EXPECT_TRUE(missing.checkPrerequisites());
    }
    ASSERT_EQ(prompter.texts(), (QStringList{kNotFound, kNotFound}));
    prompter.clear();

    const qint32 jane = doe();
    // A "#" in a name does not confuse the ID at the end of the entry.
    const qint32 hash = b.customer(u"Shop #9"_s, u"Lee"_s, u"Al"_s);
    // The list shows every customer even while the customer list is filtered.
    t().customers().SetFilter(u"[ID] = 999999"_s);
    t().customers().Reopen();
    CustomerSelectionModel model(t(), prompter, jane);
    EXPECT_EQ(model.entries(),
              QStringList({u"Acme   Smith, John"_s + kBlanks + u"#1"_s, u"Doe, Jane"_s + kBlanks + u"#2"_s,
                           u"Shop #9   Lee, Al"_s + kBlanks + u"#3"_s}));
    EXPECT_EQ(model.selectedIndex(), 1);
    EXPECT_EQ(model.addressLine2(), u",  "_s);
    model.setSelectedIndex(0);
    EXPECT_EQ(model.addressLine2() + model.addressLine3(), u"Springfield, IL 62701"_s);
    EXPECT_EQ(CustomerSelectionModel(t(), prompter, hash).selectedCustomerId(), hash);
    EXPECT_EQ(CustomerSelectionModel(t(), prompter).selectedIndex(), 0);
    EXPECT_EQ(CustomerSelectionModel(t(), prompter, 77).selectedIndex(), -1);

    // An entry without an ID stops the search.
    const QStringList broken = {u"Doe, Jane   #2"_s, u"Nobody"_s, u"Lee, Al   #3"_s};
    EXPECT_EQ(CustomerSelectionModel::indexOfCustomer(broken, 3), std::nullopt);
    EXPECT_EQ(CustomerSelectionModel::indexOfCustomer(broken, 2), 0);
    EXPECT_TRUE(prompter.log().isEmpty());
}

TEST_F(Customers, SelectionModifyAddNewAndSearchCloseItWithTheirCustomer)
{
    b.customer(u"Acme"_s, u"Smith"_s, u"John"_s);
    const qint32 jane = doe(u"555-2222"_s);
    b.customer(u"Zeta"_s, u"Zed"_s, u"Zoe"_s);
    CustomerSelectionModel model(t(), prompter, jane);
    ASSERT_EQ(model.selectedIndex(), 1);
    std::unique_ptr<AddCustomerModel> edit = model.modify();
    ASSERT_TRUE(edit && edit->isModify());
    edit->setFirstName(u"Janet"_s);
    ASSERT_TRUE(edit->save().saved);
    model.finishModify(*edit, true);
    // A customer without a company stays selected after the change.
    EXPECT_EQ(model.selectedCustomerId(), jane);
    EXPECT_EQ(model.firstName(), u"Janet"_s);
    EXPECT_TRUE(model.changes().contains(ListingKind::Customers, jane));

    // A new customer cancelled leaves the selection as it was.
    std::unique_ptr<AddCustomerModel> cancelled = model.addNew();
    ASSERT_TRUE(cancelled && !cancelled->isModify());
    cancelled->setLastName(u"Never"_s);
    EXPECT_FALSE(model.finishAddNew(*cancelled, false));
    EXPECT_EQ(model.selectedIndex(), 1);
    EXPECT_EQ(model.result(), NoSelection);

    // Nothing selected: OK is refused and there is nothing to modify (an Add
    // Customer without an ID would add one).
    model.setSelectedIndex(-1);
    EXPECT_FALSE(model.save().saved);
    EXPECT_EQ(prompter.texts(), QStringList{u"Must select customer from list."_s});
    EXPECT_FALSE(model.modify());
    model.setSelectedIndex(1);
    ASSERT_TRUE(model.save().saved);
    EXPECT_EQ(model.result(), jane);

    // A new customer saved, or one found by a search, closes the selection with it.
    std::unique_ptr<AddCustomerModel> added = model.addNew();
    added->setLastName(u"New"_s);
    ASSERT_TRUE(added->save().saved);
    EXPECT_TRUE(model.finishAddNew(*added, true));
    EXPECT_EQ(model.result(), 4);
    CustomerSelectionModel again(t(), prompter);
    std::unique_ptr<SearchForCustomerModel> search = again.search();
    search->setSearchBy(SearchForCustomerModel::SearchBy::Telephone);
    search->setSearchText(u"2222"_s);
    search->go();
    EXPECT_FALSE(again.finishSearch(*search, false));
    ASSERT_TRUE(search->save().saved);
    EXPECT_TRUE(again.finishSearch(*search, true));
    EXPECT_EQ(again.result(), jane);
}

TEST_F(Customers, SearchByIdIsExactByTelephoneFindsThePieceAsTypedAndOkNeedsASelection)
{
    using By = SearchForCustomerModel::SearchBy;
    SearchForCustomerModel search(t(), prompter);
    EXPECT_FALSE(search.save().saved);
    EXPECT_EQ(prompter.texts(), QStringList{u"You must select a customer from the list"_s});
    {
        Transaction batch(project.db());
        for (int i = 1; i <= 120; ++i)
            b.customer(u"Co%1"_s.arg(i), u"Last%1"_s.arg(i), u"F%1"_s.arg(i));
        ASSERT_TRUE(batch.commit());
    }
    const qint32 a = b.customer(u"Acme"_s, u"Smith"_s, u"John"_s, u"(555) 123-4567"_s);
    doe(u"123-5555"_s);
    b.customer(QString(), u"Roe"_s, u"Rick"_s, u"123-4567"_s);
    const qint32 ext = b.customer(QString(), u"O'Brien"_s, u"Pat"_s, u"5551234 EXT 2"_s);
    const auto found = [&](By by, const QString& text) {
        search.setSearchBy(by);
        search.setSearchText(text);
        search.go();
        return search.resultTexts();
    };

    EXPECT_EQ(found(By::ID, u"12"_s), QStringList({u"Co12 Last12, F12"_s}));
    ASSERT_TRUE(search.save().saved);
    EXPECT_EQ(search.customerId(), 12);
    // The text is read as a number the way atol reads it.
    EXPECT_EQ(found(By::ID, u" 120abc"_s), QStringList({u"Co120 Last120, F120"_s}));
    // An empty company leaves the leading blank.
    EXPECT_EQ(found(By::Telephone, u"555"_s),
              QStringList({u"Acme Smith, John"_s, u" Doe, Jane"_s, u" O'Brien, Pat"_s}));
    EXPECT_EQ((QList<qint32>{search.results()[0].customerId, search.results()[2].customerId}),
              (QList<qint32>{a, ext}));
    EXPECT_EQ(found(By::Telephone, u"EXT"_s).size(), 1);

    // No normalising of punctuation, and case counts; quotes and wildcards are plain characters.
    const std::pair<By, const char*> none[] = {{By::ID, "abc"},
                                               {By::ID, "-12"},
                                               {By::ID, "125"},
                                               {By::ID, "99999999999999999999"},
                                               {By::Telephone, "5551234567"},
                                               {By::Telephone, "ext"},
                                               {By::Telephone, "%"},
                                               {By::Telephone, "_"},
                                               {By::Telephone, "' OR '1'='1"}};
    for (const auto& [by, text] : none)
        EXPECT_TRUE(found(by, QString::fromLatin1(text)).isEmpty()) << text;
    EXPECT_EQ(search.selectedIndex(), -1);
    EXPECT_EQ(prompter.log().size(), 1);
}

TEST_F(Customers, DeletionKeepsInvoicesAndPaymentsWithoutACustomer)
{
    const qint32 keep = b.customer(u"Other"_s, u"Keep"_s, u"Me"_s);
    const qint32 gone = b.customer(u"Acme"_s, u"Smith"_s, u"John"_s);
    const qint32 inv1 = b.invoice(gone, 1);
    const qint32 inv2 = b.invoice(gone, 2);
    const qint32 other = b.invoice(keep, 3);
    const qint32 pay1 = b.payment(gone, inv1, Money::fromWhole(100), Money::fromWhole(40));
    const qint32 pay2 = b.payment(gone, inv2, Money::fromWhole(0), Money::fromWhole(25, 5000));
    const qint32 otherPay = b.payment(keep, other, Money::fromWhole(10), Money::fromWhole(0));
    b.sale(NoID, inv1, 2);

    CustomerDeletion deletion(t(), prompter, gone);
    ASSERT_TRUE(deletion.checkPrerequisites());
    EXPECT_EQ(
        deletion.warning(),
        QStringLiteral("Removing customer #000002 will also remove this customer from all sales tracking.\n"
                       "It is recomended that you backup the project before continuing."));
    EXPECT_EQ(deletion.save().focus, CustomerDeletion::Field::Confirmation); // not confirmed yet
    EXPECT_TRUE(t().customers().LocateByID(gone));

    deletion.setConfirmation(u"yes"_s);
    ASSERT_TRUE(deletion.save().saved);
    EXPECT_FALSE(t().customers().LocateByID(gone));
    // Invoices, then payments: the payments stay, still tied to their invoices, and still count.
    const auto owners = [&] {
        return QList<qint32>{b.read<CSIRec>(inv1).CustomerID,  b.read<CSIRec>(inv2).CustomerID,
                             b.read<CSIRec>(other).CustomerID, b.read<CARRec>(pay1).CustomerID,
                             b.read<CARRec>(pay2).CustomerID,  b.read<CARRec>(otherPay).CustomerID};
    };
    EXPECT_EQ(owners(), (QList<qint32>{-1, -1, keep, -1, -1, keep}));
    EXPECT_EQ(b.read<CARRec>(pay1).SIID, inv1);
    EXPECT_EQ(t().sales().CountWhere(u"[SIID] = ?"_s, {inv1}), 1);

    EXPECT_EQ(deletion.changes().ids(ListingKind::Invoices), QList<qint32>({inv1, inv2}));

    // A write that fails takes the whole deletion back.
    failEvery("UPDATE", "AR");
    CustomerDeletion failing(t(), prompter, keep);
    ASSERT_TRUE(failing.checkPrerequisites());
    failing.setConfirmation(u"YES"_s);
    EXPECT_FALSE(failing.save().saved);
    EXPECT_EQ(prompter.lastText(), kFailed);
    EXPECT_TRUE(t().customers().LocateByID(keep));
    EXPECT_EQ(owners(), (QList<qint32>{-1, -1, keep, -1, -1, keep}));
    EXPECT_TRUE(failing.changes().isEmpty());
    EXPECT_EQ(project.db().transactionDepth(), 0);

    // Gone before the deletion runs, or before it is prepared: the user is told, nothing is touched.
    ASSERT_TRUE(t().customers().RecordDelete(keep));
    prompter.clear();
    EXPECT_FALSE(failing.save().saved);
    EXPECT_FALSE(CustomerDeletion(t(), prompter, keep).checkPrerequisites());
    ASSERT_EQ(prompter.texts(), (QStringList{kNotFound, kNotFound}));
    EXPECT_EQ(b.read<CSIRec>(other).CustomerID, keep);
}

TEST_F(Customers, PurchasesNarrowTheSalesListToTheSelectedCustomer)
{
    const int customerList = static_cast<int>(ListingKind::Customers);
    EXPECT_FALSE(ShowCustomerPurchases(t(), prompter, static_cast<int>(ListingKind::Invoices), 1));
    EXPECT_FALSE(ShowCustomerPurchases(t(), prompter, customerList, NoSelection));
    EXPECT_EQ(prompter.texts(),
              QStringList({u"Invalid operation for this screen."_s, u"Must first select a customer."_s}));
    CSISet& invoices = t().invoices();

    const qint32 a = doe();
    const qint32 c = b.customer(QString(), u"Roe"_s, u"Rick"_s);
    const qint32 a1 = b.invoice(a, 1);
    b.invoice(c, 2);
    const qint32 a2 = b.invoice(a, 3);
    prompter.clear();
    ASSERT_TRUE(ShowCustomerPurchases(t(), prompter, customerList, a));
    EXPECT_EQ(invoices.filter(), u"CustomerID = 1"_s);
    // The sales list's reload sets its own filter; the customer's filter holds.
    invoices.SetFilter(QString());
    invoices.Reopen();
    QList<qint32> shown;
    for (const CSIRow& row : invoices.RecordReadAll())
        shown.append(row.ID);
    EXPECT_EQ(shown, QList<qint32>({a1, a2}));
    EXPECT_EQ(invoices.filter(), QString());

    // Twice in a row without a reload between: the second customer wins.
    ASSERT_TRUE(ShowCustomerPurchases(t(), prompter, customerList, a));
    ASSERT_TRUE(ShowCustomerPurchases(t(), prompter, customerList, c));
    EXPECT_EQ(invoices.filter(), u"CustomerID = 2"_s);
    EXPECT_TRUE(prompter.log().isEmpty());
}

} // namespace
