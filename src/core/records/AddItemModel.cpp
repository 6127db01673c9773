#include "AddItemModel.h"

#include "Pickers.h"
#include "StockFigures.h"
#include "core/common/Clock.h"
#include "core/common/DateTime.h"
#include "core/common/NumberText.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

#include <QRegularExpression>

namespace {

// A whole-number field of the item form; left empty it counts as zero.
std::optional<qint32> WholeNumberOrZero(const QString& text)
{
    return text.trimmed().isEmpty() ? std::optional<qint32>(0) : ParseWholeNumber(text);
}

// An amount field's value: empty text counts as zero.
std::optional<Money> ParseAmount(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return Money();
    std::optional<Money> amount = ParseCurrency(trimmed);
    if (amount && !amount->isValid())
        return std::nullopt;
    return amount;
}

QString WholeText(qint32 value)
{
    return QString::number(value);
}

} // namespace

AddItemModel::AddItemModel(ProjectTables& tables, Prompter& prompter, const Clock& clock, qint32 itemId)
    : m_tables(tables), m_prompter(prompter), m_clock(clock), m_vendorEntries(VendorPickerEntries(tables))
{
    clearForm();
    if (itemId <= 0)
        return;
    CItemsRec item;
    if (!m_tables.items().RecordRead(item, itemId)) {
        m_open = false;
        return;
    }
    m_itemId = itemId;
    m_name = item.Name;
    m_number = item.Number;
    m_description = item.Description;
    // A vendor that no longer exists cannot be shown as selected.
    m_primaryVendor = PickerIndexOf(m_vendorEntries, item.VendorID1) >= 0 ? item.VendorID1 : NoSelection;
    m_secondaryVendor = PickerIndexOf(m_vendorEntries, item.VendorID2) >= 0 ? item.VendorID2 : NoSelection;
    // Every decimal the amounts hold is shown, so OK writes them back unchanged.
    m_costText = FormatCurrencyField(item.Cost);
    m_priceText = FormatCurrencyField(item.SellingPrice);
    m_markupText = markupFor(item.Cost, item.SellingPrice).value_or(QString());
    m_taxable = item.Taxable;
    m_taxRateText = QString::asprintf("%.3f", static_cast<double>(item.TaxRate));
    m_reorderLevelText = WholeText(item.ReorderLevel);
    m_reorderQuantityText = WholeText(item.ReorderQuanity);
    m_initialQuantityText = WholeText(0);
}

bool AddItemModel::checkPrerequisites()
{
    if (m_tables.vendors().CountWhere(QStringLiteral("[ID] > 0")) == 0) {
        WarnUnlessDamaged(
            m_prompter, m_tables.database(),
            QStringLiteral("In order to run this command, you must already have valid vendors.  This "
                           "command was unable to find all the necessary data to run."));
        return false;
    }
    if (!m_open)
        WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(Status::RecordNotFound));
    return m_open;
}

QString AddItemModel::helpLine() const
{
    return QStringLiteral(
        "Fill in the item form below. Note that you must fill in for both primary and secondary "
        "vendor.  If there is only one vendor, use the same vendor for both fields.");
}

QString AddItemModel::invalidAmountMessage()
{
    return QStringLiteral("The amount specified is not valid.  Please check the value and re-enter it if "
                          "necessary.");
}

QString AddItemModel::caption() const
{
    return isModify() ? QStringLiteral("Modify Item #%1").arg(FormatRecordId(m_itemId))
                      : QStringLiteral("Add Inventory Item");
}

void AddItemModel::setPrimaryVendor(qint32 vendorId)
{
    m_primaryVendor = PickerIndexOf(m_vendorEntries, vendorId) >= 0 ? vendorId : NoSelection;
    m_secondaryVendor = m_primaryVendor;
}

void AddItemModel::setSecondaryVendor(qint32 vendorId)
{
    m_secondaryVendor = PickerIndexOf(m_vendorEntries, vendorId) >= 0 ? vendorId : NoSelection;
}

std::optional<QString> AddItemModel::markupFor(Money cost, Money price)
{
    if (!cost.isValid() || !price.isValid() || cost.tenThousandths() == 0)
        return std::nullopt;
    const double markup = (price.toDouble() - cost.toDouble()) / cost.toDouble() * 100.0;
    return QString::asprintf("%.3f", markup);
}

void AddItemModel::updateMarkup()
{
    const std::optional<Money> cost = ParseAmount(m_costText);
    const std::optional<Money> price = ParseAmount(m_priceText);
    // Half-typed amounts leave the markup as it was.
    if (!cost || !price)
        return;
    m_markupText = markupFor(*cost, *price).value_or(QString());
}

void AddItemModel::setCostText(const QString& text)
{
    m_costText = text;
    updateMarkup();
}

