#pragma once

#include "POLines.h"

#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class Prompter;
class ProjectTables;
class UserSettings;

// What a button of Manage Purchase Orders asks the desktop to open, and for
// which purchase order or order line.
struct ManagePOAction
{
    enum class Kind
    {
        None,           // handled here, or refused with a message
        NewPO,          // New Purchase Order
        ModifyPO,       // New Purchase Order in modify mode for poID
        MarkFillDate,   // Mark PO Fill Date for poID
        RecordOrder,    // Record Order with poID selected
        EditOrderEntry, // Edit Order Entry for orderID
        AutoOrder,      // Automated Order Recording, ordering, for poID
        AutoReceive,    // Automated Order Recording, receiving, for poID
        ViewPO,         // the purchase-order printout of poID, with its lines
        ViewDetails,    // the purchase order's history; this window closes
    };

    Kind kind = Kind::None;
    qint32 poID = NoSelection;
    qint32 orderID = NoSelection;
};

// The Manage Purchase Orders window: one purchase order with its data, the
// figures of each of its lines (ordered, received to date, last receipt, unit
// price), marking it filled or not, removing a line nothing was received on,
// and the doors to the dialogs that change it.
class ManagePOModel : public DialogModel
{
public:
    // Nothing to refuse: each action writes at once or through the dialog it opens.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    static constexpr int kColumnCount = 6;
    static constexpr const char* kSettingsSection = "POManage";
    static const std::array<int, kColumnCount> kDefaultColumnWidths;

    // The purchase order of `poID` is selected, or the newest one when the
    // picker does not hold it; its lines are computed once.
    ManagePOModel(ProjectTables& tables, Prompter& prompter, qint32 poID = NoSelection);

    QString caption() const override;

    // Selects the purchase order of the list's selected row, by its ID; false
    // when the picker does not hold it (the selection stays).
    bool preselect(qint32 poID);

    const QStringList& poEntries() const { return m_poEntries; }
    qint32 poID() const { return m_poID; }
    // An ID not in the picker clears the selection.
    void selectPO(qint32 poID);

    // The selected purchase order's data; empty texts without one.
    QString vendorName() const { return m_vendorName; }
    QString poDateText() const { return m_poDateText; }
    // "No", or the fill date.
    QString filledText() const { return m_filledText; }
    QString requiredDateText() const { return m_requiredDateText; }
    QString taxRateText() const { return m_taxRateText; }
    QString notes() const { return m_notes; }
    bool isFilled() const { return m_filled; }
    QString fillButtonCaption() const;

    static QStringList columnCaptions();
    // Column 6 (the unit price) is right-aligned.
    static bool columnRightAligned(int column) { return column == kColumnCount - 1; }
    static std::array<int, kColumnCount> loadColumnWidths(const UserSettings& settings);
    static void saveColumnWidths(UserSettings& settings, const std::array<int, kColumnCount>& widths);

    const QList<POLine>& lines() const { return m_lines; }
    // The six cell texts of a line.
    static QStringList lineTexts(const POLine& line);
    POTotals totals() const;
    QList<QStringList> printoutLines() const { return POPrintoutLines(m_lines); }

    // The line selection, by order ID; an ID not in the list clears it.
    void selectLine(qint32 orderID);
    qint32 selectedOrderID() const { return m_selectedOrderID; }

    // The buttons.
    ManagePOAction newPO() const;
    ManagePOAction modifyPO();
    // "Mark as Filled" asks for the date; "Mark as Not Filled" reopens the
    // purchase order here, keeping its fill date.
    ManagePOAction toggleFilled();
    ManagePOAction addOrder() const;
    ManagePOAction editLine();
    // Removes the selected line after asking, unless something was received on
    // it; true when it was removed.
    bool deleteLine();
    ManagePOAction autoOrder() const;
    ManagePOAction autoReceive() const;
    ManagePOAction viewPO();
    ManagePOAction viewDetails();

    // After New PO: the picker is refilled and the new purchase order selected.
    void poCreated(qint32 poID);
    // After any other dialog opened from here: its changes are kept, the picker
    // refilled with the same purchase order selected, and everything recomputed.
    void childClosed(const ChangeList& changes);
    void refresh();

    // Close: each action writes at once or through the dialog it opens; changes() holds what they changed.
    Result save() { return Result::ok(); }

private:
    ManagePOAction forSelectedPO(ManagePOAction::Kind kind);
    void reload();

    ProjectTables& m_tables;
    Prompter& m_prompter;

    QStringList m_poEntries;
    qint32 m_poID = NoSelection;
    QString m_vendorName;
    QString m_poDateText;
    QString m_filledText;
    QString m_requiredDateText;
    QString m_taxRateText;
    QString m_notes;
    bool m_filled = false;
    double m_taxRate = 0.0;
    QList<POLine> m_lines;
    qint32 m_selectedOrderID = NoSelection;
};
