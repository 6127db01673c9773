#pragma once

#include "core/common/DialogModel.h"
#include "core/common/Money.h"
#include "core/common/RecordIds.h"

#include <QString>
#include <QStringList>

#include <optional>

class Clock;
class Prompter;
class ProjectTables;

// The state behind the item entry dialog: a new item (with the quantity it
// starts with in stock), or changes to an existing one. Cost, selling price and
// markup are kept consistent as any of them is edited.
class AddItemModel : public DialogModel
{
public:
    enum class Field
    {
        None,
        Name,
        Cost,
        Price,
        ReorderLevel,
        ReorderQuantity,
        InitialQuantity
    };
    using Result = SaveResult<Field>;

    // Modifies the item with this ID; NoSelection (or any ID below 1) adds items.
    AddItemModel(ProjectTables& tables, Prompter& prompter, const Clock& clock, qint32 itemId = NoSelection);

    // Items are bought from vendors, so the dialog opens only once there is a
    // vendor; nor does it open when the item to modify could not be read. False
    // after telling the user.
    bool checkPrerequisites() override;
    QString helpLine() const override;
    // What the user is told about an amount that cannot be read.
    static QString invalidAmountMessage();

    bool isModify() const { return m_itemId > 0; }
    QString caption() const override;
    // The initial quantity and "&Next >>" serve new items only.
    bool initialQuantityEnabled() const { return !isModify(); }
    bool nextEnabled() const { return !isModify(); }

    // The vendor pickers share one list; a selection is an ID (NoSelection: none).
    const QStringList& vendorEntries() const { return m_vendorEntries; }
    qint32 primaryVendor() const { return m_primaryVendor; }
    qint32 secondaryVendor() const { return m_secondaryVendor; }
    // Also selects the same vendor as the secondary one, which the user may then change.
    void setPrimaryVendor(qint32 vendorId);
    void setSecondaryVendor(qint32 vendorId);

    QString name() const { return m_name; }
    QString number() const { return m_number; }
    QString description() const { return m_description; }
    void setName(const QString& text) { m_name = text; }
    void setNumber(const QString& text) { m_number = text; }
    void setDescription(const QString& text) { m_description = text; }

    QString costText() const { return m_costText; }
    QString priceText() const { return m_priceText; }
    QString markupText() const { return m_markupText; }
    // Cost or price edited: the markup follows. It stays empty while the cost is
    // zero, as no markup over nothing can be stated.
    void setCostText(const QString& text);
    void setPriceText(const QString& text);
    // Markup edited: the selling price follows from the cost; with a zero cost the
    // price is left as it is.
    void setMarkupText(const QString& text);

    bool taxable() const { return m_taxable; }
    void setTaxable(bool taxable) { m_taxable = taxable; }
    QString taxRateText() const { return m_taxRateText; }
    void setTaxRateText(const QString& text) { m_taxRateText = text; }

    QString reorderLevelText() const { return m_reorderLevelText; }
    QString reorderQuantityText() const { return m_reorderQuantityText; }
    QString initialQuantityText() const { return m_initialQuantityText; }
    void setReorderLevelText(const QString& text) { m_reorderLevelText = text; }
    void setReorderQuantityText(const QString& text) { m_reorderQuantityText = text; }
    void setInitialQuantityText(const QString& text) { m_initialQuantityText = text; }

    // OK: adds the item (and its initial stock) or writes the modified one back.
    Result save();
    // "&Next >>": saves a new item and empties the form for the next one; the
    // vendors and the Taxable box stay as they are.
    Result saveAndNext();

    // The item last saved; NoSelection before the first save.
    qint32 lastSavedId() const { return m_lastSaved; }

    // (price - cost) / cost * 100 with three decimals; nothing for a zero cost.
    static std::optional<QString> markupFor(Money cost, Money price);

private:
    void clearForm();
    void updateMarkup();
    Result refuse(int code, Field field);

    ProjectTables& m_tables;
    Prompter& m_prompter;
    const Clock& m_clock;
    qint32 m_itemId = NoSelection;
    bool m_open = true;

    QStringList m_vendorEntries;
    qint32 m_primaryVendor = NoSelection;
    qint32 m_secondaryVendor = NoSelection;
    QString m_name, m_number, m_description;
    QString m_costText, m_priceText, m_markupText;
    bool m_taxable = false;
    QString m_taxRateText;
    QString m_reorderLevelText, m_reorderQuantityText, m_initialQuantityText;

    qint32 m_lastSaved = NoSelection;
};
