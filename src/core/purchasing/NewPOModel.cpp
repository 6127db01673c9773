#include "NewPOModel.h"

#include "core/common/NumberText.h"
#include "core/records/EntryHelpers.h"

#include "core/common/Money.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"
#include "core/records/Pickers.h"

#include <limits>
#include <optional>

namespace {

std::optional<double> ParseTaxRate(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = UserLocale().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !(value >= 0.0 && value <= NewPOModel::kMaxTaxRate))
        return std::nullopt;
    return value;
}

QString TaxRateText(double rate)
{
    return QString::number(rate, 'g', 15);
}

} // namespace

NewPOModel::NewPOModel(ProjectTables& tables, Prompter& prompter, const Clock& clock)
    : m_tables(tables), m_prompter(prompter)
{
    m_numberText = QString::number(m_tables.purchaseOrders().NextNumber());
    m_vendorEntries = VendorPickerEntries(m_tables);
    if (!m_vendorEntries.isEmpty())
        m_vendorID = EntryId(m_vendorEntries.constFirst());
    const QString today = ShortDateText(TodayFrom(clock));
    m_dateText = today;
    m_requiredDateText = today;
    m_taxRateText = TaxRateText(0.0);
}

bool NewPOModel::loadForModify(qint32 poID)
{
    CPORec po;
    if (!m_tables.purchaseOrders().RecordRead(po, poID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
        return false;
    }
    m_modifyID = po.ID;
    m_numberText = QString::number(po.Number);
    selectVendor(po.VendorID);
    m_dateText = ShortDateText(po.Date);
    m_requiredDateText = ShortDateText(po.RequiredDate);
    m_notes = po.Notes;
    m_taxRateText = TaxRateText(po.TaxRate);
    return true;
}

QString NewPOModel::caption() const
{
    return QStringLiteral("New Purchase Order");
}

QString NewPOModel::helpLine() const
{
    return QStringLiteral("Create a new Purchase Order to use for ordering.");
}

void NewPOModel::selectVendor(qint32 vendorID)
{
    m_vendorID = PickerIndexOf(m_vendorEntries, vendorID) >= 0 ? vendorID : NoSelection;
}

QString NewPOModel::vendorIdText() const
{
    return m_vendorID == NoSelection ? QString() : FormatRecordId(m_vendorID);
}

NewPOModel::Result NewPOModel::save()
{
    const std::optional<qint32> number = ParseWholeNumber(m_numberText);
    if (!number) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), QStringLiteral("Please enter an integer."));
        return Result::refused(Field::Number);
    }
    if (m_notes.size() > kMaxNotes) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("The PO Note may hold at most %1 characters.").arg(kMaxNotes));
        return Result::refused(Field::Notes);
    }
    const std::optional<double> taxRate = ParseTaxRate(m_taxRateText);
    if (!taxRate) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("Please enter a number between 0 and 1000."));
        return Result::refused(Field::TaxRate);
    }
    const DateTime date = DateTime::parseDate(m_dateText, UserLocale());
    if (!date.isValid()) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::InvalidDate));
        return Result::refused(Field::Date);
    }
    const DateTime required = DateTime::parseDate(m_requiredDateText, UserLocale());
    if (!required.isValid()) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::InvalidDate));
        return Result::refused(Field::RequiredDate);
    }
    // A purchase order without a vendor could never be ordered against.
    if (m_vendorID == NoSelection || !m_tables.vendors().LocateByID(m_vendorID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("You must select a vendor for this purchase order."));
        return Result::refused(Field::Vendor);
    }
    // Over the whole table, whatever the purchase-order list is filtered to.
    if (!isModify() && m_tables.purchaseOrders().CountWhere(QStringLiteral("[Number] = ?"), {*number}) > 0) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("A purchase order with this number already exists.\n"
                                         "Please choose a new purchase order number."));
        return Result::refused(Field::Number);
    }

    CPORec po;
    if (isModify() && !m_tables.purchaseOrders().RecordRead(po, m_modifyID)) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          QStringLiteral("Unable to modify PO at this time."));
        return Result::refused();
    }
    po.VendorID = m_vendorID;
    po.Notes = m_notes;
    po.Date = date.dateOnly();
    if (!isModify())
        po.Number = *number;
    po.RequiredDate = required.dateOnly();
    // Saving reopens a filled purchase order; its fill date falls back to the
    // required date.
    po.Filled = false;
    po.FilledDate = po.RequiredDate;
    po.TaxRate = *taxRate;

    Transaction transaction(m_tables.database());
    const bool written =
        transaction.isActive() &&
        (isModify() ? m_tables.purchaseOrders().RecordModify(po) : m_tables.purchaseOrders().RecordAdd(po)) &&
        transaction.commit();
    if (!written) {
        WarnUnlessDamaged(m_prompter, m_tables.database(),
                          isModify() ? QStringLiteral("Unable to modify PO at this time.")
                                     : QStringLiteral("Unable to add PO at this time."));
        return Result::refused();
    }
    m_savedID = po.ID;
    m_changes.add(ListingKind::PurchaseOrders, po.ID);
    return Result::ok();
}
