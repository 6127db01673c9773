#pragma once

#include "core/common/RecordIds.h"

#include <QString>
#include <QStringList>
#include <QTableView>

class RecordList;
class RecordListDelegate;
class RecordListModel;
class RecordLists;

// The list widget of one record kind in the right-hand pane: the user's columns
// and widths, rows in the list's sort order drawn in their condition colours,
// selection by ID, sorting by a click on a column header, and finding in the
// list. The rows themselves are the RecordList's: reloading or refreshing it
// shows here at once, keeping the selected record selected.
//
// The context menu is the host's: it arrives as customContextMenuRequested.
// The RecordLists must outlive the view.
class RecordListView : public QTableView
{
    Q_OBJECT

public:
    RecordListView(RecordLists& lists, ListingKind kind, QWidget* parent = nullptr);
    ~RecordListView() override;

    ListingKind kind() const { return m_kind; }
    RecordList& list() const;
    RecordListModel* listModel() const { return m_model; }

    // The number the selected row's first column shows (on the purchase-order
    // and invoice lists the document's number); NoSelection without a selection.
    qint32 SelectedID() const;
    // The selected row's record ID; NoSelection without a selection.
    qint32 selectedRecordID() const;
    // Selects, focuses and scrolls to the first row whose first column shows
    // `id`; false, changing nothing, when no row does.
    bool SelectByID(qint32 id);
    bool selectByRecordID(qint32 id);
    // The selected row's position; -1 without a selection.
    int selectedRow() const;

    // Every row back at its place for the sort column, the selection kept.
    void Reload();
    // Orders the list by a column (definition index).
    void sortByColumn(int definitionIndex);

    // A find's hit: the row is selected, focused and scrolled into view.
    void showFound(int row);

    // Takes the current widths into the layout and stores it; false when the
    // settings could not be written.
    bool saveColumns();
    // Draws the rows again, e.g. in new colours.
    void redraw();

    // "Displayed Records: %ld" for the rows shown.
    QString displayedRecordsText() const;

    // A line drawn in the list while it has no rows, telling why; empty for none.
    void setEmptyHint(const QString& hint);
    QString emptyHint() const { return m_emptyHint; }

Q_SIGNALS:
    // For the status bar: after a click in the list and after every reload.
    void displayedRecordsChanged(const QString& text);
    // A row was selected, another one, or none: the commands that need a
    // selection follow.
    void selectedRecordChanged();
    // Rows of the list could not be read while it was shown.
    void rowsUnreadable();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void rememberSelection();
    void restoreSelection();
    void applyColumnWidths();
    void takeColumnWidth(int column, int oldSize, int newSize);
    void selectRow(int row);

    RecordLists& m_lists;
    ListingKind m_kind;
    RecordListModel* m_model;
    RecordListDelegate* m_delegate;
    qint32 m_remembered = ::NoSelection;
    bool m_applyingWidths = false;
    QString m_emptyHint;
};
