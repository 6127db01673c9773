#pragma once

#include "reports/ReportDefinition.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The project's report definition file (name.irp beside the database): records
// one after another, no header and no count. Every call opens the file itself;
// a file that cannot be opened holds no records. Every change writes the whole
// new file beside the old one (name.tmp) and puts it in the old one's place in
// a single rename, so a failure at any point leaves the old file as it was.
class ReportFile
{
public:
    // The record Quick Report Settings keeps its fonts in; the report
    // dialogs keep custom reports off its name.
    static QString reservedName() { return QStringLiteral("PURCHASE_ORDER"); }

    // The database's path without its extension, plus ".irp".
    static QString pathForDatabase(const QString& databasePath);
    // The report file's path with ".tmp" in place of its extension.
    static QString temporaryPath(const QString& reportPath);

    explicit ReportFile(QString path);

    QString path() const { return m_path; }

    // How a read of the whole file ended.
    enum class ReadEnd
    {
        Clean,   // every byte belonged to a complete record (or no file)
        Damaged, // a record was cut short or held an impossible value; the
                 // records before it are the file's records
    };

    // Everything the file holds, with where each record lies in it.
    struct Contents
    {
        QByteArray bytes;
        QList<CReportDefinition> records;
        QList<qint64> starts; // offset of each record; the next start (or `end`) ends it
        qint64 end = 0;       // end of the last complete record
        ReadEnd readEnd = ReadEnd::Clean;
        bool opened = false;
    };
    Contents read() const;
    // The records in the bytes of a report file.
    static Contents parse(QByteArray bytes);

    int count() const;
    // Reads the record at `index` into the read buffer; false when the file
    // ends first.
    bool getByIndex(int index);
    // Reads the first record of that name into the read buffer.
    bool getByName(const QString& name);
    const CReportDefinition& readBuffer() const { return m_readBuffer; }
    // Copies the read buffer into `target`, fonts and all.
    void apply(CReportDefinition& target) const { target = m_readBuffer.clone(); }

    bool exists(const QString& name) const;
    // The names of the records of one table, in file order.
    QStringList names(const QString& table) const;

    enum class SaveStatus
    {
        Saved,
        NameTaken,
        Failed
    };
    // Names `definition` and appends it, unless a record of that name exists.
    SaveStatus saveAsNew(CReportDefinition& definition, const QString& name);
    // Removes the records named `oldName` and appends `definition` under `name`
    // in one change, so a modified report moves to the end of the file. The
    // name is refused when another record holds it; an empty `oldName` makes
    // this a plain save as new.
    SaveStatus replace(const QString& oldName, CReportDefinition& definition, const QString& name);
    // Removes every record of that name. False when the file cannot be opened
    // or the new file cannot be written; the old file then stays untouched.
    bool remove(const QString& name);

private:
    // The kept records of `contents` then `appended`, through the temporary
    // file. Bytes after the last complete record are not carried over: nothing
    // can read them, and keeping them would hide everything appended later.
    bool rewrite(const Contents& contents, const QList<int>& keep, const CReportDefinition* appended) const;
    bool isTaken(const Contents& contents, const QString& name, const QString& exceptName) const;

    QString m_path;
    CReportDefinition m_readBuffer;
};
