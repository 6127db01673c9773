#pragma once

#include "ListCells.h"
#include "ListColumnLayout.h"

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class ListProgress;
class ProjectDatabase;
class ProjectTables;

// One row of a record list as it is shown: every cell's text by definition
// index, its colour condition and the IDs behind it. A row read for its values
// (an export) carries every cell's typed value (ListCellValue) instead of its
// text.
struct ListRow
{
    qint32 recordId = 0;
    qint32 listId = 0;
    RowCondition condition = RowCondition::None;
    QStringList cells;
    QVariantList values;
};

// The rows of one record list in the order it shows them, with its column layout
// and sort column. The list holds only the rows near those asked for: it reads
// them from the database a page at a time, in the list's order, and knows how
// many rows there are without reading them. Rows whose keys are equal keep the
// order the table's rows are read in.
//
// Sorting by a column the table has an index for reads a screenful through
// that index; sorting by any other column orders the record IDs once into a
// scratch table of positions, after which any row is found by its position.
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
        // A page of rows could not be read while they were asked for; the rows
        // show empty and readError() says why until the list is read again.
        virtual void rowsUnreadable() {}
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
    qsizetype count() const { return m_count; }
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

    // Hands the rows from `from` on, in list order, to `row` until it says
    // false, reading them as it goes without keeping them. False when the rows
    // could not be read.
    bool forEachRow(qsizetype from, const std::function<bool(qsizetype position, const ListRow& row)>& row) const;
    // The same rows with their cells' typed values in ListRow::values and no
    // texts: what an export writes.
    bool forEachRowValues(qsizetype from,
                          const std::function<bool(qsizetype position, const ListRow& row)>& row) const;
    // The first position in [from, to) whose cell in the column `matches`; -1
    // when none does or the rows could not be read.
    qsizetype findInColumn(int definitionIndex, qsizetype from, qsizetype to,
                           const std::function<bool(const QString& text)>& matches) const;
    // One column's texts in list order. Reads every row: for small lists.
    QStringList columnTexts(int definitionIndex) const;

    // The column (definition index) the rows are ordered by; 0 at first.
    int sortColumn() const { return m_sortColumn; }
    // Orders the rows by another column.
    void setSortColumn(int definitionIndex);
    // Reads the rows afresh in the list's order.
    void Reload();

    // Shows the rows the kind's table holds under `filter` (empty: all, else a
    // condition or a stored query's name). False when the table could not be
    // read; the list is empty then, never a part of the rows, and readError()
    // says why. The first page is read at once, with progress when it is long.
    bool readAll(ProjectTables& tables, const QString& filter, ListProgress* progress = nullptr);
    // Brings these records' rows up to date: a changed row moves to its place,
    // a record not yet listed is added, a record that no longer exists leaves
    // the list. IDs below 1 are skipped. The table shows all its rows
    // afterwards. When the records cannot be read the list is emptied instead
    // and readError() says why.
    void refresh(ProjectTables& tables, const QList<qint32>& ids, ListProgress* progress = nullptr);
    // What to tell the user about the last read of the rows that failed; empty
    // while the rows are whole.
    QString readError() const { return m_readError; }
    // What to tell the user about the last failed read of the project, for a
    // read of the rows (forEachRow) that gave false.
    QString readFailureText() const;
    // The records of listed rows that refer to any of these records of `kind`.
    QList<qint32> recordsReferringTo(ListingKind kind, const QList<qint32>& ids) const;
    void clear();

    // Rows read per page, and pages kept at most.
    static constexpr qsizetype kPageSize = 128;
    static constexpr std::size_t kPagesKept = 48;

protected:
    // What a read of rows fills in: the cells' texts or their typed values.
    enum class RowContent
    {
        Texts,
        Values
    };
    // Reads the rows of an executed statement that selects the kind's table
    // as "r" (its columns among others), in the statement's order, until
    // `row` says false. False, with the failure noted, when the engine stopped.
    virtual bool readRows(ProjectTables& tables, QSqlQuery& query, RowContent content,
                          const std::function<bool(ListRow&& row)>& row) const = 0;
    // Puts the kind's table under `filter` (empty: none). On success the
    // engine statement selecting the filtered record IDs in their order (empty
    // without a filter); nothing, with `error` set, when the filter cannot be
    // used or the table not read.
    virtual std::optional<QString> filterTable(ProjectTables& tables, const QString& filter, QString& error) = 0;
    // Whether the stock is consumed last in, first out (ties order by that).
    virtual bool lastInFirstOut(ProjectTables& tables) const = 0;

private:
    struct Page
    {
        std::vector<ListRow> rows;
        QVariantList lastKeys; // the last row's order keys, to read on after it
        quint64 used = 0;
    };
    struct Order;

    Order order() const;
    bool streamRows(qsizetype from, RowContent content,
                    const std::function<bool(qsizetype position, const ListRow& row)>& row) const;
    QString membersJoin() const;
    // The rows that go with a position page, read (and kept) when needed.
    const ListRow* rowAt(qsizetype position) const;
    bool readPage(qsizetype page, Page& into, const std::function<void(qsizetype read)>& perRow) const;
    std::optional<QSqlQuery> runRead(const QString& sql, const QVariantList& values = {}) const;
    bool runWrite(const QString& sql);
    bool countRows();
    // Orders the IDs into the scratch table when the sort column has no index.
    bool prepareOrder();
    bool addMembers(const QList<qint32>& ids);
    std::optional<qint32> rankOf(qint32 recordId) const;
    void dropPages() const;
    void fail(const QString& error);
    void notifyAboutToChange();
    void notifyChanged();

    ListColumnLayout m_layout;
    int m_sortColumn = 0;
    ProjectTables* m_tables = nullptr;
    bool m_filtered = false;  // the rows are the scratch table of members
    bool m_positioned = false; // the order is the scratch table of positions
    bool m_lifo = false;
    qsizetype m_count = 0;
    mutable std::map<qsizetype, Page> m_pages;
    mutable quint64 m_clock = 0;
    mutable QString m_readError;
    QList<Observer*> m_observers;
};
