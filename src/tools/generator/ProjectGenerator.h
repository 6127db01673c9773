#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

// How many records of each kind a generated project holds.
struct GeneratorScale
{
    qint32 vendors = 0;
    qint32 items = 0;
    // Every stock lot, the ones the receipts created included.
    qint32 stockLots = 0;
    qint32 purchaseOrders = 0;
    qint32 orderLines = 0;
    // One receipt per received order line, so never more than the order lines.
    qint32 receipts = 0;
    qint32 customers = 0;
    qint32 invoices = 0;
    qint32 salesLines = 0;

    static GeneratorScale small();
    static GeneratorScale medium();
    // "S" or "M" (either case).
    static std::optional<GeneratorScale> byName(const QString& name);

    // Why these counts cannot make a consistent project; empty when they can.
    QString problem() const;
};

// What a generation left behind: the row count of every table, in table order.
struct GeneratorResult
{
    bool ok = false;
    QString error;
    QList<QPair<QString, qint64>> rowCounts;
    qint64 elapsedMs = 0;
};

// Fills a new project with synthetic, reproducible and consistent records, so
// the record layer can be measured and tried on realistic table sizes. Stock and
// order totals of every item agree with its lots and order lines, every
// reference points at an existing record, and every invoice carries its amount
// due.
class ProjectGenerator
{
public:
    static constexpr quint32 kDefaultSeed = 20200101;
    // Raised whenever the generated contents change, so cached projects are rebuilt.
    static constexpr int kVersion = 3;

    explicit ProjectGenerator(const GeneratorScale& scale, quint32 seed = kDefaultSeed);

    // Writes every record through the record classes' RecordAdd instead of the
    // generator's own prepared statements. Same contents, slower.
    void setViaRecordLayer(bool on) { m_viaRecordLayer = on; }
    // Told what is being written, a phase at a time.
    void setProgress(std::function<void(const QString&)> progress) { m_progress = std::move(progress); }

    // Creates directory/name.qmp and its settings file directory/name.qms; the
    // database must not exist yet. A failed run leaves no database behind.
    GeneratorResult generate(const QString& directory, const QString& name);

private:
    GeneratorScale m_scale;
    quint32 m_seed;
    bool m_viaRecordLayer = false;
    std::function<void(const QString&)> m_progress;
};
