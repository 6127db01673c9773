#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QStringList>

// The entries of a record picker: each record's visible text for display and its
// ID as item data. The entry texts the engine hands out carry the ID after a long
// run of blanks (or after "#"); only the part before it ever reaches a view, so a
// popup however wide never shows the ID.
class RecordPickerModel final : public QAbstractListModel
{
public:
    // The record ID of a row, as a qint32.
    static constexpr int IdRole = Qt::UserRole;

    explicit RecordPickerModel(QObject* parent = nullptr);

    // Replaces every entry with one model reset: "text + blanks + %06ld" or
    // "text + blanks + #id", as the engine writes them.
    void setEntries(const QStringList& entries);
    // Takes another picker's entries, sharing them rather than reading them again.
    void setEntries(const RecordPickerModel& other);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Every row's text and ID, in row order.
    const QList<QString>& texts() const { return m_texts; }
    const QList<qint32>& ids() const { return m_ids; }

    // The ID of a row; NoSelection outside the rows.
    qint32 idAt(int row) const;
    QString textAt(int row) const;
    // The row that carries the ID, or -1.
    int rowOfId(qint32 id) const;

    // The visible part of an entry text: what comes before the ID and the blanks
    // that push it out of sight.
    static QString visibleText(const QString& entry);

private:
    // The entry texts as handed in, shared rather than copied, and how much of
    // each is shown: filling costs no text of its own.
    QList<QString> m_texts;
    QList<qsizetype> m_visible;
    QList<qint32> m_ids;
};
