#pragma once

// What the quick report builders share; not for use outside them.

#include "QuickReports.h"

#include "core/db/Records.h"
#include "core/project/ProjectTables.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace QuickReportData {

// Records of one table read by ID as rows refer to them, each once. A report
// that refers to many of them reads the whole table's needed columns at once.
template <typename Set> class RecordLookup
{
public:
    using Rec = typename Set::Record;

    RecordLookup(Set& set, QStringList columns) : m_set(set), m_columns(std::move(columns)) {}

    // Reads every record at once; later misses are records that do not exist.
    void preload()
    {
        const QList<Rec> all = m_set.RecordsWhere(QString(), {}, QString(), m_columns);
        m_cache.reserve(all.size());
        for (const Rec& rec : all)
            m_cache.insert(rec.ID, rec);
        m_complete = true;
    }
    // Worth reading the whole table when this many references are to be resolved.
    void preloadFor(qsizetype references)
    {
        if (references > kPreloadAbove)
            preload();
    }

    // The record, or null when there is none with this ID.
    const Rec* find(qint32 id)
    {
        auto found = m_cache.find(id);
        if (found != m_cache.end())
            return found->has_value() ? &**found : nullptr;
        if (m_complete)
            return nullptr;
        Rec rec;
        found = m_cache.insert(id, m_set.RecordRead(rec, id) ? std::optional<Rec>(rec) : std::nullopt);
        return found->has_value() ? &**found : nullptr;
    }

private:
    static constexpr qsizetype kPreloadAbove = 2000;
    Set& m_set;
    QStringList m_columns;
    QHash<qint32, std::optional<Rec>> m_cache;
    bool m_complete = false;
};

// One report being built.
struct Context
{
    ProjectTables& tables;
    const QuickReportParameters& parameters;
    const QLocale& locale;
    QuickReportContent& out;
    const QuickReportCellTexts& cells;

    QString money(Money amount) const { return cells.money ? cells.money(amount) : FormatCurrency(amount, locale); }
    QString date(const DateTime& value) const
    {
        return cells.date ? cells.date(value) : value.formatShortDate(locale);
    }
    QString id(qint32 value) const { return cells.id ? cells.id(value) : FormatRecordId(value); }
    // The range as day numbers: at least fromDay, below toDay. An unset end
    // leaves that side open.
    double fromDay() const;
    double toDay() const;
    // "<start> - <end>"
    QString rangeText() const;
};

// A table with its headings, which columns are right-aligned and, when given,
// each column's share of the printable width. Names and descriptions get the
// widest columns, so that they wrap as seldom as the amounts beside them.
QuickTable MakeTable(const QStringList& headings, const QList<bool>& rightAligned,
                     const QList<double>& widths = {});

// "Label: amount"
QString AmountLine(const Context& context, const QString& label, Money amount);
// Revenues, Cost of Sold, Gross Profit and the sales-tax footnote.
void AddSalesSummary(Context& context, Money revenues, Money costOfSold);

// Items compare by the chosen key, names and numbers without regard to case.
bool ItemKeyLess(ItemSorting sorting, qint32 idA, const QString& nameA, const QString& numberA, qint32 idB,
                 const QString& nameB, const QString& numberB);

// The builders of each kind. False when the report cannot be shown: out.error
// then says why, or a read failed and the caller says so.
bool BuildInvoice(Context& context);
bool BuildPaymentsByCustomer(Context& context);
bool BuildSalesToCustomer(Context& context);
bool BuildCustomerBalances(Context& context);
bool BuildInvoiceBalances(Context& context);
bool BuildOutstandingOrders(Context& context);
bool BuildDetailedSalesList(Context& context);
bool BuildSaleQuantitiesByItem(Context& context);
bool BuildInventorySummary(Context& context);

} // namespace QuickReportData