void AddItemModel::setPriceText(const QString& text)
{
    m_priceText = text;
    updateMarkup();
}

void AddItemModel::setMarkupText(const QString& text)
{
    m_markupText = text;
    bool ok = false;
    const double markup = text.trimmed().toDouble(&ok);
    const std::optional<Money> cost = ParseAmount(m_costText);
    if (!ok || !cost || cost->tenThousandths() == 0)
        return;
    const Money price = Money::fromDouble(cost->toDouble() * (markup / 100.0 + 1.0));
    if (price.isValid())
        m_priceText = FormatCurrency(price);
}

void AddItemModel::clearForm()
{
    m_name.clear();
    m_number.clear();
    m_description.clear();
    m_costText = FormatCurrencyField(Money());
    m_priceText = FormatCurrencyField(Money());
    m_markupText.clear();
    m_taxRateText.clear();
    m_reorderLevelText = WholeText(0);
    m_reorderQuantityText = WholeText(0);
    m_initialQuantityText = WholeText(0);
}

AddItemModel::Result AddItemModel::refuse(int code, Field field)
{
    WarnUnlessDamaged(m_prompter, m_tables.database(), StatusMessage(code));
    return Result::refused(field);
}

AddItemModel::Result AddItemModel::save()
{
    if (!m_open)
        return Result::refused();
    if (m_name.isEmpty())
        return refuse(Status::InvalidName, Field::Name);

    const std::optional<Money> cost = ParseAmount(m_costText);
    const std::optional<Money> price = ParseAmount(m_priceText);
    if (!cost || !price) {
        WarnUnlessDamaged(m_prompter, m_tables.database(), invalidAmountMessage());
        return Result::refused(!cost ? Field::Cost : Field::Price);
    }
    const std::optional<qint32> reorderLevel = WholeNumberOrZero(m_reorderLevelText);
    if (!reorderLevel)
        return refuse(Status::InvalidQuantity, Field::ReorderLevel);
    const std::optional<qint32> reorderQuantity = WholeNumberOrZero(m_reorderQuantityText);
    if (!reorderQuantity)
        return refuse(Status::InvalidQuantity, Field::ReorderQuantity);
    const std::optional<qint32> initial =
        isModify() ? std::optional<qint32>(0) : WholeNumberOrZero(m_initialQuantityText);
    if (!initial)
        return refuse(Status::InvalidQuantity, Field::InitialQuantity);

    CItemsSet& items = m_tables.items();
    Transaction transaction(m_tables.database());
    CItemsRec item;
    if (isModify() && !items.RecordRead(item, m_itemId)) {
        // Deleted since the dialog opened: writing it would bring nothing back.
        return refuse(Status::RecordNotFound, Field::None);
    }
    // Stocked and Ordered belong to the lots and order lines; a modified item
    // keeps what was read just now.
    item.Name = m_name;
    item.Number = m_number;
    item.Description = m_description;
    item.VendorID1 = m_primaryVendor;
    item.VendorID2 = m_secondaryVendor;
    item.CategoryID = 0;
    item.Cost = *cost;
    item.SellingPrice = *price;
    item.Taxable = m_taxable;
    item.TaxRate = m_taxable ? static_cast<float>(LeadingRealNumber(m_taxRateText)) : 0.0f;
    item.ReorderLevel = *reorderLevel;
    item.ReorderQuanity = *reorderQuantity;

    bool ok = transaction.isActive();
    qint32 lotId = NoSelection;
    if (ok && isModify()) {
        ok = items.RecordModify(item);
    } else if (ok) {
        item.Stocked = *initial;
        item.Ordered = 0;
        ok = items.RecordAdd(item);
        if (ok && *initial > 0) {
            CStockRec lot;
            lot.ItemID = item.ID;
            lot.OrderID = StockInitial;
            lot.POID = StockInitial;
            lot.VendorID = m_primaryVendor;
            lot.Quanity = *initial;
            lot.Cost = *cost;
            lot.Date = DateTime::fromDate(m_clock.now().date());
            ok = m_tables.stock().RecordAdd(lot) && RecomputeStocked(m_tables, item.ID);
            lotId = lot.ID;
        }
    }
    if (!ok || !transaction.commit())
        return refuse(Status::OperationFailed, Field::None);

    m_lastSaved = item.ID;
    m_changes.add(ListingKind::Items, item.ID);
    if (lotId > 0)
        m_changes.add(ListingKind::Stock, lotId);
    return Result::ok();
}

AddItemModel::Result AddItemModel::saveAndNext()
{
    // A modified item has no "next"; its dialog offers OK only.
    if (isModify())
        return save();
    const Result result = save();
    if (!result.saved)
        return result;
    clearForm();
    return Result{true, Field::Name};
}
