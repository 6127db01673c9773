#include "ItemDetailsModel.h"

#include "core/common/Money.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectTables.h"

ItemDetailsModel::ItemDetailsModel(ProjectTables& tables, Prompter& prompter, qint32 itemId)
    : m_prompter(prompter)
{
    m_open = itemId > 0 && tables.items().RecordRead(m_item, itemId);
    if (!m_open)
        m_item = CItemsRec();
}

bool ItemDetailsModel::checkPrerequisites()
{
    if (!m_open)
        warn(m_prompter, StatusMessage(Status::RecordNotFound), caption());
    return m_open;
}

QString ItemDetailsModel::caption() const
{
    return QStringLiteral("Item Details");
}

QString ItemDetailsModel::idText() const
{
    return FormatRecordId(m_item.ID);
}

QString ItemDetailsModel::primaryVendorText() const
{
    return FormatRecordId(m_item.VendorID1);
}

QString ItemDetailsModel::secondaryVendorText() const
{
    return FormatRecordId(m_item.VendorID2);
}

QString ItemDetailsModel::costText() const
{
    return FormatCurrency(m_item.Cost);
}

QString ItemDetailsModel::sellingPriceText() const
{
    return FormatCurrency(m_item.SellingPrice);
}

QString ItemDetailsModel::taxableText() const
{
    return m_item.Taxable ? QStringLiteral("YES") : QStringLiteral("NO");
}

QString ItemDetailsModel::taxRateText() const
{
    if (!m_item.Taxable)
        return QStringLiteral("N/A");
    return QString::asprintf("%01.*f%%", 2, static_cast<double>(m_item.TaxRate));
}

QString ItemDetailsModel::reorderQuantityText() const
{
    return QString::number(m_item.ReorderQuanity);
}

QString ItemDetailsModel::reorderLevelText() const
{
    return QString::number(m_item.ReorderLevel);
}

QString ItemDetailsModel::stockedText() const
{
    return QString::number(m_item.Stocked);
}

QString ItemDetailsModel::orderedText() const
{
    return QString::number(m_item.Ordered);
}
