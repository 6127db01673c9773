#pragma once

#include "core/common/DialogModel.h"
#include "core/db/Records.h"

#include <QString>

class Prompter;
class ProjectTables;

// The texts of the read-only Item Details dialog.
class ItemDetailsModel : public DialogModel
{
public:
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    ItemDetailsModel(ProjectTables& tables, Prompter& prompter, qint32 itemId);

    // False, after telling the user, when the item could not be read: the
    // dialog does not open.
    bool checkPrerequisites() override;
    QString caption() const override;
    // Nothing to write: closing the dialog is always accepted.
    Result save() { return Result::ok(); }

    QString idText() const;
    QString name() const { return m_item.Name; }
    QString number() const { return m_item.Number; }
    QString description() const { return m_item.Description; }
    QString primaryVendorText() const;
    QString secondaryVendorText() const;
    QString costText() const;
    QString sellingPriceText() const;
    // "YES" or "NO".
    QString taxableText() const;
    // Two decimals and a percent sign, or "N/A" for an item that is not taxed.
    QString taxRateText() const;
    QString reorderQuantityText() const;
    QString reorderLevelText() const;
    QString stockedText() const;
    QString orderedText() const;

private:
    CItemsRec m_item;
    Prompter& m_prompter;
    bool m_open = false;
};
