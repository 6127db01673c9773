#pragma once

#include "ListCells.h"
#include "ListColumnLayout.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class ListProgress;
class ProjectTables;

// The rows of one record list in the order it shows them, with its column layout
// and sort column. Rows are read once from the record layer and kept; the order
// comes from sort keys computed once per row for the sort column, so sorting,
// drawing and finding never query the database. Rows with equal keys keep the
// order they were read in.
class RecordList
{
public:
    // Told around every change of the rows or their order, so a view can let go
    // of them and pick them up again.
    class Observer
    {
    public:
        virtual ~Observer() = default;
        virtual void rowsAboutToChange() = 0;
        virtual void rowsChanged() = 0;
    };

    explicit RecordList(ListingKind kind);
    virtual ~RecordList();
    RecordList(const RecordList&) = delete;
    RecordList& operator=(const RecordList&) = delete;

    ListingKind kind() const { return m_layout.kind(); }
    ListColumnLayout& layout() { return m_layout; }
    const ListColumnLayout& layout() const { return m_layout; }

    void addObserver(Observer* observer);
    void removeObserver(Observer* observer);

    // Rows by their position in the list.
    qsizetype count() const { return m_order.size(); }
    QString cellText(qsizetype position, int definitionIndex) const;
    RowCondition condition(qsizetype position) const;
    qint32 recordId(qsizetype position) const;
    // The number the first column shows (a purchase order's or invoice's number
    // on those lists, the record ID on the others).
    qint32 listId(qsizetype position) const;
    // -1 when absent.
    qsizetype positionOfRecord(qint32 recordId) const;
    // The first row whose first column shows this number; -1 when none does.
    qsizetype positionOfListId(qint32 listId) const;
    // One column's texts in list order, for finding in the list.
    QStringList columnTexts(int definitionIndex) const;

    // The column (definition index) the rows are ordered by; 0 at first.
    int sortColumn() const { return m_sortColumn; }
    // Orders the rows by another column.
    void setSortColumn(int definitionIndex);
    // Puts every row at its place for the sort column again.
    void Reload();

    // Replaces the rows by those the kind's table shows under `filter` (empty:
    // all, else a condition or a stored query's name). False when the table
    // could not be read; the list is empty then, never a part of the rows, and
    // readError() says why.
    bool readAll(ProjectTables& tables, const QString& filter, ListProgress* progress = nullptr);
    // Reads these records' rows again: a row is replaced, a record not yet listed
    // is added, a record that no longer exists leaves the list. IDs below 1 are
    // skipped. The table shows all its rows afterwards. When a row cannot be
    // read the list is emptied instead and readError() says why.
    void refresh(ProjectTables& tables, const QList<qint32>& ids, ListProgress* progress = nullptr);
    // What to tell the user about the last read of the rows that failed; empty
    // while the rows are whole.
    QString readError() const { return m_readError; }
    // The records of listed rows that refer to any of these records of `kind`.
    QList<qint32> recordsReferringTo(ListingKind kind, const QList<qint32>& ids) const;
    void clear();

protected:
    // The rows as stored, by storage index.
    virtual qsizetype storedCount() const = 0;
    virtual qint32 storedRecordId(qsizetype index) const = 0;
    virtual qint32 storedListId(qsizetype index) const = 0;
    virtual QString storedCellText(qsizetype index, int definitionIndex) const = 0;
    virtual ListSortKey storedSortKey(qsizetype index, int definitionIndex) const = 0;
    virtual RowCondition storedCondition(qsizetype index) const = 0;
    virtual bool storedRefersTo(qsizetype index, ListingKind kind, const QSet<qint32>& ids) const = 0;

    // Replaces the stored rows by what the table shows under the filter; when
    // it could not be read, false with no rows and what to tell the user in `error`.
    virtual bool readStored(ProjectTables& tables, const QString& filter,
                            const std::function<void(qsizetype, qsizetype)>& progress, QString& error) = 0;
    // Shows every row of the table before single rows are read; false, with
    // `error` set, when the table could not be read.
    virtual bool unfilter(ProjectTables& tables, QString& error) = 0;
    enum class RowRead
    {
        Read,
        Gone,   // no record has this ID
        Failed, // the engine could not read it; `error` says why
    };
    // Reads one record's row into the storage index, or appends it for -1.
    virtual RowRead readStoredRow(ProjectTables& tables, qint32 id, qsizetype index, QString& error) = 0;
    // Keeps the rows whose flag is set, in their order.
    virtual void keepStored(const std::vector<bool>& keep) = 0;
    virtual void clearStored() = 0;

private:
    // A row's sort key as kept for sorting: the text case-folded once, in one
    // buffer shared by all rows, so comparing texts is comparing their units.
    struct SortEntry
    {
        qint64 whole = 0;
        double real = 0.0;
        qsizetype textStart = 0;
        qsizetype textLength = 0;
    };

    // Storage indexes ordered by key, equal keys by storage index.
    bool before(qint32 a, qint32 b) const;
    SortEntry entryOf(qsizetype index);
    void computeKeys();
    void sortAll();
    void rebuildIndex();
    void rebuildPositions();
    void notifyAboutToChange();
    void notifyChanged();
    // Forgets every row with its sort keys and positions.
    void dropRows();
    // A refresh could not read the rows: the list shows none, and the error.
    void failRefresh(const QString& error);

    ListColumnLayout m_layout;
    int m_sortColumn = 0;
    QList<qint32> m_order;            // position -> storage index
    std::vector<qint32> m_positions;  // storage index -> position
    std::vector<SortEntry> m_keys;    // storage index -> key of the sort column
    QString m_foldedTexts;            // the keys' texts
    qsizetype m_foldedLive = 0;       // its length when last built whole
    QHash<qint32, qint32> m_byRecord; // record ID -> storage index
    QList<Observer*> m_observers;
    QString m_readError;
};
